"""Reads the 8-bit, non-interlaced RGB and RGBA PNG files the toolkit embeds, to compare them with
what the drawer put on the screen."""
import struct
import zlib


def read_png(path):
    """(width, height, rows) where rows[y][x] is an (r, g, b, a) tuple."""
    with open(path, "rb") as source:
        data = source.read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError(f"{path} is not a PNG file")
    position = 8
    compressed = b""
    width = height = channels = None
    while position < len(data):
        length, kind = struct.unpack(">I4s", data[position:position + 8])
        body = data[position + 8:position + 8 + length]
        position += 12 + length
        if kind == b"IHDR":
            width, height, depth, color_type, _, _, interlace = struct.unpack(">IIBBBBB", body)
            if depth != 8 or color_type not in (2, 6) or interlace:
                raise ValueError(f"{path}: only 8-bit non-interlaced RGB or RGBA is read here")
            channels = 3 if color_type == 2 else 4
        elif kind == b"IDAT":
            compressed += body
        elif kind == b"IEND":
            break
    raw = zlib.decompress(compressed)
    stride = width * channels
    rows = []
    previous = bytearray(stride)
    offset = 0
    for _ in range(height):
        line = _unfilter(raw[offset], bytearray(raw[offset + 1:offset + 1 + stride]), previous, channels)
        offset += 1 + stride
        previous = line
        rows.append([tuple(line[x * channels:(x + 1) * channels]) + ((255,) if channels == 3 else ())
                     for x in range(width)])
    return width, height, rows


def _unfilter(kind, line, previous, bpp):
    for i in range(len(line)):
        left = line[i - bpp] if i >= bpp else 0
        up = previous[i]
        upper_left = previous[i - bpp] if i >= bpp else 0
        if kind == 1:
            line[i] = (line[i] + left) & 0xFF
        elif kind == 2:
            line[i] = (line[i] + up) & 0xFF
        elif kind == 3:
            line[i] = (line[i] + (left + up) // 2) & 0xFF
        elif kind == 4:
            estimate = left + up - upper_left
            distances = (abs(estimate - left), abs(estimate - up), abs(estimate - upper_left))
            predictor = (left, up, upper_left)[distances.index(min(distances))]
            line[i] = (line[i] + predictor) & 0xFF
    return line


def over(pixel, background):
    """An RGBA pixel composited over an opaque background colour."""
    r, g, b, a = pixel
    return tuple(round((c * a + bg * (255 - a)) / 255) for c, bg in zip((r, g, b), background))
