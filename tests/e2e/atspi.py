# SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
#
# SPDX-License-Identifier: GPL-3.0-or-later

"""The accessibility bus (AT-SPI) as the end-to-end tests read it: the running programs of a
name, and every node of one."""

import warnings

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402,F401

# Debian 12's libatspi marks the action names deprecated for a successor it does not yet export.
warnings.filterwarnings("ignore", category=DeprecationWarning)


def applications(name):
    """The programs of that name on the bus."""
    desktop = Atspi.get_desktop(0)
    apps = (desktop.get_child_at_index(i) for i in range(desktop.get_child_count()))
    return [app for app in apps if app is not None and app.get_name() == name]


def nodes(node):
    """The node and everything below it."""
    yield node
    for i in range(node.get_child_count()):
        child = node.get_child_at_index(i)
        if child is not None:
            yield from nodes(child)
