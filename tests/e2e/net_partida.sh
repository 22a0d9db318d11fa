#!/usr/bin/env bash
# Online play on the loopback, every side a real headless process driven by its own
# script. A host waits for two players and goes to "Acicalandose"; Pexil's player, in a
# window of the host's size, blows kisses with its own P key; Quelbido's, in a window of
# another size, follows to the end. All three traces are the same, byte for byte. Then a
# second match: Pexil's player opens its own panel with Escape (the host's picture goes on
# under it, and its P keys stay home), goes on with "Seguir", then leaves with "Dejar la
# partida" and "Si": a computer plays on for it, and a spectator who joins late catches up
# and ends on the host's last lines.
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
# The second player takes the next free seat: it asks once Pexil's is taken, or on a busy
# machine it could be first and get Pexil itself.
for _ in $(seq 600); do grep -q '^Ana juega' host.out && break; sleep 0.05; done
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
[ $hcode -eq 3 ] || { tail -n 20 host.out pexil.out quelbido.out; fail "host exit code $hcode"; }
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

# Second match: Pexil's player opens its panel at 900 and goes on with "Seguir" (Enter) at
# 960; at 1100 it opens it again, "Dejar la partida", Enter, "Si" (Left: "No" is chosen
# first) and Enter at 1140. Its P at 940 and 1140 fall while the panel is open. A
# spectator comes once the match runs.
printf '900 key Escape press\n960 key Enter press\n1100 key Escape press\n1110 key Down press\n1120 key Enter press\n1130 key Left press\n1140 key Enter press\n' >> pexil.txt
limit "$game" --headless --virtual-clock --seed 5 --host --port $((port + 1)) --wait 1 --max-flips 2600 \
  --script host.txt --trace host2.jsonl > host2.out 2>&1 &
host=$!
sleep 0.5
limit "$game" --headless --join 127.0.0.1:$((port + 1)) --name Ana --script pexil.txt --trace pexil2.jsonl \
  > pexil2.out 2>&1 &
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
# Under the panel the player saw the host's game going on: every flip of its trace is the
# host's with the panel's drawing put in before it is shown, and nothing else.
python3 - host2.jsonl pexil2.jsonl <<'P' || fail "the follower's picture under its panel is not the host's"
import json, sys
def flips(path):
    out = {}
    for line in open(path):
        out.setdefault(json.loads(line)["flip"], []).append(line)
    return out
host, ana = flips(sys.argv[1]), flips(sys.argv[2])
paneles = set()
for f in sorted(ana)[:-1]:  # its last flip ends as it leaves
    h, a = host[f], ana[f]
    if a == h:
        continue
    i = next(i for i in range(len(h)) if h[i] != a[i])
    k = len(a) - len(h)
    puesto = "".join(a[i:i + k])
    assert k > 0 and a[:i] == h[:i] and a[i + k:] == h[i:], f"flip {f} differs"
    for texto in ("PARTIDA EN RED", "La CPU jugara por ti. Salir?"):
        if f'"text":"{texto}"' in puesto:
            paneles.add((f, texto))
abierto = sorted(f for f, t in paneles if t == "PARTIDA EN RED")
pregunta = sorted(f for f, t in paneles if t != "PARTIDA EN RED")
# The keys of flip N are taken as it ends, so the panel is drawn from flip 901 to 960 and
# from 1101 to 1120, the question from 1121 on.
assert abierto == list(range(901, 961)) + list(range(1101, 1121)), (abierto[:3], abierto[-3:], len(abierto))
assert pregunta and pregunta[0] == 1121 and pregunta == list(range(1121, pregunta[-1] + 1)), pregunta[:3]
P
# The P keys while the panel was open never reached the host (the press at 940 would land
# there a few flips later: the host keeps at most 3 flips ahead, and the press waits for
# its next event processing); the one at 980, after "Seguir", did.
python3 - host2.jsonl <<'P' || fail "the keys under the panel reached the host, or none came after it"
import json, sys
a = [d["flip"] for d in map(json.loads, open(sys.argv[1]))
     if d.get("op") == "pad" and d.get("pad") == 1003 and d.get("event") == "button" and d.get("down") == 1]
assert not [f for f in a if 910 <= f <= 975], a
assert [f for f in a if 980 <= f <= 995], a
assert not [f for f in a if f >= 1120], a
P
[ $scode -eq 3 ] || { cat spectator.out; fail "spectator exit code $scode"; }
grep -q '^Eva mira la partida' host2.out || { cat host2.out; fail "the spectator was not let in"; }
# The spectator hurried through what it missed (drawing nothing) and ends as the host does.
cmp <(tail -n 300 host2.jsonl) <(tail -n 300 spectator.jsonl) || fail "the spectator does not end on the host's lines"
echo ok
