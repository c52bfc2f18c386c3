"""The pictures themselves, drawn from shapes and noise.

Icons in 16 colours are drawn separately for 32x32 and 16x16, so the small one is
shaped for its pixel grid rather than shrunk from the large one.
"""

import math

from raster import (Random, both, bezier, fractal_noise, hash01, outline, polygon,
                    rect, render_indexed, rim, round_rect, stroke, superellipse, underlay)

# Indices into the VGA palette (formats.VGA_PALETTE).
BLACK, OLIVE, NAVY, SILVER, GRAY, LIME, YELLOW, BLUE, AQUA, WHITE = 0, 3, 4, 7, 8, 10, 11, 12, 14, 15

ICON_SIZES = (32, 16)


# ---------------------------------------------------------------- mouse


def mouse(size):
    """A computer mouse seen from above: body, two buttons, cable leaving at the top."""
    if size == 32:
        body = superellipse(16, 19.5, 9.5, 12, 2.4)
        split_y = 16.5
        cable = stroke(bezier((16, 9), (16, 1.5), (22, 2), (23.5, 4))
                       + bezier((23.5, 4), (25, 6), (29, 5), (30.5, 1.5))[1:], 1.6)
        shine = 3.0
    else:
        body = superellipse(8, 9.5, 5.5, 6.5, 2.4)
        split_y = 8.5
        cable = stroke(bezier((8, 4), (8, 0.5), (13, 2.5), (15.5, 0.5)), 1.0)
        shine = 2.0
    half = size / 2
    buttons_line = both(body, lambda x, y: split_y - 1 <= y < split_y
                        or (y < split_y and half - 0.5 <= x < half + 0.5))
    # Highlight and shade are one pixel wider than they show: the outline covers the rest.
    image = outline(render_indexed(size, size, [
        (SILVER, body),
        (WHITE, rim(body, shine, shine)),
        (GRAY, rim(body, -shine, -shine)),
        (GRAY, buttons_line),
    ]), BLACK)
    # The cable goes on afterwards without a rim: grey shows on dark and on light task bars.
    return underlay(image, render_indexed(size, size, [(GRAY, cable)]))


# ---------------------------------------------------------------- arrows


def arrow(direction, size):
    """A bold filled arrow with a black rim, readable on dark and light task bars. The
    outline is turned, not the pixels, so every direction is lit from the top left."""
    if size == 32:
        points = [(16, 0.5), (31, 15.5), (22, 15.5), (22, 31), (10, 31), (10, 15.5), (1, 15.5)]
        shine, shade = 2.0, 2.0
    else:
        # Too small for a shaded side: it would eat the yellow that makes it readable.
        points = [(8, 0.2), (15.8, 8), (11, 8), (11, 15.8), (5, 15.8), (5, 8), (0.2, 8)]
        shine, shade = 1.5, 0.0
    for _ in range({"up": 0, "right": 1, "down": 2, "left": 3}[direction]):
        points = [(size - y, x) for x, y in points]
    shape = polygon(points)
    image = render_indexed(size, size, [
        (YELLOW, shape),
        (WHITE, rim(shape, shine, shine)),
        (OLIVE, rim(shape, -shade, -shade)),
    ])
    return outline(image, BLACK)


# ---------------------------------------------------------------- monitor


def monitor(size):
    """A computer monitor: light bezel, blue screen with a glare, neck and foot."""
    if size == 32:
        bezel = round_rect(1, 2, 31, 24, 2)
        frame = rect(4, 5, 28, 21)
        screen = rect(5, 6, 27, 20)
        led = rect(25, 21.5, 27, 23)
        neck = rect(13, 24, 19, 27)
        foot = round_rect(7, 26.5, 25, 31, 1.5)
        glare = lambda x, y: 16 <= x + y < 19.5 or 21 <= x + y < 22.5
        shade = 2.0
    else:
        bezel = round_rect(0, 1, 16, 12.5, 1)
        frame = rect(2, 3, 14, 11)
        screen = rect(3, 4, 13, 10)
        led = rect(12, 11, 13, 12)
        neck = rect(6, 12, 10, 14)
        foot = rect(3, 13.5, 13, 16)
        glare = lambda x, y: 9 <= x + y < 10.5
        shade = 1.0
    # Bezel and foot rims are one pixel wider than they show: the outline covers the rest.
    image = render_indexed(size, size, [
        (GRAY, neck),
        (SILVER, foot),
        (GRAY, rim(foot, -2, -2)),
        (SILVER, bezel),
        (WHITE, rim(bezel, 2, 2)),
        (GRAY, rim(bezel, -2, -2)),
        (BLACK, frame),
        (BLUE, screen),
        (NAVY, rim(screen, -shade, -shade)),
        (AQUA, both(screen, glare)),
        (LIME, led),
    ])
    return outline(image, BLACK)


