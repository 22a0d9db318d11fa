#!/usr/bin/env bash
# Every start opens right: starts the real game again and again under Xvfb with no window
# manager, full screen (no resolucion.cfg: the 1024x768 it asks for is not a mode of the
# screen) and with --window at the screen's size (resolucion.cfg), and compares the part
# of the X screen the picture lights with the one expected: the picture's 4:3 box centred
# between bars (the default), or the whole screen with --stretch.
#   bench/xvfb_starts.sh GAME DATA_DIR [WORK_DIR]
#   STARTS=20 SIZES="1920x1080 1600x900 1280x720" MODES="full window" STRETCH=0
# Prints one line per start and "N/M starts right"; the exit code is non-zero when a start
# was wrong. tests/e2e runs it with a few starts; the full run takes about ten minutes.
set -euo pipefail
. "$(dirname "$0")/common.sh"
game=$(realpath "$1")
data=$(realpath "$2")
work=${3:-$(mktemp -d)}
here=$(cd "$(dirname "$0")" && pwd)
xshot="$here/../tests/e2e/xshot.py"
starts=${STARTS:-20}
sizes=${SIZES:-1920x1080 1600x900 1280x720}
modes=${MODES:-full window}
stretch=${STRETCH:-0}
command -v Xvfb > /dev/null || { echo "Xvfb missing"; exit 1; }
command -v xdotool > /dev/null || { echo "xdotool missing"; exit 1; }

mkdir -p "$work"
cd "$work"
link_data "$data" "$work"
printf '1 key Escape press\n' > script.txt

xvfb= pid=
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2> /dev/null || true
  [ -n "$xvfb" ] && kill "$xvfb" 2> /dev/null || true
}
trap cleanup EXIT

# The box the picture should light, "X0 Y0 X1 Y1" (inclusive), on a W x H screen.
expected() {
  local w=$1 h=$2
  if [ "$stretch" = 1 ] || [ $((w * 3)) -eq $((h * 4)) ]; then
    echo "0 0 $((w - 1)) $((h - 1))"
  elif [ $((w * 3)) -gt $((h * 4)) ]; then
    local bw=$((h * 4 / 3))
    local x=$(((w - bw) / 2))
    echo "$x 0 $((x + bw - 1)) $((h - 1))"
  else
    local bh=$((w * 3 / 4))
    local y=$(((h - bh) / 2))
    echo "0 $y $((w - 1)) $((y + bh - 1))"
  fi
}

right=0 total=0
for size in $sizes; do
  w=${size%x*} h=${size#*x}
  Xvfb -displayfd 1 -screen 0 "${w}x${h}x24" -br -nolisten tcp > display.txt 2> xvfb.log &
  xvfb=$!
  for _ in $(seq 100); do [ -s display.txt ] && break; sleep 0.1; done
  [ -s display.txt ] || { echo "Xvfb did not start"; exit 1; }
  export DISPLAY=:$(head -n 1 display.txt)
  want=$(expected "$w" "$h")
  for mode in $modes; do
    for n in $(seq "$starts"); do
      rm -f resolucion.cfg pantalla.cfg
      opts=()
      if [ "$mode" = window ]; then
        printf '%s %s\r\n' "$w" "$h" > resolucion.cfg
        opts+=(--window)
      fi
      [ "$stretch" = 1 ] && opts+=(--stretch)
      SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy "$game" "${opts[@]}" --script script.txt > out.txt 2>&1 &
      pid=$!
      for _ in $(seq 600); do
        xdotool search --pid "$pid" > /dev/null 2>&1 && break
        kill -0 "$pid" 2> /dev/null || break
        sleep 0.1
      done
      # The menu slides in within a second once the window shows; the picture's box is
      # read until it is the one expected, for at most 15 seconds.
      got=none
      for _ in $(seq 30); do
        sleep 0.5
        got=$(python3 "$xshot" shot.png | cut -d' ' -f3-)
        [ "$got" = "$want" ] && break
      done
      kill "$pid" 2> /dev/null || true
      wait "$pid" 2> /dev/null || true
      pid=
      total=$((total + 1))
      if [ "$got" = "$want" ]; then
        right=$((right + 1))
        echo "$size $mode $n: right ($got)"
      else
        cp shot.png "wrong-$size-$mode-$n.png"
        echo "$size $mode $n: WRONG, lit $got, expected $want (wrong-$size-$mode-$n.png)"
      fi
    done
  done
  kill "$xvfb" 2> /dev/null || true
  wait "$xvfb" 2> /dev/null || true
  xvfb=
done
echo "$right/$total starts right"
[ "$right" -eq "$total" ]
