#!/usr/bin/python3
"""Draws every picture that skin.toml describes into a folder laid out as the program's resource\\.

    generate.py --out DIR [--functions FunKeyMap.cfg] [--jobs N] [--only SUBSTRING]

The output is the same, byte for byte, on every run: no random numbers, no time stamps and no
metadata in the files.
"""
import argparse
import io
import multiprocessing
import os
import re
import shutil
import struct
import sys
import tomllib

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
sys.dont_write_bytecode = True   # keep the source tree clean

import recipes  # noqa: E402


def load(description=os.path.join(HERE, "skin.toml")):
    with open(description, "rb") as f:
        return tomllib.load(f)


def resolve(value, palette):
    if isinstance(value, str) and value in palette:
        return palette[value]
    if isinstance(value, dict):
        return {k: resolve(v, palette) for k, v in value.items()}
    if isinstance(value, list):
        return [resolve(v, palette) for v in value]
    return value


def function_ids(cfg):
    """Ids 400 + i - 1 of the entries of FunKeyMap.cfg ([Info] count)."""
    section, count = None, None
    with open(cfg, encoding="utf-8-sig") as f:
        for line in f:
            line = line.strip()
            if line.startswith("["):
                section = line.strip("[]").lower()
            elif section == "info" and line.lower().startswith("count="):
                count = int(line.split("=", 1)[1])
    if count is None:
        raise SystemExit(f"{cfg}: no [Info] count")
    return [399 + i for i in range(1, count + 1)]


def jobs(skin, ids):
    """(file, desc, look, glyph) for every file to write."""
    palette = skin["palette"]
    glyph_of = {int(k): v for k, v in skin.get("functions", {}).items()}
    if sorted(glyph_of) != ids:
        raise SystemExit("skin.toml [functions] must name a glyph for exactly the ids of FunKeyMap.cfg: "
                         f"missing {sorted(set(ids) - set(glyph_of))}, unknown {sorted(set(glyph_of) - set(ids))}")
    out = []
    for pic in skin["picture"]:
        desc = {k: resolve(v, palette) for k, v in pic.items()}
        if desc["recipe"] not in recipes.RECIPES:
            raise SystemExit(f"{desc['file']}: unknown recipe {desc['recipe']}")
        for fid in (ids if "{id}" in desc["file"] else [None]):
            looks = desc.get("looks", {None: None})
            for suffix, look in looks.items():
                name = desc["file"].replace("{id}", str(fid)).replace("{look}", suffix or "")
                out.append((name, desc, look, glyph_of.get(fid)))
    names = [j[0] for j in out]
    if len(set(n.lower() for n in names)) != len(names):
        raise SystemExit("two pictures have the same file name")
    return out


def png_bytes(im):
    buf = io.BytesIO()
    im.save(buf, "PNG", compress_level=9)
    return buf.getvalue()


def ico_bytes(images):
    """Icon file of 32-bit BGRA DIB entries, each with its AND mask (read by every icon loader)."""
    sizes = sorted(images)
    blobs = []
    for s in sizes:
        im = images[s]
        px = im.tobytes("raw", "BGRA")
        row = s * 4
        xor = b"".join(px[y * row:(y + 1) * row] for y in range(s - 1, -1, -1))
        mrow = ((s + 31) // 32) * 4
        alpha = im.getchannel("A").tobytes()
        mask = bytearray()
        for y in range(s - 1, -1, -1):
            bits = bytearray(mrow)
            for x in range(s):
                if alpha[y * s + x] == 0:
                    bits[x // 8] |= 0x80 >> (x % 8)
            mask += bits
        header = struct.pack("<IiiHHIIiiII", 40, s, 2 * s, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
        blobs.append(header + xor + bytes(mask))
    out = struct.pack("<HHH", 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for s, b in zip(sizes, blobs):
        out += struct.pack("<BBBBHHII", s % 256, s % 256, 0, 0, 1, 32, len(b), offset)
        offset += len(b)
    return out + b"".join(blobs)


def render(job):
    name, desc, look, glyph = job
    f = recipes.RECIPES[desc["recipe"]]
    im = f(desc, look, job_palette, glyph) if glyph else f(desc, look, job_palette)
    if name.endswith(".ico"):
        for s, i in im.items():
            assert i.size == (s, s) and i.mode == "RGBA", name
        return name, ico_bytes(im)
    assert im.mode == "RGBA" and list(im.size) == desc["size"], f"{name}: {im.mode} {im.size}"
    return name, png_bytes(im)


job_palette = None


def _init(palette):
    global job_palette
    job_palette = palette


def generate(out_dir, cfg, n_jobs=None, only=None):
    skin = load()
    todo = jobs(skin, function_ids(cfg))
    if only:
        todo = [j for j in todo if re.search(only, j[0])]
    palette = skin["palette"]
    # big pictures first so that the pool ends evenly
    todo.sort(key=lambda j: -(j[1].get("size", [48, 48])[0] * j[1].get("size", [48, 48])[1]))
    if n_jobs == 1:
        _init(palette)
        results = [render(j) for j in todo]
    else:
        with multiprocessing.get_context("fork").Pool(n_jobs, _init, (palette,)) as pool:
            results = pool.map(render, todo, chunksize=1)
    if not only and os.path.isdir(out_dir):
        shutil.rmtree(out_dir)
    for name, data in sorted(results):
        path = os.path.join(out_dir, *name.split("/"))
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(data)
    return [r[0] for r in results]


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("--out", required=True)
    ap.add_argument("--functions", default=os.path.join(HERE, "..", "..", "data", "FunKeyMap.cfg"))
    ap.add_argument("--jobs", type=int, default=None)
    ap.add_argument("--only", help="regular expression: draw only matching files (keeps the others)")
    ap.add_argument("--stamp", help="file to write once everything is written")
    a = ap.parse_args()
    names = generate(a.out, a.functions, a.jobs, a.only)
    if a.stamp:
        with open(a.stamp, "w") as f:
            f.write("\n".join(sorted(names)) + "\n")


if __name__ == "__main__":
    main()
