# SPDX-License-Identifier: GPL-3.0-or-later
"""Raw game clients and a dedicated host for the load scripts.

Everything here talks to addresses on this machine only (the loopback range, or addresses of
network namespaces a test made itself). A client speaks the wire format byte for byte: each
message is text followed by the byte 0xFF.
"""
import asyncio
import os
import re
import resource
import socket
import subprocess
import time

TERM = b"\xff"
VERSION = "1.0.2"


def raise_fd_limit():
    soft, hard = resource.getrlimit(resource.RLIMIT_NOFILE)
    if soft < hard:
        resource.setrlimit(resource.RLIMIT_NOFILE, (hard, hard))


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


class Host:
    """A dedicated host process on a port of its own; measured through /proc."""

    def __init__(self, binary, port=None, time_scale=1.0, bot_speed=None, netns=None):
        self.port = port or free_port()
        cmd = [binary, "--dedicated-host", "--port", str(self.port), "--time-scale", str(time_scale)]
        if bot_speed:
            cmd += ["--bot-speed", str(bot_speed)]
        if netns:
            cmd = ["ip", "netns", "exec", netns] + cmd
        self.log = open(os.devnull, "w")
        self.proc = subprocess.Popen(cmd, stdout=subprocess.PIPE, stderr=self.log, text=True)
        line = self.proc.stdout.readline()
        if "listening" not in line:
            raise RuntimeError("the host did not start: %r" % line)

    @property
    def pid(self):
        return self.proc.pid

    def alive(self):
        return self.proc.poll() is None

    def rss_kb(self):
        with open("/proc/%d/status" % self.pid) as f:
            for line in f:
                if line.startswith("VmRSS:"):
                    return int(line.split()[1])
        return 0

    def fds(self):
        return len(os.listdir("/proc/%d/fd" % self.pid))

    def stop(self):
        if self.alive():
            self.proc.terminate()
            try:
                self.proc.wait(10)
            except subprocess.TimeoutExpired:
                self.proc.kill()
                self.proc.wait()
        self.log.close()


class Client:
    """One raw connection. Received messages queue up in `inbox`; `closed` tells a close."""

    def __init__(self):
        self.reader = self.writer = None
        self.inbox = asyncio.Queue()
        self.closed = False
        self.slot = 0
        self._task = None
        self.on_message = None  # optional callback(message, time)

    async def connect(self, port, source="127.0.0.1", host="127.0.0.1", timeout=5.0, read=True):
        self.reader, self.writer = await asyncio.wait_for(
            asyncio.open_connection(host, port, local_addr=(source, 0) if source else None),
            timeout)
        if read:
            self._task = asyncio.ensure_future(self._read())
        return self

    async def _read(self):
        tail = b""
        try:
            while True:
                data = await self.reader.read(65536)
                if not data:
                    break
                tail += data
                *whole, tail = tail.split(TERM)
                now = time.monotonic()
                for m in whole:
                    text = m.decode("latin-1")
                    if self.on_message:
                        self.on_message(text, now)
                    self.inbox.put_nowait(text)
        except (ConnectionError, OSError):
            pass
        self.closed = True
        self.inbox.put_nowait(None)

    def send(self, text):
        if self.writer and not self.writer.is_closing():
            self.writer.write(text.encode("latin-1") + TERM)

    async def next(self, timeout=10.0, match=None):
        """The next message (whose command word is `match`, when given); None on close/timeout."""
        end = time.monotonic() + timeout
        while True:
            left = end - time.monotonic()
            if left <= 0:
                return None
            try:
                m = await asyncio.wait_for(self.inbox.get(), left)
            except asyncio.TimeoutError:
                return None
            if m is None:
                self.inbox.put_nowait(None)
                return None
            if match is None or m.split("+", 1)[0] == match:
                return m

    async def login(self, name, timeout=10.0):
        """Answers the login request; the slot, or 0 when refused ("CMD_full+") or closed."""
        m = await self.next(timeout)
        if not m or not m.startswith("CMD_sendlogininfo+"):
            return 0
        self.slot = int(m.split("+")[1])
        self.send("CMD_logininfo+%d+%s+%s" % (self.slot, VERSION, name))
        ok = await self.next(timeout, match="CMD_newplayerinfo")
        return self.slot if ok else 0

    def close(self):
        if self.writer:
            try:
                self.writer.transport.abort()
            except Exception:
                pass
        if self._task:
            self._task.cancel()


def percentile(values, p):
    if not values:
        return float("nan")
    v = sorted(values)
    k = min(len(v) - 1, max(0, int(round(p / 100.0 * (len(v) - 1)))))
    return v[k]


class RelayProbe:
    """A logged-in player that chats a numbered line every `interval` seconds and times the
    host's relay of each line back to itself."""

    def __init__(self, client, interval=0.33):
        self.client = client
        self.interval = interval
        self.sent = {}
        self.latencies = []
        self.order_ok = True
        self._last = -1
        self._n = 0
        self._running = False
        pattern = re.compile(r"^CMD_chat\+%d\+\S+ chats: probe (\d+)\|" % client.slot)
        def seen(text, now):
            m = pattern.match(text)
            if not m:
                return
            n = int(m.group(1))
            if n <= self._last:
                self.order_ok = False
            self._last = n
            t = self.sent.pop(n, None)
            if t is not None:
                self.latencies.append((now - t) * 1000.0)
        client.on_message = seen

    async def run(self, seconds):
        """Chats for `seconds`, then waits a little for the last relays; returns (sent, lost)."""
        self.latencies = []
        end = time.monotonic() + seconds
        count = 0
        while time.monotonic() < end and not self.client.closed:
            self.sent[self._n] = time.monotonic()
            self.client.send("CMD_chat+%d+probe %d|clBlack" % (self.client.slot, self._n))
            self._n += 1
            count += 1
            await asyncio.sleep(self.interval)
        await asyncio.sleep(1.0)
        lost = len(self.sent)
        self.sent.clear()
        return count, lost
