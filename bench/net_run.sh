#!/usr/bin/env bash
# Online play on the loopback: what the stream costs and how fast a follower catches up.
#   bench/net_run.sh [BUILD_DIR] [DATA_DIR]     (defaults: build, BUILD_DIR/data)
#
# 1. Bytes per second from the host to a player on each screen: one match per screen (the
#    board, then each practice minigame), hosted headless at 64x48 under the virtual clock
#    with one player following; the host says how many bytes it sent that player, and the
#    flips give the seconds (60 a second).
# 2. The host's CPU time for the same board match with 0, 1 and 2 players following.
# 3. Catch-up: a spectator in a 1024x768 window joins a host already 20000 flips ahead, so
#    it hurries (nothing drawn or heard) for most of the run: its flips a second.
set -euo pipefail
. "$(dirname "$0")/common.sh"
build=$(cd "${1:-build}" && pwd)
data=$(cd "${2:-$build/data}" && pwd)
game="$build/frikipartida"
work=$(mktemp -d)
trap 'rm -rf "$work"; kill $(jobs -p) 2>/dev/null || true' EXIT
link_data "$data" "$work"
cd "$work"
printf '64 48\r\n' > resolucion.cfg
port=$((33000 + $$ % 2000))

# A script to each screen: the board match (Jugar, keys typed all along) or practice
# minigame k (k times Down, Enter).
script() {  # screen flips
  python3 - "$1" "$2" <<'P'
import sys
screen, end = sys.argv[1], int(sys.argv[2])
if screen == "tablero":
    lines = ["1 key Escape press", "30 key Enter press"]
else:
    k = int(screen)
    lines = ["1 key Escape press", "32 key Down press", "34 key Enter press"]
    lines += [f"{80 + 2 * j} key Down press" for j in range(k)]
    lines.append(f"{82 + 2 * k} key Enter press")
lines += [f"{f} key A press" for f in range(100, end, 90)]
lines += [f"{f} key Q press" for f in range(111, end, 45)]
lines += [f"{f} key Space press" for f in range(135, end, 97)]
open("script.txt", "w").write("\n".join(lines) + "\n")
P
}

cpu() {  # command...: prints the CPU seconds it used
  python3 -c 'import resource, subprocess, sys
subprocess.run(sys.argv[1:], stdout=open("host.out", "w"), stderr=subprocess.STDOUT)
r = resource.getrusage(resource.RUSAGE_CHILDREN)
print("%.2f" % (r.ru_utime + r.ru_stime))' "$@"
}

host() {  # port players flips
  "$game" --headless --virtual-clock --seed 21 --host --port "$1" --wait "$2" --max-flips "$3" --script script.txt
}
follow() {  # port name
  "$game" --headless --join "127.0.0.1:$1" --name "$2" > /dev/null 2>&1 &
}

flips=3600  # a minute of the game's clock
echo "Bytes per second to one player (goal: under 8 KB/s):"
for screen in tablero 0 1 2 3 4; do
  script "$screen" "$flips"
  port=$((port + 1))
  follow "$port" Ana
  host "$port" 1 "$flips" > host.out 2>&1 || true
  wait
  bytes=$(sed -n 's/^Enviados a Ana: \([0-9]*\) bytes.*/\1/p' host.out)
  case "$screen" in
    tablero) name="board" ;; 0) name="Acicalandose" ;; 1) name="No te mojes" ;; 2) name="Love is in the air" ;;
    3) name="Escondite Coder" ;; 4) name="Lanzamiento de CDs" ;;
  esac
  awk -v n="$name" -v b="$bytes" -v f="$flips" 'BEGIN { printf "  %-20s %6.2f KB/s\n", n, b / (f / 60) / 1024 }'
done

echo "Host CPU seconds for a one-minute board match:"
script tablero "$flips"
for players in 0 1 2; do
  port=$((port + 1))
  for ((p = 0; p < players; p++)); do follow "$port" "P$p"; done
  printf '  %d players following: %s s\n' "$players" "$(cpu "$game" --headless --virtual-clock --seed 21 --host \
    --port "$port" --wait "$players" --max-flips "$flips" --script script.txt)"
  wait
done

echo "Catch-up of a spectator in a 1024x768 window:"
# The host (four computers playing, the virtual clock) runs alone to flip 20000 before the
# spectator comes, so the spectator hurries through them; its pace while hurrying is its
# flips over its work (--frame-times). bench/net_catchup.sh does the same with the real
# clock and a host 20 minutes in.
port=$((port + 1))
link_data "$data" grande
printf '1024 768\r\n' > grande/resolucion.cfg
"$game" --headless --virtual-clock --seed 21 --cpu all --host --port "$port" --max-flips 40000 \
  --frame-times host.times > host.out 2>&1 &
for _ in $(seq 1200); do [ "$( (cat host.times 2>/dev/null || true) | wc -l)" -ge 20000 ] && break; sleep 0.1; done
(cd grande && "$game" --headless --window --watch "127.0.0.1:$port" --name Eva --frame-times ../watch.times \
  > ../watch.out 2>&1) || true
wait
python3 - <<'P'
import re
out = open("watch.out").read()
m = re.search(r"En directo \(flip (\d+)\)", out)
rows = [line.split() for line in open("watch.times")]
live = int(m.group(1)) if m else len(rows)
work = sum(float(r[1]) for r in rows[:live])
rate = live / (work / 1000)
print(f"  {live} flips caught up in {work / 1000:.2f} s of work: {rate:.0f} flips/s"
      + ("" if m else " (it never went live: the host ended first)"))
print(f"  a spectator 20 minutes into a match (72000 flips, the host going on at 60 a second) is live after "
      f"{72000 / (rate - 60):.1f} s")
P
