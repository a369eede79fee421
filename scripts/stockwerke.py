#!/usr/bin/env python3
"""Counts which library folder includes which, and the floors that follows.

    scripts/stockwerke.py [--paare] [ROOT]

Reads every .h, .cpp and .c file of the library folders (the folders the top
CMakeLists.txt makes modules of with velmora_module, app/main left out as the
program it is) and counts each `#include "folder/..."` that names another library folder
(angle brackets name the system's headers). Prints one line per pair of folders,
"from -> to count", and then the floors: a folder's floor is one above the
highest floor of the folders it includes (a folder that includes none stands
on floor 0). A circle, which leaves no floor, is named and ends the script
with status 1. --paare prints the pairs only.
"""
import collections
import os
import re
import sys

# Quoted includes only: <net/if.h> is the system's, not the network folder.
EINBINDUNG = re.compile(r'^\s*#\s*include\s*"(?:\.\./|\./)*([^/"]+)/')
MODUL = re.compile(r'^\s*velmora_module\((\w+)')


def module(wurzel):
    with open(os.path.join(wurzel, "CMakeLists.txt"), encoding="utf-8") as f:
        return [m.group(1) for m in map(MODUL.match, f) if m]


def paare(wurzel, ordner):
    zahl = collections.Counter()
    for o in ordner:
        for verz, unter, dateien in os.walk(os.path.join(wurzel, o)):
            # app/main holds the game's program, not a part of the root's library.
            if o == "app":
                unter[:] = [u for u in unter if u != "main"]
            for d in dateien:
                if not d.endswith((".h", ".cpp", ".c")):
                    continue
                with open(os.path.join(verz, d), encoding="utf-8", errors="replace") as f:
                    for zeile in f:
                        m = EINBINDUNG.match(zeile)
                        if m and m.group(1) in ordner and m.group(1) != o:
                            zahl[(o, m.group(1))] += 1
    return zahl


def stockwerke(ordner, zahl):
    unten = {o: {b for (a, b) in zahl if a == o} for o in ordner}
    stock = {}
    while len(stock) < len(ordner):
        neu = {o: 1 + max((stock[b] for b in unten[o]), default=-1)
               for o in ordner if o not in stock and all(b in stock for b in unten[o])}
        if not neu:
            rest = sorted(o for o in ordner if o not in stock)
            print("circle among: " + " ".join(rest))
            sys.exit(1)
        stock.update(neu)
    return stock


def main():
    argumente = [a for a in sys.argv[1:] if not a.startswith("--")]
    wurzel = argumente[0] if argumente else os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
    ordner = module(wurzel)
    zahl = paare(wurzel, ordner)
    for (a, b) in sorted(zahl, key=lambda p: (ordner.index(p[0]), ordner.index(p[1]))):
        print(f"{a} -> {b} {zahl[(a, b)]}")
    if "--paare" in sys.argv:
        return
    stock = stockwerke(ordner, zahl)
    print()
    for s in range(max(stock.values()) + 1):
        print(f"floor {s}: " + " ".join(o for o in ordner if stock[o] == s))


if __name__ == "__main__":
    main()
