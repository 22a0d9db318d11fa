#!/usr/bin/env python3
"""Reads a rig trace (file or "-") and fails when a flip that waits for the retrace
("sync": 1) shows the same or an earlier clock than the flip before it.
Prints the flips seen and the virtual time they span."""
import json
import sys

source = sys.stdin if sys.argv[1] == "-" else open(sys.argv[1])
flips, previous, first, stuck = 0, None, None, []
for line in source:
    if '"op":"flip"' not in line:
        continue
    op = json.loads(line)
    flips += 1
    ms = op["ms"]
    if first is None:
        first = ms
    if op["sync"] == 1 and previous is not None and ms <= previous:
        stuck.append(op["flip"])
    previous = ms
if first is None:
    sys.exit("no flips in the trace")
print(f"{flips} flips over {(previous - first) / 1000:.1f} s of clock")
if stuck:
    sys.exit(f"the clock stood still on {len(stuck)} retrace flips, from flip {stuck[0]}")
