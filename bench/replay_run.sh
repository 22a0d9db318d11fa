#!/usr/bin/env bash
# Session journals: what recording costs and how fast a replay runs.
#   bench/replay_run.sh [BUILD_DIR] [DATA_DIR]     (defaults: build, BUILD_DIR/data)
# Plays five minutes of clock (practice minigames, keys typed all along) headless at 64x48
# under the virtual clock, without and with --record, twice each, and prints the work of
# all frames (--frame-times, summed) for both; then replays the journal headless and
# prints its wall time against the five minutes it replays.
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
data=$(cd "${2:-$build/data}" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for entry in "$data"/*; do ln -s "$entry" "$work/$(basename "$entry")"; done
rm -f "$work/resolucion.cfg"
cd "$work"
printf '64 48\r\n' > resolucion.cfg
flips=18000  # five minutes at 60 flips a second
python3 - "$flips" <<'P'
import sys
end = int(sys.argv[1])
lines = ["1 key Escape press", "32 key Down press", "34 key Enter press"]
base = 80
for k in range(5):
    lines += [f"{base + 2 * j} key Down press" for j in range(k)]
    enter = base + 2 * k + 2
    lines += [f"{enter} key Enter press", f"{enter + 3700} key Escape down", f"{enter + 3730} key Escape up"]
    base = enter + 4000
lines += [f"{f} key A press" for f in range(100, end, 90)]
lines += [f"{f} key Q press" for f in range(111, end, 45)]
lines += [f"{f} key P press" for f in range(123, end, 70)]
lines += [f"{f} key Space press" for f in range(135, end, 97)]
open("script.txt", "w").write("\n".join(lines) + "\n")
P
run() {  # extra options...; prints the summed frame work in ms
  "$build/frikipartida" --headless --virtual-clock --seed 21 --script script.txt --max-flips "$flips" \
    --frame-times times.txt "$@" > /dev/null 2>&1 || true
  awk '{s += $2} END {printf "%.0f", s}' times.txt
}
for round in 1 2; do
  plain=$(run)
  recorded=$(run --record journal.txt)
  echo "round $round: frame work ${plain} ms plain, ${recorded} ms recording ($(awk -v a="$plain" -v b="$recorded" 'BEGIN {printf "%+.1f%%", (b - a) * 100 / a}'))"
done
echo "journal: $(wc -l < journal.txt) lines, $(du -k journal.txt | cut -f1) KiB"
start=$(date +%s.%N)
"$build/frikipartida" --headless --replay journal.txt > /dev/null 2>&1 || true
end=$(date +%s.%N)
span=$(awk '$1 == "time" {if (first == "") first = $2; last = $2} END {print (last - first) / 1000}' journal.txt)
awk -v s="$start" -v e="$end" -v span="$span" 'BEGIN {printf "replay: %.1f s of recorded clock in %.1f s wall, %.1fx real time\n", span, e - s, span / (e - s)}'
