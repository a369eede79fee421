#!/usr/bin/env python3
"""A TCP relay on loopback that delays every byte by a fixed time each way and
logs the client's requests.

    scripts/relais.py LISTEN_PORT TARGET_PORT DELAY_MS LOG [START_MS]

Listens on 127.0.0.1:LISTEN_PORT; each connection is joined to
127.0.0.1:TARGET_PORT. What one side sends reaches the other DELAY_MS later
(in order), so 100 ms each way is 200 ms of round trip. START_MS (default
DELAY_MS) is the delay until the first signal: SIGUSR1 sets START_MS again,
SIGUSR2 DELAY_MS (a game's start may go fast and its days slow). Each whole
frame the client sends is written to LOG as one line: milliseconds since the
relay started, the connection's number, the frame type and, for a remote call
(type 1), its request id (else -1), for a single value's call (1000, 1003) its
four arguments; a change of delay as "# delay MS". Ends on
SIGTERM or SIGINT.
"""
import heapq
import selectors
import signal
import socket
import struct
import sys
import time

FRAME_MAGIC = 0x4E4D4C56   # the frame header's magic
KOPF = 16                  # frame header: magic, type, length, sequence
BLOCK_KOPF = 16            # a request's block header: magic, id, type length, team


def main():
    if len(sys.argv) not in (5, 6):
        sys.stderr.write(__doc__)
        return 2
    hoeren, ziel, verzug_ms, logname = int(sys.argv[1]), int(sys.argv[2]), int(sys.argv[3]), sys.argv[4]
    start_ms = int(sys.argv[5]) if len(sys.argv) == 6 else verzug_ms
    log = open(logname, "w", buffering=1)
    start = time.monotonic()
    verzug = [start_ms / 1000.0]

    def setzen(ms):
        verzug[0] = ms / 1000.0
        log.write(f"# delay {ms}\n")
    setzen(start_ms)
    signal.signal(signal.SIGUSR1, lambda *_: setzen(start_ms))
    signal.signal(signal.SIGUSR2, lambda *_: setzen(verzug_ms))
    sel = selectors.DefaultSelector()
    lausch = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    lausch.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    lausch.bind(("127.0.0.1", hoeren))
    lausch.listen(16)
    lausch.setblocking(False)
    sel.register(lausch, selectors.EVENT_READ, None)
    faellig = []            # (time due, order, target socket, bytes)
    reihe = [0]
    partner = {}            # socket -> the other side's socket
    puffer = {}             # client socket -> bytes of the client's stream not yet a whole frame
    nummer = {}             # client socket -> the connection's number
    ausgang = {}            # socket -> bytes due but not yet taken by it
    zuletzt = {}            # socket -> when what it sent last is due at the other side
    laufen = [True]

    def ende(*_):
        laufen[0] = False
    signal.signal(signal.SIGTERM, ende)
    signal.signal(signal.SIGINT, ende)

    def schliessen(s):
        for x in (s, partner.get(s)):
            if x is None or x not in partner:
                continue
            try:
                sel.unregister(x)
            except (KeyError, ValueError):
                pass
            x.close()
            partner.pop(x, None)
            puffer.pop(x, None)
            ausgang.pop(x, None)

    def frames_loggen(s, daten):
        b = puffer[s] + daten
        jetzt = int((time.monotonic() - start) * 1000)
        while len(b) >= KOPF:
            magic, typ, laenge, _ = struct.unpack_from("<IIII", b, 0)
            if magic != FRAME_MAGIC:
                log.write(f"{jetzt} {nummer[s]} bad -1\n")
                b = b""
                break
            if len(b) < KOPF + laenge:
                break
            anfrage, werte = -1, ""
            if typ == 1 and laenge >= BLOCK_KOPF:
                anfrage, typ_laenge = struct.unpack_from("<iI", b, KOPF + 4)
                # A single value's call: its four arguments (mode or icon, player
                # or club, value, operation) after the type string.
                stelle = KOPF + BLOCK_KOPF + typ_laenge
                if anfrage in (1000, 1003) and stelle + 16 <= KOPF + laenge:
                    werte = " " + " ".join(str(w) for w in struct.unpack_from("<iiii", b, stelle))
            log.write(f"{jetzt} {nummer[s]} {typ} {anfrage}{werte}\n")
            b = b[KOPF + laenge:]
        puffer[s] = b

    while laufen[0]:
        jetzt = time.monotonic()
        while faellig and faellig[0][0] <= jetzt:
            _, _, s, d = heapq.heappop(faellig)
            if s in partner:
                ausgang[s] = ausgang.get(s, b"") + d
        for s in list(ausgang):
            if not ausgang[s]:
                continue
            try:
                n = s.send(ausgang[s])
                ausgang[s] = ausgang[s][n:]
            except BlockingIOError:
                pass
            except OSError:
                schliessen(s)
        warten = 0.05
        if faellig:
            warten = max(0.0, min(warten, faellig[0][0] - time.monotonic()))
        if any(ausgang.values()):
            warten = min(warten, 0.002)
        for key, _ in sel.select(warten):
            s = key.fileobj
            if s is lausch:
                try:
                    c, _ = lausch.accept()
                except BlockingIOError:
                    continue
                z = socket.create_connection(("127.0.0.1", ziel))
                for x in (c, z):
                    x.setblocking(False)
                    x.setsockopt(socket.IPPROTO_TCP, socket.TCP_NODELAY, 1)
                    sel.register(x, selectors.EVENT_READ, None)
                partner[c], partner[z] = z, c
                puffer[c] = b""
                nummer[c] = len(nummer) + 1
                continue
            if s not in partner:
                continue
            try:
                d = s.recv(1 << 16)
            except BlockingIOError:
                continue
            except OSError:
                d = b""
            if not d:
                schliessen(s)
                continue
            if s in puffer:
                frames_loggen(s, d)
            reihe[0] += 1
            # Never before what the same side sent earlier (the delay may just have dropped).
            t = max(time.monotonic() + verzug[0], zuletzt.get(s, 0.0))
            zuletzt[s] = t
            heapq.heappush(faellig, (t, reihe[0], partner[s], d))
    log.close()
    return 0


if __name__ == "__main__":
    sys.exit(main())
