"""Decodes a GIF with Pillow for the GIF writer's tests: writes the first frame's size, colour table,
palette indices (top row first) and RGB pixels, plus the comment and transparent index, to a file:
   width height entries (uint32 LE each), entries x RGB, width x height indices,
   width x height x RGB, transparent index (int32 LE, -1 for none), comment length, comment bytes.
Usage: decode_gif.py <gif> <out>"""
import struct
import sys

from PIL import Image


def main(gif_path, out_path):
    with Image.open(gif_path) as im:
        im.load()
        if im.mode == "L":
            # Pillow opens a GIF whose table is the identity grey ramp as greys: value = index.
            palette = bytes(v for i in range(256) for v in (i, i, i))
        elif im.mode == "P":
            palette = bytes(im.getpalette())
        else:
            raise SystemExit("unexpected mode " + im.mode)
        indices = im.tobytes()
        rgb = im.convert("RGB").tobytes()
        transparency = im.info.get("transparency", -1)
        comment = im.info.get("comment", b"")
        width, height = im.size
    with open(out_path, "wb") as out:
        out.write(struct.pack("<III", width, height, len(palette) // 3))
        out.write(palette)
        out.write(indices)
        out.write(rgb)
        out.write(struct.pack("<iI", transparency, len(comment)))
        out.write(comment)


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
