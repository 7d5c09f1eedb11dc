#!/usr/bin/python3
"""Checks the drawn artwork against the rules the program relies on.

    check.py RESOURCE_DIR [--functions FunKeyMap.cfg]

Every described file and nothing else; PNGs 8-bit RGBA, non-interlaced, of the described size;
key colours exact and opaque outside the shape, never inside it, without a key-coloured fringe;
opaque pictures opaque; the exact fills the program paints over; the recording overlay's hole;
icons with 32-bit DIB entries of the described sizes.
"""
import argparse
import os
import struct
import sys

from PIL import Image, ImageChops, ImageDraw, ImageFilter

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
sys.dont_write_bytecode = True   # keep the source tree clean
import draw  # noqa: E402
import generate  # noqa: E402

errors = []


def fail(name, what):
    errors.append(f"{name}: {what}")


def check_png(path, name, desc):
    with open(path, "rb") as f:
        head = f.read(33)
    w, h, depth, ctype, _, _, interlace = struct.unpack(">IIBBBBB", head[16:29])
    if (depth, ctype, interlace) != (8, 6, 0):
        fail(name, f"not 8-bit RGBA non-interlaced ({depth}, {ctype}, {interlace})")
    if [w, h] != desc["size"]:
        fail(name, f"size {w}x{h}, described {desc['size']}")
    im = Image.open(path).convert("RGBA")
    alpha = im.getchannel("A")
    if ("key" in desc or desc.get("opaque")) and alpha.getextrema() != (255, 255):
        fail(name, "not opaque")
    if "key" in desc:
        check_key(im, name, draw.colour(desc["key"])[:3])
    for box_key, fill_key in (("text_area", "text_fill"), ("field", "field_fill")):
        if box_key in desc:
            x0, y0, x1, y1 = desc[box_key]
            if set(im.crop((x0, y0, x1, y1)).getdata()) != {draw.colour(desc[fill_key])}:
                fail(name, f"{box_key} is not exactly {desc[fill_key]}")
    if desc["recipe"] == "field" and im.getpixel((w // 2, h // 2)) != draw.colour(desc["fill"]):
        fail(name, "centre pixel is not the edit colour")
    if "hole" in desc:
        x0, y0, x1, y1 = desc["hole"]
        if alpha.crop((x0, y0, x1, y1)).getextrema() != (0, 0):
            fail(name, "hole is not transparent")
        if alpha.getpixel((0, 0)) != desc["alpha"]:
            fail(name, "dimming alpha")


def _where(im, test):
    """Mask: 255 where test(r, g, b) holds for a pixel, from per-channel lookup tables."""
    chans = im.convert("RGB").split()
    out = None
    for ch, t in zip(chans, test):
        m = ch.point([255 if t(v) else 0 for v in range(256)])
        out = m if out is None else ImageChops.multiply(out, m)
    return out


def check_key(im, name, key):
    """The key colour lies only outside, connected to the border, with no key-like fringe."""
    w, h = im.size
    ring = Image.new("L", (w + 2, h + 2), 255)    # a key-coloured ring around the picture
    ring.paste(_where(im, [lambda v, k=k: v == k for k in key]), (1, 1))
    ImageDraw.floodfill(ring, (0, 0), 128)
    if 255 in ring.getdata():
        fail(name, "key colour inside the shape")
    outside = ring.crop((1, 1, w + 1, h + 1)).point(lambda v: 255 if v == 128 else 0)
    if not outside.getbbox():
        fail(name, "no window shape is cut")
    if key == (255, 0, 255):
        edge = ImageChops.subtract(outside.filter(ImageFilter.MaxFilter(3)), outside)
        pink = _where(im, [lambda v: v > 140, lambda v: v < 110, lambda v: v > 140])
        if ImageChops.multiply(edge, pink).getbbox():
            fail(name, "pink fringe along the shape")


def check_ico(path, name, desc):
    with open(path, "rb") as f:
        data = f.read()
    _, kind, n = struct.unpack("<HHH", data[:6])
    sizes = []
    for i in range(n):
        w, h, _, _, planes, bits, length, offset = struct.unpack("<BBBBHHII", data[6 + 16 * i:22 + 16 * i])
        hdr = struct.unpack("<IiiHHI", data[offset:offset + 20])
        s = w or 256
        mask = ((s + 31) // 32) * 4 * s
        if kind != 1 or bits != 32 or hdr != (40, s, 2 * s, 1, 32, 0) or length != 40 + 4 * s * s + mask:
            fail(name, f"entry {s} is not a 32-bit DIB with an AND mask")
        sizes.append(s)
    if sorted(sizes) != sorted(desc["sizes"]):
        fail(name, f"sizes {sizes}, described {desc['sizes']}")


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("resources")
    ap.add_argument("--functions", default=os.path.join(HERE, "..", "..", "data", "FunKeyMap.cfg"))
    a = ap.parse_args()
    root, cfg = a.resources, a.functions
    skin = generate.load()
    expected = set()
    for name, desc, _, _ in generate.jobs(skin, generate.function_ids(cfg)):
        desc = {k: generate.resolve(v, skin["palette"]) for k, v in desc.items()}
        expected.add(name)
        path = os.path.join(root, *name.split("/"))
        if not os.path.isfile(path):
            fail(name, "missing")
        elif name.endswith(".ico"):
            check_ico(path, name, desc)
        else:
            check_png(path, name, desc)
    found = {os.path.relpath(os.path.join(d, f), root).replace(os.sep, "/") for d, _, fs in os.walk(root) for f in fs}
    for extra in sorted(found - expected):
        fail(extra, "not described")
    pngs = sum(n.endswith(".png") for n in expected)
    print(f"{len(expected)} files ({pngs} PNG, {len(expected) - pngs} ICO), {len(errors)} problems")
    for e in errors:
        print(e)
    return 1 if errors else 0


if __name__ == "__main__":
    sys.exit(main())
