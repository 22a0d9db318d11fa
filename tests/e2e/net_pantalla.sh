#!/usr/bin/env bash
# Online play chosen on the players screen, two headless instances on the loopback. The
# first one goes to Opciones, "Jugadores", and sets "Red" to "Crear partida": it hosts at
# once and lists where it can be reached and who joined. The second one sets "Red" to
# "Unirse" and types an address on the "Direccion:" line: first a wrong one, which gives
# its message on the screen and leaves it usable, then, corrected, the host's: it joins,
# and from then on follows the host's match from its start to the same trace.
here=$(cd "$(dirname "$0")" && pwd)
. "$here/common.sh"
printf '64 48\r\n' > resolucion.cfg
limit() { timeout 240 "$@"; }
camino=$'1 key Escape press\n12 key Down press\n13 key Down press\n14 key Enter press\n30 key Up press\n31 key Up press\n32 key Enter press\n50 key Down press\n51 key Down press\n52 key Down press\n53 key Down press\n54 key Down press\n'
printf '%s55 key Right press\n' "$camino" > anfitrion.txt
teclear() {  # first flip, text
  local f=$1 i
  for ((i = 0; i < ${#2}; i++)); do echo "$((f + i)) type ${2:i:1}"; done
}
# Alone first: a wrong address gives its message, and the line takes the correction.
{
  printf '%s55 key Left press\n57 key Down press\n' "$camino"
  teclear 60 127.0.0.1:99999
  echo "80 key Enter press"
  for f in 90 91 92 93 94; do echo "$f key Backspace press"; done
  teclear 95 7341
} > solo.txt
set +e
limit "$game" --headless --virtual-clock --seed 4 --script solo.txt --trace solo.jsonl --max-flips 150 > solo.out 2>&1
scode=$?
set -e
[ $scode -eq 3 ] || { cat solo.out; fail "alone: exit code $scode"; }
grep -q '"text":"Puerto no valido en 127.0.0.1:99999 (de 1 a 65535)"' solo.jsonl || fail "the wrong address's message is not on the screen"
grep -q '"flip":150,"op":"text","text":"127.0.0.1:7341"' solo.jsonl || fail "the address line does not take the correction"
{
  printf '%s55 key Left press\n57 key Down press\n' "$camino"
  teclear 60 127.0.0.1:7341
  echo "80 key Enter press"
} > invitado.txt

limit "$game" --headless --virtual-clock --seed 4 --script anfitrion.txt --trace anfitrion.jsonl --max-flips 6000 \
  > anfitrion.out 2>&1 &
host=$!
sleep 0.5
mkdir invitado && (cd invitado && for e in ../*; do case "$e" in ../*.cfg|../*.txt|../*.jsonl|../*.out|../invitado) ;; *) ln -s "$e" . ;; esac; done \
  && cp ../resolucion.cfg .)
set +e
(cd invitado && limit "$game" --headless --virtual-clock --seed 4 --script ../invitado.txt --trace ../invitado.jsonl --max-flips 2500 \
  > ../invitado.out 2>&1)
icode=$?
wait $host; hcode=$?
set -e
[ $hcode -eq 3 ] || { cat anfitrion.out; fail "host exit code $hcode"; }
[ $icode -eq 3 ] || { cat invitado.out; fail "guest exit code $icode"; }
grep -q 'Partida en red en el puerto 7341' anfitrion.out || { cat anfitrion.out; fail "hosting did not start"; }
grep -q 'juega con Pexil' anfitrion.out || { cat anfitrion.out; fail "nobody joined"; }
grep -q '^Juegas con Pexil' invitado.out || { cat invitado.out; fail "the guest does not say it joined"; }
# The host's screen lists its address and the player who joined.
grep -q '"text":"Direccion: 127.0.0.1:7341"' anfitrion.jsonl || fail "the host does not show its address"
grep -q '"text":"Se ha unido [^"]* (Pexil)"' anfitrion.jsonl || fail "the host does not show who joined"
# The guest's own run ended when it joined; the trace file holds the run that followed the
# host, which is the host's game.
cmp anfitrion.jsonl invitado.jsonl || fail "the guest follows another game"
grep -q "127.0.0.1:7341" invitado/red.cfg || fail "the address joined is not kept"
echo ok
