#!/usr/bin/env bash
# "Jugar" from the main menu starts a match under the board music: the roulette spins
# (its rattle plays), a typed key stops it and the token walks onto a minigame square;
# Space turns the explanation pages, and inside the minigame Escape pauses: "Salir de la
# partida", then "Si", leaves the match and the menu shows again with its music started anew.
. "$(dirname "$0")/common.sh"
cat > script.txt <<'S'
1 key Escape press
20 key Enter press
150 key A press
600 key Space press
700 key Space press
800 key Escape press
850 key Down press
860 key Enter press
870 key Left press
880 key Enter press
S
set +e
"$game" --headless --virtual-clock --seed 3 --script script.txt --trace trace.jsonl --max-flips 1300 > out.txt 2>&1
code=$?
set -e
[ $code -eq 3 ] || { cat out.txt; fail "exit code $code"; }
grep -q '"op":"sound","src":"music/tablero.ogg"' trace.jsonl || fail "no board music"
grep -q '"op":"sound","src":"sfx/dado.wav"' trace.jsonl || fail "the roulette never rattled"
grep -q '"text":"TARSUN"' trace.jsonl || fail "the player on turn is not named"
# The key typed at flip 150 stops the wheel: it brakes and lands with a "boing"; then the
# token walks, and the camera that follows it scrolls the board under the squares.
python3 - trace.jsonl <<'P' || fail "the wheel did not stop or the token did not walk"
import json, sys
boing, squares = None, {}
for line in open(sys.argv[1]):
    op = json.loads(line)
    if op["op"] == "sound" and op["src"] == "sfx/boing.wav" and boing is None:
        boing = op["flip"]
    if op["op"] == "image" and op["src"].startswith("artwork/casilla-") and op["flip"] not in squares:
        squares[op["flip"]] = (op["x"], op["y"])
if boing is None or boing < 150:
    sys.exit("no boing after the key at flip 150")
# The roll is shown for a second before the walk, which then lasts a while.
moved = [f for f in range(boing + 1, boing + 200)
         if f in squares and f - 1 in squares and squares[f] != squares[f - 1]]
if len(moved) < 10:
    sys.exit(f"the board scrolled on only {len(moved)} flips after the boing at flip {boing}")
P
last_menu=$(grep '"op":"sound","src":"music/menu.ogg"' trace.jsonl | tail -n 1 | sed 's/.*"flip":\([0-9]*\).*/\1/')
[ "${last_menu:-0}" -gt 880 ] || fail "the menu music did not start again after the match"
grep -q '"text":"Se perdera la partida. Salir?"' trace.jsonl || fail "leaving was not asked again"
[ ! -e partida.guardada ] || fail "a match left from the panel keeps its save"
echo ok
