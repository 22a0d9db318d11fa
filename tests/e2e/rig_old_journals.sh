#!/usr/bin/env bash
# Journals recorded by an earlier build (format 2, before the platform was cut into rooms)
# still replay, each to the trace that build wrote while recording: its sha256 is kept
# beside them. They were recorded headless: a keyboard, mouse and controller session at
# 64x48, four hard computer players with a controller seat, a run on the real clock, one
# in a 320x240 window, and four computers starting a short match under the rules of
# version 3 (its board of 11 to 14 squares, which later rules made shorter). Each replays in a 64x48 window (this player's resolucion.cfg):
# the game computes with the recorded screen whatever window shows it. The data is built
# deterministically, so the traces hold as long as the data files do; a change to the data
# means recording them anew. A change to what is drawn means a new sum for the journals it
# shows in (the computer players' marks moved clear of the portraits, and "JUEGA LA CPU"
# on a computer's turn, gave cpu_dificil.txt a new one; the line on how to throw a CD and the
# one on which keys push in "Love is in the air", added to their explanation pages, gave
# teclado_raton_mando.txt, ventana_320x240.txt and cpu_dificil.txt their present ones); the
# journal stays as it was.
here=$(cd "$(dirname "$0")" && pwd)
. "$here/common.sh"
printf '64 48\r\n' > resolucion.cfg
while read -r sum name; do
  set +e
  "$game" --headless --replay "$here/journals/$name" --trace t.jsonl > out.txt 2>&1
  code=$?
  set -e
  [ $code -eq 3 ] || { cat out.txt; fail "$name: replay exit code $code"; }
  got=$(sha256sum t.jsonl | cut -d' ' -f1)
  [ "$got" = "$sum" ] || fail "$name: the replay's trace differs from the recording's"
done < "$here/journals/trazas.sha256"
echo ok
