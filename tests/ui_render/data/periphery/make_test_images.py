#!/usr/bin/env python3
"""Writes the images of the UI periphery tests beside this script: run-length TGA files and one
uncompressed A8R8G8B8 DDS file, drawn from the rules below. Run it again after changing them."""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))

RED = (255, 0, 0, 255)
GREEN = (0, 255, 0, 255)
BLUE = (0, 0, 255, 255)
WHITE = (255, 255, 255, 255)
GREY = (128, 128, 128, 255)


def bgra(colour):
    r, g, b, a = colour
    return bytes((b, g, r, a))


def write_tga(path, width, height, colour_at):
    """Type 10 (run-length true colour), 32 bits, rows from the top; runs never cross a row."""
    out = bytearray(struct.pack("<BBBHHBHHHHBB", 0, 0, 10, 0, 0, 0, 0, 0, width, height, 32, 0x28))
    for y in range(height):
        x = 0
        while x < width:
            colour = colour_at(x, y)
            run = 1
            while x + run < width and run < 128 and colour_at(x + run, y) == colour:
                run += 1
            out += bytes((0x80 | (run - 1),)) + bgra(colour)
            x += run
    write(path, out)


def write_dds(path, width, height, colour_at):
    """One level of A8R8G8B8."""
    flags = 0x1 | 0x2 | 0x4 | 0x8 | 0x1000  # caps, height, width, pitch, pixel format
    header = struct.pack("<4sIIIIIII", b"DDS ", 124, flags, height, width, width * 4, 0, 1)
    header += bytes(44)
    header += struct.pack("<IIIIIIII", 32, 0x41, 0, 32, 0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000)
    header += struct.pack("<IIIII", 0x1000, 0, 0, 0, 0)
    pixels = b"".join(bgra(colour_at(x, y)) for y in range(height) for x in range(width))
    write(path, header + pixels)


def write(path, data):
    full = os.path.join(HERE, path)
    os.makedirs(os.path.dirname(full), exist_ok=True)
    with open(full, "wb") as f:
        f.write(data)


def quadrants(size):
    half = size // 2
    return lambda x, y: (RED if x < half else GREEN) if y < half else (BLUE if x < half else WHITE)


# Full-screen images: opaque quadrants, and white at half opacity.
write_tga("screens/curtain.tga", 16, 16, quadrants(16))
write_tga("screens/veil.tga", 16, 16, lambda x, y: (255, 255, 255, 128))
# A tintable image: the same quadrants.
write_tga("tinted/glass.tga", 16, 16, quadrants(16))
# A large image, 512 x 256: red left half, blue right half, a green band over its bottom quarter.
write_tga("large/vista.tga", 512, 256, lambda x, y: GREEN if y >= 192 else (RED if x < 256 else BLUE))
# An image of no power-of-two size, 40 x 24: loaded as a 64 x 32 texture.
write_tga("uneven/pane.tga", 40, 24, lambda x, y: GREEN)
# A regions map "s": a grey base; tints naming the region of cell (0, 0) on the left half and
# the last cell (no region) on the right half.
write_tga("maps/s/s_base.tga", 32, 32, lambda x, y: GREY)
write_tga("maps/s/s_tints.tga", 32, 32, lambda x, y: (0, 0, 0, 255) if x < 16 else (255, 255, 0, 255))
# A colourisable image: columns of pure red, green, blue and red.
write_dds("crests/crest.dds", 4, 4, lambda x, y: (RED, GREEN, BLUE, RED)[x])
