#!/usr/bin/env bash
# The pause panel of a match. Two runs reach the same minigame ("Lanzamiento de CDs", seed
# 3); in the second, Escape opens the panel over the minigame for ten seconds and Escape
# closes it. The game's time stood still meanwhile: the minigame ends, with the same
# result, ten seconds of flips later than without the pause, and every flip of the pause
# shows the panel over the frozen picture with the sound frozen. A third run does the same
# with a controller: Start pauses, "Salir de la partida" then "No" goes back to the game,
# and "Si" after another Start ends the match at the main menu.
. "$(dirname "$0")/common.sh"
# A small screen keeps the runs quick: the panel and the game's time do not depend on it.
printf '320 240\r\n' > resolucion.cfg
cat > base.txt <<'S'
1 key Escape press
20 key Enter press
150 key A press
600 key Space press
850 key Space press
S
cp base.txt pausa.txt
cat >> pausa.txt <<'S'
1200 key Escape press
1800 key Escape press
S
for run in base pausa; do
  rm -f partida.guardada
  set +e
  "$game" --headless --virtual-clock --seed 3 --script $run.txt --trace $run.jsonl --max-flips 4000 > out.txt 2>&1
  code=$?
  set -e
  [ $code -eq 3 ] || { cat out.txt; fail "$run: exit code $code"; }
done
python3 - base.jsonl pausa.jsonl <<'P' || fail "the pause did not stop the game's time"
import json, sys

def read(path):
    ops = [json.loads(l) for l in open(path)]
    # The result banner's sound after the minigame: when, and which.
    result = next(((o["flip"], o["src"]) for o in ops if o["op"] == "sound"
                   and o["src"] in ("sfx/yeha.wav", "sfx/perder.wav") and o["flip"] > 800), None)
    return ops, result

base, (fin_base, res_base) = read(sys.argv[1])
pausa, (fin_pausa, res_pausa) = read(sys.argv[2])
if res_base != res_pausa:
    sys.exit(f"the minigame ended {res_base} without the pause and {res_pausa} with it")
# The panel showed from flip 1201 until Escape closed it at flip 1800.
panel = {o["flip"] for o in pausa if o["op"] == "text" and o["text"] == "PAUSA"}
if not panel or min(panel) > 1202 or max(panel) < 1799 or len(panel) < 590:
    sys.exit(f"the panel showed on {len(panel)} flips, {min(panel, default=0)} .. {max(panel, default=0)}")
freezes = [(o["flip"], o["frozen"]) for o in pausa if o["op"] == "mixer"]
if [f for _, f in freezes] != [1, 0]:
    sys.exit(f"the sound was not frozen and let go once: {freezes}")
late = fin_pausa - fin_base - len(panel)
if abs(late) > 2:
    sys.exit(f"without the pause flips the minigame ended {late} flips away from the run without it")
# The frames before the pause are the same in both runs.
before = lambda ops: [json.dumps(o) for o in ops if o["flip"] <= 1200]
if before(base) != before(pausa):
    sys.exit("the runs differ before the pause")
P

cat > mando.txt <<'S'
1 key Escape press
5 pad 1 connect
20 key Enter press
150 key A press
600 key Space press
850 key Space press
1200 pad 1 button start down
1201 pad 1 button start up
1300 pad 1 button dpdown down
1301 pad 1 button dpdown up
1310 pad 1 button a down
1311 pad 1 button a up
1400 pad 1 button a down
1401 pad 1 button a up
1600 pad 1 button start down
1601 pad 1 button start up
1700 pad 1 button dpdown down
1701 pad 1 button dpdown up
1710 pad 1 button a down
1711 pad 1 button a up
1720 pad 1 button dpleft down
1721 pad 1 button dpleft up
1730 pad 1 button a down
1731 pad 1 button a up
S
rm -f partida.guardada
set +e
"$game" --headless --virtual-clock --seed 3 --script mando.txt --trace mando.jsonl --max-flips 2000 > out.txt 2>&1
code=$?
set -e
[ $code -eq 3 ] || { cat out.txt; fail "controller: exit code $code"; }
python3 - mando.jsonl <<'P' || fail "the controller did not pause and leave as the keyboard does"
import json, sys
ops = [json.loads(l) for l in open(sys.argv[1])]
texts = {}
for o in ops:
    if o["op"] == "text":
        texts.setdefault(o["text"], []).append(o["flip"])
panel = texts.get("PAUSA", [])
ask = texts.get("Se perdera la partida. Salir?", [])
if not panel or min(panel) > 1203:
    sys.exit("Start did not open the panel")
# "No" (chosen first) closed it: the minigame plays without the panel until the next Start.
if not ask or not any(1330 < f < 1400 for f in ask) or any(1410 < f < 1600 for f in panel + ask):
    sys.exit("leaving was not asked, or 'No' did not go back to the game")
menu = [o["flip"] for o in ops if o["op"] == "sound" and o["src"] == "music/menu.ogg" and o["flip"] > 1700]
if not menu:
    sys.exit("'Si' did not reach the main menu")
P
[ ! -e partida.guardada ] || fail "a match left from the panel keeps its save"
echo ok
