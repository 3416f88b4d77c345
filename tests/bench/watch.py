#!/usr/bin/env python3
"""watch.py MARKER COMMAND...: runs one launcher run for the benchmark, polling every millisecond
whether MARKER exists and the command's own peak resident memory (VmHWM: never its children's).
Prints "<seconds of the run> <peak kB> <seconds from MARKER's removal to the end (0: never seen)>"."""
import os, subprocess, sys, time

start, peak, seen = time.time(), 0, None
run = subprocess.Popen(sys.argv[2:], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
while run.poll() is None:
    seen = time.time() if os.path.exists(sys.argv[1]) else seen
    try:
        peak = max(peak, int(open(f"/proc/{run.pid}/status").read().split("VmHWM:")[1].split()[0]))
    except (OSError, IndexError):  # ended in between
        pass
    time.sleep(0.001)
end = time.time()
if run.returncode == 0:
    print(f"{end - start:.3f} {peak} {end - seen if seen else 0:.3f}")
