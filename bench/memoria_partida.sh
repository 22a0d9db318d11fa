#!/usr/bin/env bash
# Resident memory over a long four-computer match at 1024x768 (the size the players'
# screens have), headless: the game's resident size at its first flip, after 1 and 10
# minutes of play, at the end, and its peak (VmHWM), each with where it lies.
#   bench/memoria_partida.sh [--real-clock] [--online N] GAME DATA_DIR [MINUTES=30] [SEED=7]
#
# Without options the match runs under the virtual clock, as fast as the machine allows,
# and a minute of play is 3600 flips. --real-clock plays it on the real clock: a minute is
# a minute from the first flip, however many flips a loaded machine shows in it, and the
# game is ended with SIGTERM when the time is up. --online N hosts it on the loopback
# (real clock) with N followers watching in 1024x768 windows of their own, and reports
# every process.
#
# Each line: who, the moment, the resident size and its parts (MB): heap (the [heap]
# mapping: malloc's small blocks), anon (anonymous mappings: malloc's blocks of 128 KB and
# more, where pictures, textures and sounds lie, Mesa's own buffers and code, stacks),
# mesa (Mesa's libraries as mapped: LLVM, the software rasteriser, libGL), libs (other
# libraries and the game), and the peak (VmHWM).
# Samples every second go to memoria-*.txt in the current folder (moment, resident kB,
# peak kB). Not part of ./test: a long run.
set -eu
. "$(dirname "$0")/common.sh"
real=0
online=0
while [ $# -gt 0 ]; do
    case "$1" in
    --real-clock) real=1; shift ;;
    --online) online=$2; real=1; shift 2 ;;
    *) break ;;
    esac
done
game=$(realpath "$1")
data=$(realpath "$2")
minutos=${3:-30}
seed=${4:-7}
out=$(pwd)
work=$(mktemp -d)
pids=()
trap 'for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done; rm -rf "$work"' EXIT
link_data "$data" "$work"
cd "$work"
printf '1024 768\r\n' > resolucion.cfg
flips=$((minutos * 3600))
[ $real -eq 1 ] && flips=$((minutos * 3600 * 10))  # ended by the clock, not by its flips

# Resident kB of a process by part: "heap anon mesa libs".
partes() {
    awk '/^[0-9a-f]+-[0-9a-f]+ / {
             f = $6
             if (f == "[heap]") k = "heap"
             else if (f == "" || f ~ /^\[/) k = "anon"
             else if (f ~ /libLLVM|_dri\.so|libgallium|libGL|libEGL|libglapi|libgbm|libdrm/) k = "mesa"
             else k = "libs" }
         /^Rss:/ { r[k] += $2 }
         END { printf "%d %d %d %d", r["heap"], r["anon"], r["mesa"], r["libs"] }' "/proc/$1/smaps" 2>/dev/null || true
}
linea() {  # who moment pid
    local p rss hwm
    p=$(partes "$3")
    rss=$(awk '$1 == "VmRSS:" {print $2}' "/proc/$3/status" 2>/dev/null || true)
    hwm=$(awk '$1 == "VmHWM:" {print $2}' "/proc/$3/status" 2>/dev/null || true)
    [ -n "$rss" ] && [ -n "$p" ] || return 1
    set -- "$1" "$2" "$rss" "$hwm" $p
    printf '%-10s %-22s residente %4d MB (heap %3d, anon %3d, mesa %3d, libs %3d), pico %4d MB\n' \
        "$1" "$2" $(($3 / 1024)) $(($5 / 1024)) $(($6 / 1024)) $(($7 / 1024)) $(($8 / 1024)) $(($4 / 1024))
}

reloj=(--virtual-clock)
[ $real -eq 1 ] && reloj=()
red=()
if [ "$online" -gt 0 ]; then
    port=$((34000 + $$ % 2000))
    red=(--host --port "$port")
fi
# The host (or the only game) ends itself after its flips; the followers end with it.
"$game" --headless "${reloj[@]}" --seed "$seed" --cpu all --max-flips "$flips" --frame-times times.txt \
    "${red[@]}" > out.txt 2>&1 &
pids+=($!)
nombres=(partida)
[ "$online" -gt 0 ] && nombres=(anfitrion)
for ((k = 1; k <= online; k++)); do
    mkdir "seguidor$k"
    link_data "$data" "seguidor$k"
    printf '1024 768\r\n' > "seguidor$k/resolucion.cfg"
    sleep 1
    (cd "seguidor$k" && exec "$game" --headless --window --watch "127.0.0.1:$port" --name "Seguidor$k" \
        > out.txt 2>&1) &
    pids+=($!)
    nombres+=("seguidor$k")
done

inicio=$(date +%s)
marcas=" 0 1 10 "
declare -A ultimo
for n in "${nombres[@]}"; do : > "$out/memoria-$n.txt"; done
while kill -0 "${pids[0]}" 2>/dev/null; do
    n=$(tail -n 2 times.txt 2>/dev/null | head -n 1 | awk '{print $1}')  # the last line may be half written
    n=${n:-0}
    [ "$n" -gt 0 ] || { sleep 0.5; continue; }  # still loading: minute 0 is the first flip
    if [ $real -eq 1 ]; then
        [ -n "${empezado:-}" ] || empezado=$(date +%s)
        segundo=$(($(date +%s) - empezado))
    else
        segundo=$((n / 60))
    fi
    minuto=$((segundo / 60))
    if [ $real -eq 1 ] && [ "$segundo" -ge $((minutos * 60)) ] && [ -z "${parado:-}" ]; then
        kill -TERM "${pids[0]}" 2>/dev/null || true  # once: a second one ends it at once
        parado=1
    fi
    for i in "${!pids[@]}"; do
        p=${pids[$i]}
        rss=$(awk '$1 == "VmRSS:" {print $2}' "/proc/$p/status" 2>/dev/null || true)
        hwm=$(awk '$1 == "VmHWM:" {print $2}' "/proc/$p/status" 2>/dev/null || true)
        [ -n "$rss" ] && echo "$segundo $rss $hwm" >> "$out/memoria-${nombres[$i]}.txt"
        case "$marcas" in *" $minuto "*) linea "${nombres[$i]}" "minuto $minuto (flip $n)" "$p" || true ;; esac
        ultimo[$i]=$(linea "${nombres[$i]}" "final (flip $n)" "$p" || echo "${ultimo[$i]:-}")
    done
    marcas=${marcas/ $minuto / }
    sleep 1
done
for i in "${!pids[@]}"; do echo "${ultimo[$i]:-}"; done
wait || true
echo "en $(($(date +%s) - inicio)) s"
