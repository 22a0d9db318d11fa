#!/usr/bin/env bash
# Soak of the demo mode: whole --cpu all matches one after another, headless, reading the
# game's resident memory at each winner. Meant for the sanitizer build:
#   cmake -S . -B build-soak -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang -DFK_SANITIZE=ON \
#         -DCMAKE_BUILD_TYPE=RelWithDebInfo -DFK_DATA=OFF -DFK_BENCH=OFF -DFK_DATA_DIR=$PWD/build/data
#   cmake --build build-soak --target frikipartida
#   bench/cpu_soak.sh build-soak/frikipartida build/data 50       (SOAK_SEED=N: another match order)
# Passes when the sanitizers report nothing and the memory at the last winner is less than
# 5 MB above the first. Under AddressSanitizer the resident memory also holds its
# quarantine and its records of allocating call stacks, which swing by tens of MB and creep
# up by about 1 MB a match, so take the memory figure from a run of the plain build
# (bench/cpu_soak.sh build/frikipartida build/data 50) and the reports from the sanitizer
# build. Not part of ./test (about three minutes a match optimised under the sanitizers,
# about one minute in the plain build).
set -eu
game=$(realpath "$1")
data=$(realpath "$2")
partidas=${3:-50}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for entry in "$data"/*; do
  name=$(basename "$entry")
  [ "$name" = resolucion.cfg ] || [ "$name" = jugadores.cfg ] || ln -s "$entry" "$work/$name"
done
cd "$work"
# A small screen keeps the matches short: what is drawn does not decide anything.
printf '64 48\r\n' > resolucion.cfg
mkfifo trace
# The sanitizers' reports so far.
informes() { grep -c 'ERROR: \|runtime error' sanitizers.txt || true; }
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1}
"$game" --headless --virtual-clock --seed "${SOAK_SEED:-11}" --cpu all --trace trace 2> sanitizers.txt &
pid=$!
primera=0
ultima=0
n=0
while read -r linea; do
  case "$linea" in
    *'"text":"GANADOR!!!!"'*)
      # One text line per frame of the celebration: count each match once.
      flip=${linea#*\"flip\":}; flip=${flip%%,*}
      if [ -z "${ultimo:-}" ] || [ $((flip - ultimo)) -gt 400 ]; then
        n=$((n + 1))
        rss=$(awk '/VmRSS/ {print $2}' /proc/$pid/status)
        # The reports so far, so that a soak cut short still tells.
        echo "partida $n: flip $flip, memoria residente ${rss} kB, informes: $(informes)"
        [ $n -eq 1 ] && primera=$rss
        ultima=$rss
        [ $n -ge "$partidas" ] && break
      fi
      ultimo=$flip
      ;;
  esac
done < <(grep --line-buffered -F '"text":"GANADOR!!!!"' trace)
# Read at the last winner: once the loop stops reading, the game soon ends on the closed trace.
kill "$pid" 2>/dev/null || true
wait "$pid" 2>/dev/null || true
crecimiento=$(( (ultima - primera) / 1024 ))
echo "crecimiento tras la primera partida: ${crecimiento} MB; informes de los sanitizers: $(informes)"
[ "$crecimiento" -lt 5 ] && [ "$(informes)" -eq 0 ]
