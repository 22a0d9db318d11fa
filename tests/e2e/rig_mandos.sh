#!/usr/bin/env bash
# The menus walked with one controller only: B ends the intro, the stick goes down to
# "Practica", A enters, the d-pad goes up to "Volver", Start goes back, up again to
# "Salir", and A leaves with exit code 0. The trace records the controller's events, and
# a second run writes the same trace.
. "$(dirname "$0")/common.sh"
cat > script.txt <<'S2'
1 pad 1 connect
2 pad 1 button b down
3 pad 1 button b up
40 pad 1 axis lefty 32767
41 pad 1 axis lefty 0
50 pad 1 button a down
51 pad 1 button a up
90 pad 1 button dpup down
91 pad 1 button dpup up
100 pad 1 button start down
101 pad 1 button start up
140 pad 1 button dpup down
141 pad 1 button dpup up
150 pad 1 button a down
151 pad 1 button a up
S2
for run in 1 2; do
  set +e
  "$game" --headless --virtual-clock --seed 7 --script script.txt --trace trace$run.jsonl --max-flips 3000 > out.txt 2>&1
  code=$?
  set -e
  [ $code -eq 0 ] || { cat out.txt; fail "exit code $code"; }
done
cmp -s trace1.jsonl trace2.jsonl || fail "two runs wrote different traces"
# The highlighted line of each screen, in order.
lit=$(grep -o '"flip":[0-9]*,"op":"text","text":"[^"]*"[^r]*"rgb":\[64,127,255\]' trace1.jsonl \
  | sed 's/.*"text":"\([^"]*\)".*/\1/' | uniq | tr '\n' ' ')
[ "$lit" = "Jugar Practica Acicalandose Volver Jugar Salir " ] || fail "highlights went: $lit"
grep -q '"op":"pad","pad":1,"event":"connect"' trace1.jsonl || fail "no connection in the trace"
grep -q '"op":"pad","pad":1,"event":"axis","axis":"lefty","value":32767' trace1.jsonl || fail "no stick in the trace"
echo ok
