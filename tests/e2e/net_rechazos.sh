#!/usr/bin/env bash
# Who cannot join a match over the network is told why at once, on both sides, and leaves
# with a non-zero code, while the host plays on unharmed: a player whose data differs in
# one file, a seat already taken, a host with no free seat, garbage sent to the port, and
# a host nobody answers at.
here=$(cd "$(dirname "$0")" && pwd)
. "$here/common.sh"
port=$((29000 + $$ % 2000))
printf '64 48\r\n' > resolucion.cfg
limit() { timeout 120 "$@"; }
: > nada.txt

# A copy of the data with one sound changed.
mkdir otros && (cd otros && for e in ../*; do case "$e" in ../sfx|../*.cfg|../*.txt|../otros) ;; *) ln -s "$e" . ;; esac; done)
mkdir otros/sfx && for f in sfx/*; do ln -s "$PWD/$f" otros/sfx/; done
rm otros/sfx/boing.wav && cp sfx/boing.wav otros/sfx/boing.wav && printf 'x' >> otros/sfx/boing.wav

# The host waits for two players, Pexil's and Quelbido's; Tarsun and Er_Varsen are
# computers. Every refusal but the last comes while it waits.
limit "$game" --headless --virtual-clock --seed 3 --host --port $port --wait 2 --cpu tarsun,er_varsen \
  --max-flips 3000 --script nada.txt --trace host.jsonl > host.out 2>&1 &
host=$!
sleep 0.3
refused() {  # name, expected message, command...
  local name=$1 message=$2
  shift 2
  set +e
  limit "$@" > "$name.out" 2>&1
  local code=$?
  set -e
  [ $code -ne 0 ] || { cat "$name.out"; fail "$name: exit code 0"; }
  grep -qF "$message" "$name.out" || { cat "$name.out"; fail "$name: no message \"$message\""; }
}
refused datos "Datos distintos del anfitrion: sfx/boing.wav" \
  "$game" --headless --data "$PWD/otros" --join 127.0.0.1:$port --name Dani
limit "$game" --headless --join 127.0.0.1:$port --seat Pexil --name Ana > ana.out 2>&1 &
ana=$!
for _ in $(seq 200); do grep -q '^Ana juega' host.out && break; sleep 0.05; done
refused ocupado "El asiento de Pexil ya esta ocupado" "$game" --headless --join 127.0.0.1:$port --seat PEXIL --name Ola
refused cpu "El asiento de Tarsun ya esta ocupado" "$game" --headless --join 127.0.0.1:$port --seat tarsun --name Uma
# Garbage at the port: neither a connection nor a message.
python3 - "$port" <<'P'
import os, socket, sys
s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
for n in (1, 7, 64, 300, 1400):
    s.sendto(os.urandom(n), ("127.0.0.1", int(sys.argv[1])))
P
limit "$game" --headless --join 127.0.0.1:$port --name Bea > bea.out 2>&1 &
bea=$!
for _ in $(seq 200); do grep -q '^Bea juega' host.out && break; sleep 0.05; done
refused lleno "No queda ningun asiento libre" "$game" --headless --join 127.0.0.1:$port --name Eva
set +e
wait $host; hcode=$?
wait $ana; acode=$?
wait $bea; bcode=$?
set -e
[ $hcode -eq 3 ] || { cat host.out; fail "the host did not play on: exit code $hcode"; }
[ $acode -eq 3 ] && [ $bcode -eq 3 ] || { cat ana.out bea.out; fail "the players were disturbed"; }
for m in "Datos distintos del jugador: sfx/boing.wav" "El asiento de Pexil ya esta ocupado" \
         "El asiento de Tarsun ya esta ocupado" "Bea juega con Quelbido" "No queda ningun asiento libre"; do
  grep -qF "$m" host.out || { cat host.out; fail "the host does not say \"$m\""; }
done

# Nobody at the port.
refused nadie "No se puede conectar con 127.0.0.1:$((port + 1))" "$game" --headless --join 127.0.0.1:$((port + 1))
echo ok
