#!/usr/bin/env bash
# Messages a terminal can trust: texts from settings files and journals reach standard
# output and error with their control bytes escaped (an escape sequence does not reach the
# terminal, a NUL does not cut the message), a settings file of a hundred thousand bad
# lines is one line naming its count and the first few, and every message ends its line
# (a missing graphics pack's message, then the library's closing line).
. "$(dirname "$0")/common.sh"
printf '64 48\r\n' > resolucion.cfg
printf '1 key Escape press\n' > script.txt
esc=$(printf '\033')
run() {  # extra options; sets code, leaves out.txt and err.txt
  set +e
  "$game" --headless --virtual-clock --seed 2 --script script.txt --max-flips 30 "$@" > out.txt 2> err.txt
  code=$?
  set -e
}
clean() {  # file: no control byte but newlines, every line ended
  ! LC_ALL=C grep -q '[[:cntrl:]]' <(tr -d '\n' < "$1") || { od -c "$1" | head; fail "$1 holds control bytes"; }
  [ ! -s "$1" ] || [ "$(tail -c 1 "$1" | od -An -c | tr -d ' ')" = '\n' ] || fail "$1 does not end its line"
}

# A hundred thousand bad lines of jugadores.cfg, one with an escape sequence and a NUL.
{ printf 'Pexil persona\r\n%s[2J\000borra\r\n' "$esc"; for i in $(seq 100000); do echo "basura $i"; done; } > jugadores.cfg
run
[ $code -eq 3 ] || { cat out.txt err.txt; fail "exit code $code"; }
clean err.txt
[ "$(wc -l < err.txt)" -eq 1 ] || { head -c 2000 err.txt; fail "the bad lines are not one message"; }
# (A NUL ends a line of a settings file, as it always has.)
grep -qF 'jugadores.cfg: 100002 lineas que no se entienden (se toma el valor por defecto): linea 2 "\x1b[2J", linea 3 "borra", linea 4 "basura 1"...' err.txt ||
  { cat err.txt; fail "the message does not name the count and the first lines, escaped"; }
rm jugadores.cfg

# A journal whose line holds an escape sequence: refused naming it, escaped.
run --record journal.txt
awk -v e="$esc" 'NR == 30 { $0 = "ti" e "[31mme 5" } { print }' journal.txt > bad.txt
set +e
"$game" --headless --replay bad.txt > out.txt 2> err.txt
code=$?
set -e
[ $code -ne 0 ] || fail "the damaged journal was replayed"
clean out.txt
clean err.txt
grep -qF "Linea 30 del diario danada: tipo de linea desconocido 'ti\\x1b[31mme'" out.txt ||
  { cat out.txt; fail "the damaged line is not named with its escape sequence escaped"; }

# A missing graphics pack: its message, then the library's closing line, each ended.
mkdir anim2 && ln -s "$data/anim/"* anim2/ && rm anim2/tarsun.vgp
rm anim && mv anim2 anim
run
[ $code -ne 0 ] || fail "a missing pack did not stop the game"
clean out.txt
tail -n 1 out.txt | grep -qx 'KeoX_net VGP module abnormal termination' ||
  { cat out.txt; fail "the closing line is not a line of its own"; }
grep -q 'tarsun.vgp' out.txt || { cat out.txt; fail "the missing pack is not named"; }
echo ok
