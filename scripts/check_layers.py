#!/usr/bin/env python3
"""Fails when a folder of source/ includes a header of a folder above it.

The layers are the table under "## Layers" in docs/ARCHITECTURE.md: each row names a folder
(`source/<folder>/`) and, in its second column, the folders it rests on. A folder may include its
own headers and those of every folder below it, directly or through the folders it rests on.
Files directly in source/ (the program's entry) may include any folder; tests/ and benchmarks/
are not checked.

Usage: check_layers.py [project root]   (default: the folder above this script's)
"""
import pathlib
import re
import sys

ROW = re.compile(r"^\|\s*`source/([a-z_]+)/`\s*\|([^|]*)\|")
NAME = re.compile(r"`([a-z_]+)`")
INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"')
SOURCE_SUFFIXES = {".h", ".hpp", ".inl", ".c", ".cpp"}


def read_table(doc: pathlib.Path) -> dict:
    """Folder -> the folders it rests on, from the layer table of the architecture notes."""
    rests_on = {}
    in_section = False
    for line in doc.read_text(encoding="utf-8").splitlines():
        if line.startswith("## "):
            in_section = line.startswith("## Layers")
            continue
        match = ROW.match(line) if in_section else None
        if match:
            rests_on[match.group(1)] = NAME.findall(match.group(2))
    return rests_on


def below(rests_on: dict) -> dict:
    """Folder -> every folder it may include (itself among them); fails on a cycle."""
    reach = {}

    def visit(folder, path):
        if folder in path:
            raise ValueError("the layer table has a cycle: " + " > ".join(path + [folder]))
        if folder not in reach:
            found = {folder}
            for lower in rests_on[folder]:
                found |= visit(lower, path + [folder])
            reach[folder] = found
        return reach[folder]

    for folder in rests_on:
        visit(folder, [])
    return reach


def main() -> int:
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else pathlib.Path(__file__).resolve().parent.parent)
    doc = root / "docs" / "ARCHITECTURE.md"
    source = root / "source"
    rests_on = read_table(doc)
    if not rests_on:
        print(f"{doc}: no layer table under '## Layers'", file=sys.stderr)
        return 1
    faults = []
    for folder, lower in rests_on.items():
        for name in lower:
            if name not in rests_on:
                faults.append(f"{doc}: {folder} rests on {name}, which has no row")
    if faults:
        print("\n".join(faults), file=sys.stderr)
        return 1
    try:
        reach = below(rests_on)
    except ValueError as cycle:
        print(f"{doc}: {cycle}", file=sys.stderr)
        return 1

    folders = {path.name for path in source.iterdir() if path.is_dir()}
    for path in sorted(source.rglob("*")):
        if path.suffix not in SOURCE_SUFFIXES or not path.is_file():
            continue
        relative = path.relative_to(source)
        if len(relative.parts) == 1:
            continue  # the program's entry sits above every layer
        folder = relative.parts[0]
        if folder not in reach:
            faults.append(f"source/{relative}: folder {folder} has no row in the layer table of {doc.name}")
            continue
        for number, line in enumerate(path.read_text(encoding="utf-8", errors="replace").splitlines(), 1):
            match = INCLUDE.match(line)
            if not match or "/" not in match.group(1):
                continue
            target = match.group(1).split("/", 1)[0]
            if target in reach[folder] or (target not in folders and target not in reach):
                continue
            allowed = ", ".join(sorted(reach[folder] - {folder})) or "nothing"
            faults.append(f"source/{relative}:{number}: {folder} includes {match.group(1)}, "
                          f"which is not below it ({folder} may include {allowed})")
    if faults:
        print("\n".join(faults), file=sys.stderr)
        print(f"{len(faults)} include(s) break the layers of {doc.name}", file=sys.stderr)
        return 1
    print(f"layers hold: {len(reach)} folders of source/ include only what is below them")
    return 0


if __name__ == "__main__":
    sys.exit(main())
