#!/usr/bin/env python3
"""Holds every project #include to the layer table (layers.txt).

Usage: check-layers.py [ROOT]        check the tree at ROOT (default: the repository)
       check-layers.py --self-test   check that a wrong include is caught

Prints each include that runs against the table, as FILE:LINE: message, and exits 1 when
there is one.
"""
import os
import re
import sys
import tempfile

SOURCE_EXT = (".h", ".hpp", ".cpp", ".cc")
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')


def read_table(path):
    targets, allowed, system = {}, {}, []
    with open(path, encoding="utf-8") as f:
        for number, raw in enumerate(f, 1):
            line = raw.split("#", 1)[0].strip()
            if not line:
                continue
            head, _, deps = line.partition(":")
            words = head.split()
            if words[0] == "target" and len(words) >= 3:
                name = words[1]
                for folder in words[2:]:
                    targets[folder.rstrip("/")] = name
                allowed[name] = deps.split()
            elif words[0] == "system" and len(words) >= 2:
                system.append((words[1:], [d.rstrip("/") for d in deps.split()]))
            else:
                raise SystemExit(f"{path}:{number}: cannot read this line")
    return targets, allowed, system


def closure(name, allowed):
    seen, todo = set(), [name]
    while todo:
        n = todo.pop()
        if n in seen:
            continue
        seen.add(n)
        todo.extend(allowed.get(n, []))
    return seen


def target_of(path, targets):
    """The target of the longest table folder that holds path, or None."""
    best = None
    for folder, name in targets.items():
        if path == folder or path.startswith(folder + "/"):
            if best is None or len(folder) > len(best[0]):
                best = (folder, name)
    return best[1] if best else None


def in_folders(path, folders):
    return any(path == d or path.startswith(d + "/") for d in folders)


def check(root):
    targets, allowed, system = read_table(os.path.join(root, "layers.txt"))
    reach = {name: closure(name, allowed) for name in allowed}
    problems = []
    for base, dirs, files in os.walk(root):
        dirs[:] = [d for d in dirs if not d.startswith(".") and not d.startswith("build")]
        for file in files:
            if not file.endswith(SOURCE_EXT):
                continue
            full = os.path.join(base, file)
            rel = os.path.relpath(full, root).replace(os.sep, "/")
            owner = target_of(rel, targets)
            with open(full, encoding="utf-8", errors="replace") as f:
                for number, line in enumerate(f, 1):
                    m = INCLUDE.match(line)
                    if not m:
                        continue
                    kind, name = m.groups()
                    where = f"{rel}:{number}"
                    if kind == "<":
                        for prefixes, folders in system:
                            if any(name.startswith(p) for p in prefixes) and not in_folders(rel, folders):
                                problems.append(f"{where}: <{name}> may only be included in {' '.join(folders)}")
                        continue
                    if owner is None:
                        continue
                    used = target_of(name, targets)
                    if used is None:
                        if not os.path.exists(os.path.join(root, name)):
                            problems.append(f'{where}: "{name}" is no file of the project')
                        continue
                    if used not in reach[owner]:
                        problems.append(f'{where}: {owner} may not include "{name}" of {used} '
                                        f"(layers.txt: {owner} may include {' '.join(sorted(reach[owner] - {owner})) or 'nothing'})")
    return problems


def self_test():
    table = ("target low  lib/low  :\n"
             "target high lib/high : low\n"
             "system gtk/ : lib/high\n")
    cases = {
        "lib/low/a.h": ('#pragma once\n', True),
        "lib/high/b.cpp": ('#include "lib/low/a.h"\n#include <gtk/gtk.h>\n', True),
        "lib/low/c.cpp": ('#include "lib/high/b.h"\n', False),   # runs back up
        "lib/low/d.cpp": ('#include <gtk/gtk.h>\n', False),       # system header out of place
    }
    failures = 0
    for bad_file, (text, ok) in cases.items():
        with tempfile.TemporaryDirectory() as root:
            with open(os.path.join(root, "layers.txt"), "w") as f:
                f.write(table)
            for path, (content, good) in cases.items():
                if not good and path != bad_file:
                    continue
                os.makedirs(os.path.dirname(os.path.join(root, path)), exist_ok=True)
                with open(os.path.join(root, path), "w") as f:
                    f.write(content)
            open(os.path.join(root, "lib/high/b.h"), "w").close()
            problems = check(root)
            if bool(problems) == ok:
                print(f"self-test: {bad_file}: expected {'no problem' if ok else 'a problem'}, got {problems}")
                failures += 1
    print("self-test: " + ("failed" if failures else "the checker catches wrong includes"))
    return 1 if failures else 0


def main():
    if len(sys.argv) > 1 and sys.argv[1] == "--self-test":
        return self_test()
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
    problems = check(os.path.abspath(root))
    for p in problems:
        print(p)
    if problems:
        print(f"check-layers: {len(problems)} include(s) run against layers.txt")
        return 1
    print("check-layers: every include follows layers.txt")
    return 0


if __name__ == "__main__":
    sys.exit(main())
