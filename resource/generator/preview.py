#!/usr/bin/python3
"""Mock-ups of the program's windows composed from the generated pictures (not shipped).

    preview.py OUT_DIR [--resources DIR]

Without --resources the pictures are drawn first into OUT_DIR/resource. Captions are placeholders
in a sans font with the colours the program uses, at the places the window layouts give.
"""
import argparse
import configparser
import os
import sys

from PIL import Image, ImageChops, ImageDraw, ImageFont

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
sys.dont_write_bytecode = True   # keep the source tree clean
import generate  # noqa: E402

FONT_FILES = ["/usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf",
              "/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf",
              "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"]
FONT_FILE = next(f for f in FONT_FILES if os.path.exists(f))
_fonts = {}


def font(px):
    if px not in _fonts:
        _fonts[px] = ImageFont.truetype(FONT_FILE, px)
    return _fonts[px]


def not_key(im, key):
    """Mask: 255 where the pixel's colour differs from the key colour."""
    r, g, b = im.convert("RGB").split()
    eq = [ch.point([255 if v == k else 0 for v in range(256)]) for ch, k in zip((r, g, b), key)]
    same = ImageChops.multiply(ImageChops.multiply(eq[0], eq[1]), eq[2])
    return ImageChops.invert(same)


def ref(c):
    """COLORREF 0x00BBGGRR -> (r, g, b)."""
    return (c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF)


class Mock:
    def __init__(self, res, size, backdrop=True):
        self.res = res
        self.im = Image.new("RGBA", size, (0, 0, 0, 255))
        if backdrop:
            w, h = size
            col = [(int(58 - 24 * y / h), int(64 - 26 * y / h), int(72 - 28 * y / h), 255) for y in range(h)]
            self.im = Image.frombytes("RGBA", (1, h), b"".join(bytes(c) for c in col)).resize(size)

    def pic(self, name, key=None):
        im = Image.open(os.path.join(self.res, *name.split("/"))).convert("RGBA")
        if key:
            im.putalpha(ImageChops.multiply(im.getchannel("A"), not_key(im, key)))
        return im

    def put(self, name, xy, key=None):
        im = self.pic(name, key)
        layer = Image.new("RGBA", self.im.size, (0, 0, 0, 0))
        layer.paste(im, xy)
        self.im = Image.alpha_composite(self.im, layer)
        return im.size

    def put_image(self, im, xy):
        layer = Image.new("RGBA", self.im.size, (0, 0, 0, 0))
        layer.paste(im, xy)
        self.im = Image.alpha_composite(self.im, layer)

    def text(self, xy, s, px, colour, anchor="la"):
        ImageDraw.Draw(self.im).text(xy, s, fill=colour + (255,), font=font(px), anchor=anchor)

    def text_centre(self, box, s, px, colour, shift=0):
        x0, y0, x1, y1 = box
        self.text(((x0 + x1) / 2 + shift, (y0 + y1) / 2 + shift), s, px, colour, "mm")

    def wrap(self, box, s, px, colour, line=None):
        x0, y0, x1, y1 = box
        f = font(px)
        words, lines, cur = s.split(), [], ""
        for w in words:
            t = (cur + " " + w).strip()
            if f.getlength(t) <= x1 - x0:
                cur = t
            else:
                lines.append(cur)
                cur = w
        lines.append(cur)
        y = y0
        for ln in lines:
            if y + px > y1 + 2:
                break
            self.text((x0, y), ln, px, colour)
            y += line or round(px * 1.15)

    def save(self, path):
        self.im.convert("RGB").save(path)
        print(path)


RED_STYLE = {"n": 0x2730B8, "o": 0x2733DF, "d": 0x0B138E, "un": 0x070B40}
FACTORY = {"n": 0xBBBBBB, "o": 0xFFFFFF, "d": 0x8A8A8A, "un": 0x474747}


def button(m, pic, xy, caption, style, state="n"):
    w, h = m.put(f"{pic}_{state}.png", xy)
    s = 1 if state == "d" else 0
    m.text_centre((xy[0], xy[1], xy[0] + w, xy[1] + h), caption, 14, ref(style[state]), s)


def key_icon(m, fid):
    ico = Image.open(os.path.join(m.res, "Function", "ico", f"{fid}.ico"))
    ico.size = (16, 16)
    return ico.convert("RGBA")


