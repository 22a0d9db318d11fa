#!/usr/bin/env bash
# Online play on the loopback, every side a real headless process driven by its own
# script. A host waits for two players and goes to "Acicalandose"; Pexil's player, in a
# window of the host's size, blows kisses with its own P key; Quelbido's, in a window of
# another size, follows to the end. All three traces are the same, byte for byte. Then a
# second match: Pexil's player closes the window part-way and a computer plays on for it,
# and a spectator who joins late catches up and ends on the host's last lines.
# Every run is bounded by --max-flips and by timeout.
here=$(cd "$(dirname "$0")" && pwd)
. "$here/common.sh"
port=$((27000 + $$ % 2000))
printf '64 48\r\n' > resolucion.cfg
limit() { timeout 240 "$@"; }

# The host: past the intro to the practice menu, "Acicalandose", past its explanation.
printf '1 key Escape press\n32 key Down press\n34 key Enter press\n80 key Enter press\n200 key A press\n' > host.txt
python3 -c "print('\n'.join(f'{f} key P press' for f in range(300, 1400, 40)))" > pexil.txt
: > nada.txt

limit "$game" --headless --virtual-clock --seed 5 --host --port $port --wait 2 --max-flips 1500 \
  --script host.txt --trace host.jsonl > host.out 2>&1 &
host=$!
sleep 0.5
limit "$game" --headless --join 127.0.0.1:$port --seat pexil --name Ana --script pexil.txt --trace pexil.jsonl \
  > pexil.out 2>&1 &
pexil=$!
# The other player's own settings ask for a window of another size.
mkdir -p otra && (cd otra && for e in ../*; do case "$e" in ../*.cfg|../*.jsonl|../*.out|../*.txt|../otra) ;; *) ln -s "$e" . ;; esac; done \
  && printf '320 240\r\n' > resolucion.cfg)
(cd otra && limit "$game" --headless --window --join localhost:$port --name Bea --script ../nada.txt \
  --trace ../quelbido.jsonl > ../quelbido.out 2>&1) &
quelbido=$!
set +e
wait $host; hcode=$?
wait $pexil; pcode=$?
wait $quelbido; qcode=$?
set -e
[ $hcode -eq 3 ] || { cat host.out; fail "host exit code $hcode"; }
[ $pcode -eq 3 ] || { cat pexil.out; fail "Pexil's player exit code $pcode"; }
[ $qcode -eq 3 ] || { cat quelbido.out; fail "Quelbido's player exit code $qcode"; }
grep -q '^Ana juega con Pexil' host.out || { cat host.out; fail "the host does not say who joined"; }
grep -q '^Bea juega con Quelbido' host.out || { cat host.out; fail "the second player did not get the next free seat"; }
grep -q '^La partida ha terminado en el anfitrion' pexil.out || { cat pexil.out; fail "the end is not said"; }
cmp host.jsonl pexil.jsonl || fail "Pexil's player saw another game"
cmp host.jsonl quelbido.jsonl || fail "a follower in a window of another size saw another game"
# The explanation page marks Pexil's seat with its player's name.
grep -q '"op":"text","text":"Ana","font":"builtin"' host.jsonl || fail "no remote mark with the player's name"
# The kisses are Pexil's, from afar: its controller's A press, then the sound.
grep -q '"op":"pad","pad":1003,"event":"button","button":"a","down":1' host.jsonl || fail "no remote press"
[ "$(grep -c '"src":"sfx/muack.wav"' host.jsonl)" -ge 5 ] || fail "the remote player's kisses were not blown"

# Second match: Pexil's player leaves at flip 1200; a spectator comes once the match runs.
printf '1200 quit\n' >> pexil.txt
limit "$game" --headless --virtual-clock --seed 5 --host --port $((port + 1)) --wait 1 --max-flips 2600 \
  --script host.txt --trace host2.jsonl > host2.out 2>&1 &
host=$!
sleep 0.5
limit "$game" --headless --join 127.0.0.1:$((port + 1)) --name Ana --script pexil.txt > pexil2.out 2>&1 &
pexil=$!
for _ in $(seq 200); do grep -q '^Ana juega' host2.out && break; sleep 0.05; done
sleep 0.3
limit "$game" --headless --watch 127.0.0.1:$((port + 1)) --name Eva --trace spectator.jsonl > spectator.out 2>&1 &
spectator=$!
set +e
wait $pexil; pcode=$?
wait $host; hcode=$?
wait $spectator; scode=$?
set -e
[ $pcode -eq 0 ] || { cat pexil2.out; fail "leaving gave exit code $pcode"; }
grep -q '^Has dejado la partida' pexil2.out || { cat pexil2.out; fail "leaving is not said"; }
[ $hcode -eq 3 ] || { cat host2.out; fail "the host did not play on: exit code $hcode"; }
grep -q 'Ana ha salido: una CPU juega con Pexil' host2.out || { cat host2.out; fail "the host does not say who plays the seat"; }
grep -q '"op":"remote","seat":3,"name":""' host2.jsonl || fail "the seat was not given up in the journal"
# After leaving, the computer blows Pexil's kisses.
left=$(grep -n '"op":"remote","seat":3,"name":""' host2.jsonl | cut -d: -f1)
tail -n +"$left" host2.jsonl | grep -q '"src":"sfx/muack.wav"' || fail "nobody played Pexil after the player left"
[ $scode -eq 3 ] || { cat spectator.out; fail "spectator exit code $scode"; }
grep -q '^Eva mira la partida' host2.out || { cat host2.out; fail "the spectator was not let in"; }
# The spectator hurried through what it missed (drawing nothing) and ends as the host does.
cmp <(tail -n 300 host2.jsonl) <(tail -n 300 spectator.jsonl) || fail "the spectator does not end on the host's lines"
echo ok
