#!/usr/bin/env bash
# Journals survive the way a run ends: one killed with SIGKILL under the real clock has
# reached its file all along and replays to its cut, saying where; one written to a full
# disk says so at once and changes the exit code; a host waiting for players ends on
# SIGTERM within a second, its journal closed with its end line.
here=$(cd "$(dirname "$0")" && pwd)
. "$here/common.sh"
printf '64 48\r\n' > resolucion.cfg
size() { stat -c %s "$1" 2>/dev/null || echo 0; }
pid=
trap '[ -n "$pid" ] && kill -9 $pid 2>/dev/null || true' EXIT

# ---- SIGKILL while recording under the real clock
"$game" --headless --seed 4 --cpu all --record killed.txt > killed.out 2>&1 &
pid=$!
for _ in $(seq 600); do [ "$(size killed.txt)" -gt 20000 ] && break; sleep 0.1; done
[ "$(size killed.txt)" -gt 20000 ] || { cat killed.out; fail "the recording did not get going"; }
# The file grows every second of play, not in large blocks.
for second in 1 2 3; do
  before=$(size killed.txt)
  sleep 1
  [ "$(size killed.txt)" -gt "$before" ] || fail "nothing reached the journal in second $second"
done
kill -9 $pid
wait $pid 2>/dev/null || true
pid=
[ "$(tail -c 1 killed.txt | od -An -c | tr -d ' ')" = '\n' ] || fail "the killed run's journal ends inside a line"
lines=$(wc -l < killed.txt)
set +e
"$game" --headless --replay killed.txt > replay.txt 2>&1
code=$?
set -e
[ $code -ne 0 ] || fail "the cut journal replayed with exit code 0"
grep -q "Diario cortado en la linea $((lines + 1)): reproducido hasta ahi" replay.txt ||
  { cat replay.txt; fail "the cut journal's replay does not say where it was cut"; }

# ---- a full disk: said once, at once, and the exit code is 4 instead of 3
set +e
"$game" --headless --virtual-clock --seed 4 --record /dev/full --max-flips 120 > full.out 2>&1
code=$?
set -e
[ $code -eq 4 ] || { cat full.out; fail "a journal on a full disk: exit code $code"; }
[ "$(grep -c '^No se puede escribir el diario /dev/full: .*; la partida sigue sin grabarlo$' full.out)" -eq 1 ] ||
  { cat full.out; fail "the failed write is not said exactly once"; }

# ---- SIGTERM to a host waiting for its players
port=$((31000 + $$ % 2000))
"$game" --headless --host --port $port --wait 2 --record host.txt > host.out 2>&1 &
pid=$!
for _ in $(seq 600); do grep -q '^Esperando a 2 jugadores' host.out && break; sleep 0.1; done
grep -q '^Esperando a 2 jugadores' host.out || { cat host.out; fail "the host does not wait"; }
sent=$(date +%s%N)
kill -TERM $pid
for _ in $(seq 50); do kill -0 $pid 2>/dev/null || break; sleep 0.02; done
ms=$(( ($(date +%s%N) - sent) / 1000000 ))
kill -0 $pid 2>/dev/null && fail "the waiting host did not end within a second of SIGTERM"
set +e
wait $pid
code=$?
set -e
pid=
echo "the waiting host ended ${ms} ms after SIGTERM, exit code $code"
[ $code -eq 0 ] || { cat host.out; fail "the host stopped by SIGTERM exits with $code"; }
tail -n 1 host.txt | grep -q '^end [0-9]* 0$' || fail "the host's journal is not closed with its end line"
set +e
"$game" --headless --replay host.txt > host_replay.txt 2>&1
code=$?
set -e
[ $code -eq 0 ] || { cat host_replay.txt; fail "the stopped host's journal replays with exit code $code"; }
echo ok
