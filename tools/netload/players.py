# SPDX-License-Identifier: GPL-3.0-or-later
"""A raw client that plays its own seat: rolls all five dice, picks the first category still
open to it after the first roll, and answers a request for a category. Shared by the soak and
the bad-network scripts."""
import wire


class Player:
    def __init__(self, client):
        self.c = client
        self.open_cats = []
        self.turns = 0

    def handle(self, text):
        parts = text.split("+")
        word = parts[0]
        me = self.c.slot
        if word == "CMD_nextplayer" and len(parts) >= 3 and parts[1] == str(me):
            self.open_cats = [p for p in parts[3:] if p and p != "0"]
            self.turns += 1
            self.roll()
        elif word == "CMD_createdice" and len(parts) >= 3 and parts[1] == str(me):
            rolls = int(parts[2]) if parts[2].isdigit() else 3
            if rolls == 1 and self.open_cats:
                self.c.send("CMD_selectcat+%d+%s+" % (me, self.open_cats[0]))
            if rolls < 3:
                self.roll()
        elif word == "CMD_needcat" and len(parts) >= 2 and parts[1] == str(me):
            if self.open_cats:
                self.c.send("CMD_selectcat+%d+%s+" % (me, self.open_cats[0]))
                self.roll()

    def roll(self):
        self.c.send("CMD_rollthedice+%d+1+2+3+4+5" % self.c.slot)


def attach(client):
    """Makes the client play whenever its seat is on turn; returns the Player."""
    player = Player(client)
    previous = client.on_message

    def seen(text, now):
        if previous:
            previous(text, now)
        player.handle(text)
    client.on_message = seen
    return player


__all__ = ["Player", "attach", "wire"]
