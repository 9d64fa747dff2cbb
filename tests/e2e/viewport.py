# SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
#
# SPDX-License-Identifier: GPL-3.0-or-later

"""Prints the client area of Quorvel's window and the viewport's place in it, as the program tells
the accessibility bus (AT-SPI) in logical pixels: "width height gap-right gap-bottom", the gaps
being what lies between the viewport's right and bottom edges and the client area's. Unlike a
screenshot, this sees a window that is larger than the screen too. Prints nothing where the
window is not (yet) on the bus: viewport.py"""

from atspi import Atspi, applications, nodes


def extents(node):
    box = Atspi.Component.get_extents(node, Atspi.CoordType.SCREEN)
    return box.x, box.y, box.width, box.height


def main():
    for app in applications("Quorvel"):
        window = viewport = None
        for node in nodes(app):
            if node.get_role() == Atspi.Role.FRAME:
                window = extents(node)
            elif node.get_name() == "Formularansicht":
                viewport = extents(node)
        if window and viewport:
            x, y, w, h = window
            vx, vy, vw, vh = viewport
            print(w, h, x + w - (vx + vw), y + h - (vy + vh))
            return


if __name__ == "__main__":
    main()