def main_window(res, page_title="Macro Keys", tab_hover=None):
    m = Mock(res, (1299, 632))
    ox, oy = 20, 20
    W = Mock(res, (1259, 592), backdrop=False)
    W.put("background/BG.png", (0, 0))
    tabs = ["Macro Keys", "Smart Input", "Function Keys", "Shortcut"]
    for i, t in enumerate(tabs):
        x = 277 + 166 * i
        checked = t == page_title
        hover = t == tab_hover
        look = ("od" if hover else "d") if checked else ("o" if hover else "n")
        W.put(f"tab/tab_{look}.png", (x, 56), key=(10, 10, 10))
        W.text_centre((x, 56, x + 166, 96), t, 15, (255, 255, 255) if checked else ref(0x8D8D8D))
    button(W, "button/profile", (9, 62), "Load", RED_STYLE)
    button(W, "button/profile", (122, 62), "Save", RED_STYLE, "o")
    W.put("button/clean_n.png", (232, 60))
    W.put("button/clean_n.png", (1146, 56))
    W.put("button/ON_n.png", (1067, 9))
    W.put("button/x_n.png", (1149, 10))
    keys = {1: ("Volume Down", 405, "dn"), 2: ("LCtrl C", None, "no"), 3: ("Calculator", 407, "n"),
            4: ("notepad", 410, "n")}
    for n in range(1, 11):
        x, y = 26, 105 + 40 * (n - 1)
        cap, fid, look = keys.get(n, (f"F{n}", None, "n"))
        W.put(f"radiobutton/F_{look}.png", (x, y))
        tw = font(14).getlength(cap)
        left = (190 - tw) / 2 + 25
        if fid:
            W.put_image(key_icon(W, fid), (round(x + left - 26), y + 6))
        W.text((x + left, y + 14), cap, 14, ref(0xCED0FF if look.startswith("d") else 0x2730B8), "lm")
    W.put("background/S5_n.png", (0, 493))
    W.wrap((22, 524, 230, 570), "Press and hold these buttons for two (2) seconds in S5 mode.", 15, (0xB8, 0x30, 0x27), 22)
    W.text((1138, 565), "1.00.00", 13, (0, 0, 0))
    return m, W, (ox, oy)


def finish(m, W, o):
    m.im.paste(W.im, o, not_key(W.pic("background/BG.png"), (255, 0, 255)))
    return m


def macro_page(W, steps=True):
    W.put("combined_key/btm/record_n.png", (297, 105))
    W.text_centre((297, 105, 417, 141), "Record", 14, ref(0xD2D2D2))
    W.text((1166, 132), "19740 ms left", 14, ref(0x8D8D8D), "ra")
    W.put("combined_key/frame.png", (297, 149))
    xs = [305, 414, 519, 628, 733, 842, 947, 1056]
    texts = ["LCtrl", "120 ms", "C", "80 ms", "C", "60 ms", "LCtrl", "250 ms", "Alt", "40 ms", "Tab"]
    kinds = ["key_down", "time", "key_down", "time", "key_up", "time", "key_up", "time", "key_down", "time", "key_down"]
    if steps:
        for i, (t, k) in enumerate(zip(texts, kinds), start=1):
            col, row = (i - 1) % 8, (i - 1) // 8
            x, y = xs[col], 166 + 40 * row
            w, h = W.put(f"combined_key/action/{k}_n.png", (x, y))
            W.text_centre((x + 2, y + 8, x + w - 17, y + 24), t, 16, ref(0x888888))
            if i > 1:
                W.put("combined_key/action/arrow.png", (x - 16, y + 11) if col else (1145, y - 29))
    button(W, "combined_key/btm/btm", (927, 497), "Clear", FACTORY)
    button(W, "combined_key/btm/btm", (1054, 497), "Apply", FACTORY, "o")
    W.put("check_box/check_n.png", (297, 508))
    W.text((329, 511), "Delay Time", 15, ref(0x8D8D8D))
    W.put("combined_key/textbar_n.png", (329, 532))
    W.text((337, 533), "100", 13, ref(0x888888))
    W.text((381, 535), "ms (Range:10~750ms)", 15, ref(0x8D8D8D))


NOTICE = ("Smart Input records a sequence of typed characters and speeds up key input by allowing you to play "
          "back this sequence with a single button press. The recorded sequence is stored in the Tastro microchip. "
          "Please note this is unencrypted and is just meant for convenience, not for security. If you do not wish "
          "to use the Smart Input feature, please click the Clean button at the top-left of the screen now or, "
          "later, access the UEFI BIOS to erase the relevant Tastro profile.")


def smart_page(W):
    W.put("typing/typing_boxs.png", (515, 127))
    W.text((523, 146), "hello", 17, ref(0xD2D2D2), "lm")
    W.text((937, 168), "20 word(s) left", 16, ref(0x606060), "ra")
    W.put("typing/typing_tab_d.png", (701, 183))
    W.put("typing/typing_boxs.png", (515, 235))
    W.text((523, 254), "world", 17, ref(0xD2D2D2), "lm")
    W.text((937, 276), "14 word(s) left", 16, ref(0x606060), "ra")
    W.put("shortcut/warning.png", (354, 322))
    W.text((376, 325), "IMPORTANT MESSAGE", 16, ref(0x1F26A4))
    W.wrap((376, 354, 1095, 443), NOTICE, 16, ref(0xB2B2B2), 18)
    W.put("check_box/check_d.png", (376, 458))
    W.text((408, 460), "I Agree", 18, ref(0xB2B2B2))
    button(W, "button/apply", (970, 497), "Apply", FACTORY)


