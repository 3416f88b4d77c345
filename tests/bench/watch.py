#!/usr/bin/env python3
"""watch.py PID MARKER OUTPUT: watches one launcher run for the benchmark.

Creates OUTPUT.ready once it watches. Polls every millisecond whether MARKER exists and, for a PID
other than 0, that process's own peak resident memory (VmHWM: never its children's). Stops on
SIGTERM or when PID has ended, writing "<peak kB> <time MARKER was last seen>" to OUTPUT (0: never).
"""
import os
import signal
import sys
import time

pid, marker, output = int(sys.argv[1]), sys.argv[2], sys.argv[3]
peak_kb, last_seen, tick = 0, 0.0, 0
running = [True]
signal.signal(signal.SIGTERM, lambda *_: running.clear())
open(output + ".ready", "w").close()
while running:
    if os.path.exists(marker):
        last_seen = time.time()
    if pid and tick % 5 == 0:
        try:
            with open(f"/proc/{pid}/status") as status:
                peak_kb = max([peak_kb] + [int(line.split()[1]) for line in status if line.startswith("VmHWM:")])
        except OSError:
            break  # the process has ended
    tick += 1
    time.sleep(0.001)

with open(output, "w") as out:
    out.write(f"{peak_kb} {last_seen:.6f}\n")
