#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The players of the bad-network test: Ann (slot 1) and Bob play a whole game through the
relay, Ann chats numbered lines all along, and Cy joins once round 3 is under way. Each keeps
the seat totals from what the host tells it; at the end all three must agree, the numbered
lines must have arrived complete and in order, and the winner must hold the best total.

    badnet_clients.py HOST PORT        (prints one verdict line; exit status 1 on a fault)
"""
import asyncio
import os
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import players  # noqa: E402
import wire  # noqa: E402

SCORING = {"CMD_postscores", "CMD_bonustime", "CMD_gotbonus", "CMD_bramble"}


class Watcher:
    """Keeps seat totals and checks Ann's numbered chat lines arrive in order."""

    def __init__(self, name):
        self.name = name
        self.totals = {}
        self.round = 0
        self.winner = None
        self.order_faults = 0
        self.next_line = None
        self.lines = 0

    def handle(self, text):
        parts = text.split("+")
        word = parts[0]
        if word == "CMD_startgame":
            self.totals = {}
        elif word in SCORING and len(parts) > 2:
            self.totals[int(parts[1])] = int(parts[2])
        elif word == "CMD_loadscores":
            for entry in parts[2:]:
                f = entry.split("*")
                if len(f) >= 3 and f[0].isdigit():
                    total = int(f[-1])
                    if f[1] == "t" or total > 0:
                        self.totals[int(f[0])] = total
        elif word == "CMD_nextplayer" and len(parts) > 2:
            self.round = int(parts[2])
        elif word == "CMD_winner":
            self.winner = int(parts[1])
        elif word == "CMD_chat" and " chats: line " in text:
            n = int(text.split(" chats: line ", 1)[1].split("|", 1)[0])
            if self.next_line is not None and n != self.next_line:
                self.order_faults += 1
            self.next_line = n + 1
            self.lines += 1


async def join(host, port, name, timeout=30):
    c = wire.Client()
    await c.connect(port, source=None, host=host, timeout=timeout)
    if not await c.login(name, timeout=timeout):
        raise RuntimeError("%s could not log in" % name)
    return c


def watch(client, name):
    w = Watcher(name)
    previous = client.on_message

    def seen(text, now):
        if previous:
            previous(text, now)
        w.handle(text)
    client.on_message = seen
    return w


async def run(host, port):
    ann = await join(host, port, "Ann")
    bob = await join(host, port, "Bob")
    watchers = [watch(ann, "Ann"), watch(bob, "Bob")]
    players.attach(ann)
    players.attach(bob)
    ann.send("CMD_startgame+Ann+1+")
    cy = None
    line = 0
    deadline = time.monotonic() + 300
    while time.monotonic() < deadline:
        ann.send("CMD_chat+%d+line %d|clBlack" % (ann.slot, line))
        line += 1
        await asyncio.sleep(0.5)
        if cy is None and watchers[0].round >= 3:
            cy = await join(host, port, "Cy")
            watchers.append(watch(cy, "Cy"))
        if all(w.winner for w in watchers) and cy is not None:
            break
        for c in (ann, bob, cy):
            if c is not None:
                while not c.inbox.empty():
                    c.inbox.get_nowait()
                if c.closed:
                    raise RuntimeError("the host closed a connection")
    await asyncio.sleep(2.0)  # the last chat lines
    faults = []
    if not all(w.winner for w in watchers) or cy is None:
        faults.append("the game did not finish in time")
    ref = watchers[0].totals
    for w in watchers:
        if w.totals != ref:
            faults.append("%s has totals %s, Ann %s" % (w.name, w.totals, ref))
        if w.order_faults:
            faults.append("%s saw %d chat lines out of order or missing" % (w.name, w.order_faults))
        if w.winner and ref and ref.get(w.winner) != max(ref.values()):
            faults.append("%s was told seat %d won with %s" % (w.name, w.winner, ref))
    bob_lines = watchers[1].lines
    if bob_lines < line - 1:
        faults.append("Bob got %d of %d chat lines" % (bob_lines, line))
    print("badnet: totals %s, winner seat %s, %d chat lines sent, Bob got %d, Cy got %d%s"
          % (ref, watchers[0].winner, line, bob_lines, watchers[2].lines if cy else 0,
             "" if not faults else "; " + "; ".join(faults)), flush=True)
    for c in (ann, bob, cy):
        if c:
            c.close()
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(asyncio.run(run(sys.argv[1], int(sys.argv[2]))))
