#!/usr/bin/env python3
"""Delay from a key to the frame that shows it: a player over the network against the host's own.

    bench/net_delay.py [BUILD_DIR] [DATA_DIR]     (defaults: build, BUILD_DIR/data)
    RTTS="0 100" bench/net_delay.py ...          only those round trips

For round trips of 0, 40, 100 and 200 ms (the network tests' relay delays each way by half),
a host and a player each play in a window of their own on a virtual X display of their own,
with the real clock (60 frames a second), the player's link going through the relay. The host
goes to "Acicalandose"; then real key presses (xdotool, at random moments) alternate: the
host's own Q on the host's display, the remote Pexil's P on the player's display.

A host's key is found in the host's journal (the flip after whose end it was taken) and the
frame is the next flip's showing on the host; a remote key is found in the player's trace (its pad's event
as the host took it in) and the frame is that flip's showing on the player's machine
(--frame-times gives when each flip was shown, on the machine's monotonic clock, which
time.monotonic() here reads too). Prints median and 95th percentile per round trip.
"""
import json
import os
import random
import statistics
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
RELAY = os.path.join(HERE, "..", "tests", "net", "relay.py")
PRESSES = 20  # of each kind, per round trip, all while the minigame lasts
KEY_Q = 113


def start_xvfb():
    number = next(n for n in range(300 + os.getpid() % 300, 1000) if not os.path.exists(f"/tmp/.X11-unix/X{n}")
                  and not os.path.exists(f"/tmp/.X{n}-lock"))
    xvfb = subprocess.Popen(["Xvfb", f":{number}", "-screen", "0", "640x480x24", "-nolisten", "tcp"],
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    for _ in range(100):
        if os.path.exists(f"/tmp/.X11-unix/X{number}"):
            break
        time.sleep(0.05)
    time.sleep(0.3)
    return xvfb, f":{number}"


def window_of(pid, display, deadline):
    env = dict(os.environ, DISPLAY=display)
    while time.monotonic() < deadline:
        out = subprocess.run(["xdotool", "search", "--pid", str(pid)], env=env, capture_output=True, text=True)
        if out.stdout.strip():
            win = out.stdout.split()[0]
            subprocess.run(["xdotool", "windowfocus", "--sync", win], env=env, capture_output=True, timeout=5)
            return win
        time.sleep(0.1)
    raise SystemExit(f"no window on {display} for {pid}")


def times(path):  # flip -> when it was shown
    return {int(r[0]): float(r[2]) for r in (line.split() for line in open(path))}


def summary(values):
    s = sorted(values)
    return f"{statistics.median(s):6.1f} / {s[min(len(s) - 1, len(s) * 95 // 100)]:6.1f}"


def run(game, work, rtt, port):
    procs = []
    try:
        xa, da = start_xvfb()
        xb, db = start_xvfb()
        procs += [xa, xb]
        relay = subprocess.Popen([sys.executable, RELAY, "--listen", str(port + 1), "--to", str(port),
                                  "--delay-ms", str(rtt / 2), "--seconds", "120"],
                                 stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        procs.append(relay)
        relay.stdout.readline()  # ready
        base = dict(os.environ, SDL_VIDEODRIVER="x11", SDL_AUDIODRIVER="dummy")
        for f in ("host.journal", "host.times", "player.jsonl", "player.times"):
            if os.path.exists(os.path.join(work, f)):
                os.remove(os.path.join(work, f))
        host = subprocess.Popen([game, "--window", "--seed", "5", "--host", "--port", str(port), "--wait", "1",
                                 "--max-flips", "3000", "--script", "../host.txt", "--record", "../host.journal",
                                 "--frame-times", "../host.times"], cwd=os.path.join(work, "host"),
                                env=dict(base, DISPLAY=da), stdout=open(os.path.join(work, "host.out"), "w"), stderr=subprocess.STDOUT)
        procs.append(host)
        time.sleep(1)
        player = subprocess.Popen([game, "--window", "--join", f"127.0.0.1:{port + 1}", "--seat", "pexil",
                                   "--name", "Ana", "--trace", "../player.jsonl", "--frame-times", "../player.times"],
                                  cwd=os.path.join(work, "player"), env=dict(base, DISPLAY=db),
                                  stdout=open(os.path.join(work, "player.out"), "w"), stderr=subprocess.STDOUT)
        procs.append(player)
        deadline = time.monotonic() + 60
        wa, wb = window_of(host.pid, da, deadline), window_of(player.pid, db, deadline)
        # Past the explanation: the minigame runs from the host's flip 200.
        while time.monotonic() < deadline:
            try:
                if sum(1 for _ in open(os.path.join(work, "host.times"))) > 400:
                    break
            except FileNotFoundError:
                pass
            time.sleep(0.2)
        keys = {d: subprocess.Popen(["xdotool", "-"], stdin=subprocess.PIPE, env=dict(os.environ, DISPLAY=d),
                                    text=True, stdout=subprocess.DEVNULL) for d in (da, db)}
        own, remote = [], []
        rng = random.Random(rtt)
        for _ in range(PRESSES):
            for display, win, key, pressed in ((da, wa, "q", own), (db, wb, "p", remote)):
                time.sleep(rng.uniform(0.12, 0.25))
                pressed.append(time.monotonic() * 1000)
                keys[display].stdin.write(f"key --window {win} {key}\n")
                keys[display].stdin.flush()
        for k in keys.values():
            k.stdin.close()
            k.wait(timeout=10)
        host.wait(timeout=90)
        player.wait(timeout=30)
    finally:
        for p in procs:
            if p.poll() is None:
                p.kill()
                p.wait()
    hostShown, playerShown = times(os.path.join(work, "host.times")), times(os.path.join(work, "player.times"))
    ownFlips = [int(l.split()[1]) for l in open(os.path.join(work, "host.journal"))
                if l.startswith("ev ") and l.split()[3] == "key-down" and int(l.split()[4]) == KEY_Q]
    remoteFlips, flip = [], 0
    for line in open(os.path.join(work, "player.jsonl")):
        r = json.loads(line)
        if r.get("op") == "flip":
            flip += 1
        elif r.get("op") == "pad" and r.get("pad") == 1003 and r.get("event") == "button" and r.get("down") == 1:
            remoteFlips.append(flip + 1)
    # Events taken after flip k (journal "ev k", or k flips into the trace) act in flip k + 1.
    ownDelays = [hostShown[f + 1] - t for t, f in zip(own, ownFlips) if f + 1 in hostShown]
    remoteDelays = [playerShown[f] - t for t, f in zip(remote, remoteFlips) if f in playerShown]
    if len(ownDelays) < PRESSES // 2 or len(remoteDelays) < PRESSES // 2:
        print(f"  round trip {rtt:>3} ms: too few presses seen ({len(ownDelays)} own, {len(remoteDelays)} remote)")
        return
    print(f"  round trip {rtt:>3} ms: remote {summary(remoteDelays)}   host's own {summary(ownDelays)}   "
          f"difference of medians {statistics.median(remoteDelays) - statistics.median(ownDelays):6.1f} "
          f"(goal: at most {rtt + 1000 / 60:.1f})")


def main():
    build = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else "build")
    data = os.path.abspath(sys.argv[2] if len(sys.argv) > 2 else os.path.join(build, "data"))
    game = os.path.join(build, "frikipartida")
    with tempfile.TemporaryDirectory() as work:
        work = os.environ.get("KEEP", work)
        for side in ("host", "player"):
            os.mkdir(os.path.join(work, side))
            for entry in os.listdir(data):
                if not entry.endswith(".cfg"):
                    os.symlink(os.path.join(data, entry), os.path.join(work, side, entry))
            with open(os.path.join(work, side, "resolucion.cfg"), "w") as f:
                f.write("64 48\r\n")
        # The host: past the intro to the practice menu, "Acicalandose", past its explanation.
        with open(os.path.join(work, "host.txt"), "w") as f:
            f.write("1 key Escape press\n32 key Down press\n34 key Enter press\n80 key Enter press\n200 key A press\n")
        port = 38000 + os.getpid() % 1000 * 2
        print("Delay from a key to the frame that shows it, in ms (median / p95):")
        for rtt in [int(r) for r in os.environ.get("RTTS", "0 40 100 200").split()]:
            run(game, work, rtt, port)
            port += 2


main()
