#!/usr/bin/env bash
# A healthy match on the loopback for SECONDS (default 300): a headless host on the real
# clock, four computers playing, two spectators following it headless. Prints the host's
# pace (flips a second, the intervals between shown flips: median, 5th and 95th
# percentiles) and how many times each spectator went into catch-up (which hides its
# picture) after the start. Takes SECONDS plus a few.
#   bench/net_ritmo.sh [BUILD_DIR] [DATA_DIR] [SECONDS]   (defaults: build, BUILD_DIR/data, 300)
set -euo pipefail
. "$(dirname "$0")/common.sh"
build=$(cd "${1:-build}" && pwd)
data=$(cd "${2:-$build/data}" && pwd)
seconds=${3:-300}
game="$build/frikipartida"
work=$(mktemp -d)
pids=()
trap 'for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done; rm -rf "$work"' EXIT
link_data "$data" "$work"
cd "$work"
printf '64 48\r\n' > resolucion.cfg
: > nada.txt
port=$((39000 + $$ % 1000))
# The host plays on until stopped (a clean end its spectators are told of) SECONDS after
# they joined, however slowly a busy machine lets it go.
limit=$((seconds + 60))
timeout $limit "$game" --headless --host --port $port --cpu all --seed 5 --script nada.txt --max-flips 1000000 \
  --frame-times host.times > host.out 2>&1 &
host=$!
pids+=($host)
for _ in $(seq 300); do grep -q '^Partida en red en el puerto' host.out && break; sleep 0.1; done
for name in Eva Luis; do
  timeout $limit "$game" --headless --watch 127.0.0.1:$port --name $name > "$name.out" 2>&1 &
  pids+=($!)
done
sleep "$seconds"
kill -TERM $host 2>/dev/null || true
for p in "${pids[@]}"; do wait "$p" || true; done
python3 - "$seconds" <<'P'
import statistics, sys
shown = [float(line.split()[2]) for line in open("host.times")]
gaps = [b - a for a, b in zip(shown, shown[1:])][120:]  # past the start-up
s = sorted(gaps)
n = len(s)
rate = n / ((shown[-1] - shown[-n - 1]) / 1000)
print(f"host: {n} flips, {rate:.1f} flips/s, interval median {statistics.median(s):.2f} ms, "
      f"p5 {s[n // 20]:.2f}, p95 {s[n * 95 // 100]:.2f}, longest {s[-1]:.1f}")
P
for name in Eva Luis; do
  echo "$name: into catch-up $(grep -c '^Poniendose al dia' "$name.out" || true) times in ${seconds} s" \
    "(last line: $(tail -n 1 "$name.out"))"
done
echo "load average at the end: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores"
