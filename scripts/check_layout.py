#!/usr/bin/env python3
"""Keeps the source tree in the order its folders promise.

1. Floors: src/template (0) <- src/store (1) <- src/style (2) <- src/browser, src/settings (3)
   <- src/shell (4). A target may link targets on its own floor or below, never above. The
   link graph comes from the file CMake writes at configure time (target, folder, links).
2. Repeats: no block of 10 or more lines stands twice in src/ (lines compared with their
   white space trimmed; blank lines and lone braces do not count).

Usage: check_layout.py LINK_GRAPH_TSV SOURCE_ROOT   (exit 1 with one line per fault)
"""
import os
import sys

FLOORS = [("src/template", 0), ("src/store", 1), ("src/style", 2), ("src/browser", 3),
          ("src/settings", 3), ("src/shell", 4), ("resources", 2)]
BLOCK = 10


def floor_of(folder):
    best = None
    for prefix, floor in FLOORS:
        if folder == prefix or folder.startswith(prefix + "/"):
            if best is None or len(prefix) > len(best[0]):
                best = (prefix, floor)
    return None if best is None else best[1]


def check_links(graph_path):
    targets = {}
    for line in open(graph_path, encoding="utf-8"):
        parts = line.rstrip("\n").split("\t")
        if len(parts) >= 2:
            targets[parts[0]] = (parts[1], parts[2].split(";") if len(parts) > 2 and parts[2] else [])
    faults = []
    for target, (folder, links) in sorted(targets.items()):
        floor = floor_of(folder)
        if floor is None:
            continue  # tests, benchmarks, fuzzers
        for link in links:
            if link not in targets:
                continue  # Qt, system libraries
            other = floor_of(targets[link][0])
            if other is not None and other > floor:
                faults.append(f"{target} ({folder}) links {link} ({targets[link][0]}), a higher floor")
    return faults


def meaningful(line):
    text = line.strip()
    return text and text not in {"{", "}", "};", "});", ")", ");"} and not text.startswith("//")


def check_repeats(root):
    seen = {}
    faults = []
    for folder, _, files in os.walk(os.path.join(root, "src")):
        for name in sorted(files):
            if not name.endswith((".cpp", ".h", ".qml")):
                continue
            path = os.path.join(folder, name)
            lines = [(n + 1, l.strip()) for n, l in enumerate(open(path, encoding="utf-8", errors="replace"))
                     if meaningful(l)]
            reported = -1
            for i in range(len(lines) - BLOCK + 1):
                key = "\n".join(text for _, text in lines[i:i + BLOCK])
                where = (os.path.relpath(path, root), lines[i][0])
                if key in seen and seen[key][0] != where[0] or key in seen and seen[key][1] + BLOCK <= where[1]:
                    if i > reported:
                        faults.append(f"{where[0]}:{where[1]} repeats {seen[key][0]}:{seen[key][1]} ({BLOCK}+ lines)")
                        reported = i + BLOCK
                else:
                    seen.setdefault(key, where)
    return faults


def main():
    if len(sys.argv) != 3:
        print(__doc__)
        return 2
    faults = check_links(sys.argv[1]) + check_repeats(sys.argv[2])
    for fault in faults:
        print(fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
