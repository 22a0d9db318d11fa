#!/usr/bin/env bash
# How long a match lasts at each length ("Corta", "Normal", "Larga"): four computer players
# at level 2 play one match per seed under the virtual clock, and the game minutes from the
# first roll to "GANADOR!!!!" are printed per run, then the median and range per length.
#   bench/duracion_partida.sh [BUILD_DIR [DATA_DIR]]
#     SEEDS="104729 209458"  LENGTHS="corta normal"  JOBS=2 (matches played at once)
# Copy the binary elsewhere first when the build may change during a long run.
set -euo pipefail
. "$(dirname "$0")/common.sh"
build=$(cd "${1:-build}" && pwd)
data=$(cd "${2:-$build/data}" && pwd)
# The board's size is the first draw of a generator seeded with the match's seed; small seeds
# (1, 2, 3 ...) all draw the smallest board of a length. These are spread over its sizes.
seeds=${SEEDS:-"104729 209458 314187 418916 523645 628374 733103 837832 942561 1047290"}
lengths=${LENGTHS:-"corta normal larga"}
jobs=${JOBS:-1}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Software GL draws on the game's own thread: at this size its helper threads only cost.
export LP_NUM_THREADS=0

# One match: its minutes on standard output ("-" when it did not end).
partida() {
  local length=$1 seed=$2 dir="$work/$1-$2" m
  link_data "$data" "$dir"
  cd "$dir"
  # A small screen: what is drawn decides nothing, and the run is quicker.
  printf '64 48\r\n' > resolucion.cfg
  printf 'duracion %s\r\n' "$length" > jugadores.cfg
  # The first roll's rattle and the winner's text, read off the trace as it is written.
  m=$("$build/frikipartida" --headless --virtual-clock --seed "$seed" --cpu all --cpu-level 2 \
        --max-flips 1000000 --trace /dev/stdout 2>/dev/null |
      grep --line-buffered -oE '"op":"sound","src":"sfx/dado.wav"|"op":"text","text":"GANADOR!!!!"|"op":"flip","sync":1,"ms":[0-9]+' |
      awk '/dado/ && !s { s = 1; want = 1; next }
           /"ms"/ && want { split($0, a, ":"); start = a[4]; want = 0 }
           /GANADOR/ { g = 1; next }
           /"ms"/ && g { split($0, a, ":"); printf "%.1f\n", (a[4] - start) / 60000; exit }') || true
  echo "${m:--}"
}
export -f partida link_data
export build data work

for length in $lengths; do
  for seed in $seeds; do echo "$length $seed"; done |
    xargs -P "$jobs" -n 2 bash -c 'echo "$0 seed $1: $(partida "$0" "$1") min"' |
    tee "$work/$length.txt"
  awk '$4 != "-" { print $4 }' "$work/$length.txt" | sort -n | awk -v l="$length" '{ v[NR] = $1 } END {
    if (NR == 0) { printf "%s: no match ended\n", l; exit }
    med = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
    printf "%s: median %.1f min (%.1f .. %.1f) over %d matches\n", l, med, v[1], v[NR], NR }'
done
