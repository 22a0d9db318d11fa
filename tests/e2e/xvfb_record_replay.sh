#!/usr/bin/env bash
# A session recorded through the real event path (a window under Xvfb, real X key presses
# and mouse presses, the real clock): the menu, a practice minigame and the start of a
# match. Replayed headless, it draws and sounds the same, byte for byte.
. "$(dirname "$0")/common.sh"
command -v Xvfb >/dev/null || fail "Xvfb missing"
command -v xdotool >/dev/null || fail "xdotool missing"
printf '320 240\r\n' > resolucion.cfg
display=:$(( 90 + RANDOM % 100 ))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp > xvfb.log 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true; [ -n "${pid:-}" ] && kill $pid 2>/dev/null || true' EXIT
export DISPLAY=$display
for _ in $(seq 50); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done
SDL_AUDIODRIVER=dummy "$game" --window --record journal.txt --trace rec.jsonl > out.txt 2>&1 &
pid=$!
win=
for _ in $(seq 900); do  # the game loads its pictures and sounds before the window opens
  win=$(xdotool search --pid $pid 2>/dev/null | head -n 1 || true)
  [ -n "$win" ] && break
  sleep 0.1
done
[ -n "$win" ] || fail "no window"
xdotool windowfocus --sync "$win" 2>/dev/null || true
# The pace is the game's, however loaded the machine: each step waits for flips to pass
# (the trace being written tells how far the game is).
flip_now() { tail -c 4000 rec.jsonl 2>/dev/null | grep -o '"flip":[0-9]*' | tail -n 1 | cut -d: -f2; }
flips() {
  local target=$(( ${start:-0} + $1 ))
  for _ in $(seq 1200); do
    [ "$(flip_now || echo 0)" -ge "$target" ] 2>/dev/null && break
    kill -0 $pid 2>/dev/null || fail "the game ended early"
    sleep 0.1
  done
  start=$(flip_now)
  echo "flip $start" >> steps.log
}
start=0
key() { for k in "$@"; do echo "key $k" >> steps.log; xdotool key --window "$win" "$k"; flips 5; done; }
click() { xdotool mousemove --window "$win" "$1" "$2" click 1; flips 5; }
press() { xdotool mousemove --window "$win" "$1" "$2" mousedown 1; flips 5; xdotool mouseup 1; flips 5; }
flips 5
key Escape; flips 40                    # past the intro; the menu slides in
key Down Return; flips 100              # "Practica"
key Down Down Down Down Return; flips 60   # "Lanzamiento de CDs": its explanation pages
key a; flips 100
key a; flips 100                        # the minigame itself
press 100 100; press 250 150; press 160 120; flips 60
key Escape; flips 200                   # back to the practice menu
key Down Down Down Down Down Return; flips 150  # "Volver"
key Return; flips 150                   # "Jugar": the roulette spins
xdotool keydown --window "$win" Escape; flips 60   # Escape held leaves the match
xdotool keyup --window "$win" Escape; flips 150
key Up Return                           # "Salir"
for _ in $(seq 200); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
if kill -0 $pid 2>/dev/null; then
  grep '"op":"sound"' rec.jsonl | cut -c1-70
  fail "the game did not leave"
fi
set +e
wait $pid
code=$?
set -e
pid=
[ $code -eq 0 ] || { cat out.txt; fail "recording exit code $code"; }
grep -q '"text":"LANZAMIENTO DE CD.s"' rec.jsonl || fail "the practice minigame never started"
grep -q '"src":"sfx/dado.wav"' rec.jsonl || fail "the match never started"
grep -q '^ev [0-9]* [0-9]* text a$' journal.txt || fail "no typed character was recorded"
grep -q '^ev [0-9]* [0-9]* button-down 1 ' journal.txt || fail "no mouse click was recorded"
set +e
"$game" --headless --replay journal.txt --trace rep.jsonl > replay.txt 2>&1
code=$?
set -e
[ $code -eq 0 ] || { cat replay.txt; fail "replay exit code $code"; }
cmp rec.jsonl rep.jsonl || fail "the replay's trace differs from the recording's"
echo ok
