#!/usr/bin/env python3
"""Loads every example of the scene-format guide with zu-render.

   check_scene_format.py ZU_RENDER DOC.md

Each ```text block of DOC.md is a scene file; it must load and render with nothing skipped
(zu-render exits 0 and writes nothing on standard error). The guide must hold at least
one example, so a change to its fences cannot empty the check."""
import pathlib
import re
import subprocess
import sys
import tempfile


def main() -> int:
    render, doc = sys.argv[1], pathlib.Path(sys.argv[2])
    blocks = re.findall(r"^```text\n(.*?)^```", doc.read_text(encoding="utf-8"), re.S | re.M)
    if not blocks:
        print(f"{doc}: no ```text examples found")
        return 1
    failures = 0
    with tempfile.TemporaryDirectory() as work:
        for number, block in enumerate(blocks, 1):
            scene = pathlib.Path(work, f"example{number}.txt")
            scene.write_text(block, encoding="utf-8")
            run = subprocess.run([render, str(scene), str(scene.with_suffix(".png"))],
                                 capture_output=True, text=True)
            if run.returncode != 0 or run.stderr:
                failures += 1
                first = block.splitlines()[0] if block else ""
                print(f"{doc}: example {number} ({first}) does not load cleanly:\n{run.stderr}")
    print(f"{len(blocks) - failures} of {len(blocks)} examples load")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