def function_page(W):
    cfg = configparser.ConfigParser()
    cfg.read(os.path.join(HERE, "..", "..", "data", "FunKeyMap.cfg"))
    for (x, y), t in zip([(300, 100), (300, 237), (300, 372), (778, 100)], ["Media", "Default Applications", "Gaming", "Functions"]):
        W.put("Function/1title.png", (x, y))
        W.text((x + 20, y + 2), t, 16, ref(0x888888))
    n = int(cfg["Info"]["count"])
    for i in range(1, n + 1):
        fid = 399 + i
        x, y = int(cfg["FunKey"][f"{i}_x"]), int(cfg["FunKey"][f"{i}_y"])
        look = {405: "d", 422: "o"}.get(fid, "n")
        W.put(f"Function/{fid}_{look}.png", (x, y))
    button(W, "button/apply", (970, 497), "Apply", FACTORY, "o")


def shortcut_page(W):
    W.text((406, 242), "Launch", 16, ref(0x888888))
    W.put("shortcut/launch_box.png", (466, 228))
    W.put("shortcut/file.png", (485, 241))
    W.text((520, 239), "notepad.exe", 18, ref(0xD2D2D2))
    W.wrap((476, 275, 843, 311), r"C:\Windows\System32", 16, ref(0x888888))
    W.put("shortcut/launch_file_n.png", (872, 235))
    W.put("shortcut/launch_folder_o.png", (970, 235))
    W.put("shortcut/warning.png", (473, 459))
    W.wrap((488, 461, 855, 521), "The shortcut keys are disabled when you exit Tastro II.", 16, ref(0x1F26A4))
    button(W, "button/apply", (970, 497), "Apply", FACTORY)


def dialog(res, W, kind):
    D = Mock(res, (288, 196), backdrop=False)
    D.put("popup/popup.png", (0, 0))
    D.put("button/x_n.png", (263, 1))
    if kind == "rename":
        D.text((11, 2), "F1", 18, ref(0xD2D2D2))
        D.text((17, 43), "Volume Down", 16, ref(0xD2D2D2))
        D.put("popup/or_line.png", (14, 73))
        D.text_centre((112, 64, 176, 84), "or", 16, ref(0x110C56))
        D.put("popup/name_d.png", (14, 93))
        D.text((22, 110), "Mute+", 16, ref(0xD2D2D2), "lm")
        button(D, "button/profile", (56, 153), "OK", RED_STYLE, "o")
        button(D, "button/profile", (164, 153), "Cancel", RED_STYLE)
    else:
        D.text((11, 2), "Clean all", 18, ref(0xD2D2D2))
        D.put("popup/warning_popup.png", (18, 44))
        D.wrap((48, 45, 265, 135), "Are you sure you would like to clean all settings?", 16, ref(0xD2D2D2))
        button(D, "button/profile", (56, 153), "Yes", RED_STYLE)
        button(D, "button/profile", (164, 153), "No", RED_STYLE)
    W.put("popup/popup_bg.png", (0, 0))
    W.im.paste(D.im, (486, 198), not_key(D.pic("popup/popup.png"), (255, 0, 255)))


def profile_box(res, W, mode):
    h = 324 if mode == "Save" else 273
    D = Mock(res, (288, h), backdrop=False)
    D.put(f"popup/popup_{mode.lower()}_bg.png", (0, 0))
    D.text((12, 5), mode, 16, ref(0xD2D2D2))
    D.wrap((12, 38, 282, 70), r"C:\Program Files\Tastro II\Profile", 14, ref(0x8D8D8D))
    y = 126 if mode == "Save" else 79
    if mode == "Save":
        D.put("popup/popup_typing.png", (14, 77))
        D.text((24, 97), "Gaming 2", 16, ref(0xD2D2D2), "lm")
    D.put("popup/popup_list_bg.png", (14, y))
    for i, name in enumerate(["Default", "Gaming", "Office", "Streaming", "Travel"]):
        ry = y + 3 + 16 * i
        if i == 1:
            ImageDraw.Draw(D.im).rectangle((19, ry, 270, ry + 15), fill=ref(0x000033))
        D.text((22, ry + 8), name, 14, ref(0xDEDEDE), "lm")
    by = 276 if mode == "Save" else 225
    D.put("popup/Delete_n.png", (18, by))
    button(D, "popup/Load", (56, by + 3), mode, RED_STYLE, "o")
    button(D, "popup/Cancel", (169, by + 3), "Cancel", RED_STYLE)
    D.put("popup/Close_n.png", (262, 2))
    W.put("popup/popup_bg.png", (0, 0))
    W.put_image(D.im, (486, 140))


