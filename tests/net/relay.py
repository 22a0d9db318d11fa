#!/usr/bin/env python3
"""A UDP relay on the loopback for the network tests: a bad link between a client and a host.

    relay.py --listen PORT --to PORT [--delay-ms D] [--jitter-ms J] [--drop 0.02]
             [--reorder 0.02] [--blackout-at S --blackout-for S] [--seconds MAX] [--seed N]

Datagrams sent to 127.0.0.1:LISTEN go on to 127.0.0.1:TO from one upstream socket per client
address (so the host sees each client apart), and the host's answers come back the same way.
Each datagram waits D ms give or take J, is lost with probability --drop, and with probability
--reorder waits longer so that later ones overtake it. From S seconds after start, for the
given span, everything is lost, in flight too (a blackout). The relay stops by itself after
--seconds. When ready it prints its port (useful with --listen 0) on a line of its own, and at
the end a summary on standard error. Standard library only; never leaves 127.0.0.1.
"""
import argparse
import heapq
import random
import selectors
import signal
import socket
import sys
import time

LOOPBACK = "127.0.0.1"
MAX_CLIENTS = 64  # client addresses given their own upstream socket; later ones are ignored
MAX_DATAGRAM = 65535


class Stop(Exception):
    pass


def stop(signum, frame):
    raise Stop()


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("--listen", type=int, required=True, help="port clients send to (0: any free port)")
    ap.add_argument("--to", type=int, required=True, help="the host's port")
    ap.add_argument("--delay-ms", type=float, default=0.0)
    ap.add_argument("--jitter-ms", type=float, default=0.0)
    ap.add_argument("--drop", type=float, default=0.0, help="probability a datagram is lost")
    ap.add_argument("--reorder", type=float, default=0.0, help="probability a datagram is held back")
    ap.add_argument("--blackout-at", type=float, default=None, help="seconds after start")
    ap.add_argument("--blackout-for", type=float, default=0.0, help="seconds")
    ap.add_argument("--seconds", type=float, default=60.0, help="the relay stops after this long")
    ap.add_argument("--seed", type=int, default=None)
    args = ap.parse_args()
    for name in ("drop", "reorder"):
        if not 0.0 <= getattr(args, name) <= 1.0:
            ap.error("--%s must be between 0 and 1" % name)
    if args.delay_ms < 0 or args.jitter_ms < 0 or args.blackout_for < 0 or args.seconds <= 0:
        ap.error("times must not be negative")
    if not (0 <= args.listen <= 65535 and 1 <= args.to <= 65535):
        ap.error("bad port")

    rng = random.Random(args.seed)
    sel = selectors.DefaultSelector()
    front = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    front.bind((LOOPBACK, args.listen))
    front.setblocking(False)
    sel.register(front, selectors.EVENT_READ, None)
    upstream = {}  # client address -> socket towards the host
    host = (LOOPBACK, args.to)

    start = time.monotonic()
    end = start + args.seconds
    queue = []  # (due, sequence, socket, datagram, destination)
    sequence = 0
    stats = {"forwarded": 0, "dropped": 0, "blackout": 0, "reordered": 0}

    def in_blackout(t):
        if args.blackout_at is None:
            return False
        since = t - start
        return args.blackout_at <= since < args.blackout_at + args.blackout_for

    def schedule(sock, data, dest, now):
        nonlocal sequence
        if in_blackout(now):
            stats["blackout"] += 1
            return
        if rng.random() < args.drop:
            stats["dropped"] += 1
            return
        delay = args.delay_ms + rng.uniform(-args.jitter_ms, args.jitter_ms)
        if rng.random() < args.reorder:
            delay += args.jitter_ms + rng.uniform(10.0, 30.0)
            stats["reordered"] += 1
        heapq.heappush(queue, (now + max(0.0, delay) / 1000.0, sequence, sock, data, dest))
        sequence += 1

    # Ended by a signal (the tests end it when done), it still prints its summary.
    signal.signal(signal.SIGTERM, stop)
    signal.signal(signal.SIGINT, stop)
    print(front.getsockname()[1], flush=True)
    try:
        relay_loop(sel, front, upstream, host, queue, schedule, in_blackout, stats, end)
    except Stop:
        pass
    print("relay: %(forwarded)d forwarded, %(dropped)d dropped, %(blackout)d lost in the blackout, "
          "%(reordered)d held back" % stats, file=sys.stderr)
    return 0


def relay_loop(sel, front, upstream, host, queue, schedule, in_blackout, stats, end):
    while True:
        now = time.monotonic()
        if now >= end:
            break
        while queue and queue[0][0] <= now:
            _, _, sock, data, dest = heapq.heappop(queue)
            if in_blackout(now):
                stats["blackout"] += 1
                continue
            try:
                sock.sendto(data, dest)
                stats["forwarded"] += 1
            except OSError:
                stats["dropped"] += 1
        wait = end - now
        if queue:
            wait = min(wait, max(0.0, queue[0][0] - now))
        for key, _ in sel.select(timeout=wait):
            sock = key.fileobj
            try:
                data, addr = sock.recvfrom(MAX_DATAGRAM)
            except OSError:
                continue
            now = time.monotonic()
            if key.data is None:  # from a client, towards the host
                up = upstream.get(addr)
                if up is None:
                    if len(upstream) >= MAX_CLIENTS:
                        continue
                    up = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
                    up.bind((LOOPBACK, 0))
                    up.setblocking(False)
                    sel.register(up, selectors.EVENT_READ, addr)
                    upstream[addr] = up
                schedule(up, data, host, now)
            elif addr == host:  # from the host, back to the client this socket serves
                schedule(front, data, key.data, now)


if __name__ == "__main__":
    sys.exit(main())
