#!/usr/bin/env bash
# A session recorded through the real event path (a window under Xvfb, real X key presses
# and mouse presses, the real clock): the menu, a practice minigame and the start of a
# match. Replayed headless, it draws and sounds the same, byte for byte.
. "$(dirname "$0")/common.sh"
printf '320 240\r\n' > resolucion.cfg
start_xvfb
SDL_AUDIODRIVER=dummy "$game" --window --record journal.txt --trace rec.jsonl > out.txt 2>&1 &
pid=$!
wait_window
# The pace is the game's, however loaded the machine: each step waits for what the trace
# being written shows (a sound played, a text drawn) or for flips to pass.
flip_now() { tail -c 4000 rec.jsonl 2>/dev/null | grep -o '"flip":[0-9]*' | tail -n 1 | cut -d: -f2; }
waiting() {
  kill -0 $pid 2>/dev/null || fail "the game ended early"
  [ $((tries += 1)) -lt 1500 ] || fail "waited too long for $*"
  sleep 0.1
}
flips() {  # N: N more flips
  local target=$(( $(flip_now || echo 0) + $1 ))
  tries=0
  until [ "$(flip_now || echo 0)" -ge "$target" ] 2>/dev/null; do waiting "flip $target"; done
}
seen() {  # PATTERN N: the trace holds at least N lines with PATTERN
  tries=0
  until [ "$(grep -c "$1" rec.jsonl)" -ge "$2" ]; do waiting "$1"; done
}
# Screens slide and fade in real time: a short pause lets each settle before the next key.
key() { for k in "$@"; do xdotool key --window "$win" "$k"; sleep 0.3; done; }
press() { xdotool mousemove --window "$win" "$1" "$2" mousedown 1; sleep 0.5; xdotool mouseup 1; sleep 0.3; }
menu_music='"op":"sound","src":"music/menu.ogg"'
flips 10
key Escape; seen "$menu_music" 1; sleep 1         # past the intro; the menu slides in
key Down Return; seen '"text":"Volver"' 1; sleep 1      # "Practica"
# An explanation page slides in for about two seconds and forgets what was typed before it
# settled: each key waits for that.
key Down Down Return; seen '"text":"LOVE IS IN THE AIR"' 1; sleep 3
key a; seen '"text":"la cague!"' 1; sleep 3       # a typed key turns the first page
press 300 200; sleep 2                            # a click turns the second
key space; sleep 2; key space                     # a line is picked (once the page has gone)
seen "$menu_music" 2; sleep 1                     # back in the practice menu
key Escape; sleep 1.5                             # back to the main menu
key Return; seen '"src":"sfx/dado.wav"' 1; sleep 1      # "Jugar": the roulette spins
key Escape Down Return Left Return                # the pause, "Salir de la partida", "Si"
seen "$menu_music" 3; sleep 1.5
key Up                                            # "Salir": the game closes its window
xdotool key --window "$win" Return 2>/dev/null || true  # on the press, maybe before the release
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
grep -Eq '"src":"sfx/(muack|boum).wav"' rec.jsonl || fail "the practice minigame did not play out"
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
