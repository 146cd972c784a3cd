#!/usr/bin/env python3
"""Draws the program icon (an open book with a pen on a blue tile) and writes
assets/velmora.ico with its eleven images: 48/32/24/16 px at 16 colours, 48/32/16 px at
256 colours, 128/48/32/16 px at 32 bpp with alpha. Output is deterministic."""

import os
import sys

from PIL import Image, ImageDraw

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import imgfiles  # noqa: E402

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'assets', 'velmora.ico')

# The standard 16-colour palette of 4 bpp icons.
VGA16 = [0, 0, 0, 128, 0, 0, 0, 128, 0, 128, 128, 0, 0, 0, 128, 128, 0, 128, 0, 128, 128, 192, 192, 192,
         128, 128, 128, 255, 0, 0, 0, 255, 0, 255, 255, 0, 0, 0, 255, 255, 0, 255, 0, 255, 255, 255, 255, 255]


def master(size, sixteen_colours=False):
    """The icon drawn 8x larger than size and scaled down; small sizes get bolder shapes.
    The 16-colour images get a flat tile in the palette's blue instead of the gradient."""
    S = 8
    n = size * S
    img = Image.new('RGBA', (n, n), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    small = size <= 24
    u = n / 16  # one unit of the 16-unit design grid
    inset = 0.3 * u if small else 0.6 * u
    # Tile: a vertical blue gradient with a darker rim.
    tile = Image.new('RGBA', (n, n), (0, 0, 0, 0))
    td = ImageDraw.Draw(tile)
    for y in range(n):
        t = y / n
        colour = (0, 0, 255) if sixteen_colours else (round(64 - 30 * t), round(140 - 50 * t), round(214 - 60 * t))
        td.line([(0, y), (n, y)], fill=colour + (255,))
    mask = Image.new('L', (n, n), 0)
    ImageDraw.Draw(mask).rounded_rectangle([inset, inset, n - inset, n - inset], 3 * u, fill=255)
    img.paste(tile, (0, 0), mask)
    d.rounded_rectangle([inset, inset, n - inset, n - inset], 3 * u, outline=(0, 0, 128, 255) if sixteen_colours else (20, 60, 120, 255),
                        width=int(u * (0.7 if small else 0.45)))
    # Open book: two pages meeting at a spine.
    top, bottom = 4.6 * u, 12.4 * u
    left, right, mid = 2.6 * u, 13.4 * u, 8 * u
    page = (255, 255, 255, 255)
    d.polygon([(left, top + 0.6 * u), (mid, top + 1.4 * u), (mid, bottom), (left, bottom - 0.8 * u)], fill=page)
    d.polygon([(right, top + 0.6 * u), (mid, top + 1.4 * u), (mid, bottom), (right, bottom - 0.8 * u)],
              fill=(232, 240, 250, 255))
    spine = (0, 0, 128, 255) if sixteen_colours else (40, 90, 160, 255)
    d.line([(mid, top + 1.4 * u), (mid, bottom)], fill=spine, width=int(u * 0.5))
    if not small:
        for k in range(3):
            y = top + (2.6 + k * 1.8) * u
            d.line([(left + 1.2 * u, y), (mid - 1.2 * u, y + 0.3 * u)], fill=(150, 170, 200, 255), width=int(u * 0.35))
    # Pen across the right page, red-orange with a dark nib.
    x0, y0, x1, y1 = 9.2 * u, 10.6 * u, 14.2 * u, 2.4 * u
    d.line([(x0, y0), (x1, y1)], fill=(232, 84, 52, 255), width=int(u * (1.7 if small else 1.3)))
    d.polygon([(x0 - 0.9 * u, y0 + 1.5 * u), (x0 - 0.5 * u, y0 - 0.6 * u), (x0 + 0.8 * u, y0 + 0.2 * u)],
              fill=(40, 40, 48, 255))
    return img.resize((size, size), Image.LANCZOS)


def indexed(image, bpp):
    """Colour indices and the alpha that becomes the AND mask; transparent pixels black."""
    alpha = image.getchannel('A').point(lambda a: 255 if a >= 128 else 0)
    flat = Image.new('RGB', image.size, (0, 0, 0))
    flat.paste(image.convert('RGB'), (0, 0), alpha)
    if bpp == 4:
        q = imgfiles.quantize(flat, 16, VGA16)
        # The palette is padded with black to 256 entries: fold those onto index 0.
        q = q.point(lambda i: i if i < 16 else 0)
        palette = VGA16
    else:
        q = imgfiles.quantize(flat, 256)
        palette = (q.getpalette() + [0] * 768)[:768]
    return (q, alpha), palette


def main():
    entries = []
    for size in (48, 32, 24, 16):
        data, palette = indexed(master(size, sixteen_colours=True), 4)
        entries.append((4, data, palette))
    for size in (48, 32, 16):
        data, palette = indexed(master(size), 8)
        entries.append((8, data, palette))
    for size in (128, 48, 32, 16):
        entries.append((32, master(size), None))
    with open(OUT, 'wb') as f:
        f.write(imgfiles.ico(entries))


if __name__ == '__main__':
    main()
