#!/usr/bin/env python3
"""Makes the benchmark's SH3-shaped tree: about 8,000 files of log-normal sizes in a few hundred
nested folders, 20 files of 5 to 50 MB and 2 of 250 MB (about 1.4 GB), the same bytes every time.
Usage: make_tree.py DEST"""
import os
import random
import sys

MB = 1 << 20


def main():
    dest = sys.argv[1]
    rng = random.Random(1943)
    folders = [""]
    for i in range(400):
        parent = rng.choice(folders) if len(folders) > 1 and rng.random() < 0.7 else ""
        if parent.count("/") >= 4:
            parent = ""
        folders.append(os.path.join(parent, "folder_%03d" % i))
    for f in folders:
        os.makedirs(os.path.join(dest, f), exist_ok=True)
    sizes = [min(int(rng.lognormvariate(9.6, 1.5)), 4 * MB) for _ in range(8000)]
    sizes += [rng.randint(5 * MB, 50 * MB) for _ in range(20)]
    sizes += [250 * MB, 250 * MB]
    block = rng.randbytes(64 * MB)
    for n, size in enumerate(sizes):
        path = os.path.join(dest, rng.choice(folders), "file_%05d.dat" % n)
        with open(path, "wb") as out:
            left, offset = size, (n * 7919) % MB
            while left > 0:
                chunk = block[offset:offset + min(left, len(block) - offset)]
                out.write(chunk)
                left -= len(chunk)
                offset = 0
    print("%d files, %d folders, %.2f GB" % (len(sizes), len(folders), sum(sizes) / 1e9))


main()
