#!/usr/bin/env python3
"""Draws the particle textures (white shapes on transparent, tinted by the effects) as small
PNG files into textures/. Run it again after changing a shape; the output is deterministic."""
import math
import os
import random
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))


def write_png(name, width, height, pixel):
    rows = bytearray()
    for y in range(height):
        rows.append(0)
        for x in range(width):
            a = max(0, min(255, int(round(pixel(x + 0.5, y + 0.5) * 255))))
            rows += bytes((255, 255, 255, a))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    png = b"\x89PNG\r\n\x1a\n"
    png += chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(bytes(rows), 9))
    png += chunk(b"IEND", b"")
    with open(os.path.join(HERE, "textures", name + ".png"), "wb") as f:
        f.write(png)


def smooth(t):
    t = max(0.0, min(1.0, t))
    return t * t * (3 - 2 * t)


def soft(x, y, size=64):
    r = math.hypot(x - size / 2, y - size / 2) / (size / 2)
    return (1 - smooth(r)) ** 1.5


def spark(x, y, size=32):
    r = math.hypot(x - size / 2, y - size / 2) / (size / 2)
    return min(1.0, (1 - smooth(r)) ** 3 * 1.6)


def star(x, y, size=64):
    dx, dy = (x - size / 2) / (size / 2), (y - size / 2) / (size / 2)
    r = math.hypot(dx, dy)
    rays = max(0.0, 1 - abs(dx) * 12) * (1 - abs(dy)) + max(0.0, 1 - abs(dy) * 12) * (1 - abs(dx))
    return min(1.0, rays * 0.9 + (1 - smooth(r * 2.2)))


def ring(x, y, size=64):
    r = math.hypot(x - size / 2, y - size / 2) / (size / 2)
    return max(0.0, 1 - abs(r - 0.75) * 6)


def drop(x, y, w=8, h=64):
    across = 1 - abs(x - w / 2) / (w / 2)
    along = y / h
    return max(0.0, across) * smooth(along) * (1 - smooth((along - 0.9) * 10))


def flake(x, y, size=32):
    dx, dy = x - size / 2, y - size / 2
    r = math.hypot(dx, dy) / (size / 2)
    a = math.atan2(dy, dx)
    arm = abs(math.sin(a * 3))
    body = max(0.0, 1 - arm * r * 6) * (1 - smooth(r))
    return min(1.0, body + (1 - smooth(r * 3)))


random.seed(7)
NOISE = [[random.random() for _ in range(9)] for _ in range(9)]


def noise(u, v):
    x0, y0 = int(u), int(v)
    fx, fy = smooth(u - x0), smooth(v - y0)
    a = NOISE[y0 % 9][x0 % 9] * (1 - fx) + NOISE[y0 % 9][(x0 + 1) % 9] * fx
    b = NOISE[(y0 + 1) % 9][x0 % 9] * (1 - fx) + NOISE[(y0 + 1) % 9][(x0 + 1) % 9] * fx
    return a * (1 - fy) + b * fy


def smoke(x, y, size=64):
    r = math.hypot(x - size / 2, y - size / 2) / (size / 2)
    n = noise(x / 8, y / 8) * 0.6 + noise(x / 4, y / 4) * 0.4
    return max(0.0, (1 - smooth(r)) * (0.55 + n * 0.7)) * 0.9


def leaf(x, y, size=32):
    u, v = (x - size / 2) / (size / 2), (y - size / 2) / (size / 2)
    body = (u / 0.45) ** 2 + v ** 2
    vein = 0.25 if abs(u) < 0.06 and abs(v) < 0.85 else 0.0
    return max(0.0, 1 - smooth((body - 0.8) * 5)) - vein


def feather(x, y, w=16, h=32):
    u, v = (x - w / 2) / (w / 2), (y - h / 2) / (h / 2)
    body = (u / 0.8) ** 2 + v ** 2
    return max(0.0, 1 - smooth((body - 0.7) * 4)) * (0.7 + 0.3 * abs(math.sin(v * 9)))


def butterfly(x, y, w=64, h=32):
    frame = int(x // 32)
    u, v = (x % 32 - 16) / 16, (y - 16) / 16
    span = 0.95 if frame == 0 else 0.35
    wing = ((abs(u) - span * 0.5) / (span * 0.5 + 0.01)) ** 2 + ((v + 0.2) / 0.6) ** 2
    lower = ((abs(u) - span * 0.35) / (span * 0.35 + 0.01)) ** 2 + ((v - 0.45) / 0.4) ** 2
    bodyline = 1.0 if abs(u) < 0.08 and abs(v) < 0.7 else 0.0
    return min(1.0, max(0.0, 1 - smooth((min(wing, lower) - 0.8) * 4)) + bodyline)


write_png("soft", 64, 64, soft)
write_png("spark", 32, 32, spark)
write_png("star", 64, 64, star)
write_png("ring", 64, 64, ring)
write_png("drop", 8, 64, drop)
write_png("flake", 32, 32, flake)
write_png("smoke", 64, 64, smoke)
write_png("leaf", 32, 32, leaf)
write_png("feather", 16, 32, feather)
write_png("butterfly", 64, 32, butterfly)
