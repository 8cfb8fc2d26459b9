#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""A whole game over a bad network. The test makes two network namespaces joined by a veth
pair: the host namespace runs a dedicated host and a relay in front of it that delays every
piece of data by 200 ms with 50 ms of jitter, stalls the stream now and then and splits what
it sends into small reads; the client namespace runs Ann, Bob and the late joiner Cy
(badnet_clients.py). Traffic stays inside the two namespaces.

    tools/netload/badnet.py --binary build/bramblies

Needs root and `ip` (iproute2); without them it prints why and exits 77 (skipped).
"""
import argparse
import os
import shutil
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
SKIP = 77
HOST_ADDR, CLIENT_ADDR = "10.213.13.1", "10.213.13.2"


def sh(*cmd, check=True):
    return subprocess.run(cmd, check=check, stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                          text=True)


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("--binary", required=True)
    args = ap.parse_args()
    binary = os.path.abspath(args.binary)
    if os.geteuid() != 0 or not shutil.which("ip"):
        print("badnet: skipped, network namespaces need root and iproute2")
        return SKIP
    tag = "%d" % os.getpid()
    ns_host, ns_cli = "bbh" + tag, "bbc" + tag
    veth_h, veth_c = "bbh" + tag[-8:], "bbc" + tag[-8:]
    procs = []
    try:
        try:
            sh("ip", "netns", "add", ns_host)
            sh("ip", "netns", "add", ns_cli)
            sh("ip", "link", "add", veth_h, "type", "veth", "peer", "name", veth_c)
            sh("ip", "link", "set", veth_h, "netns", ns_host)
            sh("ip", "link", "set", veth_c, "netns", ns_cli)
            for ns, dev, addr in ((ns_host, veth_h, HOST_ADDR), (ns_cli, veth_c, CLIENT_ADDR)):
                sh("ip", "-n", ns, "addr", "add", addr + "/30", "dev", dev)
                sh("ip", "-n", ns, "link", "set", dev, "up")
                sh("ip", "-n", ns, "link", "set", "lo", "up")
        except subprocess.CalledProcessError as e:
            print("badnet: skipped, cannot make network namespaces here (%s)"
                  % (e.stderr.strip() or e))
            return SKIP

        host_port, relay_port = 7772, 7773
        host = subprocess.Popen(["ip", "netns", "exec", ns_host, binary, "--dedicated-host",
                                 "--port", str(host_port), "--time-scale", "4"],
                                stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        procs.append(host)
        if "listening" not in host.stdout.readline():
            print("badnet: FAILED, the host did not start")
            return 1
        relay = subprocess.Popen(["ip", "netns", "exec", ns_host, sys.executable,
                                  os.path.join(HERE, "relay.py"), HOST_ADDR, str(relay_port),
                                  "127.0.0.1", str(host_port)],
                                 stdout=subprocess.PIPE, text=True)
        procs.append(relay)
        if "ready" not in relay.stdout.readline():
            print("badnet: FAILED, the relay did not start")
            return 1
        started = time.monotonic()
        game = subprocess.run(["ip", "netns", "exec", ns_cli, sys.executable,
                               os.path.join(HERE, "badnet_clients.py"), HOST_ADDR,
                               str(relay_port)], timeout=400)
        print("badnet: game over the bad network took %.0f s" % (time.monotonic() - started))
        if host.poll() is not None:
            print("badnet: FAILED, the host died")
            return 1
        return game.returncode
    finally:
        for p in procs:
            if p.poll() is None:
                p.terminate()
                try:
                    p.wait(10)
                except subprocess.TimeoutExpired:
                    p.kill()
        sh("ip", "netns", "del", ns_host, check=False)
        sh("ip", "netns", "del", ns_cli, check=False)


if __name__ == "__main__":
    sys.exit(main())
