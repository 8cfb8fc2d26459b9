#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Floods a dedicated host on loopback the way a hostile user would and reports, per phase,
the relay time of a legitimate player's chat (p50/p99), its lost lines, the host's memory and
descriptors, and whether legitimate logins still find a seat.

    tools/netload/flood.py --binary build/bramblies            full run (about 2 minutes)
    tools/netload/flood.py --binary build/bramblies --short    under a minute, for ./test.sh

The idle phase is also run from many addresses: squatters keep every slot taken with silent
connections, reopening each the host closes, while legitimate players try to log in one after
another; each must be seated within 10 s.

Only loopback addresses are used (127.0.0.0/8; distinct source addresses stand for distinct
machines). Every loop is bounded in count and time, and the host is stopped at the end.
Exit status 1 when the host dies, a legitimate line is lost, memory grows by more than 5 MB,
or a legitimate login finds no seat; with --strict also when a timing bound is missed
(relay p99 over 100 ms while peers flood, a seat held by a closed peer for over a second).
"""
import argparse
import asyncio
import os
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import wire  # noqa: E402

FULL = dict(idle=1000, squat_addrs=200, squat_tries=5, big=100, frames=50, frame_count=10000,
            readers=20, seated_s=20, probe_s=8)
SHORT = dict(idle=100, squat_addrs=30, squat_tries=2, big=10, frames=5, frame_count=10000,
             readers=6, seated_s=5, probe_s=3)
# Each squatting address keeps this many silent connections (the host's limit per address),
# opening a new one this long after the host closes one.
SQUAT_PER_ADDR = 3
SQUAT_PAUSE_S = 0.5


class Flood:
    def __init__(self, args, sizes):
        self.args = args
        self.n = sizes
        self.host = wire.Host(args.binary)
        self.rows = []
        self.failures = []
        self.rss0 = 0
        self.rss_peak = 0

    def sample(self):
        rss = self.host.rss_kb()
        self.rss_peak = max(self.rss_peak, rss)
        return rss

    async def sampler(self, stop):
        while not stop.is_set() and self.host.alive():
            self.sample()
            await asyncio.sleep(0.1)

    async def connect_many(self, count, source_of, read=False, timeout=5.0):
        async def one(i):
            try:
                return await wire.Client().connect(self.host.port, source_of(i), read=read,
                                                   timeout=timeout)
            except (OSError, asyncio.TimeoutError):
                return None
        out = []
        for start in range(0, count, 100):  # in batches: the listen backlog is short
            out += await asyncio.gather(*(one(i) for i in range(start, min(count, start + 100))))
        return [c for c in out if c]

    def record(self, phase, lat, sent, lost, note):
        rss = self.sample()
        row = dict(phase=phase, p50=wire.percentile(lat, 50), p99=wire.percentile(lat, 99),
                   sent=sent, lost=lost, rss=rss / 1024.0, fds=self.host.fds(), note=note)
        self.rows.append(row)
        print("%-11s relay p50 %6.1f ms  p99 %6.1f ms  lost %d/%d  rss %5.1f MB  fds %3d  %s"
              % (phase, row["p50"], row["p99"], lost, sent, row["rss"], row["fds"], note),
              flush=True)
        if lost:
            self.failures.append("%s: %d legitimate lines lost" % (phase, lost))

    async def legit_logins(self, count, prefix, deadline_s):
        """Logs in `count` players from distinct addresses, retrying a refusal; returns the
        seconds until all were seated (None if not within deadline_s) and the clients."""
        start = time.monotonic()
        seated = []
        pending = list(range(count))
        while pending and time.monotonic() - start < deadline_s:
            still = []
            for i in pending:
                c = wire.Client()
                try:
                    await c.connect(self.host.port, "%s.%d" % (prefix, i + 1))
                except (OSError, asyncio.TimeoutError):
                    still.append(i)
                    continue
                if await c.login("Legit%d" % i, timeout=3.0):
                    seated.append(c)
                else:
                    c.close()
                    still.append(i)
            pending = still
            if pending:
                await asyncio.sleep(0.05)
        took = time.monotonic() - start
        return (None if pending else took), seated

    async def squat(self):
        """Squatters from many addresses keep every slot taken while legitimate players, one
        after another, try to log in; reports the time each needed to be seated."""
        stop = asyncio.Event()
        in_slot = [0]
        connects = [0]

        async def squatter(source):
            while not stop.is_set():
                c = wire.Client()
                try:
                    await c.connect(self.host.port, source, read=True, timeout=3)
                    connects[0] += 1
                    m = await c.next(timeout=10)
                    if m and m.startswith("CMD_sendlogininfo+"):
                        in_slot[0] += 1
                        await c.next(timeout=60, match="-")  # matches nothing: until closed
                        in_slot[0] -= 1
                except (OSError, asyncio.TimeoutError):
                    pass
                c.close()
                try:
                    await asyncio.wait_for(stop.wait(), SQUAT_PAUSE_S)
                except asyncio.TimeoutError:
                    pass

        sources = ["127.0.9.%d" % (i % 250 + 1) for i in range(self.n["squat_addrs"])]
        tasks = [asyncio.ensure_future(squatter(s)) for s in sources for _ in range(SQUAT_PER_ADDR)]
        probe_task = asyncio.ensure_future(self.probe.run(self.n["probe_s"]))
        times, held_at_start = [], []
        for attempt in range(self.n["squat_tries"]):
            await asyncio.sleep(1.5)  # the squatters refill the table
            held_at_start.append(in_slot[0])
            took, seated = await self.legit_logins(1, "127.0.%d" % (10 + attempt), 10.0)
            times.append(took)
            for c in seated:
                c.close()
        stop.set()
        sent, lost = await probe_task
        for t in tasks:
            t.cancel()
        await asyncio.gather(*tasks, return_exceptions=True)
        shown = ["%.2f" % t if t is not None else "none" for t in times]
        if any(t is None for t in times):
            self.failures.append("squat: a legitimate login found no seat within 10 s")
        self.record("squat", self.probe.latencies, sent, lost,
                    "%d addresses, %d connections opened; squatters in %s slots; legit logins "
                    "seated in %s s" % (len(sources), connects[0],
                                        "/".join(str(n) for n in held_at_start), ", ".join(shown)))

    async def run(self):
        stop = asyncio.Event()
        sampler = asyncio.ensure_future(self.sampler(stop))
        obs = wire.Client()
        await obs.connect(self.host.port, "127.0.0.2")
        if not await obs.login("Watcher"):
            raise RuntimeError("the watching player could not log in")
        probe = self.probe = wire.RelayProbe(obs)
        await asyncio.sleep(0.5)
        self.rss0 = self.sample()
        sent, lost = await probe.run(self.n["probe_s"])
        self.record("quiet", probe.latencies, sent, lost, "")

        # 1. Idle connections from one address, then all closed at once.
        idle = await self.connect_many(self.n["idle"], lambda i: "127.0.0.1", read=True, timeout=3)
        probe_task = asyncio.ensure_future(probe.run(self.n["probe_s"]))
        took, seated = await self.legit_logins(1, "127.0.3", 10.0)
        for c in seated:
            c.close()
        sent, lost = await probe_task
        got_seat = "legit login seated in %.2f s" % took if took is not None else "NO SEAT in 10 s"
        if took is None:
            self.failures.append("idle: a legitimate login found no seat within 10 s")
        for c in idle:
            c.close()
        await asyncio.sleep(0.05)
        took, seated = await self.legit_logins(8, "127.0.4", 10.0)
        for c in seated:
            c.close()
        freed = ("8 seats free again %.2f s after the close" % took if took is not None
                 else "seats still held 10 s after the close")
        if took is None:
            self.failures.append("idle: seats still held by closed peers after 10 s")
        elif took > 1.0 and self.args.strict:
            self.failures.append("idle: seats held by closed peers for %.2f s" % took)
        self.record("idle", probe.latencies, sent, lost,
                    "%d connected; %s; %s" % (len(idle), got_seat, freed))

        # 1b. Silent connections from many addresses, each reopened soon after the host closes it.
        await self.squat()

        # 2. A megabyte without a terminator from each of many addresses.
        big = await self.connect_many(self.n["big"], lambda i: "127.0.5.%d" % (i % 250 + 1),
                                      read=True)
        junk = b"x" * (1 << 20)
        for c in big:
            c.writer.write(junk)
        sent, lost = await probe.run(self.n["probe_s"])
        cut = sum(1 for c in big if c.closed)
        for c in big:
            c.close()
        self.record("1MiB", probe.latencies, sent, lost, "%d/%d cut by the host" % (cut, len(big)))

        # 3. Ten thousand small frames from each of many addresses.
        frames = await self.connect_many(self.n["frames"], lambda i: "127.0.6.%d" % (i % 250 + 1),
                                         read=True)
        burst = (b"CMD_chat+9+x|c" + wire.TERM) * self.n["frame_count"]
        for c in frames:
            c.writer.write(burst)
        sent, lost = await probe.run(self.n["probe_s"])
        cut = sum(1 for c in frames if c.closed)
        for c in frames:
            c.close()
        self.record("frames", probe.latencies, sent, lost,
                    "%d/%d cut by the host" % (cut, len(frames)))

        # 4. Players who stop reading while one of them floods the chat with long lines.
        readers = []
        for i in range(self.n["readers"]):
            c = wire.Client()
            try:
                await c.connect(self.host.port, "127.0.7.%d" % (i + 1))
            except (OSError, asyncio.TimeoutError):
                continue
            if await c.login("Mute%d" % i, timeout=3):
                readers.append(c)
            else:
                c.close()
        flooder = readers[0] if readers else None
        for c in readers[1:]:
            c._task.cancel()  # reads nothing from now on
        async def chat_flood(seconds):
            end = time.monotonic() + seconds
            line = "y" * 60000
            while time.monotonic() < end and flooder and not flooder.closed:
                flooder.send("CMD_chat+%d+%s|c" % (flooder.slot, line))
                await asyncio.sleep(0.01)
        flood_task = asyncio.ensure_future(chat_flood(self.n["probe_s"]))
        sent, lost = await probe.run(self.n["probe_s"])
        await flood_task
        mute_cut = sum(1 for c in readers[1:] if c.writer.transport.is_closing()
                       or c.reader.at_eof())
        for c in readers:
            c.close()
        self.record("non-reader", probe.latencies, sent, lost,
                    "%d seated, %d never read" % (len(readers), max(0, len(readers) - 1)))

        # 5. Six seated peers chatting at the host's old drain rate (about 17 lines/s each).
        await asyncio.sleep(0.5)
        peers = []
        for i in range(6):
            c = wire.Client()
            await c.connect(self.host.port, "127.0.8.%d" % (i + 1))
            if await c.login("Chatty%d" % i, timeout=3):
                peers.append(c)
        async def chatter(c, seconds):
            end = time.monotonic() + seconds
            n = 0
            while time.monotonic() < end and not c.closed:
                c.send("CMD_chat+%d+chatter %d|c" % (c.slot, n))
                n += 1
                await asyncio.sleep(1 / 17.0)
        tasks = [asyncio.ensure_future(chatter(c, self.n["seated_s"])) for c in peers]
        sent, lost = await probe.run(self.n["seated_s"])
        await asyncio.gather(*tasks)
        for c in peers:
            c.close()
        p99 = wire.percentile(probe.latencies, 99)
        self.record("seated", probe.latencies, sent, lost, "%d peers at 17 lines/s" % len(peers))
        if self.args.strict and not p99 <= 100.0:
            self.failures.append("seated: relay p99 %.1f ms over 100 ms" % p99)

        # Settle, then the memory verdict.
        await asyncio.sleep(2.0)
        rss_end = self.sample()
        stop.set()
        await sampler
        growth = (rss_end - self.rss0) / 1024.0
        print("host rss: %.1f MB after login, %.1f MB peak, %.1f MB at the end (growth %.1f MB)"
              % (self.rss0 / 1024.0, self.rss_peak / 1024.0, rss_end / 1024.0, growth))
        if growth > 5.0:
            self.failures.append("memory grew by %.1f MB" % growth)
        obs.close()


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("--binary", required=True, help="the bramblies program")
    ap.add_argument("--short", action="store_true", help="the quick version for ./test.sh")
    ap.add_argument("--strict", action="store_true", help="also enforce the timing bounds")
    args = ap.parse_args()
    wire.raise_fd_limit()
    flood = Flood(args, SHORT if args.short else FULL)
    try:
        asyncio.run(flood.run())
    finally:
        alive = flood.host.alive()
        flood.host.stop()
    if not alive:
        flood.failures.append("the host died")
    for f in flood.failures:
        print("FAIL: " + f)
    print("flood: %s" % ("passed" if not flood.failures else "FAILED"))
    return 1 if flood.failures else 0


if __name__ == "__main__":
    sys.exit(main())
