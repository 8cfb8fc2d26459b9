#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Two scripted players for the screenshots: Ann (the first to connect to a dedicated host, so
the hosting player) and Cat. They wait for a third player, the real program, to sit down,
then Ann starts a game, sets every seat to just watching so the computer plays them all, and
both chat now and then. Prints "ann 1" and "cat 3" as they log in, "board" when the three sit at the table, "game" once round 4
is under way and "winner" when the game is over; the caller takes its pictures then."""
import socket
import sys
import time

END = b"\xff"


class Player:
    def __init__(self, port, name):
        self.name = name
        self.sock = socket.create_connection(("127.0.0.1", port), timeout=30)
        self.buf = b""
        self.slot = 0

    def send(self, text):
        self.sock.sendall(text.encode("latin-1") + END)

    def messages(self):
        """Yields every complete message received so far without blocking for long."""
        self.sock.settimeout(0.05)
        try:
            data = self.sock.recv(65536)
            if not data:
                raise SystemExit(f"{self.name}: host closed the connection")
            self.buf += data
        except socket.timeout:
            pass
        while END in self.buf:
            msg, self.buf = self.buf.split(END, 1)
            yield msg.decode("latin-1")

    def handle(self, msg):
        if msg.startswith("CMD_sendlogininfo+"):
            self.slot = int(msg.split("+")[1])
            self.send(f"CMD_logininfo+{self.slot}+1.0.2+{self.name}")
            print(f"{self.name.lower()} {self.slot}", flush=True)

    def chat(self, text, colour="clBlack"):
        self.send(f"CMD_chat+{self.slot}+{text}|{colour}")


def main():
    port = int(sys.argv[1])
    ann = Player(port, "Ann")
    seated = set()
    cat = None
    started = False
    said = 0
    lines = [
        (ann, "Good luck everyone!", "clNavy"),
        (None, "Thanks, you too :)", "clPurple"),
        (ann, "Vosk is rolling hot tonight", "clNavy"),
        (None, "Going for sixes this round", "clPurple"),
    ]
    round_seen = 0
    last_chat = time.monotonic()
    deadline = time.monotonic() + 240
    while time.monotonic() < deadline:
        for player in [p for p in (ann, cat) if p]:
            for msg in player.messages():
                player.handle(msg)
                if player is not ann:
                    continue
                if msg.startswith(("CMD_newplayerinfo+", "CMD_existingplayers+")):
                    fields = msg.split("+")[1:]
                    for i in range(0, len(fields) - 2, 3):
                        seated.add(int(fields[i]))
                    if seated >= {1, 2} and cat is None:
                        cat = Player(port, "Cat")
                    if seated >= {1, 2, 3} and not started:
                        print("board", flush=True)
                        sys.stdin.readline()  # the caller has taken its picture
                        ann.send("CMD_startgame+Ann+0")
                        started = True
                elif msg.startswith("CMD_startgame+"):
                    for seat in (1, 2, 3):
                        ann.send(f"CMD_justwatch+{seat}+1")
                elif msg.startswith("CMD_nextplayer+"):
                    r = int(msg.split("+")[2])
                    if r == 4 and round_seen < 4:
                        round_seen = 4
                        print("game", flush=True)
                        sys.stdin.readline()
                elif msg.startswith("CMD_winner+"):
                    print("winner", flush=True)
                    sys.stdin.readline()
                    return
        if started and said < len(lines) and time.monotonic() - last_chat > 1.5:
            who, text, colour = lines[said]
            (who or cat).chat(text, colour)
            said += 1
            last_chat = time.monotonic()
    raise SystemExit("the game did not finish in time")


if __name__ == "__main__":
    main()
