#!/usr/bin/env bash
# A match outlives a kill. Four computer players play a short match twice from the same
# seed: once straight to its podium, once killed with SIGKILL in the middle and started
# again, where the main menu offers "Continuar partida" and the match goes on from the
# start of its saved turn. Both reach the same podium: the same places, squares and
# statistics. A resumed run's journal replays to the same trace, and a damaged save is
# named, moved aside, and not offered.
. "$(dirname "$0")/common.sh"
# A small screen keeps the matches quick: what is drawn does not decide anything.
printf '64 48\r\n' > resolucion.cfg
printf 'duracion corta\r\n' > jugadores.cfg
juego=("$game" --headless --virtual-clock --seed 1 --cpu all)

# The podium as the trace shows it: every text of its first flip.
podio() {
  python3 -c '
import json, sys
flip, texts = None, []
for line in sys.stdin:
    o = json.loads(line)
    if o["op"] != "text":
        continue
    if flip is None and o["text"] == "Resultados":
        flip = o["flip"]
    if flip is not None and o["flip"] == flip:
        texts.append(o["text"])
    elif flip is not None and o["flip"] > flip:
        break
print(" ".join(texts))
'
}

set +e
"${juego[@]}" --max-flips 200000 --trace /dev/stdout 2> err.txt | grep --line-buffered '"op":"text"' | podio > podio_entero.txt
set -e
grep -q '^Resultados .* Turnos ' podio_entero.txt || { cat err.txt; fail "the match did not end on the podium: $(cat podio_entero.txt)"; }
[ ! -e partida.guardada ] || fail "an ended match keeps its save"

# The same match, killed while it plays: the save holds the start of some turn.
"${juego[@]}" --max-flips 200000 > out.txt 2>&1 &
pid=$!
for _ in $(seq 1200); do
  turnos=0
  [ -e partida.guardada ] && turnos=$(awk '$1 == "estadistica" { t += $6 } END { print t + 0 }' partida.guardada)
  [ "$turnos" -ge 6 ] && break
  sleep 0.1
done
sleep 0.3
kill -9 $pid
wait $pid 2>/dev/null || true
[ "$turnos" -ge 6 ] || fail "the match did not save its turns"
cp partida.guardada guardada.txt

# Resumed with a journal for a while, which then replays to the same trace.
set +e
"${juego[@]}" --max-flips 2500 --record diario.txt --trace grabada.jsonl > out.txt 2>&1
"$game" --headless --replay diario.txt --trace repetida.jsonl > replay.txt 2>&1
set -e
grep -q '"text":"Continuar partida"' grabada.jsonl || fail "the menu did not offer the saved match"
cmp -s grabada.jsonl repetida.jsonl || { cat replay.txt; fail "the resumed run's journal replays differently"; }

# Resumed to the end: the podium of the match that was never killed.
cp guardada.txt partida.guardada
set +e
"${juego[@]}" --max-flips 200000 --trace /dev/stdout 2> err.txt | grep --line-buffered '"op":"text"' | podio > podio_reanudado.txt
set -e
cmp -s podio_entero.txt podio_reanudado.txt ||
  fail "the resumed match ended otherwise: $(cat podio_reanudado.txt) instead of $(cat podio_entero.txt)"

# A damaged save is named, moved aside and not offered.
head -c 200 guardada.txt | tr '0-9' 'x' > partida.guardada
printf '1 key Escape press\n' > intro.txt
set +e
"${juego[@]}" --script intro.txt --max-flips 40 --trace menu.jsonl > out.txt 2> err.txt
set -e
grep -q 'partida.guardada: .*se aparta como partida.guardada.danada' err.txt || { cat err.txt; fail "the damaged save was not named"; }
[ -e partida.guardada.danada ] && [ ! -e partida.guardada ] || fail "the damaged save was not moved aside"
grep -q '"text":"Jugar"' menu.jsonl || fail "no menu"
! grep -q '"text":"Continuar partida"' menu.jsonl || fail "a damaged save was offered"
echo ok
