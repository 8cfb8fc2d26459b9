#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""A TCP relay that makes a good network bad: every piece of data is held back by a delay
with jitter (order kept, as TCP keeps it), the stream now and then stalls for a while, and
data leaves in small random pieces so the far end sees split reads.

    relay.py LISTEN_ADDR LISTEN_PORT TARGET_ADDR TARGET_PORT [--delay MS] [--jitter MS]
             [--stall-chance P] [--stall MS] [--seed N]

Meant for addresses of this machine or of network namespaces a test made; stops on SIGTERM.
"""
import argparse
import asyncio
import random
import signal
import time


async def pump(reader, writer, args, rng):
    due = 0.0  # when the previous piece leaves: later pieces never overtake it
    queue = asyncio.Queue()

    async def sender():
        while True:
            item = await queue.get()
            if item is None:
                break
            at, data = item
            wait = at - time.monotonic()
            if wait > 0:
                await asyncio.sleep(wait)
            while data:
                n = rng.randint(1, max(1, min(len(data), 512)))
                writer.write(data[:n])
                data = data[n:]
                await writer.drain()
        try:
            writer.write_eof()
        except (OSError, RuntimeError):
            pass

    task = asyncio.ensure_future(sender())
    try:
        while True:
            data = await reader.read(4096)
            if not data:
                break
            now = time.monotonic()
            delay = (args.delay + rng.uniform(-args.jitter, args.jitter)) / 1000.0
            if rng.random() < args.stall_chance:
                delay += args.stall / 1000.0
            due = max(due, now + max(0.0, delay))
            queue.put_nowait((due, data))
    except (ConnectionError, OSError):
        pass
    queue.put_nowait(None)
    try:
        await task
    except (ConnectionError, OSError):
        pass


async def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("listen_addr")
    ap.add_argument("listen_port", type=int)
    ap.add_argument("target_addr")
    ap.add_argument("target_port", type=int)
    ap.add_argument("--delay", type=float, default=200)
    ap.add_argument("--jitter", type=float, default=50)
    ap.add_argument("--stall-chance", type=float, default=0.05)
    ap.add_argument("--stall", type=float, default=600)
    ap.add_argument("--seed", type=int, default=13)
    args = ap.parse_args()
    rng = random.Random(args.seed)

    async def handle(client_r, client_w):
        try:
            host_r, host_w = await asyncio.open_connection(args.target_addr, args.target_port)
        except OSError:
            client_w.close()
            return
        await asyncio.gather(pump(client_r, host_w, args, random.Random(rng.random())),
                             pump(host_r, client_w, args, random.Random(rng.random())))
        for w in (client_w, host_w):
            w.close()

    server = await asyncio.start_server(handle, args.listen_addr, args.listen_port)
    stop = asyncio.Event()
    loop = asyncio.get_running_loop()
    for sig in (signal.SIGTERM, signal.SIGINT):
        loop.add_signal_handler(sig, stop.set)
    print("relay ready", flush=True)
    async with server:
        await stop.wait()


if __name__ == "__main__":
    asyncio.run(main())
