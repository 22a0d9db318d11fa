#!/usr/bin/env bash
# How evenly frames are shown with the real clock in a real window: a match played by four
# computers under a virtual X display (Xvfb, whose swaps do not wait for a retrace, so the
# frame timer paces), at 1024x768 and at 1920x1080 (drawn small and scaled). From the
# moments frames were shown (--frame-times, third column) it prints the intervals' median,
# 5th and 95th percentiles, the share within 2 ms of 1/60 s and the frames a second.
#   bench/pacing.sh [BUILD_DIR] [DATA_DIR]     (defaults: build, BUILD_DIR/data)
set -euo pipefail
. "$(dirname "$0")/common.sh"
build=$(cd "${1:-build}" && pwd)
data=$(cd "${2:-$build/data}" && pwd)
game="$build/frikipartida"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
link_data "$data" "$work"
cd "$work"
flips=1800
for size in "1024 768" "1920 1080"; do
  printf '%s\r\n' "$size" > resolucion.cfg
  timeout 120 xvfb-run -a -s "-screen 0 ${size/ /x}x24" "$game" --window --cpu all --seed 3 --max-flips "$flips" \
    --frame-times times.txt > /dev/null 2>&1 || true
  python3 - "${size/ /x}" <<'P'
import statistics, sys
shown = [float(line.split()[2]) for line in open("times.txt")]
gaps = [b - a for a, b in zip(shown, shown[1:])][120:]  # past the start-up
s = sorted(gaps)
n = len(s)
even = sum(1 for g in gaps if abs(g - 1000 / 60) <= 2) / n
rate = n / ((shown[-1] - shown[-n - 1]) / 1000)
print(f"{sys.argv[1]}: {n} frames, interval median {statistics.median(s):.2f} ms, p5 {s[n // 20]:.2f}, "
      f"p95 {s[n * 95 // 100]:.2f}, {100 * even:.1f}% within 2 ms of 16.67, {rate:.1f} frames/s")
P
done
