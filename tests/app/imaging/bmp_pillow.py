"""Pillow's side of the BMP tests.

make <folder>: writes BMP files of every depth and layout the reader takes (Pillow's own where it
writes that kind, else made here byte by byte), each with <name>.rgb, the pixels as Pillow decodes
them (top row first, 3 bytes red, green, blue per pixel), and cases.txt listing
"<name> <width> <height> <bits of the image read>".
decode <bmp> <rgb>: writes the pixels of a BMP file as Pillow decodes them, as above.
"""
import struct
import sys
from pathlib import Path

from PIL import Image

WIDTH, HEIGHT = 13, 7  # odd sizes: rows of every depth need padding


def colour(x, y):
    return ((x * 37 + y * 11) % 256, (x * 5 + y * 61) % 256, (x * y * 13 + 7) % 256)


def index(x, y, colours):
    return (x * 3 + y * 5) % colours


def palette(colours):
    return [((i * 53) % 256, (i * 101 + 17) % 256, (255 - i * 7) % 256) for i in range(colours)]


def rows_of(data, stride, height):
    return [data[i * stride:(i + 1) * stride] for i in range(height)]


def top_down(bmp):
    """The same bitmap stored top row first: negative height, rows in reverse."""
    offset = struct.unpack_from("<I", bmp, 10)[0]
    width, height = struct.unpack_from("<ii", bmp, 18)
    bits = struct.unpack_from("<H", bmp, 28)[0]
    stride = (width * bits + 31) // 32 * 4
    rows = rows_of(bmp[offset:offset + stride * height], stride, height)
    out = bytearray(bmp[:offset]) + b"".join(reversed(rows)) + bmp[offset + stride * height:]
    struct.pack_into("<i", out, 22, -height)
    return bytes(out)


def bmp_file(width, height, bits, pixels, table=(), compression=0, masks=None, header_size=40):
    """A BMP file from its parts: rows as stored, the table as (r, g, b), optional bit masks."""
    extra = b"" if masks is None else struct.pack("<III", *masks)
    header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, compression, len(pixels),
                         2835, 2835, len(table), 0)
    if header_size > 40:  # V4 or V5: the masks inside, the rest zero
        header += (extra if masks is not None else b"\0" * 12) + b"\0" * (header_size - 52)
        extra = b""
    colours = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in table)
    offset = 14 + len(header) + len(extra) + len(colours)
    return b"BM" + struct.pack("<IHHI", offset + len(pixels), 0, 0, offset) + header + extra + colours + pixels


def packed_rows(width, height, bits, value):
    """Bottom-up rows of `bits` per pixel from value(x, y), padded to 4 bytes."""
    stride = (width * bits + 31) // 32 * 4
    out = bytearray()
    for y in reversed(range(height)):
        row = 0
        for x in range(width):
            row = (row << bits) | value(x, y)
        row <<= stride * 8 - width * bits
        out += row.to_bytes(stride, "big")
    return bytes(out)


def rle8():
    """13 x 7 in RLE8: runs, absolute runs of odd and even length, end of line, end of bitmap."""
    data = bytearray()
    for y in range(HEIGHT):  # from the bottom row
        data += bytes([4, y, 3, 200 + y])
        data += bytes([0, 5]) + bytes(range(10, 15)) + b"\0"  # 5 literal pixels, padded
        if y % 2:
            data += bytes([1, 99])  # the row's last pixel
        data += b"\0\0"
    data += b"\0\1"
    return bmp_file(WIDTH, HEIGHT, 8, bytes(data), palette(256), compression=1)


def rle4():
    """13 x 7 in RLE4: runs of two alternating colours, even absolute runs, ends of line."""
    data = bytearray()
    for y in range(HEIGHT):
        data += bytes([5, 0x12 + y])
        data += bytes([0, 4, 0x34, 0x56])  # 4 literal pixels: 2 bytes, already on a word boundary
        data += bytes([4, 0xF0 - y])
        data += b"\0\0"
    data += b"\0\1"
    return bmp_file(WIDTH, HEIGHT, 4, bytes(data), palette(16), compression=2)


