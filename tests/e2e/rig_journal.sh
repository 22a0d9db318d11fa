#!/usr/bin/env bash
# A session recorded headless replays to the same trace, byte for byte, also with --shot
# and a shorter --max-flips; damaged journals (another format or game version, a damaged
# line, a cut file, a fact missing where the game asks for it) are refused with a message
# naming the line and a non-zero exit. Controller events travel in the journal too, and so
# do who plays each seat and the controllers' seats: a replay needs none of the options.
. "$(dirname "$0")/common.sh"
printf '64 48\r\n' > resolucion.cfg
cat > script.txt <<'S'
1 key Escape press
5 pad 1 connect
20 key Enter press
150 key A press
250 pad 1 axis leftx 20000
260 pad 1 axis leftx 0
270 pad 1 button x down
271 pad 1 button x up
300 mouse 500 300
301 button 1 down
305 button 1 up
S
set +e
"$game" --headless --virtual-clock --seed 3 --script script.txt --trace rec.jsonl --record journal.txt \
  --shot 200:rec.png --max-flips 400 > out.txt 2>&1
code=$?
set -e
[ $code -eq 3 ] || { cat out.txt; fail "recording exit code $code"; }
grep -q '^ev 150 [0-9]* text a$' journal.txt || fail "the typed character is not in the journal"
grep -q '^ev 5 [0-9]* pad 0 1 0 0$' journal.txt || fail "the controller's connection is not in the journal"
grep -q '^ev 250 [0-9]* pad 3 1 0 20000$' journal.txt || fail "the controller's stick is not in the journal"

replay() {  # journal, then extra options; sets code and leaves the output in replay.txt
  local journal=$1
  shift
  set +e
  "$game" --headless --replay "$journal" "$@" > replay.txt 2>&1
  code=$?
  set -e
}
replay journal.txt --trace rep.jsonl --shot 200:rep.png
[ $code -eq 3 ] || { cat replay.txt; fail "replay exit code $code"; }
cmp rec.jsonl rep.jsonl || fail "the replay's trace differs from the recording's"
cmp rec.png rep.png || fail "the replay's shot differs from the recording's"
replay journal.txt --trace short.jsonl --max-flips 250
[ $code -eq 3 ] || { cat replay.txt; fail "a replay stopped early by its own limit exits with $code"; }
head -c "$(stat -c %s short.jsonl)" rec.jsonl | cmp - short.jsonl || fail "the shorter replay differs"

refused() {  # journal, words the message must hold
  replay "$1"
  [ $code -ne 0 ] || fail "$1 was replayed without complaint"
  grep -q "$2" replay.txt || { cat replay.txt; fail "$1: the message does not say '$2'"; }
}
sed '1s/.*/frikipartida-journal 99/' journal.txt > format.txt
refused format.txt "formato 99 .*(linea 1)"
sed '2s/.*/game 0.0.1/' journal.txt > version.txt
refused version.txt "version 0.0.1 .*(linea 2)"
sed '40s/.*/time 12x/' journal.txt > damaged.txt
refused damaged.txt "Linea 40 del diario danada"
sed '40s/.*/ev 1 1 key-down 13 40/' journal.txt > event.txt
refused event.txt "Linea 40 del diario danada"
# Cut inside its last lines or without its "end": the replay plays up to the cut, then
# says where it is.
lines=$(wc -l < journal.txt)
head -c "$(( $(stat -c %s journal.txt) - 5 ))" journal.txt > cut.txt
refused cut.txt "Diario cortado en la linea $lines: reproducido hasta ahi"
sed '$d' journal.txt > noend.txt
refused noend.txt "Diario cortado en la linea $lines: reproducido hasta ahi"
# A digit changed in a clock reading: the next "sum" line, within a second of play,
# names the stretch of lines that holds it.
line=$(grep -n '^time' journal.txt | sed -n '300p' | cut -d: -f1)
awk -v n="$line" 'NR == n { $2 = $2 + 1 } { print }' journal.txt > flipped.txt
refused flipped.txt "Diario danado entre las lineas [0-9]* y [0-9]*: la suma"
read -r from to < <(sed -n 's/.*entre las lineas \([0-9]*\) y \([0-9]*\).*/\1 \2/p' replay.txt)
[ "$from" -le "$line" ] && [ "$line" -lt "$to" ] || fail "the damaged line $line is not within $from..$to"
ms() { sed -n "1,$1p" journal.txt | grep '^time' | tail -n 1 | cut -d' ' -f2; }
[ $(( $(ms "$to") - $(ms "$line") )) -le 1050 ] || fail "the damage at line $line was found more than a second later"
# The same journal without its sums (as older builds wrote them) still replays.
grep -v '^sum ' journal.txt > nosums.txt
replay nosums.txt --trace nosums.jsonl
[ $code -eq 3 ] || { cat replay.txt; fail "a journal without sums: exit code $code"; }
cmp rec.jsonl nosums.jsonl || fail "a journal without sums replays differently"
# A clock reading taken out: the game asks the time where the journal has the next fact.
line=$(grep -n '^time' nosums.txt | sed -n '300p' | cut -d: -f1)
sed "${line}d" nosums.txt > missing.txt
refused missing.txt "se separa de la grabacion en la linea [0-9]* del diario: la partida pide"
# With its sums, the same line missing is damage found by the next sum.
line=$(grep -n '^time' journal.txt | sed -n '300p' | cut -d: -f1)
sed "${line}d" journal.txt > missing_sum.txt
refused missing_sum.txt "Diario danado entre las lineas"
# A typed character taken out: the run goes elsewhere, and the replay says so.
line=$(grep -n '^ev 150 [0-9]* text a$' nosums.txt | cut -d: -f1)
sed "${line}d" nosums.txt > diverged.txt
refused diverged.txt "se separa de la grabacion"
# Computer players chosen by options: the journal holds the choice, the replay takes it
# from there (it is given no option), and the four computers get the match going.
set +e
"$game" --headless --virtual-clock --seed 3 --cpu all --cpu-level 3 --pads quelbido --trace cpu.jsonl \
  --record cpu.txt --max-flips 1500 > out.txt 2>&1
set -e
grep -q '^setting jugadores cccc%203%20n$' cpu.txt || fail "who plays is not in the journal"
grep -q '^setting pads 2$' cpu.txt || fail "the controllers' seats are not in the journal"
grep -q '"src":"music/tablero.ogg"' cpu.jsonl || fail "the computers did not start a match"
replay cpu.txt --trace cpu-rep.jsonl
[ $code -eq 3 ] || { cat replay.txt; fail "replay of the computers' session: exit code $code"; }
cmp cpu.jsonl cpu-rep.jsonl || fail "the computers' session replays differently without its options"
sed 's/^setting jugadores .*/setting jugadores cxcp%209/' cpu.txt > players.txt
refused players.txt "jugadores no validos"
echo ok
