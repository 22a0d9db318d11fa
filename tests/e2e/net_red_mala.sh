#!/usr/bin/env bash
# Online play through a bad network: the test's own UDP relay on the loopback stands
# between the player and the host, delaying each datagram 20 ms give or take 10, losing 2%,
# reordering 2%, and blacking out everything for 5 seconds part-way. The player's kisses
# still land, nobody is dropped, the traces are the same, and the match goes on after the
# outage, live again within a second of the link's return. The host plays fair (--fair): its own player's keys in the minigame wait for the
# remote player's delay, and its journal shows them later than they were pressed.
here=$(cd "$(dirname "$0")" && pwd)
. "$here/common.sh"
port=$((31000 + $$ % 2000))
relay=$((port + 1))
printf '64 48\r\n' > resolucion.cfg
limit() { timeout 240 "$@"; }

printf '1 key Escape press\n32 key Down press\n34 key Enter press\n80 key Enter press\n200 key A press\n' > host.txt
python3 -c "print('\n'.join(f'{f} key Q press' for f in range(400, 1400, 50)))" >> host.txt
python3 -c "print('\n'.join(f'{f} key P press' for f in range(300, 1400, 40)))" > pexil.txt

python3 "$here/../net/relay.py" --listen $relay --to $port --delay-ms 20 --jitter-ms 10 --drop 0.02 \
  --reorder 0.02 --blackout-at 4 --blackout-for 5 --seconds 200 --seed 9 > relay.out 2> relay.err &
relaypid=$!
trap 'kill $relaypid 2>/dev/null || true' EXIT
limit "$game" --headless --virtual-clock --seed 5 --host --port $port --wait 1 --fair --max-flips 1500 \
  --script host.txt --trace host.jsonl --record host.journal > host.out 2>&1 &
host=$!
for _ in $(seq 100); do [ -s relay.out ] && break; sleep 0.05; done
limit "$game" --headless --join 127.0.0.1:$relay --seat pexil --name Ana --script pexil.txt --trace pexil.jsonl \
  > pexil.out 2>&1 &
pexil=$!
set +e
wait $host; hcode=$?
wait $pexil; pcode=$?
set -e
[ $hcode -eq 3 ] || { cat host.out; fail "host exit code $hcode"; }
[ $pcode -eq 3 ] || { cat pexil.out; fail "player exit code $pcode"; }
grep -q 'ha salido\|se ha perdido' host.out && { cat host.out; fail "the player was dropped"; }
cmp host.jsonl pexil.jsonl || fail "the player saw another game"
[ "$(grep -c '"src":"sfx/muack.wav"' host.jsonl)" -ge 5 ] || fail "the remote player's kisses were not blown"
# The outage happened while the match ran, and the match went on after it.
kill $relaypid 2>/dev/null || true
wait $relaypid 2>/dev/null || true
grep -Eq 'blackout[^0-9]*[1-9]' relay.err || { cat relay.err; fail "no datagram was lost to the blackout"; }
# The stream was live again within a second of the link coming back: the player's longest
# silence is the 5 s blackout and less than one more (resends are capped).
hueco=$(sed -n 's/^Datos del anfitrion de nuevo tras \([0-9]*\) ms sin nada$/\1/p' pexil.out | sort -n | tail -n 1)
[ -n "$hueco" ] && [ "$hueco" -ge 4500 ] && [ "$hueco" -lt 6000 ] || { cat pexil.out; fail "after the blackout the stream came back in ${hueco:-?} ms"; }
# Q (code 113) was pressed at flips 400, 450, ...: held back, some reach the journal later.
late=$(awk '$1 == "ev" && $4 == "key-down" && $5 == 113 && $2 % 50 != 0' host.journal | wc -l)
[ "$late" -ge 1 ] || fail "--fair held back none of the host's own keys"
# Offline, the host's recording replays to the same trace.
set +e
"$game" --headless --replay host.journal --trace replay.jsonl > replay.out 2>&1
rcode=$?
set -e
[ $rcode -eq 3 ] || { cat replay.out; fail "the recording does not replay: exit code $rcode"; }
cmp host.jsonl replay.jsonl || fail "the recording replays to another trace"
echo ok
