#!/usr/bin/env bash
# Online play coming back from outages and noticing losses, real processes on the loopback:
#  - a spectator watches a headless host through the test relay, which blacks out for S
#    seconds; the spectator's longest silence minus S is how long after the link came
#    back the stream was live again (5 runs each for 5 s and 9.5 s: their median);
#  - the host is killed (kill -9): how long its follower takes to say it is lost, and a
#    follower is killed: how long the host takes (3 runs each).
#   bench/net_vuelta.sh [BUILD_DIR] [DATA_DIR]
set -euo pipefail
. "$(dirname "$0")/common.sh"
build=$(cd "${1:-build}" && pwd)
data=$(cd "${2:-$build/data}" && pwd)
game="$build/frikipartida"
relay=$(cd "$(dirname "$0")/../tests/net" && pwd)/relay.py
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
link_data "$data" "$work"
cd "$work"
printf '64 48\r\n' > resolucion.cfg
: > nada.txt
port=$((38000 + $$ % 1000))
ms() { date +%s%3N; }
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
for s in 5 9.5; do
  for run in 1 2 3 4 5; do
    secs=$(python3 -c "print(int($s + 9))")
    python3 "$relay" --listen $((port + 1)) --to $port --blackout-at 3 --blackout-for "$s" --seconds "$secs" \
      > relay.out 2> relay.err &
    r=$!
    timeout 60 "$game" --headless --host --port $port --cpu tarsun,er_varsen --script nada.txt \
      --max-flips $((secs * 60)) > host.out 2>&1 &
    h=$!
    sleep 0.3
    timeout 60 "$game" --headless --watch 127.0.0.1:$((port + 1)) --name Eva > eva.out 2>&1 || true
    wait $h || true
    kill $r 2>/dev/null || true
    wait $r 2>/dev/null || true
    hueco=$(sed -n 's/^Datos del anfitrion de nuevo tras \([0-9]*\) ms sin nada$/\1/p' eva.out | sort -n | tail -n 1)
    python3 -c "print(${hueco:-0} - $s * 1000)"
  done | median | sed "s/^/outage ${s} s: live again after (median of 5, ms) /"
done
for run in 1 2 3; do
  "$game" --headless --host --port $port --cpu tarsun,er_varsen --script nada.txt --max-flips 3600 > host.out 2>&1 &
  h=$!
  sleep 0.3
  "$game" --headless --join 127.0.0.1:$port --name Ana > ana.out 2>&1 &
  a=$!
  for _ in $(seq 200); do grep -q '^Ana juega' host.out && break; sleep 0.05; done
  sleep 1
  t0=$(ms)
  kill -9 $h
  while ! grep -q '^Se ha perdido' ana.out && kill -0 $a 2>/dev/null; do sleep 0.02; done
  echo "follower: host lost after $(( $(ms) - t0 )) ms"
  wait $a 2>/dev/null || true
  "$game" --headless --host --port $port --cpu tarsun,er_varsen --script nada.txt --max-flips 3600 > host.out 2>&1 &
  h=$!
  sleep 0.3
  "$game" --headless --join 127.0.0.1:$port --name Ana > ana.out 2>&1 &
  a=$!
  for _ in $(seq 200); do grep -q '^Ana juega' host.out && break; sleep 0.05; done
  sleep 1
  t0=$(ms)
  kill -9 $a
  while ! grep -q 'Ana se ha perdido' host.out; do sleep 0.02; done
  echo "host: player lost after $(( $(ms) - t0 )) ms"
  kill $h
  wait $h 2>/dev/null || true
done
