#!/usr/bin/python3
"""Reads a running program's accessibility tree through AT-SPI.

  a11y_tree.py dump PID               prints the program's tree as JSON
  a11y_tree.py press PID WINDOW NAME  runs the first action of the control called NAME in the
                                      window whose name is WINDOW, and prints "pressed"

A node is {"role", "name", "labelled_by", "text", "states", "actions", "children"}: "labelled_by"
names the nodes its "labelled by" relation points to, and "text" is what the text interface
gives (null without one).
"""

import json
import sys

import pyatspi

# Lists of other programs and deep item views are not needed; this keeps a dump bounded.
MAX_DEPTH = 12


def application(pid):
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        if app is not None and app.get_process_id() == pid:
            return app
    return None


def text_of(node):
    try:
        text = node.queryText()
    except NotImplementedError:
        return None
    return text.getText(0, -1)


def actions_of(node):
    try:
        action = node.queryAction()
    except NotImplementedError:
        return []
    return [action.getName(i) for i in range(action.nActions)]


def labels_of(node):
    names = []
    for relation in node.getRelationSet():
        if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
            names += [relation.getTarget(i).name for i in range(relation.getNTargets())]
    return names


def role_of(node):
    # Named by pyatspi's constant ("ROLE_PUSH_BUTTON" reads "push button"): AT-SPI 2.56 renamed
    # the push button's display name to "button", but the role, which screen readers go by, is
    # the same.
    return str(pyatspi.Role(int(node.getRole()))).removeprefix("ROLE_").lower().replace("_", " ")


def describe(node, depth=0):
    children = []
    if depth < MAX_DEPTH:
        for child in node:
            if child is not None:
                children.append(describe(child, depth + 1))
    return {
        "role": role_of(node),
        "name": node.name,
        "labelled_by": labels_of(node),
        "text": text_of(node),
        "states": sorted(pyatspi.stateToString(s) for s in node.getState().getStates()),
        "actions": actions_of(node),
        "children": children,
    }


def find(node, name, depth=0):
    if node.name == name and node.parent is not None and depth > 0:
        return node
    if depth >= MAX_DEPTH:
        return None
    for child in node:
        if child is None:
            continue
        found = find(child, name, depth + 1)
        if found is not None:
            return found
    return None


def main(argv):
    if len(argv) < 3 or argv[1] not in ("dump", "press"):
        print(__doc__, file=sys.stderr)
        return 2
    app = application(int(argv[2]))
    if app is None:
        print("no accessible application with process id " + argv[2], file=sys.stderr)
        return 1
    if argv[1] == "dump":
        json.dump(describe(app), sys.stdout)
        return 0
    if len(argv) != 5:
        print(__doc__, file=sys.stderr)
        return 2
    window = next((w for w in app if w is not None and w.name == argv[3]), None)
    if window is None:
        print("no window " + argv[3], file=sys.stderr)
        return 1
    control = find(window, argv[4])
    if control is None:
        print("no control " + argv[4] + " in " + argv[3], file=sys.stderr)
        return 1
    if not control.queryAction().doAction(0):
        print("the action of " + argv[4] + " failed", file=sys.stderr)
        return 1
    print("pressed")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
