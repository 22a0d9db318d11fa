#!/usr/bin/env bash
# Resident memory over a long four-computer match, headless under the virtual clock at
# 1024x768 (the size the players' screens have): the game's VmRSS at its first flip, after
# 1 and 10 minutes of play, at the end, and its peak (VmHWM).
#   bench/memoria_partida.sh GAME DATA_DIR [MINUTES=30] [SEED=7]
# Each line: minute of play (flips / 3600), resident kB, peak kB. Not part of ./test: on a
# loaded two-core machine a minute of play takes several minutes.
set -eu
. "$(dirname "$0")/common.sh"
game=$(realpath "$1")
data=$(realpath "$2")
minutos=${3:-30}
seed=${4:-7}
work=$(mktemp -d)
trap 'kill $pid 2>/dev/null || true; rm -rf "$work"' EXIT
link_data "$data" "$work"
cd "$work"
printf '1024 768\r\n' > resolucion.cfg
flips=$((minutos * 3600))
"$game" --headless --virtual-clock --seed "$seed" --cpu all --max-flips "$flips" --frame-times times.txt \
  > out.txt 2>&1 &
pid=$!
leer() { awk -v k="$1" '$1 == k":" {print $2}' /proc/$pid/status 2>/dev/null || true; }
marcas=" 0 1 10 "
while kill -0 $pid 2>/dev/null; do
  n=$(tail -n 1 times.txt 2>/dev/null | awk '{print $1}')
  n=${n:-0}
  [ "$n" -gt 0 ] || { sleep 0.5; continue; }  # still loading: minute 0 is the first flip
  minuto=$((n / 3600))
  rss=$(leer VmRSS); hwm=$(leer VmHWM)
  [ -n "$rss" ] || break
  case "$marcas" in *" $minuto "*)
    echo "minuto $minuto (flip $n): residente $rss kB, pico $hwm kB"
    marcas=${marcas/ $minuto / } ;;
  esac
  ultimo="flip $n: residente $rss kB, pico $hwm kB"
  sleep 1
done
echo "final, $ultimo"
wait $pid || true
