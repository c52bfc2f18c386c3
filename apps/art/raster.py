"""Shape tests, a supersampled palette renderer and seeded noise.

Coordinates are in pixels with (0, 0) the top-left corner of the image and y
growing downwards; pixel (i, j) covers the square [i, i+1) x [j, j+1).
A shape is a function inside(x, y) -> bool.
"""

import math

# ---------------------------------------------------------------- shapes


def rect(x0, y0, x1, y1):
    return lambda x, y: x0 <= x < x1 and y0 <= y < y1


def superellipse(cx, cy, rx, ry, power):
    """Between an ellipse (power 2) and a rectangle (large power)."""
    return lambda x, y: abs((x - cx) / rx) ** power + abs((y - cy) / ry) ** power <= 1.0


def round_rect(x0, y0, x1, y1, radius):
    def inside(x, y):
        if not (x0 <= x < x1 and y0 <= y < y1):
            return False
        dx = max(x0 + radius - x, 0.0, x - (x1 - radius))
        dy = max(y0 + radius - y, 0.0, y - (y1 - radius))
        return dx * dx + dy * dy <= radius * radius
    return inside


def polygon(points):
    """Even-odd rule."""
    edges = list(zip(points, points[1:] + points[:1]))

    def inside(x, y):
        crossings = False
        for (xa, ya), (xb, yb) in edges:
            if (ya > y) != (yb > y) and x < xa + (y - ya) * (xb - xa) / (yb - ya):
                crossings = not crossings
        return crossings
    return inside


def stroke(points, width):
    """A polyline drawn with a round pen of the given width."""
    half_sq = (width / 2.0) ** 2
    segments = list(zip(points, points[1:]))

    def inside(x, y):
        for (xa, ya), (xb, yb) in segments:
            dx, dy = xb - xa, yb - ya
            length_sq = dx * dx + dy * dy
            t = 0.0 if length_sq == 0 else max(0.0, min(1.0, ((x - xa) * dx + (y - ya) * dy) / length_sq))
            px, py = xa + t * dx - x, ya + t * dy - y
            if px * px + py * py <= half_sq:
                return True
        return False
    return inside


def bezier(p0, p1, p2, p3, steps=24):
    """Points along a cubic Bezier curve, for stroke()."""
    points = []
    for i in range(steps + 1):
        t = i / steps
        u = 1 - t
        points.append(tuple(u**3 * a + 3 * u * u * t * b + 3 * u * t * t * c + t**3 * d
                            for a, b, c, d in zip(p0, p1, p2, p3)))
    return points


def both(a, b):
    return lambda x, y: a(x, y) and b(x, y)


def minus(a, b):
    return lambda x, y: a(x, y) and not b(x, y)


def shifted(shape, dx, dy):
    return lambda x, y: shape(x - dx, y - dy)


def rim(shape, dx, dy):
    """The part of a shape that a copy moved by (dx, dy) leaves uncovered: a crescent on
    the side opposite the move, used for highlights and shading."""
    return minus(shape, shifted(shape, dx, dy))


# ---------------------------------------------------------------- palette images


def render_indexed(width, height, layers, samples=4):
    """Rasterises (palette index, shape) layers, later ones on top. Each pixel takes the
    colour that covers most of its sub-samples; ties go to the upper layer, so edges
    half covered are drawn rather than dropped."""
    image = []
    for j in range(height):
        row = []
        for i in range(width):
            votes = {}
            for sy in range(samples):
                y = j + (sy + 0.5) / samples
                for sx in range(samples):
                    x = i + (sx + 0.5) / samples
                    top = -1
                    for rank, (_, shape) in enumerate(layers):
                        if shape(x, y):
                            top = rank
                    votes[top] = votes.get(top, 0) + 1
            winner = max(votes, key=lambda rank: (votes[rank], rank))
            row.append(None if winner < 0 else layers[winner][0])
        image.append(row)
    return image


def outline(image, colour, thickness=1):
    """Recolours the opaque pixels within `thickness` 4-neighbour steps of a transparent
    pixel (or of the image border) with `colour`: a dark rim that keeps the silhouette."""
    height, width = len(image), len(image[0])
    # A transparent frame around the image makes the border count as outside.
    padded = [[None] * (width + 2)] + [[None] + row + [None] for row in image] + [[None] * (width + 2)]
    distance = [[0 if p is None else None for p in row] for row in padded]
    frontier = [(i, j) for j in range(height + 2) for i in range(width + 2) if padded[j][i] is None]
    for step in range(1, thickness + 1):
        next_frontier = []
        for i, j in frontier:
            for ni, nj in ((i + 1, j), (i - 1, j), (i, j + 1), (i, j - 1)):
                if 0 <= ni < width + 2 and 0 <= nj < height + 2 and distance[nj][ni] is None:
                    distance[nj][ni] = step
                    next_frontier.append((ni, nj))
        frontier = next_frontier
    return [[colour if distance[j + 1][i + 1] else image[j][i] for i in range(width)]
            for j in range(height)]


def underlay(image, below):
    """`image` with the pixels of `below` showing where `image` is transparent."""
    return [[b if p is None else p for p, b in zip(row, below_row)] for row, below_row in zip(image, below)]


# ---------------------------------------------------------------- noise


def hash01(*values, seed=0):
    """A stable hash of integers to [0, 1); the same on every Python version and platform."""
    h = (seed * 0x9E3779B1 + 0x85EBCA6B) & 0xFFFFFFFF
    for v in values:
        h ^= (v * 0x27D4EB2F) & 0xFFFFFFFF
        h = (h ^ (h >> 15)) * 0x2C1B3C6D & 0xFFFFFFFF
        h = (h ^ (h >> 12)) * 0x297A2D39 & 0xFFFFFFFF
        h ^= h >> 15
    return h / 2**32


def value_noise(x, y, seed):
    """Smoothly interpolated lattice noise in [0, 1)."""
    ix, iy = math.floor(x), math.floor(y)
    fx, fy = x - ix, y - iy
    sx, sy = fx * fx * (3 - 2 * fx), fy * fy * (3 - 2 * fy)
    top = hash01(ix, iy, seed=seed) * (1 - sx) + hash01(ix + 1, iy, seed=seed) * sx
    bottom = hash01(ix, iy + 1, seed=seed) * (1 - sx) + hash01(ix + 1, iy + 1, seed=seed) * sx
    return top * (1 - sy) + bottom * sy


def fractal_noise(x, y, seed, octaves=4):
    """Octaves of value noise, each twice as fine and half as strong; result in [0, 1)."""
    total, weight, amplitude, frequency = 0.0, 0.0, 1.0, 1.0
    for octave in range(octaves):
        total += amplitude * value_noise(x * frequency, y * frequency, seed + 101 * octave)
        weight += amplitude
        amplitude *= 0.5
        frequency *= 2.0
    return total / weight


class Random:
    """xorshift32: a fixed sequence for a given seed, independent of Python's own generator."""

    def __init__(self, seed):
        self.state = (seed & 0xFFFFFFFF) or 1

    def next01(self):
        s = self.state
        s ^= (s << 13) & 0xFFFFFFFF
        s ^= s >> 17
        s ^= (s << 5) & 0xFFFFFFFF
        self.state = s
        return s / 2**32

    def uniform(self, low, high):
        return low + (high - low) * self.next01()
