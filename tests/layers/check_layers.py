#!/usr/bin/python3
"""Holds the source folders to the README's table of layers.

Each row of the table names a folder and the folders it stands on. A folder
may include from the folders it stands on and from whatever those stand on;
anything else (a folder above it, or a neighbour beside it) is an error, as
is a folder missing from the table or a table that runs in a circle.

    check_layers.py README.md SRC_DIR
"""
import os
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')
ROW = re.compile(r'^\|\s*`([a-z_/]+)/`\s*\|([^|]*)\|')


def read_table(readme):
    """The rows of the table under the heading "## Layers"."""
    table = {}
    in_section = False
    with open(readme, encoding="utf-8") as text:
        for line in text:
            if line.startswith("## "):
                in_section = line.strip() == "## Layers"
                continue
            match = ROW.match(line) if in_section else None
            if match:
                table[match.group(1)] = set(re.findall(r"`([a-z_/]+)/`", match.group(2)))
    return table


def folder_of(path):
    """The folder a file belongs to, as the table names it: window/ and its
    subfolders count one by one."""
    parts = path.split("/")
    if parts[0] == "window" and len(parts) > 2:
        return "/".join(parts[:2])
    return parts[0]


def reachable(table, start):
    seen, todo = set(), list(table.get(start, ()))
    while todo:
        folder = todo.pop()
        if folder not in seen:
            seen.add(folder)
            todo.extend(table.get(folder, ()))
    return seen


def main(readme, src):
    table = read_table(readme)
    errors = []
    if not table:
        errors.append(f"{readme}: no table of layers under '## Layers'")
    for folder, below in sorted(table.items()):
        for other in sorted(below - table.keys()):
            errors.append(f"table: {folder}/ stands on {other}/, which has no row")
        if folder in reachable(table, folder):
            errors.append(f"table: {folder}/ stands on itself through others")
    for root, _, files in os.walk(src):
        for name in sorted(files):
            if not name.endswith((".h", ".cpp")):
                continue
            path = os.path.join(root, name)
            folder = folder_of(os.path.relpath(path, src))
            if folder not in table:
                errors.append(f"{path}: the folder {folder}/ has no row in the table")
                continue
            allowed = reachable(table, folder) | {folder}
            with open(path, encoding="utf-8") as text:
                for number, line in enumerate(text, 1):
                    match = INCLUDE.match(line)
                    if not match or "/" not in match.group(1):
                        continue
                    target = folder_of(match.group(1))
                    if target not in allowed:
                        errors.append(f"{path}:{number}: {folder}/ includes {target}/, which it does not stand on")
    for error in errors:
        print(error)
    return 1 if errors else 0


if __name__ == "__main__":
    if len(sys.argv) != 3:
        print(__doc__.strip().splitlines()[-1].strip(), file=sys.stderr)
        sys.exit(2)
    sys.exit(main(sys.argv[1], sys.argv[2]))
