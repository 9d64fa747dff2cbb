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


def find_button(node, name):
    if node is None:
        return None
    if node.get_role() == Atspi.Role.PUSH_BUTTON and node.get_name() == name:
        return node
    for i in range(node.get_child_count()):
        found = find_button(node.get_child_at_index(i), name)
        if found is not None:
            return found
    return None


def main(application, button):
    deadline = time.monotonic() + 20
    while time.monotonic() < deadline:
        desktop = Atspi.get_desktop(0)
        for i in range(desktop.get_child_count()):
            app = desktop.get_child_at_index(i)
            if app is None or app.get_name() != application:
                continue
            found = find_button(app, button)
            if found is not None:
                names = [Atspi.Action.get_action_name(found, j) for j in range(Atspi.Action.get_n_actions(found))]
                Atspi.Action.do_action(found, names.index("Press"))
                return 0
        time.sleep(0.1)
    print(f"no button {button!r} in {application!r} on the accessibility bus", file=sys.stderr)
    return 1


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2]))
