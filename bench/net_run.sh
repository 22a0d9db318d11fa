#!/usr/bin/env bash
# Online play on the loopback: what the stream costs and how fast a follower catches up.
#   bench/net_run.sh [BUILD_DIR] [DATA_DIR]     (defaults: build, BUILD_DIR/data)
#
# 1. Bytes per second from the host to a player on each screen: one match per screen (the
#    board, then each practice minigame), hosted headless at 64x48 under the virtual clock
#    with one player following; the host says how many bytes it sent that player, and the
#    flips give the seconds (60 a second).
# 2. The host's CPU time for the same board match with 0, 1 and 2 players following.
# 3. Catch-up: a spectator in a 1024x768 window follows a host that runs far ahead of it,
#    so it hurries (nothing drawn or heard) for most of the run: its flips a second.
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
data=$(cd "${2:-$build/data}" && pwd)
game="$build/frikipartida"
work=$(mktemp -d)
trap 'rm -rf "$work"; kill $(jobs -p) 2>/dev/null || true' EXIT
for entry in "$data"/*; do
  case "$(basename "$entry")" in *.cfg) continue ;; esac
  ln -s "$entry" "$work/$(basename "$entry")"
done
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
flips=12000
script 1 "$flips"
port=$((port + 1))
host "$port" 0 "$flips" > host.out 2>&1 &
mkdir grande && (cd grande && for e in ../*; do case "$e" in ../*.cfg|../grande) ;; *) ln -s "$e" . ;; esac; done \
  && printf '1024 768\r\n' > resolucion.cfg)
sleep 0.2
start=$(date +%s.%N)
(cd grande && "$game" --headless --window --watch "127.0.0.1:$port" --name Eva > ../watch.out 2>&1) || true
end=$(date +%s.%N)
wait
live=$(grep -c '^En directo' watch.out || true)
awk -v s="$start" -v e="$end" -v f="$flips" -v l="$live" 'BEGIN {
  printf "  %d flips in %.1f s: %.0f flips/s (went live %d times)\n", f, e - s, f / (e - s), l
  printf "  a spectator 20 minutes into a match (72000 flips, the host going on at 60 a second) is live after %.1f s\n", 72000 / (f / (e - s) - 60)
}'

# 4. Delay from a player's key to the frame that shows it, on the real clock through the
# relay at round trips of 0, 40, 100 and 200 ms. A follower shows the host's flips at the
# host's pace, so a key pressed while the follower shows flip c and taken by the host in
# flip h shows in the follower's picture h - c flips (of 1000/60 ms) after it was pressed.
# The host's own player's key is taken in the flip it is pressed in.
echo "Delay from a remote player's key to the frame that shows it (median / p95):"
printf '1 key Escape press\n32 key Down press\n34 key Enter press\n80 key Enter press\n200 key A press\n' > script.txt
python3 -c "print('\n'.join(f'{f} key P press' for f in range(300, 1500, 40)))" > pexil.txt
relay_py=$(cd "$(dirname "$0")" && cd .. && pwd)/tests/net/relay.py
for rtt in 0 40 100 200; do
  port=$((port + 2))
  python3 "$relay_py" --listen $((port + 1)) --to "$port" --delay-ms $((rtt / 2)) --jitter-ms $((rtt / 20)) \
    --seconds 120 > relay.out 2> /dev/null &
  relay=$!
  "$game" --headless --seed 5 --host --port "$port" --wait 1 --max-flips 1500 --script script.txt \
    --record journal.txt > host.out 2>&1 &
  hostpid=$!
  sleep 0.3
  "$game" --headless --join "127.0.0.1:$((port + 1))" --name Ana --script pexil.txt > /dev/null 2>&1 || true
  wait $hostpid || true
  kill $relay 2>/dev/null || true
  wait $relay 2>/dev/null || true
  python3 - "$rtt" <<'P'
import statistics, sys
pressed = list(range(300, 1500, 40))
taken = [int(l.split()[1]) for l in open("journal.txt")
         if l.startswith("ev ") and l.split()[3:8] == ["pad", "2", "1003", "0", "1"]]
d = sorted((h - c) * 1000 / 60 for c, h in zip(pressed, taken))
if not d:
    print(f"  round trip {sys.argv[1]:>3} ms: no key arrived"); sys.exit()
p95 = d[min(len(d) - 1, int(0.95 * len(d)))]
print(f"  round trip {sys.argv[1]:>3} ms: {statistics.median(d):5.0f} / {p95:5.0f} ms over {len(d)} keys "
      "(the host's own player: the same flip, under one frame)")
P
done