def sheet(res, out):
    skin = generate.load()
    ids = generate.function_ids(os.path.join(HERE, "..", "..", "data", "FunKeyMap.cfg"))
    groups = {}
    for name, desc, look, glyph in generate.jobs(skin, ids):
        if name.endswith(".ico") or desc["size"][0] > 500 or name.endswith("1title.png"):
            continue
        if name.startswith("Function/") and not name.startswith(("Function/405", "Function/416", "Function/425")):
            continue
        key = desc["file"].replace("{id}", name.split("/")[1].split("_")[0]) if "{id}" in desc["file"] else desc["file"]
        groups.setdefault(key, []).append(name)
    m = Mock(res, (1400, 2400), backdrop=False)
    m.im.paste((16, 16, 16, 255), (0, 0, 1400, 2400))
    x, y, rowh = 10, 10, 0
    for key, names in groups.items():
        pics = [m.pic(n, (255, 0, 255) if "popup.png" in n or "_d.png" in n and "action" in n else
                       ((10, 10, 10) if n.startswith("tab/") else None)) for n in names]
        w = sum(p.size[0] + 6 for p in pics) + 4
        h = max(p.size[1] for p in pics) + 22
        if x + w > 1390:
            x, y, rowh = 10, y + rowh + 6, 0
        m.text((x, y), key.split("/")[-1].replace("{look}", "*"), 11, (120, 120, 120))
        px = x
        for n, p in zip(names, pics):
            m.put_image(p, (px, y + 16))
            px += p.size[0] + 6
        x += w + 10
        rowh = max(rowh, h)
    # icons at every size
    y += rowh + 10
    x = 10
    for fid in ids:
        ico = Image.open(os.path.join(res, "Function", "ico", f"{fid}.ico"))
        for s in (16, 24, 32, 48):
            ico.size = (s, s)
            m.put_image(ico.convert("RGBA"), (x, y + 48 - s))
            x += s + 3
        x += 8
        if x > 1300:
            x, y = 10, y + 56
    y += 60
    ico = Image.open(os.path.join(res, "icon", "ap.ico"))
    x = 10
    for s in (16, 20, 24, 32, 48):
        ico.size = (s, s)
        m.put_image(ico.convert("RGBA"), (x, y))
        x += s + 8
    m.im = m.im.crop((0, 0, 1400, y + 60))
    m.save(os.path.join(out, "states.png"))


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("out")
    ap.add_argument("--resources")
    a = ap.parse_args()
    os.makedirs(a.out, exist_ok=True)
    res = a.resources
    if not res:
        res = os.path.join(a.out, "resource")
        generate.generate(res, os.path.join(HERE, "..", "..", "data", "FunKeyMap.cfg"))
    pages = [("Macro Keys", macro_page, "macro"), ("Smart Input", smart_page, "smart_input"),
             ("Function Keys", function_page, "function_keys"), ("Shortcut", shortcut_page, "shortcut")]
    for title, fill, name in pages:
        m, W, o = main_window(res, title, tab_hover="Shortcut" if title != "Shortcut" else "Macro Keys")
        fill(W)
        finish(m, W, o).save(os.path.join(a.out, f"main_{name}.png"))
    for kind in ("rename", "confirm"):
        m, W, o = main_window(res, "Function Keys")
        function_page(W)
        dialog(res, W, kind)
        finish(m, W, o).save(os.path.join(a.out, f"dialog_{kind}.png"))
    for mode in ("Save", "Load"):
        m, W, o = main_window(res, "Macro Keys")
        macro_page(W)
        profile_box(res, W, mode)
        finish(m, W, o).save(os.path.join(a.out, f"profile_{mode.lower()}.png"))
    m, W, o = main_window(res, "Macro Keys")
    macro_page(W)
    W.put("popup/popup_bg2.png", (0, 0))
    W.put("combined_key/btm/record_d.png", (297, 105))
    W.text_centre((297, 105, 417, 141), "Stop", 14, ref(0x888888))
    finish(m, W, o).save(os.path.join(a.out, "recording.png"))
    m, W, o = main_window(res, "Macro Keys")
    macro_page(W)
    W.put("popup/popup_bg.png", (0, 0))
    W.put("combined_key/action/key_down_d.png", (519, 164), key=(255, 0, 255))
    W.text((528, 178), "C", 16, ref(0xD2D2D2), "lm")
    W.put("combined_key/action/time_d.png", (628, 204), key=(255, 0, 255))
    W.text((637, 218), "80", 16, ref(0xD2D2D2), "lm")
    finish(m, W, o).save(os.path.join(a.out, "key_step.png"))
    sheet(res, a.out)


if __name__ == "__main__":
    main()
