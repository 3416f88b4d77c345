#!/usr/bin/env python3
"""Watches one launcher run from outside, for the benchmarks.

Usage: watch.py PID MARKER OUTPUT
Creates OUTPUT.ready once it watches, so that the run can start then.
Polls every millisecond whether MARKER (the installation marker "__qbxinstall.sem") exists and,
when PID is not 0, the process's own peak resident memory (VmHWM: the process alone, never its
children, which are processes of their own). Stops on SIGTERM or when PID has ended and writes
"<peak kB> <time the marker was last seen>" to OUTPUT (0 for what it never saw).
"""
import os
import signal
import sys
import time

pid, marker, output = int(sys.argv[1]), sys.argv[2], sys.argv[3]
peak_kb = 0
last_seen = 0.0
running = True


def stop(*_):
    global running
    running = False


signal.signal(signal.SIGTERM, stop)
open(output + ".ready", "w").close()
tick = 0
while running:
    if os.path.exists(marker):
        last_seen = time.time()
    if pid and tick % 5 == 0:
        try:
            with open(f"/proc/{pid}/status") as status:
                for line in status:
                    if line.startswith("VmHWM:"):
                        peak_kb = max(peak_kb, int(line.split()[1]))
        except OSError:
            break  # the process has ended
    tick += 1
    time.sleep(0.001)

with open(output, "w") as out:
    out.write(f"{peak_kb} {last_seen:.6f}\n")
