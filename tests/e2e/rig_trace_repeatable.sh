#!/usr/bin/env bash
# The same script and options write the same trace, byte for byte.
. "$(dirname "$0")/common.sh"
cat > script.txt <<'S'
1 key Escape press
30 key Down press
31 key Down press
45 key Up press
60 key Enter press
S
for run in 1 2; do
  set +e
  "$game" --headless --virtual-clock --seed 11 --script script.txt --trace trace$run.jsonl --max-flips 400 > out$run.txt 2>&1
  code=$?
  set -e
  [ $code -eq 3 ] || [ $code -eq 0 ] || { cat out$run.txt; fail "exit code $code"; }
done
[ -s trace1.jsonl ] || fail "empty trace"
cmp trace1.jsonl trace2.jsonl || fail "traces differ"
echo ok
