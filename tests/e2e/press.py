# SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
#
# SPDX-License-Identifier: GPL-3.0-or-later

"""Presses a push button of a running program through the accessibility bus (AT-SPI), as a
screen reader or an automation tool does: press.py <application name> <button name>."""

import sys
import time

from atspi import Atspi, applications, nodes


def press(application, button):
    for app in applications(application):
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
