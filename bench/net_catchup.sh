#!/usr/bin/env bash
# A spectator joining a match that has run for a while, as it happens: the host plays in a
# window under a virtual X display with the real clock (60 frames a second, four computers
# playing), and after MINUTES (default 20) a spectator in a 1024x768 window joins on the
# loopback. Prints how long the spectator took from starting to going live, and its pace
# while it hurried. Takes MINUTES plus a minute or two.
#   bench/net_catchup.sh [BUILD_DIR] [DATA_DIR] [MINUTES]   (defaults: build, BUILD_DIR/data, 20)
set -euo pipefail
. "$(dirname "$0")/common.sh"
build=$(cd "${1:-build}" && pwd)
data=$(cd "${2:-$build/data}" && pwd)
minutes=${3:-20}
game="$build/frikipartida"
work=$(mktemp -d)
trap 'rm -rf "$work"; kill $(jobs -p) 2>/dev/null || true' EXIT
link_data "$data" "$work/host"
link_data "$data" "$work/watch"
printf '64 48\r\n' > "$work/host/resolucion.cfg"
printf '1024 768\r\n' > "$work/watch/resolucion.cfg"
port=$((35000 + $$ % 2000))
flips=$(((minutes + 1) * 3600))  # a minute more than the spectator needs: it ends by itself
(cd "$work/host" && timeout $(((minutes + 5) * 60)) xvfb-run -a -s "-screen 0 640x480x24" "$game" --window --cpu all \
  --seed 21 --host --port "$port" --max-flips "$flips" --frame-times ../host.times > ../host.out 2>&1) &
sleep $((minutes * 60))
at=$(wc -l < "$work/host.times")
echo "The host is at flip $at after $minutes minutes"
start=$(date +%s.%N)
(cd "$work/watch" && timeout 300 "$game" --headless --window --watch "127.0.0.1:$port" --name Eva \
  --frame-times ../watch.times --max-flips $((at + 1200)) > ../watch.out 2>&1) &
watcher=$!
for _ in $(seq 3000); do grep -q 'En directo' "$work/watch.out" 2>/dev/null && break; sleep 0.1; done
live=$(date +%s.%N)
wait $watcher || true
cat "$work/watch.out"
python3 - "$start" "$live" "$work/watch.times" <<'P'
import re, sys
start, live, times = float(sys.argv[1]), float(sys.argv[2]), sys.argv[3]
rows = [line.split() for line in open(times)]
work = sum(float(r[1]) for r in rows)
print(f"Live {live - start:.1f} s after starting; {len(rows)} flips replayed in {work / 1000:.1f} s of work "
      f"({len(rows) / (work / 1000):.0f} flips/s)")
P
