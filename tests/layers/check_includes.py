#!/usr/bin/env python3
"""Fails when a file under src/ includes one from its own layer's neighbour or from a
higher layer. Lowest first: platform; input and store; puzzle; game; view; history and
records; app; then main.cpp. A file includes from its own folder or lower ones only."""
import pathlib
import re
import sys

LAYERS = {"platform": 0, "input": 1, "store": 1, "puzzle": 2, "game": 3, "view": 4,
          "history": 5, "records": 5, "app": 6}
MAIN = 7
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"/]+)/[^"]+"')

def main(src):
    problems = []
    files = sorted(p for p in src.rglob("*") if p.suffix in (".h", ".cpp"))
    for path in files:
        relative = path.relative_to(src)
        folder = relative.parts[0] if len(relative.parts) > 1 else None
        if folder is not None and folder not in LAYERS:
            problems.append(f"{relative}: folder '{folder}' has no place in the layers")
            continue
        rank = LAYERS[folder] if folder else MAIN
        for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
            match = INCLUDE.match(line)
            if not match or match.group(1) not in LAYERS:
                continue
            target = match.group(1)
            if target != folder and LAYERS[target] >= rank:
                problems.append(f"{relative}:{number}: includes {target}/, which is not below {folder or 'main.cpp'}")
    for problem in problems:
        print(problem, file=sys.stderr)
    print(f"{len(files)} files, {len(problems)} upward include(s)")
    return 1 if problems else 0

if __name__ == "__main__":
    sys.exit(main(pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else "src")))
