# Shared by the end-to-end scripts: a fresh working folder that sees the game data.
set -eu
game=$1
data=$2
work=$3
rm -rf "$work"
mkdir -p "$work"
for entry in "$data"/*; do
  name=$(basename "$entry")
  # Settings files are the run's own: each run starts without them.
  case "$name" in *.cfg) continue ;; esac
  ln -s "$entry" "$work/$name"
done
cd "$work"
fail() { echo "FAIL: $*"; exit 1; }

# A virtual X server for the runs with a real window: Xvfb picks a free display itself
# (-displayfd), so parallel runs never share one. Sets DISPLAY; the server, and the game
# whose pid is in $pid, are ended when the script exits.
start_xvfb() {
  command -v Xvfb >/dev/null || fail "Xvfb missing"
  command -v xdotool >/dev/null || fail "xdotool missing"
  Xvfb -displayfd 1 -screen 0 1024x768x24 -nolisten tcp > display.txt 2> xvfb.log &
  xvfb=$!
  trap 'kill $xvfb 2>/dev/null || true; [ -n "${pid:-}" ] && kill $pid 2>/dev/null || true' EXIT
  for _ in $(seq 100); do [ -s display.txt ] && break; sleep 0.1; done
  [ -s display.txt ] || fail "Xvfb did not start"
  export DISPLAY=:$(head -n 1 display.txt)
  # SDL tries its drivers in turn; these runs are about the X window, so it is named.
  export SDL_VIDEODRIVER=x11
  for _ in $(seq 50); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done
}

# Waits for the window of the game whose pid is in $pid (it loads its pictures and sounds
# first, slowly on a loaded machine), sets win to it and gives it the focus.
wait_window() {
  win=
  for _ in $(seq 900); do
    win=$(xdotool search --pid $pid 2>/dev/null | head -n 1 || true)
    [ -n "$win" ] && break
    sleep 0.1
  done
  [ -n "$win" ] || fail "no window"
  xdotool windowfocus --sync "$win" 2>/dev/null || true
}
