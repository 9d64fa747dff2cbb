# SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
#
# SPDX-License-Identifier: GPL-3.0-or-later

"""Quorvel as the accessibility bus (AT-SPI) shows it to a screen reader or an automation tool.

    atspi.py viewport       prints the client area of the window and the viewport's place in it,
                            in logical pixels: "width height gap-right gap-bottom", the gaps being
                            what lies between the viewport's right and bottom edges and the client
                            area's. Unlike a screenshot, this sees a window larger than the screen.
                            Prints nothing where the window is not (yet) on the bus.
    atspi.py press <button> presses a push button, waiting up to 20 s for it to come on the bus.
"""

import sys
import time
import warnings

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402

# Debian 12's libatspi marks the action names deprecated for a successor it does not yet export.
warnings.filterwarnings("ignore", category=DeprecationWarning)


def children(node):
    return (child for child in map(node.get_child_at_index, range(node.get_child_count())) if child is not None)


def nodes(node):
    """The node and everything below it."""
    yield node
    for child in children(node):
        yield from nodes(child)


def quorvel_nodes():
    """Every node of every running Quorvel."""
    for app in children(Atspi.get_desktop(0)):
        if app.get_name() == "Quorvel":
            yield from nodes(app)


def extents(node):
    box = Atspi.Component.get_extents(node, Atspi.CoordType.SCREEN)
    return box.x, box.y, box.width, box.height


def viewport():
    window = view = None
    for node in quorvel_nodes():
        if node.get_role() == Atspi.Role.FRAME:
            window = extents(node)
        elif node.get_name() == "Formularansicht":
            view = extents(node)
    if window and view:
        x, y, w, h = window
        vx, vy, vw, vh = view
        print(w, h, x + w - (vx + vw), y + h - (vy + vh))


def press(button):
    for node in quorvel_nodes():
        if node.get_role() == Atspi.Role.PUSH_BUTTON and node.get_name() == button:
            actions = [Atspi.Action.get_action_name(node, j) for j in range(Atspi.Action.get_n_actions(node))]
            return Atspi.Action.do_action(node, actions.index("Press"))
    return False


if __name__ == "__main__":
    if sys.argv[1] == "viewport":
        viewport()
    else:
        deadline = time.monotonic() + 20
        while not press(sys.argv[2]):
            if time.monotonic() > deadline:
                sys.exit(f"no button {sys.argv[2]!r} on the accessibility bus")
            time.sleep(0.1)
