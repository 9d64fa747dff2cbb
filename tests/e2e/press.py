# SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
#
# SPDX-License-Identifier: GPL-3.0-or-later

"""Presses a push button of a running program through the accessibility bus (AT-SPI), as a
screen reader or an automation tool does: press.py <application name> <button name>."""

import sys
import time
import warnings

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402

# Debian 12's libatspi marks the action names deprecated for a successor it does not yet export.
warnings.filterwarnings("ignore", category=DeprecationWarning)


def nodes(node):
    """The node and everything below it."""
    yield node
    for i in range(node.get_child_count()):
        child = node.get_child_at_index(i)
        if child is not None:
            yield from nodes(child)


def press(application, button):
    desktop = Atspi.get_desktop(0)
    apps = (desktop.get_child_at_index(i) for i in range(desktop.get_child_count()))
    for app in (app for app in apps if app is not None and app.get_name() == application):
        for node in nodes(app):
            if node.get_role() == Atspi.Role.PUSH_BUTTON and node.get_name() == button:
                actions = [Atspi.Action.get_action_name(node, j) for j in range(Atspi.Action.get_n_actions(node))]
                return Atspi.Action.do_action(node, actions.index("Press"))
    return False


if __name__ == "__main__":
    deadline = time.monotonic() + 20
    while not press(sys.argv[1], sys.argv[2]):
        if time.monotonic() > deadline:
            sys.exit(f"no button {sys.argv[2]!r} in {sys.argv[1]!r} on the accessibility bus")
        time.sleep(0.1)
