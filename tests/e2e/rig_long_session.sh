#!/usr/bin/env bash
# More than ten minutes of clock through the real binary: every practice minigame in turn,
# then a match that spins, walks and plays minigames, with keys typed all along. Every
# flip that waits for the retrace must move the clock. The trace (large) is read as it is
# written, and a small window keeps the run short.
here=$(cd "$(dirname "$0")" && pwd)
. "$here/common.sh"
printf '64 48\r\n' > resolucion.cfg
match=$(python3 - <<'P'
lines = ["1 key Escape press", "32 key Down press", "34 key Enter press"]  # "Practica"
base = 80
# Minigame k: the practice menu opens on the one played last, so one Down goes on to the
# next, then Enter. Late, Escape pauses a slow one, and "Salir" (Down, Enter) leaves it for
# the practice menu; a game already over is left by Escape for the main menu, whose Down
# and Enter lead to the practice menu again.
for k in range(5):
    if k > 0:
        lines.append(f"{base} key Down press")
    enter = base + 2
    lines += [f"{enter} key Enter press", f"{enter + 3700} key Escape press", f"{enter + 3740} key Down press",
              f"{enter + 3742} key Enter press"]
    base = enter + 4000
lines.append(f"{base} key Escape press")  # back to the main menu
match = base + 150
lines.append(f"{match} key Enter press")  # "Jugar"
end = 37800
lines += [f"{f} key Escape press" for f in range(match + 3000, end, 3000)]
# Typed keys turn pages and stop the roulette; Q and P play the opponents; Space picks.
lines += [f"{f} key A press" for f in range(100, end, 90)]
lines += [f"{f} key Q press" for f in range(111, end, 45)]
lines += [f"{f} key P press" for f in range(123, end, 70)]
lines += [f"{f} key Space press" for f in range(135, end, 97)]
open("script.txt", "w").write("\n".join(lines) + "\n")
print(match)
P
)
rm -f trace.fifo
mkfifo trace.fifo
"$game" --headless --virtual-clock --seed 21 --script script.txt --trace trace.fifo --max-flips 37800 \
  > out.txt 2>&1 &
pid=$!
set +e
python3 "$here/clock_moves.py" - --min-seconds 600 \
  --text ACICALANDOSE --text "NO TE MOJES" --text "LOVE IS IN THE AIR" --text "ESCONDITE CODER" \
  --text "LANZAMIENTO DE CD's" --text TARSUN --text ER_VARSEN \
  --sound-after sfx/boing.wav "$match" --sound-after sfx/juego.wav "$match" < trace.fifo
checked=$?
wait $pid
code=$?
set -e
[ $code -eq 3 ] || { tail -n 20 out.txt; fail "exit code $code"; }
[ $checked -eq 0 ] || fail "the long session did not go as it should"
echo ok
