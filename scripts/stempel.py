#!/usr/bin/env python3
"""Copies standard input to a file, each line led by the seconds since the
epoch with milliseconds, as it arrives (a game's debug output timed for
scripts/netz_runde.sh).

    PROGRAM 2>&1 | scripts/stempel.py LOG
"""
import sys
import time


def main():
    if len(sys.argv) != 2:
        sys.stderr.write(__doc__)
        return 2
    with open(sys.argv[1], "a", buffering=1, encoding="utf-8", errors="replace") as log:
        for zeile in sys.stdin.buffer:
            log.write(f"{time.time():.3f} {zeile.decode('utf-8', 'replace')}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
