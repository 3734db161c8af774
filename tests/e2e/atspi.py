#!/usr/bin/python3
"""Drives the program through the accessibility bus, as a screen reader or voice control
would: finds controls by role and name in the windows of one process and uses their
accessible actions. One command per call; exit status 0 when it did what was asked.

  atspi.py PID press NAME      the push button NAME, through its press action
  atspi.py PID toggle NAME     the check box NAME, through its toggle action
  atspi.py PID checked NAME    succeeds when the check box NAME is checked
  atspi.py PID shows TEXT      succeeds when a visible window shows TEXT
  atspi.py PID field NAME      succeeds when an editable text field is named NAME
"""

import sys
import warnings

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402

# The action's plain name is what a script matches; its newer name is the localised one.
warnings.filterwarnings("ignore", category=DeprecationWarning)

ROLES = {
    "press": Atspi.Role.PUSH_BUTTON,
    "toggle": Atspi.Role.CHECK_BOX,
    "checked": Atspi.Role.CHECK_BOX,
    "field": Atspi.Role.TEXT,
}
# Qt offers focus as an action too; it is not what a click does.
ACTIONS = {"press": "press", "toggle": "toggle"}


def applications(pid):
    desktop = Atspi.get_desktop(0)
    for i in range(desktop.get_child_count()):
        app = desktop.get_child_at_index(i)
        if app is not None and app.get_process_id() == pid:
            yield app


def showing(node):
    return node.get_state_set().contains(Atspi.StateType.SHOWING)


def walk(node, depth=0):
    """Every showing node below `node`, the node itself first."""
    if node is None or depth > 40:
        return
    yield node
    for i in range(node.get_child_count()):
        child = node.get_child_at_index(i)
        if child is not None and showing(child):
            yield from walk(child, depth + 1)


def nodes(pid):
    for app in applications(pid):
        for i in range(app.get_child_count()):
            window = app.get_child_at_index(i)
            if window is not None and showing(window):
                yield from walk(window)


def find(pid, role, name):
    for node in nodes(pid):
        if node.get_role() == role and node.get_name() == name:
            return node
    return None


def act(node, wanted):
    if "Action" not in node.get_interfaces():
        return False
    for i in range(Atspi.Action.get_n_actions(node)):
        if Atspi.Action.get_action_name(node, i).lower() == wanted:
            return Atspi.Action.do_action(node, i)
    return False


def texts(node):
    yield node.get_name() or ""
    if "Text" in node.get_interfaces():
        yield Atspi.Text.get_text(node, 0, Atspi.Text.get_character_count(node))


def main(argv):
    pid, command = int(argv[1]), argv[2]
    argument = argv[3] if len(argv) > 3 else ""
    if command in ACTIONS:
        node = find(pid, ROLES[command], argument)
        return 0 if node is not None and act(node, ACTIONS[command]) else 1
    if command == "checked":
        node = find(pid, ROLES[command], argument)
        return 0 if node is not None and node.get_state_set().contains(
            Atspi.StateType.CHECKED) else 1
    if command == "field":
        return 0 if find(pid, ROLES[command], argument) is not None else 1
    if command == "shows":
        for node in nodes(pid):
            if any(argument in t for t in texts(node)):
                return 0
        return 1
    print(__doc__, file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
