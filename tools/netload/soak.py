#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Soak: a dedicated host with nine raw clients that keep joining, leaving, switching to
"Just Watch" and back, playing games and chatting, at a high time scale. Samples the host's
memory (RSS) and open descriptors and checks that after the warm-up they stay flat.

    tools/netload/soak.py --binary build/bramblies [--minutes 30] [--warmup 5]

Loopback only; bounded by --minutes. Exit status 1 when the host dies or, after the warm-up,
RSS grows by more than 1 MB or the descriptor count grows.
"""
import argparse
import asyncio
import os
import random
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import players  # noqa: E402
import wire  # noqa: E402


class Stats:
    def __init__(self):
        self.joins = self.leaves = self.games = self.chats = self.watches = 0


async def hosting_player(host, stats, end):
    """Slot 1: stays for the whole run and starts a new game whenever none is running."""
    c = wire.Client()
    await c.connect(host.port, "127.0.9.1")
    if await c.login("Hostess") != 1:
        raise RuntimeError("the hosting player did not get slot 1")
    players.attach(c)
    running = False
    last_start = 0.0
    while time.monotonic() < end and not c.closed:
        m = await c.next(timeout=1.0)
        now = time.monotonic()
        if m and m.startswith("CMD_winner"):
            stats.games += 1
            running = False
        elif m and m.startswith("CMD_startgame"):
            running = True
        if not running and now - last_start > 2.0:
            c.send("CMD_startgame+Hostess+%d+" % random.choice([0, 1, 2, 5]))
            last_start = now
    c.close()


async def visitor(host, index, stats, end, rng):
    """Joins, plays or watches for a while, chats, sometimes watches, leaves; again."""
    while time.monotonic() < end:
        c = wire.Client()
        try:
            await c.connect(host.port, "127.0.9.%d" % (index + 2))
        except (OSError, asyncio.TimeoutError):
            await asyncio.sleep(1)
            continue
        if not await c.login("Guest%d" % index, timeout=5):
            c.close()
            await asyncio.sleep(rng.uniform(0.5, 2))
            continue
        stats.joins += 1
        players.attach(c)
        stay = time.monotonic() + rng.uniform(3, 40)
        while time.monotonic() < min(stay, end) and not c.closed:
            r = rng.random()
            if r < 0.25:
                c.send("CMD_chat+%d+hello from %d|clBlack" % (c.slot, index))
                stats.chats += 1
            elif r < 0.30:
                c.send("CMD_action+%d+waves|clBlack" % c.slot)
            elif r < 0.33 and c.slot <= 6:
                c.send("CMD_playasound+%d+wave%d+" % (c.slot, rng.randint(1, 20)))
            elif r < 0.38 and c.slot <= 6:
                c.send("CMD_justwatch+%d+%d" % (c.slot, rng.choice([1, 2])))
                stats.watches += 1
            # Drain what arrived so the inbox stays small.
            while not c.inbox.empty():
                c.inbox.get_nowait()
            await asyncio.sleep(rng.uniform(0.2, 1.5))
        c.close()
        stats.leaves += 1
        await asyncio.sleep(rng.uniform(0.1, 3))


async def soak(args):
    host = wire.Host(args.binary, time_scale=args.time_scale)
    stats = Stats()
    start = time.monotonic()
    end = start + args.minutes * 60
    rng = random.Random(args.seed)
    tasks = [asyncio.ensure_future(hosting_player(host, stats, end))]
    await asyncio.sleep(0.5)
    tasks += [asyncio.ensure_future(visitor(host, i, stats, end, random.Random(rng.random())))
              for i in range(8)]
    samples = []
    try:
        while time.monotonic() < end and host.alive():
            await asyncio.sleep(min(args.sample_s, max(0.1, end - time.monotonic())))
            if not host.alive():
                break
            t = (time.monotonic() - start) / 60.0
            rss, fds = host.rss_kb(), host.fds()
            samples.append((t, rss, fds))
            print("%6.1f min  rss %6.1f MB  fds %3d  games %4d  joins %5d  chats %6d  watch %4d"
                  % (t, rss / 1024.0, fds, stats.games, stats.joins, stats.chats, stats.watches),
                  flush=True)
        await asyncio.gather(*tasks, return_exceptions=True)
    finally:
        alive = host.alive()
        host.stop()
    failures = []
    if not alive:
        failures.append("the host died")
    after = [s for s in samples if s[0] >= args.warmup]
    if after:
        first, last = after[0], after[-1]
        rss_growth = (last[1] - first[1]) / 1024.0
        rss_span = (max(s[1] for s in after) - min(s[1] for s in after)) / 1024.0
        print("after warm-up: rss %.1f -> %.1f MB (growth %.2f MB, range %.2f MB); "
              "fds %d -> %d (range %d..%d)"
              % (first[1] / 1024.0, last[1] / 1024.0, rss_growth, rss_span, first[2], last[2],
                 min(s[2] for s in after), max(s[2] for s in after)))
        if rss_growth > 1.0:
            failures.append("rss grew by %.2f MB after the warm-up" % rss_growth)
        # Nine clients come and go: the count moves by at most that much.
        if max(s[2] for s in after) > min(s[2] for s in after) + 10:
            failures.append("descriptors grew after the warm-up")
    print("games %d, joins %d, leaves %d, chats %d, just-watch switches %d"
          % (stats.games, stats.joins, stats.leaves, stats.chats, stats.watches))
    for f in failures:
        print("FAIL: " + f)
    print("soak: %s" % ("passed" if not failures else "FAILED"))
    return 1 if failures else 0


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("--binary", required=True)
    ap.add_argument("--minutes", type=float, default=30)
    ap.add_argument("--warmup", type=float, default=5)
    ap.add_argument("--time-scale", type=float, default=20)
    ap.add_argument("--sample-s", type=float, default=30)
    ap.add_argument("--seed", type=int, default=13)
    args = ap.parse_args()
    wire.raise_fd_limit()
    return asyncio.run(soak(args))


if __name__ == "__main__":
    sys.exit(main())
