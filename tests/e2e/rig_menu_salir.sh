#!/usr/bin/env bash
# The real binary under the rig: the intro is skipped with Escape, Up from "Jugar" wraps
# to "Salir", Enter leaves with exit code 0, and resolucion.cfg holds the default line.
. "$(dirname "$0")/common.sh"
cat > script.txt <<'S'
# Escape ends the intro (when there is one); the menu then slides in for 11 frames.
1 key Escape press
40 key Up press
41 key Enter press
S
set +e
"$game" --headless --virtual-clock --seed 7 --script script.txt --trace trace.jsonl --max-flips 3000 \
  --shot 41:menu.png > out.txt 2>&1
code=$?
set -e
[ $code -eq 0 ] || { cat out.txt; fail "exit code $code"; }
printf '1024 768\r\n' | cmp -s - resolucion.cfg || fail "resolucion.cfg does not hold the default line"
grep -q '"op":"text".*"text":"Salir".*"rgb":\[64,127,255\]' trace.jsonl || fail "Salir was never highlighted"
[ -s menu.png ] || fail "no shot"
echo ok
