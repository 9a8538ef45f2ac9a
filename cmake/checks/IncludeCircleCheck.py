#!/usr/bin/env python3
"""python3 IncludeCircleCheck.py <source-root>

Every class (a header and its source file) is one node; an edge runs from a
class to each class whose header one of its files includes with
#include "...". Two classes that reach each other through such edges cannot
be built, read or tested one without the other, so each circle found is
named and the check fails. Tests, benchmarks and fuzz targets sit on top of
everything and are left out.
"""
import os
import re
import sys

LEFT_OUT = {"tests", "bench", "fuzz", "testsupport", "build", ".git"}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.MULTILINE)


def source_files(root):
    for folder, subfolders, files in os.walk(root):
        subfolders[:] = sorted(d for d in subfolders
                               if d not in LEFT_OUT and not d.startswith("build"))
        for name in sorted(files):
            if name.endswith((".h", ".cpp")):
                yield os.path.relpath(os.path.join(folder, name), root)


def node_of(path):
    return os.path.splitext(path)[0]


def included_headers(root, path):
    with open(os.path.join(root, path), encoding="utf-8", errors="replace") as f:
        text = f.read()
    for name in INCLUDE.findall(text):
        # The project's own form names the folder from the root; a bare
        # name is a neighbour in the same folder.
        for candidate in (name, os.path.join(os.path.dirname(path), name)):
            candidate = os.path.normpath(candidate)
            if os.path.isfile(os.path.join(root, candidate)):
                yield candidate
                break


def include_graph(root):
    graph = {}
    for path in source_files(root):
        node = node_of(path)
        edges = graph.setdefault(node, set())
        for header in included_headers(root, path):
            target = node_of(header)
            if target != node:
                edges.add(target)
    return graph


def circles(graph):
    """The strongly connected components with more than one class (Tarjan)."""
    index, low, on_stack, stack, found = {}, {}, set(), [], []
    for start in sorted(graph):
        if start in index:
            continue
        work = [(start, iter(sorted(graph.get(start, ()))))]
        index[start] = low[start] = len(index)
        stack.append(start)
        on_stack.add(start)
        while work:
            node, children = work[-1]
            child = next(children, None)
            if child is not None:
                if child not in index:
                    index[child] = low[child] = len(index)
                    stack.append(child)
                    on_stack.add(child)
                    work.append((child, iter(sorted(graph.get(child, ())))))
                elif child in on_stack:
                    low[node] = min(low[node], index[child])
                continue
            work.pop()
            if work:
                parent = work[-1][0]
                low[parent] = min(low[parent], low[node])
            if low[node] == index[node]:
                component = []
                while True:
                    member = stack.pop()
                    on_stack.discard(member)
                    component.append(member)
                    if member == node:
                        break
                if len(component) > 1:
                    found.append(sorted(component))
    return sorted(found)


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else "."
    graph = include_graph(root)
    found = circles(graph)
    for component in found:
        members = set(component)
        print("include circle: " + ", ".join(component))
        for node in component:
            inside = sorted(graph[node] & members)
            print("  " + node + " -> " + ", ".join(inside))
    if found:
        return 1
    print(f"no include circle among {len(graph)} classes")
    return 0


if __name__ == "__main__":
    sys.exit(main())
