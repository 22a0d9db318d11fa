#!/usr/bin/env bash
# The players screen through the real event path: a window under Xvfb and real X key
# presses reach it from the main menu (Opciones, then "Jugadores"), turn Quelbido into a
# computer player, and leave it; the game then leaves by "Salir". The trace shows the
# screen and the changed seat, and jugadores.cfg keeps it.
. "$(dirname "$0")/common.sh"
printf '320 240\r\n' > resolucion.cfg
start_xvfb
SDL_AUDIODRIVER=dummy "$game" --window --trace rec.jsonl > out.txt 2>&1 &
pid=$!
wait_window
flip_now() { tail -c 4000 rec.jsonl 2>/dev/null | grep -o '"flip":[0-9]*' | tail -n 1 | cut -d: -f2; }
waiting() {
  kill -0 $pid 2>/dev/null || fail "the game ended early"
  [ $((tries += 1)) -lt 1500 ] || fail "waited too long for $*"
  sleep 0.1
}
flips() {  # N: N more flips
  local target=$(( $(flip_now || echo 0) + $1 ))
  tries=0
  until [ "$(flip_now || echo 0)" -ge "$target" ] 2>/dev/null; do waiting "flip $target"; done
}
seen() {  # PATTERN N: the trace holds at least N lines with PATTERN
  tries=0
  until [ "$(grep -c "$1" rec.jsonl)" -ge "$2" ]; do waiting "$1"; done
}
# The lists slide in for 11 flips: a pause lets each settle before the next key.
key() { for k in "$@"; do xdotool key --window "$win" "$k"; sleep 0.3; done; }
flips 10
key Escape; seen '"src":"music/menu.ogg"' 1; sleep 1      # past the intro
key Down Down Return; seen '"text":"Jugadores"' 1; sleep 1  # "Opciones"
key Up Up Return; seen '"text":"Nivel CPU"' 1; sleep 1      # "Jugadores"
key Down Down Right; sleep 1                               # Quelbido: CPU
key Escape; sleep 1                                        # back to the options
key Down Return; sleep 1.5                                 # "Volver"
key Up                                                     # "Salir"
xdotool key --window "$win" Return 2>/dev/null || true
for _ in $(seq 200); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
if kill -0 $pid 2>/dev/null; then fail "the game did not leave"; fi
set +e
wait $pid
code=$?
set -e
pid=
[ $code -eq 0 ] || { cat out.txt; fail "exit code $code"; }
# Quelbido's line followed by "CPU" on its own row: the seat changed on screen.
python3 - rec.jsonl <<'P' || fail "the players screen never showed Quelbido as CPU"
import json, sys
anterior = None
for raw in open(sys.argv[1]):
    op = json.loads(raw)
    if op.get("op") != "text":
        continue
    if anterior and anterior["text"] == "Quelbido" and op["text"] == "CPU" and op["y"] == anterior["y"]:
        sys.exit(0)
    anterior = op
sys.exit(1)
P
printf 'Tarsun persona\r\nEr_Varsen persona\r\nQuelbido cpu\r\nPexil persona\r\nnivel 2\r\nduracion normal\r\n' | cmp -s - jugadores.cfg ||
  { cat jugadores.cfg; fail "jugadores.cfg does not hold the change"; }
echo ok
