#!/usr/bin/env python3
"""Checks that the plot areas in a picture of the two charts stand on the
same left and right edges.

Usage: plot_edges.py IMAGE [X Y WIDTH HEIGHT]

The plot frames are drawn in one grey (150, 150, 150). Each frame's left
and right side is a column with a long run of that grey (the ticks beside
them are short); there must be at least two frames (four sides), and the
sides must stand in two columns only (one pixel of tolerance): the left
ones and the right ones. Reads the picture through ImageMagick.
"""
import subprocess
import sys

FRAME = bytes((150, 150, 150))


def read_ppm(path, crop):
    args = ["convert", path]
    if crop:
        x, y, w, h = crop
        args += ["-crop", f"{w}x{h}+{x}+{y}", "+repage"]
    data = subprocess.run(args + ["-depth", "8", "ppm:-"], check=True, stdout=subprocess.PIPE).stdout
    fields, at = [], 0
    while len(fields) < 4:  # magic, width, height, maximum
        while data[at:at + 1].isspace():
            at += 1
        end = at
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(data[at:end])
        at = end
    width, height = int(fields[1]), int(fields[2])
    return width, height, data[at + 1:]


def frame_sides(width, height, pixels, shortest=30):
    sides = []
    for x in range(width):
        y = 0
        while y < height:
            if pixels[(y * width + x) * 3:(y * width + x) * 3 + 3] != FRAME:
                y += 1
                continue
            start = y
            while y < height and pixels[(y * width + x) * 3:(y * width + x) * 3 + 3] == FRAME:
                y += 1
            if y - start >= shortest:
                sides.append((x, start, y - 1))
    return sides


def columns(sides):
    groups = []
    for x in sorted({side[0] for side in sides}):
        if groups and x - groups[-1][-1] <= 1:
            groups[-1].append(x)
        else:
            groups.append([x])
    return groups


def main():
    if len(sys.argv) not in (2, 6):
        print(__doc__, file=sys.stderr)
        return 2
    crop = tuple(int(v) for v in sys.argv[2:]) if len(sys.argv) == 6 else None
    sides = frame_sides(*read_ppm(sys.argv[1], crop))
    print("frame sides (column, first, last row):", sides)
    if len(sides) < 4:
        print("fewer than two plot frames found", file=sys.stderr)
        return 1
    if len(columns(sides)) != 2:
        print("the plot areas do not stand on the same edges", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
