#!/usr/bin/env bash
# The real binary, full screen under Xvfb, driven by real X key presses: walk the menu and
# leave by "Salir" with exit code 0; resolucion.cfg holds the default line afterwards.
. "$(dirname "$0")/common.sh"
command -v Xvfb >/dev/null || fail "Xvfb missing"
command -v xdotool >/dev/null || fail "xdotool missing"
# Xvfb picks a free display itself (-displayfd), so parallel runs never share one.
Xvfb -displayfd 1 -screen 0 1024x768x24 -nolisten tcp > display.txt 2> xvfb.log &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true; [ -n "${pid:-}" ] && kill $pid 2>/dev/null || true' EXIT
for _ in $(seq 100); do [ -s display.txt ] && break; sleep 0.1; done
[ -s display.txt ] || fail "Xvfb did not start"
export DISPLAY=:$(head -n 1 display.txt)
for _ in $(seq 50); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done
SDL_AUDIODRIVER=dummy "$game" > out.txt 2>&1 &
pid=$!
# Wait for the window (start-up is slow on a loaded machine), then give it focus.
win=
for _ in $(seq 300); do
  win=$(xdotool search --pid $pid 2>/dev/null | head -n 1 || true)
  [ -n "$win" ] && break
  sleep 0.1
done
[ -n "$win" ] || fail "no window"
xdotool windowfocus --sync "$win" 2>/dev/null || true
sleep 1
# Escape ends the intro (when there is one); then let the menu slide in.
xdotool key --window "$win" Escape
sleep 2
for key in Down Down Up Up Up; do xdotool key --window "$win" $key; sleep 0.2; done
xdotool key --window "$win" Return
for _ in $(seq 100); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
if kill -0 $pid 2>/dev/null; then fail "the game did not leave"; fi
set +e
wait $pid
code=$?
set -e
pid=
[ $code -eq 0 ] || { cat out.txt; fail "exit code $code"; }
printf '1024 768\r\n' | cmp -s - resolucion.cfg || fail "resolucion.cfg does not hold the default line"
echo ok
