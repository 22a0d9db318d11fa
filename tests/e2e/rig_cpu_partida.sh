#!/usr/bin/env bash
# Demo mode: with --cpu all and no input at all, four computer players get from the intro
# through the main menu's "Jugar" to a winner: the wheel stops, tokens walk, minigames are
# played to their end, and "GANADOR!!!!" shows. A bad --cpu or --cpu-level is refused with
# the valid values and a non-zero exit.
. "$(dirname "$0")/common.sh"
set +e
"$game" --headless --virtual-clock --seed 7 --cpu Tarsun,Nadie > out.txt 2>&1
code=$?
set -e
[ $code -ne 0 ] || fail "an unknown name was accepted"
grep -q "Tarsun, Er_Varsen, Quelbido, Pexil, all" out.txt || { cat out.txt; fail "valid names not listed"; }
set +e
"$game" --headless --virtual-clock --seed 7 --cpu all --cpu-level 5 > out.txt 2>&1
code=$?
set -e
[ $code -ne 0 ] || fail "an unknown level was accepted"
grep -q "1 (facil), 2 (normal), 3 (dificil)" out.txt || { cat out.txt; fail "valid levels not listed"; }

# A small screen and a short board keep the run quick: what is drawn does not decide
# anything, and seed 1 plays one of the quickest short matches.
printf '64 48\r\n' > resolucion.cfg
printf 'duracion corta\r\n' > jugadores.cfg
# Only what the checks need is kept of the trace (sounds and the winner's text), and the
# run ends at the winner: sed quits there and the game stops on the closed pipe.
set +e
"$game" --headless --virtual-clock --seed 1 --cpu all --max-flips 160000 --trace /dev/stdout 2> err.txt |
  grep --line-buffered -oE '"flip":[0-9]+,"op":"sound","src":"[^"]*"|"flip":[0-9]+,"op":"text","text":"GANADOR!!!!"' |
  sed '/GANADOR/q' > trace.txt
set -e
grep -q '"src":"music/tablero.ogg"' trace.txt || fail "no match started"
grep -q '"src":"sfx/boing.wav"' trace.txt || fail "the wheel never stopped"
[ "$(grep -c '"src":"sfx/juego.wav"' trace.txt)" -ge 1 ] || fail "no minigame was played"
grep -q '"text":"GANADOR!!!!"' trace.txt || { tail -n 5 trace.txt; fail "no winner"; }
echo ok
