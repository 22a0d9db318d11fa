#!/usr/bin/env bash
# Takes the screenshots of online play with the rig, real processes on the loopback, at
# 1024x768 and 640x480 (a resolucion.cfg of each size in a config folder of its own):
#   packaging/screenshots_red.sh build/frikipartida build/data packaging/screenshots
# red_conectando_W.png: the players screen joining a port nobody answers at;
# red_esperando_W.png: a follower whose host has stopped ("Esperando al anfitrion...");
# red_sin_conexion_W.png: a host whose remote player has stopped ("sin conexion N s");
# red_panel_W.png: a remote player's own panel ("Seguir", "Dejar la partida") over the board.
set -euo pipefail
game=$(realpath "$1")
data=$(realpath "$2")
mkdir -p "$3"
out=$(realpath "$3")
work=$(mktemp -d)
pids=()
trap 'for p in "${pids[@]}"; do kill -9 "$p" 2>/dev/null || true; done; [ -n "${KEEP:-}" ] || rm -rf "$work"' EXIT
cd "$work"
export SDL_AUDIODRIVER=dummy
port=$((36000 + $$ % 2000))
run() { timeout 120 "$game" --headless --data "$data" "$@"; }
for tam in "1024 768" "640 480"; do
  w=${tam%% *}
  rm -rf config shots && mkdir -p config/frikipartida shots
  printf '%s\r\n' "$tam" > config/frikipartida/resolucion.cfg
  export XDG_CONFIG_HOME=$work/config

  # Joining from the players screen, a second in.
  {
    printf '1 key Escape press\n12 key Down press\n13 key Down press\n14 key Enter press\n30 key Up press\n'
    printf '31 key Up press\n32 key Enter press\n50 key Down press\n51 key Down press\n52 key Down press\n'
    printf '53 key Down press\n54 key Down press\n55 key Left press\n57 key Down press\n'
    a=127.0.0.1:$((port + 7))
    for ((i = 0; i < ${#a}; i++)); do echo "$((60 + i)) type ${a:i:1}"; done
    echo "90 key Enter press"
  } > unirse.txt
  run --script unirse.txt --max-flips 160 --shot "159:$out/red_conectando_$w.png" > log.txt 2>&1 || [ $? -eq 3 ]

  printf '1 key Escape press\n30 key Enter press\n' > partida.txt
  # A remote player opens its own panel over the board. The host, on the virtual clock, waits
  # for it, so that it never hurries through the flip shot without drawing it.
  printf '200 key Escape press\n' > panel.txt
  run --virtual-clock --host --port $((port + 3)) --wait 1 --cpu tarsun,er_varsen,quelbido --seed 3 --script partida.txt \
    --max-flips 300 > panel_host.out 2>&1 &
  pids+=($!)
  sleep 0.5
  run --join 127.0.0.1:$((port + 3)) --seat pexil --name Ana --script panel.txt --max-flips 260 \
    --shot "240:$out/red_panel_$w.png" > panel_ana.out 2>&1 || [ $? -eq 3 ]
  wait "${pids[-1]}" || true

  # A host on the real clock starts a match; Pexil's player joins from afar.
  # Started directly (bounded by --max-flips), so that its own pid is the one stopped.
  "$game" --headless --data "$data" --host --port $port --wait 1 --cpu tarsun,er_varsen,quelbido --seed 3 --script partida.txt \
    --max-flips 4000 --trace host.jsonl $(for f in $(seq 300 10 3990); do printf -- '--shot %d:shots/h%d.png ' $f $f; done) \
    > host.out 2>&1 &
  host=$!
  pids+=($host)
  sleep 0.5
  # Its shot of a flip far ahead catches the notice it shows between flips.
  "$game" --headless --data "$data" --join 127.0.0.1:$port --seat pexil --name Ana \
    --shot "99999:$out/red_esperando_$w.png" > ana.out 2>&1 &
  ana=$!
  pids+=($ana)
  # Once the host shows an explanation page (every seat's mark on it), the player stops
  # answering for 7 s (the host marks its seat), then goes on.
  for _ in $(seq 600); do grep -q '"text":"Pulsa una tecla..."' host.jsonl 2>/dev/null && break; sleep 0.1; done
  sleep 1
  kill -STOP $ana
  sleep 7
  kill -CONT $ana
  # Then the host stops (the player waits for it) for 3.3 s, and the player is ended there.
  sleep 1
  kill -STOP $host
  sleep 3.3
  kill -9 $ana
  kill -9 $host
  wait $ana 2>/dev/null || true
  wait $host 2>/dev/null || true
  # The host's: a flip whose picture shows the mark.
  f=$(grep -o '"flip":[0-9]*0,"op":"text","text":"sin conexion [3-9] s"' host.jsonl | tail -n 1 | sed 's/"flip":\([0-9]*\),.*/\1/' || true)
  [ -n "$f" ] || { echo "no mark in the host's trace"; exit 1; }
  cp "shots/h$f.png" "$out/red_sin_conexion_$w.png"
done
ls -l "$out"/red_*
