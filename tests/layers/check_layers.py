#!/usr/bin/env python3
"""The layers of the tree, checked from its sources.

Derives the include graph of every C++ file outside tests/, fuzz/ and bench/ and fails on
- a cycle between folders,
- a folder including one of a higher layer (or a driver library's private folder),
- a widget-free file that reaches, through any chain of includes, a widget header: a
  Qt Widgets header or a header of a `ui/` folder.

Usage: check_layers.py SOURCE_DIR QTWIDGETS_INCLUDE_DIR
"""
import os
import re
import sys

SKIP = {"tests", "fuzz", "bench", "dist", "scripts", ".git", ".ci"}

# Layers from the bottom. A folder may include its own layer or lower ones; within a
# layer only cycles are refused. Feature folders are "logic" unless their path has a
# `ui` component.
LAYERS = {
    "platform": 0,
    "driver": 1,
    "kx02app": 2,
    "kx02linux": 2,
    "program": 3,
    "adapter": 4,
    "store": 5,
    "context": 6,
    "logic": 7,  # each feature's widget-free folders
    "ui": 8,  # the shared window base and each feature's windows
    "ctl": 8,
    "app": 9,
    "res": 10,  # build-time generators
    ".": 10,  # the program's main.cpp
}
# Only their own library reaches into these.
PRIVATE = {"kx02app", "kx02linux"}
WIDGET_FOLDERS = ("app", ".")  # besides every `ui` folder
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]', re.M)


def folder_of(path):
    return os.path.dirname(path) or "."


def layer_of(folder):
    parts = folder.split("/")
    if "ui" in parts:
        return LAYERS["ui"]
    return LAYERS.get(parts[0], LAYERS["logic"])


def is_widget_folder(folder):
    return "ui" in folder.split("/") or folder.split("/")[0] in WIDGET_FOLDERS


def sources(root):
    found = {}
    for d, dirs, files in os.walk(root):
        rel = os.path.relpath(d, root)
        top = rel.split(os.sep)[0]
        if top in SKIP or top.startswith("build"):
            dirs[:] = []
            continue
        for f in files:
            if f.endswith((".h", ".cpp")):
                path = os.path.normpath(os.path.join(rel, f))
                with open(os.path.join(root, path), errors="replace") as text:
                    found[path] = INCLUDE.findall(text.read())
    return found


def resolve(files, path, name):
    for candidate in (os.path.normpath(name), os.path.normpath(os.path.join(folder_of(path), name))):
        if candidate in files:
            return candidate
    return None


def cycles(edges):
    index, low, stack, on, groups, n = {}, {}, [], set(), [], [0]

    def visit(v):
        index[v] = low[v] = n[0]
        n[0] += 1
        stack.append(v)
        on.add(v)
        for w in sorted(edges.get(v, ())):
            if w not in index:
                visit(w)
                low[v] = min(low[v], low[w])
            elif w in on:
                low[v] = min(low[v], index[w])
        if low[v] == index[v]:
            group = []
            while True:
                w = stack.pop()
                on.discard(w)
                group.append(w)
                if w == v:
                    break
            if len(group) > 1:
                groups.append(sorted(group))

    sys.setrecursionlimit(10000)
    for v in sorted(edges):
        if v not in index:
            visit(v)
    return groups


def main():
    root, widgets_dir = sys.argv[1], sys.argv[2]
    widget_headers = set(os.listdir(widgets_dir))
    files = sources(root)
    problems = []
    local = {}  # file -> files it includes
    external = {}  # file -> Qt Widgets headers it names
    edges = {}
    for path, includes in files.items():
        local[path], external[path] = [], []
        for kind, name in includes:
            target = resolve(files, path, name) if kind == '"' else None
            if target is None:
                base = name.split("/")[-1]
                if name.startswith("QtWidgets/") or (kind == "<" and "/" not in name and base in widget_headers):
                    external[path].append(name)
                continue
            local[path].append(target)
            src, dst = folder_of(path), folder_of(target)
            if src == dst:
                continue
            edges.setdefault(src, set()).add(dst)
            if dst.split("/")[0] in PRIVATE and dst.split("/")[0] != src.split("/")[0]:
                problems.append(f"{path}: includes {target}, private to its driver library")
            elif layer_of(dst) > layer_of(src):
                problems.append(f"{path}: includes {target} from a higher layer")

    for group in cycles(edges):
        problems.append("folder cycle: " + " <-> ".join(group))

    for path in sorted(files):
        if is_widget_folder(folder_of(path)):
            continue
        seen, todo, chain = {path}, [path], {path: None}
        while todo:
            current = todo.pop()
            reached = [h for h in external[current]]
            if reached or (current != path and is_widget_folder(folder_of(current))):
                trail, step = [], current
                while step is not None:
                    trail.append(step)
                    step = chain[step]
                what = reached[0] if reached else current
                problems.append(f"{path}: widget-free, reaches {what} through "
                                + " -> ".join(reversed(trail)))
                break
            for target in local[current]:
                if target not in seen:
                    seen.add(target)
                    chain[target] = current
                    todo.append(target)

    for p in problems:
        print(p)
    print(f"{len(files)} files, {len(edges)} folders with includes: "
          + ("layers hold" if not problems else f"{len(problems)} problems"))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