# ---------------------------------------------------------------- background texture

BACKGROUND = (0, 0, 64)


def texture(width=150, height=150, seed=1964):
    """Dark-blue diagonal streaks around RGB(0, 0, 64), fine grain and a few light dots."""
    angle = math.radians(-18)
    cos_a, sin_a = math.cos(angle), math.sin(angle)
    rng = Random(seed)
    dots = [(rng.uniform(3, width - 3), rng.uniform(3, height - 3), rng.uniform(0.5, 1.1),
             rng.uniform(0.45, 1.0)) for _ in range(14)]
    rows = []
    for y in range(height):
        row = []
        for x in range(width):
            along = x * cos_a + y * sin_a
            across = -x * sin_a + y * cos_a
            streak = fractal_noise(along / 38.0, across / 2.2, seed, octaves=3)
            wash = fractal_noise(x / 55.0, y / 55.0, seed + 7, octaves=2)
            grain = hash01(x, y, seed=seed + 13) - 0.5
            blue = 64 + 52 * (streak - 0.5) + 22 * (wash - 0.5) + 6 * grain
            glow = 0.0
            for dx, dy, radius, strength in dots:
                d_sq = (x + 0.5 - dx) ** 2 + (y + 0.5 - dy) ** 2
                glow += strength * math.exp(-d_sq / (2 * radius * radius))
            glow = min(glow, 1.0)
            lift = max(blue - 64, 0.0)
            base = (0.12 * lift, 0.35 * lift + 1, blue)
            light = (170, 195, 255)
            row.append(tuple(_channel(b + (l - b) * glow) for b, l in zip(base, light)))
        rows.append(row)
    return rows


def _channel(value):
    return max(0, min(255, int(round(value))))


# ---------------------------------------------------------------- bullet


def bullet(size=14, samples=8):
    """A glossy blue ball lit from the top left, with straight alpha at its rim."""
    centre, radius = size / 2.0, size / 2.0 - 0.4
    light = _normalised((-0.55, -0.65, 0.75))
    half_way = _normalised((light[0], light[1], light[2] + 1.0))
    dark, bright = (0, 18, 95), (60, 140, 255)
    rows = []
    for j in range(size):
        row = []
        for i in range(size):
            total = [0.0, 0.0, 0.0]
            covered = 0
            for sy in range(samples):
                for sx in range(samples):
                    nx = (i + (sx + 0.5) / samples - centre) / radius
                    ny = (j + (sy + 0.5) / samples - centre) / radius
                    rr = nx * nx + ny * ny
                    if rr > 1.0:
                        continue
                    normal = (nx, ny, math.sqrt(1.0 - rr))
                    diffuse = max(0.0, _dot(normal, light))
                    gloss = max(0.0, _dot(normal, half_way)) ** 20
                    # Light bounced up from below brightens the lower-right rim a little.
                    bounce = max(0.0, _dot(normal, _normalised((0.5, 0.7, 0.2)))) ** 3 * 0.35
                    level = min(1.0, 0.15 + 0.85 * diffuse + bounce)
                    for c in range(3):
                        value = dark[c] + (bright[c] - dark[c]) * level
                        total[c] += value + (255 - value) * gloss
                    covered += 1
            if covered == 0:
                row.append((0, 0, 0, 0))
            else:
                alpha = _channel(255 * covered / samples ** 2)
                row.append(tuple(_channel(t / covered) for t in total) + (alpha,))
        rows.append(row)
    return rows


def _dot(a, b):
    return sum(p * q for p, q in zip(a, b))


def _normalised(v):
    length = math.sqrt(_dot(v, v))
    return tuple(c / length for c in v)
