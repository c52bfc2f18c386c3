"""An overview of all pictures, enlarged and at their own size, on dark blue and on light grey."""

from formats import VGA_PALETTE
from pictures import BACKGROUND

LIGHT_GREY = (212, 208, 200)
MARGIN = 16
ZOOM = 4
TEXTURE_ZOOM = 2
# Where the bullets of the four option rows sit on the switcher's background, in pixels.
BULLET_PLACES = [(6, 16), (6, 42), (6, 67), (6, 95)]


def _rgba_from_indexed(image):
    return [[(0, 0, 0, 0) if p is None else VGA_PALETTE[p] + (255,) for p in row] for row in image]


class Canvas:
    def __init__(self, width, height, colour):
        self.rows = [[colour] * width for _ in range(height)]

    def fill(self, x0, y0, width, height, colour):
        for y in range(y0, y0 + height):
            self.rows[y][x0:x0 + width] = [colour] * width

    def paste(self, rgba, x0, y0, zoom=1):
        """Nearest-neighbour enlargement, blended by straight alpha."""
        for j, row in enumerate(rgba):
            for i, (r, g, b, a) in enumerate(row):
                for y in range(y0 + j * zoom, y0 + (j + 1) * zoom):
                    for x in range(x0 + i * zoom, x0 + (i + 1) * zoom):
                        under = self.rows[y][x]
                        self.rows[y][x] = tuple((c * a + u * (255 - a) + 127) // 255
                                                for c, u in zip((r, g, b), under))


def contact_sheet(icons, texture, bullet):
    """icons: [(name, {size: indexed image})]; texture: RGB rows; bullet: RGBA rows."""
    column = 32 * ZOOM + MARGIN
    panel_height = MARGIN + 32 * ZOOM + MARGIN + 16 * ZOOM + MARGIN + 32 + MARGIN
    icons_width = MARGIN + column * len(icons) + len(bullet[0]) * ZOOM + MARGIN
    texture_size = len(texture) * TEXTURE_ZOOM
    width = icons_width + texture_size + MARGIN
    height = max(2 * panel_height, texture_size + 2 * MARGIN)
    canvas = Canvas(width, height, LIGHT_GREY)
    canvas.fill(0, 0, width, panel_height, BACKGROUND)

    for panel_top in (0, panel_height):
        x = MARGIN
        for _, images in icons:
            top = panel_top + MARGIN
            canvas.paste(_rgba_from_indexed(images[32]), x, top, ZOOM)
            top += 32 * ZOOM + MARGIN
            canvas.paste(_rgba_from_indexed(images[16]), x, top, ZOOM)
            top += 16 * ZOOM + MARGIN
            canvas.paste(_rgba_from_indexed(images[32]), x, top)
            canvas.paste(_rgba_from_indexed(images[16]), x + 32 + MARGIN, top + 8)
            x += column
        canvas.paste(bullet, x, panel_top + MARGIN, ZOOM)
        canvas.paste(bullet, x, panel_top + MARGIN + len(bullet) * ZOOM + MARGIN)

    texture_x = icons_width
    canvas.fill(texture_x - MARGIN // 2, 0, texture_size + MARGIN + MARGIN // 2, height, BACKGROUND)
    rgba_texture = [[p + (255,) for p in row] for row in texture]
    canvas.paste(rgba_texture, texture_x, MARGIN, TEXTURE_ZOOM)
    for bx, by in BULLET_PLACES:
        canvas.paste(bullet, texture_x + bx * TEXTURE_ZOOM, MARGIN + by * TEXTURE_ZOOM, TEXTURE_ZOOM)
    return canvas.rows
