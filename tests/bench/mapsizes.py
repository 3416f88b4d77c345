#!/usr/bin/env python3
"""mapsizes.py MAP [COUNT]: the COUNT largest contributors to a program, from its GNU ld link map,
by the object or archive member of their loaded sections (no debug sections), and totals by kind."""
import collections
import re
import sys

by_input, by_kind = collections.Counter(), collections.Counter()
# A long section name stands alone, its address, size and source on the next line.
text = re.sub(r"^ (\.\S+)\n\s+0x", r" \1 0x", open(sys.argv[1]).read(), flags=re.M)
for section, address, size, source in re.findall(r"^ (\.\S+)\s+0x([0-9a-f]+)\s+0x([0-9a-f]+)\s+(\S.*)$", text, re.M):
    if int(address, 16) == 0 or section.startswith(".debug"):
        continue
    by_input[re.sub(r".*/", "", source)] += int(size, 16)
    by_kind[re.match(r"\.?([a-z]*)", section).group(1) or section] += int(size, 16)

print("by kind: " + ", ".join(f"{kind} {size}" for kind, size in by_kind.most_common(6)))
for source, size in by_input.most_common(int(sys.argv[2]) if len(sys.argv) > 2 else 15):
    print(f"{size:8d}  {source}")
