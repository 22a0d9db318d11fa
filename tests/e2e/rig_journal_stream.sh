#!/usr/bin/env bash
# A journal replayed as it is written: one game records into a FIFO while a second game
# replays `--replay -` from standard input, fed from that FIFO through a pipe that stops
# for a while part-way (the replay must wait for the rest, not take the pause for the
# end). The replay draws and plays exactly what the recording did.
. "$(dirname "$0")/common.sh"
printf '64 48\r\n' > resolucion.cfg
cat > script.txt <<'S'
5 pad 1 connect
300 mouse 20 30
400 pad 1 axis leftx 20000
410 pad 1 axis leftx 0
900 pad 1 button a down
901 pad 1 button a up
S
mkfifo live.fifo
# Every process is bounded in time: a recorder that never opens the FIFO leaves the
# reader waiting only until its timeout.
timeout 300 "$game" --headless --virtual-clock --seed 9 --cpu all --cpu-level 2 --script script.txt \
  --trace rec.jsonl --record live.fifo --max-flips 3000 > rec.txt 2>&1 &
recorder=$!
set +e
timeout 300 bash -c '{ dd bs=4096 count=4 iflag=fullblock 2>/dev/null; sleep 2; cat; } < live.fifo' |
  tee journal.txt | timeout 300 "$game" --headless --replay - --trace rep.jsonl > rep.txt 2>&1
code=$?
wait $recorder
recorded=$?
set -e
[ $recorded -eq 3 ] || { cat rec.txt; fail "recording exit code $recorded"; }
[ $code -eq 3 ] || { cat rep.txt; fail "replay from standard input: exit code $code"; }
[ "$(stat -c %s journal.txt)" -gt 16384 ] || fail "the journal is too short to have paused part-way"
grep -q '^ev 900 [0-9]* pad 2 1 0 1$' journal.txt || fail "the controller's button is not in the journal"
grep -q '"src":"music/tablero.ogg"' rec.jsonl || fail "the computers did not start a match"
cmp rec.jsonl rep.jsonl || fail "the streamed replay's trace differs from the recording's"
echo ok
