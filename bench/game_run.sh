#!/usr/bin/env bash
# Start-up cost and main-menu frame cost of the real binary under the rig.
#   bench/game_run.sh [BUILD_DIR]      (default build)
# Prints: start-up to the first flip (work ms), then the median and 95th percentile of the
# work per frame in the main menu, at 1024x768 and at a 64x48 window.
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for entry in "$build"/data/*; do ln -s "$entry" "$work/$(basename "$entry")"; done
rm -f "$work/resolucion.cfg"
cd "$work"
cat > script.txt <<'S'
1 key Escape press
S
stats() {  # file -> "median p95" of the second column, skipping the first rows
  tail -n +"$2" "$1" | awk '{print $2}' | sort -n | awk '{a[NR]=$1} END {printf "median %.3f ms, p95 %.3f ms (%d frames)\n", a[int((NR+1)/2)], a[int(NR*0.95)], NR}'
}
for size in "1024 768" "64 48"; do
  printf '%s\r\n' "$size" > resolucion.cfg
  "$build/frikipartida" --headless --virtual-clock --seed 1 --script script.txt --max-flips 400 \
    --frame-times times.txt > /dev/null 2>&1 || true
  echo "== ${size/ /x}"
  echo "start-up to first flip: $(head -n 1 times.txt | awk '{print $2}') ms"
  echo "main menu frames: $(stats times.txt 100)"
done
