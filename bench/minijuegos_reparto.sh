#!/usr/bin/env bash
# How often each minigame comes up: whole --cpu all matches one after another (the demo
# mode), headless at a small size, counting the minigames whose explanation starts, match
# by match, until N winners have been celebrated.
#   bench/minijuegos_reparto.sh build/frikipartida build/data 10     (REPARTO_SEED=N: another order)
# Prints a line per match and the share of each minigame over all of them. Not part of
# ./test (about a minute a match on an idle machine).
set -eu
. "$(dirname "$0")/common.sh"
game=$(realpath "$1")
data=$(realpath "$2")
partidas=${3:-10}
work=$(mktemp -d)
trap 'kill $pid 2>/dev/null || true; rm -rf "$work"' EXIT
link_data "$data" "$work"
cd "$work"
printf '64 48\r\n' > resolucion.cfg
mkfifo trace
"$game" --headless --virtual-clock --seed "${REPARTO_SEED:-11}" --cpu all --trace trace > salida.txt 2>&1 &
pid=$!
cat > contar.py <<'P'
import json, sys
titulos = {"ACICALANDOSE", "NO TE MOJES", "LOVE IS IN THE AIR", "ESCONDITE CODER", "LANZAMIENTO DE CD's",
           "APAGON", "COMPILANDO...", "GUERRA DE BOLAS DE PAPEL"}
partidas = int(sys.argv[1])
total, match, visto, ganadores = {}, {}, None, 0
for raw in sys.stdin:
    if '"text"' not in raw:
        continue
    op = json.loads(raw)
    t = op.get("text")
    if t in titulos:
        # An explanation draws its title every frame of its first page: count where it starts.
        if visto != t:
            match[t] = match.get(t, 0) + 1
        visto = t
    elif t == "GANADOR!!!!":
        if match:
            ganadores += 1
            n = sum(match.values())
            print(f"partida {ganadores}: {n} minijuegos, " + ", ".join(f"{k} {v}" for k, v in sorted(match.items())),
                  flush=True)
            for k, v in match.items():
                total[k] = total.get(k, 0) + v
            match = {}
        if ganadores >= partidas:
            break
n = sum(total.values())
print(f"{ganadores} partidas, {n} minijuegos")
for k in sorted(titulos):
    print(f"  {k:26} {total.get(k, 0):4}  {100.0 * total.get(k, 0) / max(n, 1):5.1f}%")
P
python3 contar.py "$partidas" < trace
