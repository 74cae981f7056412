#!/usr/bin/env python3
"""What the bytes of a linked jvmhost executable are, from the linker's map file.

    size_report.py MAP_FILE EXECUTABLE

Sums the input sections the linker kept, by where they came from, and prints a Markdown table;
"file layout" is what the executable holds beyond them (headers, section alignment, the import
and relocation tables the linker makes).
"""
import os
import re
import sys

PARTS = [
    ("resources (icon, dialogs, texts, manifest, version)", re.compile(r"\.rc\.res")),
    ("our code and data", re.compile(r"CMakeFiles/|libjvmhost_core\.a")),
    ("C++ runtime (libstdc++)", re.compile(r"libstdc\+\+")),
    ("compiler runtime (libgcc, unwinding)", re.compile(r"libgcc")),
    ("threads (winpthreads)", re.compile(r"libwinpthread")),
    ("C runtime and start-up (mingw-w64)", re.compile(r"libmingw|libmsvcrt|libucrt|crt2|crtbegin|crtend|libmoldname|dllcrt")),
    ("Windows import stubs", re.compile(r"lib(kernel32|user32|gdi32|advapi32|shell32|ole32|oleaut32|comctl32|uuid)\.a")),
]
ENTRY = re.compile(r"^\s*(\.\S+)?\s+0x([0-9a-f]+)\s+0x([0-9a-f]+)\s+(\S.*)$")
OUTPUT_SECTION = re.compile(r"^(\.\S+)")
# Output sections that are not part of the shipped file's contents.
NOT_SHIPPED = re.compile(r"^\.(z?debug|stab|bss)")


def main():
    map_file, executable = sys.argv[1], sys.argv[2]
    sizes = {name: 0 for name, _ in PARTS}
    sizes["other"] = 0
    in_memory_map = False
    output_section = ""
    for line in open(map_file, encoding="utf-8", errors="replace"):
        if line.startswith("Linker script and memory map"):
            in_memory_map = True
            continue
        if not in_memory_map:
            continue
        section = OUTPUT_SECTION.match(line)
        if section:
            output_section = section.group(1)
        if NOT_SHIPPED.match(output_section) or line.startswith(" *"):
            continue
        match = ENTRY.match(line)
        if not match or not match.group(4).strip() or " = " in line:
            continue
        origin = match.group(4).strip()
        if not ("/" in origin or origin.endswith((".o", ".obj", ")"))):
            continue
        size = int(match.group(3), 16)
        for name, pattern in PARTS:
            if pattern.search(origin):
                sizes[name] += size
                break
        else:
            sizes["other"] += size
        if os.environ.get("SIZE_DETAIL"):
            print(f"{size:8d} {output_section} {origin}", file=sys.stderr)
    total = os.path.getsize(executable)
    sizes["file layout (headers, alignment, import and relocation tables)"] = total - sum(sizes.values())
    print(f"{os.path.basename(executable)}: {total:,} bytes ({total / 1024:.0f} KB)\n")
    print("| part | bytes | share |")
    print("|---|---:|---:|")
    for name, size in sizes.items():
        if size:
            print(f"| {name} | {size:,} | {100 * size / total:.0f}% |")
    print()


if __name__ == "__main__":
    main()
