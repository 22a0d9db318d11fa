#!/usr/bin/env bash
# Which minigames a match plays. On the players screen "Minijuegos" starts at "Todos";
# Right turns it to "Los cinco de siempre", which jugadores.cfg keeps and the next match
# plays (the journal says so: the recording replays to the same trace). Without the file
# a match of four computers plays every minigame: the new squares show on its board.
here=$(cd "$(dirname "$0")" && pwd)
. "$here/common.sh"
printf '64 48\r\n' > resolucion.cfg

# The value drawn after a line of a menu in the last flip that draws the line.
valor() {  # trace line
  python3 - "$1" "$2" <<'P'
import json, sys
anterior, valor = None, None
for raw in open(sys.argv[1]):
    op = json.loads(raw)
    if op.get("op") != "text":
        continue
    if anterior and anterior["text"] == sys.argv[2] and anterior["flip"] == op["flip"]:
        valor = op["text"] if op["y"] == anterior["y"] else ""
    anterior = op
print(valor or "")
P
}

# ---- the players screen: Opciones, "Jugadores", up to "Minijuegos", Right, back, "Jugar"
cat > script.txt <<'E'
1 key Escape press
12 key Down press
13 key Down press
14 key Enter press
30 key Up press
31 key Up press
32 key Enter press
50 key Up press
51 key Up press
53 key Right press
60 key Escape press
70 key Down press
71 key Enter press
100 key Enter press
E
set +e
"$game" --headless --virtual-clock --seed 7 --cpu all --script script.txt --trace rec.jsonl --record journal.txt \
  --max-flips 400 > out.txt 2>&1
code=$?
set -e
[ $code -eq 3 ] || { cat out.txt; fail "exit code $code"; }
grep -q '"text":"Minijuegos"' rec.jsonl || fail "no Minijuegos line on the players screen"
[ "$(valor rec.jsonl Minijuegos)" = "Los cinco de siempre" ] || fail "Right did not choose the five"
grep -q '^setting minijuegos_archivo todos$' journal.txt || fail "the screen did not start from Todos"
grep -q '^setting minijuegos cinco$' journal.txt || fail "the match was not told to play the five"
tail -n 1 jugadores.cfg | cmp -s - <(printf 'minijuegos cinco\r\n') || { cat jugadores.cfg; fail "jugadores.cfg does not keep it"; }
rm jugadores.cfg
set +e
"$game" --headless --replay journal.txt --trace rep.jsonl > out.txt 2>&1
code=$?
set -e
[ $code -eq 3 ] || { cat out.txt; fail "replay: exit code $code"; }
cmp -s rec.jsonl rep.jsonl || fail "the replay's trace differs from the recording's"
[ ! -e jugadores.cfg ] || fail "the replay wrote jugadores.cfg"

# ---- no file: every minigame, and a square of the new ones is drawn on the board
printf '1 key Escape press\n30 key Enter press\n' > script.txt
set +e
"$game" --headless --virtual-clock --seed 3 --cpu all --script script.txt --trace todos.jsonl --record todos.txt \
  --max-flips 1500 > out.txt 2>&1
code=$?
set -e
[ $code -eq 3 ] || { cat out.txt; fail "all minigames: exit code $code"; }
grep -q '^setting minijuegos todos$' todos.txt || fail "a match without the file does not play every minigame"
grep -q '"src":"artwork/casilla-apagon.png"' todos.jsonl || fail "no square of a new minigame on the board"
echo ok
