#!/usr/bin/env bash
# Online play through everyday trouble, real processes on the loopback, each bounded:
# 1. A flood of idle connections (and junk datagrams) from 127.0.0.2 while a player and a
#    spectator join from 127.0.0.1: both get in, the host says what it dropped, and its
#    flips go on. The player is then killed (kill -9) and started again at once: its token
#    from red.cfg takes the seat back, while another "Ana" without it is refused.
# 2. A remote player holds its controller's back button (B) for 2 s in the middle of a
#    match: the host's match goes on. (Its Escape opens its own panel and never leaves its
#    machine: net_partida.sh.)
# 3. The host stops hosting from the players screen with a player joined: the player is
#    told "El anfitrion ha dejado de hospedar", and the next match the host starts has a
#    computer in that seat, which plays.
# 4. A player who joined from the players screen loses its host (kill -9): within 10 s it
#    says so and its game starts again, to the main menu.
here=$(cd "$(dirname "$0")" && pwd)
. "$here/common.sh"
inundar=$4
port=$((33000 + $$ % 2000))
printf '64 48\r\n' > resolucion.cfg
limit() { timeout 120 "$@"; }
: > nada.txt
esperar() {  # file, pattern: up to 20 s
  for _ in $(seq 400); do grep -q "$2" "$1" 2>/dev/null && return 0; sleep 0.05; done
  cat "$1"; fail "no \"$2\" in $1"
}
otra_carpeta() {
  mkdir "$1" && (cd "$1" && for e in ../*; do case "$e" in ../*.cfg|../*.txt|../*.jsonl|../*.out|../*.ft) ;; *) [ -d "$e" ] && [ ! -L "$e" ] || ln -s "$e" . ;; esac; done \
    && cp ../resolucion.cfg .)
}

# ---- 1: the flood, and kill -9 and rejoin ----
limit "$game" --headless --host --port $port --cpu tarsun,er_varsen --max-flips 1500 --script nada.txt \
  --frame-times host1.ft > host1.out 2>&1 &
host=$!
esperar host1.out "Partida en red en el puerto"
"$inundar" $port 200 8 > inundar.out 2>&1 &
inundacion=$!
python3 - "$port" <<'P' &
import os, socket, sys, time
s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
s.bind(("127.0.0.2", 0))
end = time.time() + 6
n = 0
while time.time() < end and n < 200000:
    s.sendto(os.urandom(1 + n % 1200), ("127.0.0.1", int(sys.argv[1])))
    n += 1
P
basura=$!
sleep 1
# Not under timeout: kill -9 must reach the game itself (the host's --max-flips bounds it).
"$game" --headless --join 127.0.0.1:$port --seat pexil --name Ana > ana.out 2>&1 &
ana=$!
limit "$game" --headless --watch 127.0.0.1:$port --name Eva > eva.out 2>&1 &
eva=$!
esperar host1.out '^Ana juega con Pexil'
esperar host1.out '^Eva mira la partida'
# The player keeps its token once the welcome reaches it, a moment after the host says so.
for _ in $(seq 50); do grep -q "token [0-9a-f]\{16\} 127.0.0.1:$port Ana" red.cfg 2>/dev/null && break; sleep 0.1; done
grep -q "token [0-9a-f]\{16\} 127.0.0.1:$port Ana" red.cfg || { cat red.cfg; fail "the token is not kept"; }
otra_carpeta impostora
(cd impostora && limit "$game" --headless --join 127.0.0.1:$port --name Ana > ../impostora.out 2>&1) && fail "a second Ana got in"
grep -q "Ese nombre ya esta jugando" impostora.out || { cat impostora.out; fail "the second Ana is not told why"; }
kill -9 $ana
wait $ana 2>/dev/null || true
date +%s%N > muerte.txt
limit "$game" --headless --join 127.0.0.1:$port --seat pexil --name Ana > ana2.out 2>&1 &
ana=$!
esperar host1.out '^Ana ha vuelto a jugar con Pexil'
esperar ana2.out '^Juegas con Pexil'
echo "kill -9 to back in its seat: $(( ($(date +%s%N) - $(cat muerte.txt)) / 1000000 )) ms"
wait $inundacion $basura
set +e
wait $host; hcode=$?
wait $ana; acode=$?
wait $eva; ecode=$?
set -e
[ $hcode -eq 3 ] || { cat host1.out; fail "host exit code $hcode"; }
[ $acode -eq 3 ] && [ $ecode -eq 3 ] || { cat ana2.out eva.out; fail "the followers did not end with the host"; }
grep -q '^Conexiones cortadas sin saludo o sin sitio: [0-9]*, desde 127.0.0.2' host1.out || { cat host1.out; fail "the host does not say what it dropped"; }
grep -q 'se ha perdido\|ha salido' host1.out && { cat host1.out; fail "the rejoin was seen as a departure"; }
# The host's flips went on through the flood: its 1500 flips (25 s at 60 a second) took
# well under 40 s, loading included.
awk 'NR == 1 { t0 = $3 } END { exit ($3 - t0 < 40000) ? 0 : 1 }' host1.ft || fail "the host stalled"

# ---- 2: a remote back button held for 2 s ----
# The host plays a match with three computers and Pexil over the network.
printf '1 key Escape press\n30 key Enter press\n' > partida.txt
printf '5 pad 1 connect\n400 pad 1 button b down\n520 pad 1 button b up\n700 pad 1 button b down\n701 pad 1 button b up\n' > escape.txt
# Then a burst no human could press: 50 Spaces a flip for 100 flips.
python3 -c "print('\n'.join(f'{f} key Space press' for f in range(800, 900) for _ in range(50)))" >> escape.txt
limit "$game" --headless --virtual-clock --seed 2 --host --port $port --wait 1 --cpu tarsun,er_varsen,quelbido \
  --max-flips 1200 --script partida.txt --trace host2.jsonl --record host2.journal > host2.out 2>&1 &
host=$!
esperar host2.out "Esperando a 1 jugador"
limit "$game" --headless --join 127.0.0.1:$port --seat pexil --name Ana --script escape.txt > ana3.out 2>&1 &
ana=$!
set +e
wait $host; hcode=$?
wait $ana; acode=$?
set -e
[ $hcode -eq 3 ] || { cat host2.out; fail "host exit code $hcode after the remote back button"; }
[ $acode -eq 3 ] || { cat ana3.out; fail "the player's exit code $acode"; }
# The back button reached the host (pad 1003's B button, down then up)...
grep -q '^ev 4[0-9][0-9] [0-9]* pad 2 1003 1 1$' host2.journal || fail "the remote back button never reached the host"
# ...and the host never went back to its main menu: the match goes on to the end.
awk -F'"flip":' '/"text":"Jugar"/ { split($2, f, ","); if (f[1] > 40) { print; exit 1 } }' host2.jsonl ||
  fail "the remote back button ended the host's match"
grep -q '"flip":1200,' host2.jsonl || fail "the host stopped drawing"
# Of the burst's 10000 presses (20000 button messages), a few seconds' allowance reached
# the journal; the rest was dropped and said.
botones=$(grep -c '^ev [0-9]* [0-9]* pad 2 1003 0 ' host2.journal)
[ "$botones" -lt 600 ] || fail "$botones of the burst's button messages were journaled"
grep -q '^Descartadas [0-9]* entradas de Ana' host2.out || { cat host2.out; fail "the dropped input is not said"; }

# ---- 3: stop hosting with a player joined, then a match with a computer in that seat ----
# The match of 2 left its save, which would put "Continuar partida" first in the main menu
# and move every line the scripts below walk to.
rm -f partida.guardada
# Opciones, "Jugadores", "Red" from "Crear partida" to "No", Pexil to the computer, back
# (Escape, then "Volver"), and "Jugar".
{
  printf '1 key Escape press\n12 key Down press\n13 key Down press\n14 key Enter press\n30 key Up press\n31 key Up press\n32 key Enter press\n'
  printf '50 key Down press\n51 key Down press\n52 key Down press\n53 key Down press\n54 key Down press\n'
  printf '60 key Left press\n70 key Up press\n71 key Up press\n72 key Right press\n80 key Escape press\n120 key Down press\n121 key Enter press\n'
  printf '240 key Enter press\n'
} > dejar.txt
# The computers play the other seats from jugadores.cfg, so that the players screen rules.
printf 'Tarsun cpu\nEr_Varsen cpu\nQuelbido cpu\nPexil persona\nnivel 2\n' > jugadores.cfg
limit "$game" --headless --virtual-clock --seed 2 --host --port $port --wait 1 \
  --max-flips 3000 --script dejar.txt --trace host3.jsonl --record host3.journal > host3.out 2>&1 &
host=$!
esperar host3.out "Esperando a 1 jugador"
limit "$game" --headless --join 127.0.0.1:$port --seat pexil --name Ana > ana4.out 2>&1 &
ana=$!
set +e
wait $host; hcode=$?
wait $ana; acode=$?
set -e
[ $hcode -eq 3 ] || { cat host3.out; fail "host exit code $hcode"; }
[ $acode -ne 0 ] || { cat ana4.out; fail "the player's run ended as if the match had"; }
grep -q "El anfitrion ha dejado de hospedar" ana4.out || { cat ana4.out; fail "the player is not told"; }
# The seat was given back for good (its event carries no name, only the mark), Pexil was
# then set to the computer, and no remote mark is drawn after that.
grep -q '^ev [0-9]* [0-9]* remote 3 %7F$' host3.journal || fail "the seat was not given back"
[ "$(grep '^setting jugadores ' host3.journal | tail -n 1 | cut -d' ' -f3 | cut -c4)" = c ] ||
  fail "Pexil is not the computer's in the next match"
awk -F'"flip":' '/"text":"RED"/ { split($2, f, ","); if (f[1] > 70) { print; exit 1 } }' host3.jsonl ||
  fail "a stale remote seat in the next match"
# The next match plays on to its minigame (any of the catalogue's, whose explanation page
# ends in "Pulsa una tecla..."): nobody waits for a player who is gone.
awk -F'"flip":' '/"text":"Pulsa una tecla..."/ { split($2, f, ","); if (f[1] > 240) { found = 1; exit } } END { exit !found }' host3.jsonl ||
  fail "the next match stalled"

# ---- 4: the host vanishes under a player who joined from the players screen ----
rm -f jugadores.cfg red.cfg partida.guardada
"$game" --headless --host --port $port --cpu tarsun,er_varsen --script nada.txt --max-flips 3600 > host4.out 2>&1 &
host=$!
esperar host4.out "Partida en red en el puerto"
{
  printf '1 key Escape press\n12 key Down press\n13 key Down press\n14 key Enter press\n30 key Up press\n31 key Up press\n32 key Enter press\n'
  printf '50 key Down press\n51 key Down press\n52 key Down press\n53 key Down press\n54 key Down press\n55 key Left press\n57 key Down press\n'
  direccion=127.0.0.1:$port
  for ((i = 0; i < ${#direccion}; i++)); do echo "$((60 + i)) type ${direccion:i:1}"; done
  echo "90 key Enter press"
} > unirse.txt
otra_carpeta invitada
(cd invitada && limit "$game" --headless --virtual-clock --seed 4 --script ../unirse.txt --trace ../invitada.jsonl \
  --max-flips 300 > ../invitada.out 2>&1) &
invitada=$!
esperar host4.out '^[^ ]* juega con Pexil'
sleep 1
kill -9 $host
wait $host 2>/dev/null || true
set +e
wait $invitada; icode=$?
set -e
[ $icode -eq 3 ] || { cat invitada.out; fail "the player's game did not start again: exit code $icode"; }
grep -q "^Se ha perdido la conexion con el anfitrion" invitada.out || { cat invitada.out; fail "the player is not told"; }
# The run after it is the game from its start: its main menu.
grep -q '"flip":2,"op":"text","text":"Jugar"' invitada.jsonl || fail "no main menu after losing the host"
echo ok
