#!/usr/bin/env bash
# The real binary, full screen under Xvfb, driven by real X key presses: walk the menu and
# leave by "Salir" with exit code 0; resolucion.cfg holds the default line afterwards.
. "$(dirname "$0")/common.sh"
start_xvfb
SDL_AUDIODRIVER=dummy "$game" > out.txt 2>&1 &
pid=$!
wait_window
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
