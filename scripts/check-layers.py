#!/usr/bin/env python3
"""The module's folders are layers: a file includes headers of its own
folder and of the folders below it, never of a folder above. Lowest first:

  core           module state, data driver binding and operations
  devmode        the device mode record, builder, repair, paper list
  settings       the registered settings store and the built-in presets
  services       capabilities, conversion, job check, events, colour profiles
  settingsfiles  the working settings file and parameter files
  context        the per-sheet record the pages and dialogs work on
  widgets        control look-ups and operations, numeric edit, units,
                 bitmap loading, the help loader
  dialogs        the dialogs
  pages          the pages, page protocol, summary, pictures, help tables
  sheets         compstui, the document and printer sheets, page creation

resources/ (ids and templates) may be included from any layer. From
settings/ up, a unit (x.h with x.cpp) that reaches itself again through the
units it includes is a circle, and fails as well.

Usage: check-layers.py SOURCE_DIR [FOLDER...]; the folders (the build's
module folders) must all be layers named here. Exit status 1 on a failure.
"""
import os
import re
import sys

LAYERS = ["core", "devmode", "settings", "services", "settingsfiles", "context",
          "widgets", "dialogs", "pages", "sheets"]
ANYWHERE = {"resources"}
CIRCLE_FREE = LAYERS[LAYERS.index("settings"):]
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"/]+)/([^"]+)"', re.M)


def sources(root):
    for layer in LAYERS:
        folder = os.path.join(root, layer)
        if not os.path.isdir(folder):
            continue
        for name in sorted(os.listdir(folder)):
            if name.endswith((".cpp", ".h")):
                yield layer, name, os.path.join(folder, name)


def main():
    root = sys.argv[1]
    failures = []
    for folder in sys.argv[2:]:
        if folder not in LAYERS:
            failures.append(f"module folder {folder}/ is not a layer of scripts/check-layers.py")
    edges = {}
    for layer, name, path in sources(root):
        unit = f"{layer}/{os.path.splitext(name)[0]}"
        with open(path, encoding="utf-8") as f:
            text = f.read()
        for folder, header in INCLUDE.findall(text):
            if folder in ANYWHERE:
                continue
            if folder not in LAYERS:
                failures.append(f"{layer}/{name} includes {folder}/{header}: not a layer")
            elif LAYERS.index(folder) > LAYERS.index(layer):
                failures.append(f"{layer}/{name} includes {folder}/{header}: {folder}/ is above {layer}/")
            target = f"{folder}/{os.path.splitext(header)[0]}"
            if target != unit and layer in CIRCLE_FREE and folder in CIRCLE_FREE:
                edges.setdefault(unit, set()).add(target)
    failures += circles(edges)
    for failure in failures:
        print(failure)
    print(f"{len(failures)} layer failures")
    return 1 if failures else 0


def circles(edges):
    """Every unit that reaches itself, with one path that shows it."""
    found = []
    for start in sorted(edges):
        path = walk(edges, start, start, [start], set())
        if path:
            found.append("circle: " + " -> ".join(path))
    return found


def walk(edges, start, unit, path, seen):
    for target in sorted(edges.get(unit, ())):
        if target == start:
            return path + [start]
        if target in seen:
            continue
        seen.add(target)
        result = walk(edges, start, target, path + [target], seen)
        if result:
            return result
    return None


if __name__ == "__main__":
    sys.exit(main())
