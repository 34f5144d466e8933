#!/usr/bin/python3
"""Prints what a screen reader finds in the running program named by the argument: one line,
role and name, for the program's every accessible object, in tree order."""
import sys

import pyatspi


def walk(node):
    yield f"{node.getRoleName()}\t{node.name}"
    for child in node:
        if child is not None:
            yield from walk(child)


for program in pyatspi.Registry.getDesktop(0):
    if program is not None and program.name == sys.argv[1]:
        for child in program:
            print("\n".join(walk(child)))
