"""Writers for the exact file forms the installer embeds: BMP (24 bpp or 8 bpp with a
palette), animated GIF 89a and ICO. PIL draws the pixels; these functions own the bytes,
so header fields (resolution, palette size, disposal, loop) are exactly what we choose."""

import struct

from PIL import Image

PIXELS_PER_METRE = 2835  # 72 dpi


def _bmp_info_header(width, height, bpp, image_size, colours):
    return struct.pack('<IiiHHIIiiII', 40, width, height, 1, bpp, 0, image_size,
                       PIXELS_PER_METRE, PIXELS_PER_METRE, colours, 0)


def _rows_bottom_up(rows, stride):
    return b''.join(row.ljust(stride, b'\0') for row in reversed(rows))


def bmp24(image):
    """A 24 bpp bottom-up BMP file of an RGB picture."""
    image = image.convert('RGB')
    w, h = image.size
    stride = (w * 3 + 3) & ~3
    raw = image.tobytes('raw', 'BGR')
    rows = [raw[y * w * 3:(y + 1) * w * 3] for y in range(h)]
    pixels = _rows_bottom_up(rows, stride)
    offset = 14 + 40
    head = struct.pack('<2sIHHI', b'BM', offset + len(pixels), 0, 0, offset)
    return head + _bmp_info_header(w, h, 24, len(pixels), 0) + pixels


def bmp8(image):
    """An 8 bpp bottom-up BMP file with a full 256-entry palette; image is mode 'P'."""
    assert image.mode == 'P'
    w, h = image.size
    palette = (image.getpalette() + [0] * 768)[:768]
    table = b''.join(bytes((palette[i * 3 + 2], palette[i * 3 + 1], palette[i * 3], 0)) for i in range(256))
    stride = (w + 3) & ~3
    raw = image.tobytes()
    rows = [raw[y * w:(y + 1) * w] for y in range(h)]
    pixels = _rows_bottom_up(rows, stride)
    offset = 14 + 40 + len(table)
    head = struct.pack('<2sIHHI', b'BM', offset + len(pixels), 0, 0, offset)
    return head + _bmp_info_header(w, h, 8, len(pixels), 256) + table + pixels


def _lzw(indices, min_code_size=8):
    """GIF flavour of LZW: variable code width up to 12 bits, LSB-first packing."""
    clear, end = 1 << min_code_size, (1 << min_code_size) + 1
    out = bytearray()
    acc = nbits = 0

    def emit(code, width):
        nonlocal acc, nbits
        acc |= code << nbits
        nbits += width
        while nbits >= 8:
            out.append(acc & 0xFF)
            acc >>= 8
            nbits -= 8

    def reset():
        return {}, end + 1, min_code_size + 1

    table, next_code, width = reset()
    emit(clear, width)
    prefix = None
    for k in indices:
        if prefix is None:
            prefix = k
            continue
        key = (prefix, k)
        if key in table:
            prefix = table[key]
            continue
        emit(prefix, width)
        table[key] = next_code
        next_code += 1
        if next_code > (1 << width) and width < 12:
            width += 1
        if next_code >= 4095:
            emit(clear, width)
            table, next_code, width = reset()
        prefix = k
    if prefix is not None:
        emit(prefix, width)
    emit(end, width)
    if nbits:
        out.append(acc & 0xFF)
    return bytes(out)


def _sub_blocks(data):
    return b''.join(bytes((len(data[i:i + 255]),)) + data[i:i + 255] for i in range(0, len(data), 255)) + b'\0'


def gif_animation(frames, delays, palette, transparent):
    """GIF 89a: 256-entry global colour table, looping forever, every frame with a
    graphic control block (disposal 2, the transparent index) and no local table.
    frames are mode 'P' images sharing palette (768 ints); delays in 1/100 s."""
    w, h = frames[0].size
    out = bytearray(b'GIF89a')
    out += struct.pack('<HHBBB', w, h, 0xF7, transparent, 0)
    out += bytes((palette + [0] * 768)[:768])
    out += b'\x21\xFF\x0BNETSCAPE2.0\x03\x01' + struct.pack('<H', 0) + b'\0'
    for frame, delay in zip(frames, delays):
        out += b'\x21\xF9\x04' + struct.pack('<BHB', (2 << 2) | 1, delay, transparent) + b'\0'
        out += b'\x2C' + struct.pack('<HHHHB', 0, 0, w, h, 0)
        out += b'\x08' + _sub_blocks(_lzw(frame.tobytes()))
    out += b'\x3B'
    return bytes(out)


def _and_mask(alpha, w, h):
    stride = ((w + 31) // 32) * 4
    rows = []
    for y in range(h):
        row = bytearray(stride)
        for x in range(w):
            if alpha[y * w + x] < 128:
                row[x >> 3] |= 0x80 >> (x & 7)
        rows.append(bytes(row))
    return _rows_bottom_up(rows, stride)


def _icon_image(image, bpp, palette=None):
    """One icon image: BITMAPINFOHEADER (double height), palette, colour bits, AND mask.
    image is RGBA for 32 bpp, or mode 'P' plus its RGBA source alpha for 4/8 bpp."""
    if bpp == 32:
        w, h = image.size
        alpha = image.getchannel('A').tobytes()
        raw = image.tobytes('raw', 'BGRA')
        rows = [raw[y * w * 4:(y + 1) * w * 4] for y in range(h)]
        colour = _rows_bottom_up(rows, w * 4)
        table = b''
    else:
        indexed, alpha = image
        w, h = indexed.size
        alpha = alpha.tobytes()
        raw = indexed.tobytes()
        if bpp == 4:
            packed = []
            for y in range(h):
                line = raw[y * w:(y + 1) * w]
                packed.append(bytes(((line[x] << 4) | (line[x + 1] if x + 1 < w else 0)) for x in range(0, w, 2)))
            rows, stride = packed, (((w + 1) // 2) + 3) & ~3
        else:
            rows, stride = [raw[y * w:(y + 1) * w] for y in range(h)], (w + 3) & ~3
        colour = _rows_bottom_up(rows, stride)
        n = 1 << bpp
        table = b''.join(bytes((palette[i * 3 + 2], palette[i * 3 + 1], palette[i * 3], 0)) for i in range(n))
    mask = _and_mask(alpha, w, h)
    head = struct.pack('<IiiHHIIiiII', 40, w, h * 2, 1, bpp, 0, len(colour) + len(mask), 0, 0,
                       0 if bpp == 32 else (1 << bpp), 0)
    return head + table + colour + mask, w, h


def ico(entries):
    """An .ico file; entries are (bpp, image data as _icon_image expects, palette)."""
    images = [_icon_image(img, bpp, pal) + (bpp,) for bpp, img, pal in entries]
    out = bytearray(struct.pack('<HHH', 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for data, w, h, bpp in images:
        out += struct.pack('<BBBBHHII', w & 0xFF, h & 0xFF, 16 if bpp == 4 else 0, 0, 1, bpp, len(data), offset)
        offset += len(data)
    for data, *_ in images:
        out += data
    return bytes(out)


def quantize(image, colours, fixed_palette=None):
    """Maps an RGB picture to a palette without dithering (clean UI edges)."""
    image = image.convert('RGB')
    if fixed_palette is not None:
        pal = Image.new('P', (1, 1))
        pal.putpalette((fixed_palette + [0] * 768)[:768])
        return image.quantize(palette=pal, dither=Image.Dither.NONE)
    return image.quantize(colors=colours, method=Image.Quantize.MEDIANCUT, dither=Image.Dither.NONE)
