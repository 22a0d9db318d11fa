#!/usr/bin/env python3
"""Reads a rig trace (a file, or "-" for standard input) and fails when a flip that waits
for the retrace ("sync": 1) shows the same or an earlier clock than the flip before it.
Options ask for more of the run:
  --min-seconds S        the flips span more than S seconds of clock
  --text T               a text T was drawn (repeatable)
  --sound-after SRC N    the sound SRC played after flip N (repeatable)
Prints the flips seen and the clock time they span."""
import argparse
import json
import sys

parser = argparse.ArgumentParser()
parser.add_argument("trace")
parser.add_argument("--min-seconds", type=float, default=0)
parser.add_argument("--text", action="append", default=[])
parser.add_argument("--sound-after", nargs=2, action="append", default=[])
args = parser.parse_args()

texts = {json.dumps(t): t for t in args.text}
sounds = [(json.dumps(src), int(flip)) for src, flip in args.sound_after]
seen_texts, seen_sounds = set(), set()
source = sys.stdin if args.trace == "-" else open(args.trace)
flips, previous, first, stuck = 0, None, None, []
for line in source:
    if '"op":"flip"' in line:
        op = json.loads(line)
        flips += 1
        ms = op["ms"]
        if first is None:
            first = ms
        if op["sync"] == 1 and previous is not None and ms <= previous:
            stuck.append(op["flip"])
        previous = ms
    elif texts and '"op":"text"' in line:
        for quoted, text in texts.items():
            if '"text":' + quoted in line:
                seen_texts.add(text)
    elif sounds and '"op":"sound"' in line:
        op = json.loads(line)
        for quoted, flip in sounds:
            if json.dumps(op["src"]) == quoted and op["flip"] > flip:
                seen_sounds.add((quoted, flip))
if first is None:
    sys.exit("no flips in the trace")
span = (previous - first) / 1000
print(f"{flips} flips over {span:.1f} s of clock")
problems = []
if stuck:
    problems.append(f"the clock stood still on {len(stuck)} retrace flips, from flip {stuck[0]}")
if span <= args.min_seconds:
    problems.append(f"only {span:.1f} s of clock, not more than {args.min_seconds:g}")
problems += [f"the text {t!r} never showed" for t in args.text if t not in seen_texts]
problems += [f"the sound {src} did not play after flip {flip}" for src, flip in sounds if (src, flip) not in seen_sounds]
if problems:
    sys.exit("\n".join(problems))
