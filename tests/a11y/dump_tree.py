#!/usr/bin/python3
# Prints the accessible tree of the application named argv[1] as AT-SPI
# shows it: one line per node, indented, "role | name | states | value".
import sys
import pyatspi


def describe(node):
    states = node.getState().getStates()
    flags = [pyatspi.stateToString(s) for s in states
             if s in (pyatspi.STATE_FOCUSABLE, pyatspi.STATE_FOCUSED, pyatspi.STATE_CHECKED,
                      pyatspi.STATE_SENSITIVE, pyatspi.STATE_SHOWING, pyatspi.STATE_SELECTED,
                      pyatspi.STATE_EXPANDED)]
    value = ""
    try:
        v = node.queryValue()
        value = "%g [%g..%g]" % (v.currentValue, v.minimumValue, v.maximumValue)
    except NotImplementedError:
        pass
    return "%s | %s | %s | %s" % (node.getRoleName(), node.name, ",".join(flags), value)


def walk(node, depth):
    print("  " * depth + describe(node))
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            walk(child, depth + 1)


desktop = pyatspi.Registry.getDesktop(0)
for app in desktop:
    if app is not None and app.name == sys.argv[1]:
        walk(app, 0)