def pillow_files():
    rgb = Image.new("RGB", (WIDTH, HEIGHT))
    rgb.putdata([colour(x, y) for y in range(HEIGHT) for x in range(WIDTH)])
    rgba = rgb.copy()
    rgba.putalpha(Image.new("L", (WIDTH, HEIGHT), 77))
    mono = Image.new("1", (WIDTH, HEIGHT))
    mono.putdata([255 * ((x + y) % 3 == 0) for y in range(HEIGHT) for x in range(WIDTH)])
    indexed = Image.new("P", (WIDTH, HEIGHT))
    indexed.putpalette([c for entry in palette(256) for c in entry])
    indexed.putdata([index(x, y, 256) for y in range(HEIGHT) for x in range(WIDTH)])
    grey = rgb.convert("L")
    for name, image in (("rgb24", rgb), ("rgba32", rgba), ("mono1", mono), ("indexed8", indexed), ("grey8", grey)):
        path = Path(folder) / "tmp.bmp"
        image.save(path, "BMP")
        yield name, path.read_bytes()


def made_files():
    yield "indexed4", bmp_file(WIDTH, HEIGHT, 4, packed_rows(WIDTH, HEIGHT, 4, lambda x, y: index(x, y, 11)),
                               palette(11))
    yield "indexed1_colours", bmp_file(WIDTH, HEIGHT, 1, packed_rows(WIDTH, HEIGHT, 1, lambda x, y: (x ^ y) & 1),
                                       [(200, 10, 10), (10, 10, 200)])
    yield "rgb555", bmp_file(WIDTH, HEIGHT, 16, packed16(lambda r, g, b: (r >> 3) << 10 | (g >> 3) << 5 | b >> 3))
    yield "bitfields565", bmp_file(WIDTH, HEIGHT, 16, packed16(lambda r, g, b: (r >> 3) << 11 | (g >> 2) << 5 | b >> 3),
                                   compression=3, masks=(0xF800, 0x07E0, 0x001F))
    bgrx = packed_rows(WIDTH, HEIGHT, 32, lambda x, y: 0xEE000000 | colour(x, y)[0] << 16 | colour(x, y)[1] << 8 | colour(x, y)[2])
    yield "bitfields32_v5", bmp_file(WIDTH, HEIGHT, 32, swap32(bgrx), compression=3,
                                     masks=(0xFF0000, 0xFF00, 0xFF), header_size=124)
    yield "rgb24_v4", bmp_file(WIDTH, HEIGHT, 24, packed_rows(WIDTH, HEIGHT, 24, lambda x, y: colour(x, y)[2] << 16 | colour(x, y)[1] << 8 | colour(x, y)[0]),
                               header_size=108)
    yield "rle8", rle8()
    yield "rle4", rle4()


def packed16(pack):
    """Bottom-up 16-bit little-endian rows."""
    return swap16(packed_rows(WIDTH, HEIGHT, 16, lambda x, y: pack(*colour(x, y))))


def swap16(data):
    """Rows packed big-endian per pixel, written as the file's little-endian words (row padding kept)."""
    out = bytearray(data)
    for i in range(0, len(out) - 1, 2):
        out[i], out[i + 1] = out[i + 1], out[i]
    return bytes(out)


def swap32(data):
    out = bytearray(data)
    for i in range(0, len(out) - 3, 4):
        out[i:i + 4] = out[i:i + 4][::-1]
    return bytes(out)


def decode(bmp_path, rgb_path):
    with Image.open(bmp_path) as image:
        Path(rgb_path).write_bytes(image.convert("RGB").tobytes())
        return image.size


def make():
    out = Path(folder)
    out.mkdir(parents=True, exist_ok=True)
    bits_read = {1: 1, 4: 4, 8: 8, 16: 32, 24: 32, 32: 32}
    lines = []
    for name, data in list(pillow_files()) + list(made_files()):
        bits = struct.unpack_from("<H", data, 28)[0]
        compression = struct.unpack_from("<I", data, 30)[0]
        variants = [(name, data)]
        if compression in (0, 3):
            variants.append((name + "_topdown", top_down(data)))
        for variant, content in variants:
            bmp = out / (variant + ".bmp")
            bmp.write_bytes(content)
            width, height = decode(bmp, out / (variant + ".rgb"))
            lines.append(f"{variant} {width} {height} {bits_read[bits]}\n")
    (out / "tmp.bmp").unlink()
    (out / "cases.txt").write_text("".join(lines))


if __name__ == "__main__":
    if sys.argv[1] == "make":
        folder = sys.argv[2]
        make()
    else:
        decode(sys.argv[2], sys.argv[3])
