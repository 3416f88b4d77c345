#!/usr/bin/env python3
"""The largest contributors to a program, from its GNU ld link map.

Usage: mapsizes.py MAP [COUNT]
Adds up the sizes of the loaded input sections (code, data, resources; no debug sections) by the
object or archive member they come from, and prints the COUNT largest, with the totals by kind.
"""
import collections
import re
import sys

by_input = collections.Counter()
by_kind = collections.Counter()
pending = None
with open(sys.argv[1]) as mapfile:
    for line in mapfile:
        line = line.rstrip("\n")
        whole = re.match(r"^ (\.\S+)\s+0x([0-9a-f]+)\s+0x([0-9a-f]+)\s+(\S.*)$", line)
        if whole:
            section, address, size, source = whole.groups()
        elif pending:
            # A long section name stands alone, its address, size and source on the next line.
            rest = re.match(r"^\s+0x([0-9a-f]+)\s+0x([0-9a-f]+)\s+(\S.*)$", line)
            section, pending = pending, None
            if not rest:
                continue
            address, size, source = rest.groups()
        else:
            alone = re.match(r"^ (\.\S+)$", line)
            pending = alone.group(1) if alone else None
            continue
        if int(address, 16) == 0 or section.startswith(".debug"):
            continue
        size = int(size, 16)
        by_input[re.sub(r".*/", "", source)] += size
        kind = re.match(r"\.?([a-z]*)", section).group(1) or section
        by_kind[kind] += size

count = int(sys.argv[2]) if len(sys.argv) > 2 else 15
print("by kind: " + ", ".join(f"{kind} {size}" for kind, size in by_kind.most_common(6)))
for source, size in by_input.most_common(count):
    print(f"{size:8d}  {source}")
