#!/usr/bin/env bash
# "Jugar" from the main menu starts a match under the board music: the roulette spins
# (its rattle plays), a key stops it and the token walks; Escape held leaves the match and
# the menu shows again with its music started anew.
. "$(dirname "$0")/common.sh"
cat > script.txt <<'S'
1 key Escape press
20 key Enter press
150 key A press
600 key Escape down
700 key Escape up
S
set +e
"$game" --headless --virtual-clock --seed 3 --script script.txt --trace trace.jsonl --max-flips 900 > out.txt 2>&1
code=$?
set -e
[ $code -eq 3 ] || { cat out.txt; fail "exit code $code"; }
grep -q '"op":"sound","src":"music/tablero.ogg"' trace.jsonl || fail "no board music"
grep -q '"op":"sound","src":"sfx/dado.wav"' trace.jsonl || fail "the roulette never rattled"
grep -q '"text":"TARSUN"' trace.jsonl || fail "the player on turn is not named"
last_menu=$(grep '"op":"sound","src":"music/menu.ogg"' trace.jsonl | tail -n 1 | sed 's/.*"flip":\([0-9]*\).*/\1/')
[ "${last_menu:-0}" -gt 600 ] || fail "the menu music did not start again after the match"
echo ok
