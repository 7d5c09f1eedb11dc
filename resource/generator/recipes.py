"""Recipes: one function per kind of picture. Each takes the picture's description, the look to
draw (a state of the control) and the palette, and returns an RGBA image (icons: {size: image})."""
from PIL import Image, ImageFilter
import draw as d
import glyphs
import lettering

RECIPES = {}


def recipe(f):
    RECIPES[f.__name__] = f
    return f


# ---------------------------------------------------------------- shared pieces

def panel(cv, shape, fill, border=None, hi=0.0, glow=None, sheen=0.0, shade_top=0.0):
    """A face: gradient fill, 1-px border ring, top highlight, inner glow and glass sheen.

    fill/border: (top colour, bottom colour); glow: (colour, radius, strength)."""
    W, H = cv.size
    outer = cv.mask(shape.path())
    inner = cv.mask(shape.path(1)) if border else outer
    cv.fill(outer, d.vgrad(cv.size, [(0, fill[0]), (1, fill[1])]))
    if sheen:
        cv.fill(inner, d.vgrad(cv.size, [(0, d.colour("#FFFFFF", sheen)), (0.5, d.colour("#FFFFFF", sheen * 0.35)),
                                         (0.52, d.colour("#FFFFFF", 0)), (1, d.colour("#FFFFFF", 0))]))
    if shade_top:
        cv.fill(inner, d.vgrad(cv.size, [(0, d.colour("#000000", shade_top)), (1, d.colour("#000000", 0))], 0, min(H, 6)))
    if glow:
        c, r, k = glow
        cv.fill(d.inner_glow(inner, r, k), c)
    if border:
        cv.fill(d.minus(outer, inner), d.vgrad(cv.size, [(0, border[0]), (1, border[1])]))
    if hi:
        cv.fill(d.top_edge(inner, 1), d.colour("#FFFFFF", hi))
    return outer


def paint_glyph(cv, name, x, y, box, top, bottom=None, glow=None, shadow=0.0, wide=False):
    m = glyphs.render(name, cv.size, x, y, box, wide)
    if shadow:
        cv.fill(d.blur(d.shifted(m, 0, 1), 0.6), d.colour("#000000", shadow))
    if glow:
        c, r = glow
        cv.fill(d.blur(m, r), c)
    cv.fill(m, d.vgrad(cv.size, [(0, top), (1, bottom or top)], y, y + box))
    return m


def centred_glyph_box(W, H, box):
    return (W - box) / 2, (H - box) / 2


def text_shear(mask, k, y0):
    """Slants a text mask to the right by k per pixel above y0 (the row y0 stays in place)."""
    return mask.transform(mask.size, Image.AFFINE, (1, k, -k * y0, 0, 1, 0), resample=Image.BICUBIC)


# ---------------------------------------------------------------- main window

@recipe
def main_background(desc, look, P):
    W, H = desc["size"]
    cv = d.Canvas(W, H, P["black"])
    outline = d.shape_poly((12, 0), (1188, 0), (1200, 12), (1200, 60), (1259, 119), (1259, 470),
                           (1200, 529), (1200, 580), (1188, 592), (12, 592), (0, 580), (0, 12))
    inside = cv.mask(outline.path())
    inner = cv.mask(outline.path(1))
    weave = d.pattern(cv.size, 2, (0, 255))

    # chassis
    cv.fill(inside, P["toolbar"])
    # header band with its angled plate behind the product mark
    header = cv.mask(d.rect(0, 0, 1200, 47))
    cv.fill(d.times(header, inside), d.vgrad(cv.size, [(0, "#212121"), (1, "#151515")], 0, 47))
    cv.fill(d.times(d.times(header, inside), weave), d.colour("#FFFFFF", 0.018))
    plate = d.poly((0, 0), (262, 0), (215, 47), (0, 47))
    cv.fill(d.times(cv.mask(plate), inside), d.vgrad(cv.size, [(0, "#121212"), (1, "#0B0B0B")], 0, 47))
    edge = d.stroke([(262, 0), (215, 47)], 2.2, cap="butt")
    cv.fill(d.blur(cv.mask(edge), 3), d.colour(P["red"], 0.55))
    cv.fill(cv.mask(edge), d.vgrad(cv.size, [(0, P["red_light"]), (1, P["red_deep"])], 0, 47))
    for i in range(3):
        x = 259 + 8 * i      # parallel to the plate's edge, at its height
        bar = cv.mask(d.poly((x, 16), (x + 4, 16), (x - 14, 34), (x - 18, 34)))
        cv.fill(bar, d.colour(P["red"], 0.75 - 0.22 * i))
    cv.fill(cv.mask(d.rect(0, 47, 1200, 48)), "#050505")
    cv.fill(cv.mask(d.rect(215, 48, 1200, 49)), d.hgrad(cv.size, [(0, d.colour("#FFFFFF", 0.06)), (1, d.colour("#FFFFFF", 0.0))], 215, 1200))
    # separator before the close button
    cv.fill(cv.mask(d.rect(1144, 12, 1145, 35)), "#2E2E2E")
    cv.fill(cv.mask(d.rect(1145, 12, 1146, 35)), "#080808")

    # product mark
    mx, my, mh = 22, 14, 20
    letters = lettering.word(desc["mark"], mx, my, mh)
    split = desc["mark"].replace(" ", "").index("I")
    silver = Image.new("L", cv.size, 0)
    red = Image.new("L", cv.size, 0)
    for i, p in enumerate(letters):
        m = cv.mask(p)
        if i < split:
            silver = d.union(silver, m)
        else:
            red = d.union(red, m)
    both = d.union(silver, red)
    cv.fill(d.blur(d.shifted(both, 1, 2), 1.2), d.colour("#000000", 0.8))
    cv.fill(d.blur(red, 4), d.colour(P["red"], 0.45))
    cv.fill(silver, d.vgrad(cv.size, [(0, "#FFFFFF"), (0.55, "#D8D8D8"), (1, "#9A9A9A")], my, my + mh))
    cv.fill(red, d.vgrad(cv.size, [(0, P["red_light"]), (1, P["red"])], my, my + mh))
    cv.fill(d.times(both, d.top_edge(both, 1)), d.colour("#FFFFFF", 0.5))

    # key column
    keys = d.shape_chamfer(8, 100, 270, 600, 0)
    panel(cv, keys, ("#141414", "#0E0E0E"), border=("#242424", "#1A1A1A"), hi=0.04)
    cv.fill(cv.mask(d.rect(15, 112, 16, 478)), d.vgrad(cv.size, [(0, "#1A1A1A"), (0.5, "#2A2A2A"), (1, "#1A1A1A")], 112, 478))
    for n in range(10):
        y = 105 + 40 * n + 14
        tick = cv.mask(d.rect(15, y - 1, 22, y + 1))
        cv.fill(d.blur(tick, 2), d.colour(P["red"], 0.5))
        cv.fill(tick, d.hgrad(cv.size, [(0, P["red"]), (1, P["red_light"])], 15, 22))

    # page area: its top edge is the line the tabs stand on
    page = d.shape_chamfer(277, 96, 1182, 560, (0, 0, 12, 0))
    panel(cv, page, ("#131313", "#0C0C0C"), border=("#262626", "#1C1C1C"))
    cv.fill(d.blur(cv.mask(d.rect(277, 96, 1182, 98)), 3), d.colour(P["red"], 0.35))
    cv.fill(cv.mask(d.rect(277, 96, 1182, 98)),
            d.hgrad(cv.size, [(0, P["red"]), (0.5, P["red_hover"]), (1, P["red_deep"])], 277, 1182))
    cv.fill(cv.mask(d.stroke([(1164, 560), (1182, 542)], 2, cap="butt")), d.colour(P["red"], 0.8))

    # S5 hint area: plain black
    hx0, hy0, hx1, hy1 = desc["hint_area"]
    cv.fill(cv.mask(d.rect(9, hy0 - 1, 269, hy1)), P["black"])
    cv.fill(cv.mask(d.rect(9, hy0 - 2, 269, hy0 - 1)), d.hgrad(cv.size, [(0, "#1A1A1A"), (0.5, "#303030"), (1, "#1A1A1A")], 9, 269))
    cv.set_rect((hx0, hy0, hx1, hy1), P["black"])

    # footer: version plate (the label on it is black)
    x0, y0, x1, y1 = desc["version_plate"]
    vp = d.shape_chamfer(x0, y0, x1, y1, (4, 0, 4, 0))
    cv.fill(cv.mask(vp.path().shift(0, 1)), d.colour("#000000", 0.9))
    panel(cv, vp, ("#BEBEBE", "#8E8E8E"), border=("#D8D8D8", "#6A6A6A"))
    cv.fill(cv.mask(d.rect(1040, 571, 1124, 573)), d.hgrad(cv.size, [(0, d.colour(P["red"], 0)), (1, P["red"])], 1040, 1124))

    # wing
    wing = cv.mask(d.poly((1200, 60), (1259, 119), (1259, 470), (1200, 529)))
    cv.fill(d.times(wing, inside), d.hgrad(cv.size, [(0, "#1C1C1C"), (1, "#101010")], 1200, 1259))
    cv.fill(d.times(d.times(wing, inside), weave), d.colour("#FFFFFF", 0.02))
    for y in range(160, 430, 9):
        cv.fill(cv.mask(d.poly((1216, y), (1246, y), (1246, y + 2), (1216, y + 2))), "#050505")
        cv.fill(cv.mask(d.rect(1216, y + 2, 1246, y + 3)), "#2C2C2C")
    light = cv.mask(d.rect(1202, 96, 1205, 494))
    cv.fill(d.blur(light, 5), d.colour(P["red"], 0.6))
    cv.fill(light, d.vgrad(cv.size, [(0, d.colour(P["red"], 0)), (0.2, P["red_light"]), (0.8, P["red_light"]),
                                     (1, d.colour(P["red"], 0))], 96, 494))

    # rim around the whole window
    cv.fill(d.minus(inside, inner), d.vgrad(cv.size, [(0, "#3C3C3C"), (0.1, "#262626"), (1, "#1A1A1A")]))
    return d.apply_key(cv.im, inside, desc["key"])


def small_keycap(cv, x0, y0, x1, y1, label, px, face=("#2E2E2E", "#1A1A1A"), text="#D2D2D2"):
    cap = d.shape_round(x0, y0, x1, y1, 3)
    cv.fill(cv.mask(cap.path().shift(0, 1.5)), "#050505")
    panel(cv, cap, face, border=("#4A4A4A", "#202020"), hi=0.1)
    cv.fill(d.text_mask(cv.size, ((x0 + x1) / 2, (y0 + y1) / 2), label, px), text)


@recipe
def s5_keys(desc, look, P):
    W, H = desc["size"]
    cv = d.Canvas(W, H)
    px = 10
    f = d.font(px)
    widths = [f.getlength(k) + 12 for k in desc["keys"]]
    gap = 5
    total = sum(widths) + gap * (len(widths) - 1)
    x = 22 + (208 - total) / 2
    for k, w in zip(desc["keys"], widths):
        small_keycap(cv, round(x), 4, round(x + w), 23, k, px)
        x += w + gap
    return d.finish(cv.im)


@recipe
def memory_panel(desc, look, P):
    W, H = desc["size"]
    cv = d.Canvas(W, H)
    box = d.shape_chamfer(0, 0, W, H, (0, 0, 0, 12))
    panel(cv, box, ("#1E1E1E", "#0C0C0C"), border=(P["red_hover"], P["red_deep"]), glow=(P["red"], 8, 0.35))
    cv.fill(d.times(cv.mask(box.path(1)), d.pattern(cv.size, 2)), d.colour("#FFFFFF", 0.02))
    # memory module: board, contacts, heat spreader with a light bar
    cv.fill(cv.mask(d.rect(20, 50, 156, 72)), "#121212")
    cv.fill(cv.mask(d.ring(d.rect(20, 50, 156, 72), d.rect(21, 51, 155, 71))), "#333333")
    for x in range(24, 152, 4):
        if 84 <= x <= 90:
            continue
        cv.fill(cv.mask(d.rect(x, 64, x + 2, 71)), d.vgrad(cv.size, [(0, "#B8B8B8"), (1, "#6A6A6A")], 64, 71))
    spread = d.shape_poly((16, 30), (148, 30), (160, 42), (160, 62), (16, 62))
    panel(cv, spread, ("#3C3C3C", "#1A1A1A"), border=("#6A6A6A", "#262626"), hi=0.12)
    for i in range(4):
        x = 40 + i * 26
        cv.fill(cv.mask(d.poly((x, 58), (x + 10, 36), (x + 16, 36), (x + 6, 58))), d.colour("#FFFFFF", 0.05))
    bar = cv.mask(d.rect(22, 33, 146, 35))
    cv.fill(d.blur(bar, 3), d.colour(P["red"], 0.8))
    cv.fill(bar, d.hgrad(cv.size, [(0, P["red"]), (0.5, P["red_light"]), (1, P["red"])], 22, 146))
    # mark
    m = text_shear(d.text_mask(cv.size, (202, 46), desc["mark"], 26), 0.18, 46)
    cv.fill(d.blur(m, 5), d.colour(P["red"], 0.7))
    cv.fill(m, d.vgrad(cv.size, [(0, "#FFFFFF"), (1, "#B2B2B2")], 34, 58))
    cv.fill(cv.mask(d.poly((176, 64), (236, 64), (234, 67), (174, 67))), d.hgrad(cv.size, [(0, P["red_light"]), (1, P["red"])], 174, 236))
    return d.finish(cv.im)


TAB_LOOKS = {
    "normal": dict(fill=("#282828", "#171717"), border=("#3C3C3C", "#1E1E1E"), hi=0.06),
    "hover": dict(fill=("#343434", "#1E1E1E"), border=("#505050", "#2A2A2A"), hi=0.08, line=("#DF3327", 0.9)),
    "checked": dict(fill=("#C83A2D", "#7C171C"), border=("#E8604F", "#5A0F0B"), hi=0.22, sheen=0.1, line=("#FF5E4D", 1.0)),
    "checked_hover": dict(fill=("#E3452F", "#962019"), border=("#FF7A68", "#6A120C"), hi=0.3, sheen=0.14, line=("#FF8A7A", 1.0)),
    "checked_disabled": dict(fill=("#4C1511", "#2A0B08"), border=("#5E1C15", "#200806"), hi=0.06),
}


@recipe
def tab(desc, look, P):
    W, H = desc["size"]
    L = TAB_LOOKS[look]
    # the tab's outside is the key colour; its edge is smoothed against the toolbar behind it
    cv = d.Canvas(W, H, P["toolbar"])
    s = d.shape_poly((12, 0), (W, 0), (W - 12, H), (0, H))
    inside = panel(cv, s, L["fill"], border=L["border"], hi=L["hi"], sheen=L.get("sheen", 0))
    if "line" in L:
        c, a = L["line"]
        base = d.times(inside, cv.mask(d.rect(0, H - 2, W, H)))
        cv.fill(d.times(inside, d.blur(base, 4)), d.colour(c, 0.45 * a))
        cv.fill(base, d.colour(c, a))
    return d.apply_key(cv.im, inside, desc["key"])


# ---------------------------------------------------------------- buttons

GLYPH_BUTTON = {
    "normal": dict(glyph=("#AAAAAA", "#767676")),
    "hover": dict(glyph=("#FF6A58", "#DF3327"), glow=("#DF3327", 0.55), back=("#DF3327", 0.1, 0.35)),
    "pressed": dict(glyph=("#A4261F", "#8E130B"), back=("#000000", 0.35, 0.0)),
    "disabled": dict(glyph=("#3A3A3A", "#303030")),
}


@recipe
def glyph_button(desc, look, P):
    W, H = desc["size"]
    L = GLYPH_BUTTON[look]
    cv = d.Canvas(W, H)
    if "back" in L:
        c, a, ba = L["back"]
        b = d.shape_round(0.5, 0.5, W - 0.5, H - 0.5, 3)
        cv.fill(cv.mask(b.path()), d.colour(c, a))
        if ba:
            cv.fill(d.minus(cv.mask(b.path()), cv.mask(b.path(1))), d.colour(c, ba))
    box = min(W, H) - 6 if W < 26 else 22
    x, y = centred_glyph_box(W, H, box)
    glow = (d.colour(L["glow"][0], L["glow"][1]), 1.6) if "glow" in L else None
    paint_glyph(cv, desc["glyph"], x, y, box, *L["glyph"], glow=glow)
    return d.finish(cv.im)


BUTTONS = {
    "outline": {
        "normal": dict(fill=("#222222", "#121212"), border=("#CC3A2D", "#8E1E17"), hi=0.07, glow=("#B83027", 4, 0.12),
                       glyph=("#CFCFCF", "#9A9A9A")),
        "hover": dict(fill=("#2C2C2C", "#181818"), border=("#FF6A58", "#DF3327"), hi=0.1, glow=("#DF3327", 6, 0.3),
                      glyph=("#FFFFFF", "#DADADA")),
        "pressed": dict(fill=("#0A0A0A", "#171717"), border=("#8E130B", "#6A0E08"), shade_top=0.5,
                        glyph=("#8D8D8D", "#707070")),
        "disabled": dict(fill=("#161616", "#101010"), border=("#4A0D08", "#400B07"), glyph=("#3A3A3A", "#303030")),
    },
    "solid": {
        "normal": dict(fill=("#C8382C", "#7C171C"), border=("#E8604F", "#4A0C08"), hi=0.18, sheen=0.1),
        "hover": dict(fill=("#E4442F", "#9A2118"), border=("#FF8A78", "#5A0F0B"), hi=0.28, sheen=0.14,
                      glow=("#FF8A7A", 5, 0.3)),
        "pressed": dict(fill=("#6E110C", "#921C15"), border=("#5A0C08", "#8E130B"), shade_top=0.45),
        "disabled": dict(fill=("#2C2C2C", "#222222"), border=("#3A3A3A", "#1A1A1A"), hi=0.04),
    },
}


@recipe
def button(desc, look, P):
    W, H = desc["size"]
    L = BUTTONS[desc["style"]][look]
    cv = d.Canvas(W, H)
    c = 4 if min(W, H) <= 32 else (6 if desc["style"] == "solid" else 5)
    s = d.shape_chamfer(0, 0, W, H, (c, 0, c, 0))
    glow = (L["glow"][0], L["glow"][1], L["glow"][2]) if "glow" in L else None
    panel(cv, s, L["fill"], border=L["border"], hi=L.get("hi", 0), glow=glow, sheen=L.get("sheen", 0),
          shade_top=L.get("shade_top", 0))
    if "glyph" in desc:
        box = min(22, H - 8)
        x, y = centred_glyph_box(W, H, box)
        if look == "pressed":
            x, y = x + 1, y + 1
        paint_glyph(cv, desc["glyph"], x, y, box, *L["glyph"], shadow=0.5)
    return d.finish(cv.im)


@recipe
def switch(desc, look, P):
    W, H = desc["size"]
    on = look.startswith("on")
    hover = look.endswith("hover")
    cv = d.Canvas(W, H)
    track = d.shape_round(1, 3, W - 1, H - 3, (H - 6) / 2)
    tm = cv.mask(track.path())
    if on:
        cv.fill(d.blur(tm, 2.5), d.colour(P["red_hover"] if hover else P["red"], 0.55 if hover else 0.4))
        fill = ("#8A1A14", "#E5402F") if hover else ("#6A120E", "#C8372C")
        panel(cv, track, fill, border=("#5A0F0B", "#FF7A68" if hover else "#E25040"), shade_top=0.35)
        cv.fill(cv.mask(d.rrect(20, 9.5, 22.2, 18.5, 1)), d.colour(P["pink"], 0.85))
        kx = W - 1 - (H - 6) / 2
        knob = ("#FFFFFF", "#C4C4C4") if hover else ("#F2F2F2", "#B0B0B0")
    else:
        fill = ("#060606", "#1C1C1C")
        panel(cv, track, fill, border=("#1E1E1E", "#505050" if hover else "#3C3C3C"), shade_top=0.6)
        cv.fill(cv.mask(d.ring(d.circle(52, 14, 4.2), d.circle(52, 14, 2.6))), "#808080" if hover else "#555555")
        kx = 1 + (H - 6) / 2
        knob = ("#D6D6D6", "#8A8A8A") if hover else ("#B2B2B2", "#6A6A6A")
    kr = (H - 6) / 2 - 1.5
    km = cv.mask(d.circle(kx, 14, kr))
    cv.fill(d.blur(d.shifted(km, 0, 1), 1.2), d.colour("#000000", 0.7))
    cv.fill(km, d.vgrad(cv.size, [(0, knob[0]), (1, knob[1])], 14 - kr, 14 + kr))
    cv.fill(d.minus(km, cv.mask(d.circle(kx, 14, kr - 1))), d.vgrad(cv.size, [(0, d.colour("#FFFFFF", 0.5)), (1, d.colour("#000000", 0.35))], 14 - kr, 14 + kr))
    cv.fill(cv.mask(d.circle(kx, 14, kr * 0.42)), d.vgrad(cv.size, [(0, d.colour("#000000", 0.14)), (1, d.colour("#FFFFFF", 0.12))], 14 - kr * 0.42, 14 + kr * 0.42))
    return d.finish(cv.im)


KEY_LOOKS = {
    "normal": dict(fill=("#1E1E1E", "#121212"), border=("#2C2C2C", "#1A1A1A"), hi=0.05,
                   bar=("#CC3A2D", "#8E1E17"), spill=0.08),
    "hover": dict(fill=("#2A2A2A", "#1A1A1A"), border=("#3E3E3E", "#222222"), hi=0.07,
                  bar=("#FF6A58", "#DF3327"), spill=0.2, mark=("#626262", "#4E4E4E")),
    "checked": dict(fill=("#C8382C", "#7C171C"), border=("#E8604F", "#5A0F0B"), hi=0.18, sheen=0.08,
                    glow=("#FF6A58", 6, 0.22), bar=("#FFD0CE", "#FF8A7A"), spill=0.0),
    "checked_hover": dict(fill=("#DE402F", "#8E1E17"), border=("#FF7A68", "#5A0F0B"), hi=0.26, sheen=0.12,
                          glow=("#FF8A7A", 7, 0.3),
                          bar=("#FFFFFF", "#FFB0A8"), spill=0.0, mark=("#FFD0CE80", "#FFD0CE70")),
}


@recipe
def key_button(desc, look, P):
    W, H = desc["size"]
    base = {"close_hover": "hover", "close_pressed": "hover"}.get(look, look)
    L = KEY_LOOKS[base]
    cv = d.Canvas(W, H)
    s = d.shape_chamfer(0, 0, W, H, (0, 0, 8, 0))
    inside = panel(cv, s, L["fill"], border=L["border"], hi=L["hi"], sheen=L.get("sheen", 0), glow=L.get("glow"))
    if L["spill"]:
        cv.fill(inside, d.hgrad(cv.size, [(0, d.colour(P["red"], L["spill"])), (1, d.colour(P["red"], 0))], 3, 70))
    cv.fill(cv.mask(d.rect(0, 0, 3, H)), d.vgrad(cv.size, [(0, L["bar"][0]), (1, L["bar"][1])]))
    bx0, by0, bx1, by1 = desc["close_box"]
    if look in ("close_hover", "close_pressed"):
        face = ("#EDEDED", "#BDBDBD") if look == "close_hover" else ("#A6A6A6", "#8A8A8A")
        panel(cv, d.shape_round(bx0, by0, bx1, by1, 2.5), face, border=("#FFFFFF", "#7A7A7A") if look == "close_hover" else ("#8A8A8A", "#6A6A6A"))
        c = (P["red_hover"], "#C42A20") if look == "close_hover" else (P["red_pressed"], "#6A0E08")
        paint_glyph(cv, "close", bx0 + 1, by0 + 1.5, 14, *c)
    elif "mark" in L:
        paint_glyph(cv, "close", bx0 + 1, by0 + 1.5, 14, *L["mark"])
    return d.finish(cv.im)


# ---------------------------------------------------------------- Function Keys page

@recipe
def title_bar(desc, look, P):
    W, H = desc["size"]
    cv = d.Canvas(W, H)
    strip = cv.mask(d.rect(0, 0, W, H - 1))
    fade = d.hmask(cv.size, [(0, 1), (0.55, 0.9), (1, 0)])
    cv.fill(d.times(strip, fade), d.vgrad(cv.size, [(0, "#222222"), (1, "#161616")], 0, H - 1))
    cv.fill(d.times(cv.mask(d.rect(0, 0, W, 1)), fade), d.colour("#FFFFFF", 0.06))
    sq = cv.mask(d.rect(6, 7, 14, 15))
    cv.fill(d.blur(sq, 2.5), d.colour(P["red"], 0.8))
    cv.fill(sq, d.vgrad(cv.size, [(0, P["red_light"]), (1, P["red"])], 7, 15))
    line = cv.mask(d.rect(0, H - 1, W, H))
    cv.fill(d.times(d.blur(line, 2), d.hmask(cv.size, [(0, 0.5), (1, 0)])), d.colour(P["red"], 0.8))
    cv.fill(line, d.hgrad(cv.size, [(0, P["red_hover"]), (0.6, d.colour(P["red"], 0.6)), (1, d.colour(P["red"], 0))]))
    return d.finish(cv.im)


TILE_LOOKS = {
    "normal": dict(fill=("#242424", "#161616"), border=("#363636", "#1E1E1E"), hi=0.06, glyph=("#BDBDBD", "#818181")),
    "hover": dict(fill=("#303030", "#1C1C1C"), border=("#FF6A58", "#B83027"), hi=0.08, glow=("#DF3327", 6, 0.3),
                  glyph=("#FFFFFF", "#CFCFCF")),
    "checked": dict(fill=("#C8382C", "#7C171C"), border=("#E8604F", "#5A0F0B"), hi=0.2, sheen=0.1,
                    glyph=("#FFFFFF", "#FFD8D4"), shadow=0.45),
}


@recipe
def function_tile(desc, look, P, glyph):
    W, H = desc["size"]
    L = TILE_LOOKS[look]
    cv = d.Canvas(W, H)
    panel(cv, d.shape_chamfer(0, 0, W, H, (6, 0, 6, 0)), L["fill"], border=L["border"], hi=L["hi"],
          glow=L.get("glow"), sheen=L.get("sheen", 0))
    box = desc["glyph_box"]
    x, y = centred_glyph_box(W, H, box)
    paint_glyph(cv, glyph, round(x), round(y), box, *L["glyph"], shadow=L.get("shadow", 0.35), wide=True)
    return d.finish(cv.im)


def icon_image(size, draw_fn):
    cv = d.Canvas(size, size)
    draw_fn(cv, size)
    return d.finish(cv.im)


@recipe
def function_icon(desc, look, P, glyph):
    def draw(cv, s):
        m = glyphs.render(glyph, cv.size, 0, 0, s)
        cv.fill(d.blur(d.shifted(m, 0, 1), 0.7 if s < 24 else 1.0), d.colour("#000000", 0.55))
        cv.fill(m, d.vgrad(cv.size, [(0, "#EDEDED"), (1, "#BDBDBD")]))
    return {s: icon_image(s, draw) for s in desc["sizes"]}


@recipe
def app_icon(desc, look, P):
    def draw(cv, s):
        c = round(s * 0.22)
        tile = d.shape_chamfer(0, 0, s, s, (c, 0, c, 0))
        panel(cv, tile, ("#E5452F", "#7C171C"), border=("#FF8A78", "#3A0805") if s >= 20 else None,
              hi=0.0, sheen=0.12 if s >= 24 else 0.06)
        h = s * 0.62
        t = lettering.word("T", 0, 0, h, slant=0.2)[0]
        w = lettering.width("T", h, 0.2)
        t = t.shift((s - w) / 2, (s - h) / 2)
        m = cv.mask(t)
        cv.fill(d.blur(d.shifted(m, 0, 1), 0.8), d.colour("#000000", 0.55))
        cv.fill(m, d.vgrad(cv.size, [(0, "#FFFFFF"), (1, "#E4E4E4")]))
    return {s: icon_image(s, draw) for s in desc["sizes"]}


# ---------------------------------------------------------------- Shortcut page

@recipe
def file_icon(desc, look, P):
    W, H = desc["size"]
    cv = d.Canvas(W, H)
    m = glyphs.render("document", cv.size, -1, 0, 18)
    cv.fill(d.minus(m.filter(ImageFilter.MaxFilter(3)), m), d.colour("#000000", 0.6))
    cv.fill(m, d.vgrad(cv.size, [(0, "#F4F4F4"), (1, "#BDBDBD")]))
    cv.fill(d.times(m, cv.mask(d.rect(5, 8, 11, 9) + d.rect(5, 10.5, 11, 11.5) + d.rect(5, 13, 9.5, 14))), "#8A8A8A")
    return d.finish(cv.im)


@recipe
def launch_box(desc, look, P):
    W, H = desc["size"]
    cv = d.Canvas(W, H)
    panel(cv, d.shape_round(0, 0, W, H, 3), ("#181818", "#101010"), border=("#3C3C3C", "#2A2A2A"), hi=0.04)
    y = desc["divider"]
    cv.fill(cv.mask(d.rect(8, y, W - 8, y + 1)), d.hgrad(cv.size, [(0, "#060606"), (0.5, "#060606"), (1, d.colour("#060606", 0))], 8, W - 8))
    cv.fill(cv.mask(d.rect(8, y + 1, W - 8, y + 2)), d.hgrad(cv.size, [(0, "#262626"), (0.5, "#262626"), (1, d.colour("#262626", 0))], 8, W - 8))
    x0, y0, x1, y1 = desc["icon_well"]
    panel(cv, d.shape_round(x0, y0, x1, y1, 3), ("#080808", "#0E0E0E"), border=("#0A0A0A", "#2E2E2E"))
    accent = cv.mask(d.rect(1, 10, 3, 32))
    cv.fill(d.blur(accent, 2), d.colour(P["red"], 0.6))
    cv.fill(accent, d.vgrad(cv.size, [(0, P["red_light"]), (1, P["red"])], 10, 32))
    return d.finish(cv.im)


@recipe
def warning(desc, look, P):
    W, H = desc["size"]
    cv = d.Canvas(W, H)
    m = glyphs.render("warning", cv.size, 0, 0, W)
    cv.fill(m, d.vgrad(cv.size, [(0, P["red_light"]), (1, P["red_notice"])]))
    return d.finish(cv.im)


# ---------------------------------------------------------------- fields and frames

@recipe
def field(desc, look, P):
    W, H = desc["size"]
    cv = d.Canvas(W, H)
    s = d.shape_round(0, 0, W, H, 3 if H > 24 else 2)
    outer = cv.mask(s.path())
    inner = cv.mask(s.path(1))
    cv.fill(inner, desc["fill"])
    cv.fill(d.minus(outer, inner), d.vgrad(cv.size, [(0, "#262626"), (1, "#3E3E3E")]))
    if desc.get("accent"):
        cv.fill(cv.mask(d.rect(3, H - 1, W - 3, H)),
                d.hgrad(cv.size, [(0, d.colour(P["red"], 0.2)), (0.5, P["red_hover"]), (1, d.colour(P["red"], 0.2))]))
    # the program reads the colour at the centre and paints the edit with it
    cv.set_rect((2, 2, W - 2, H - 2), desc["fill"])
    return d.finish(cv.im)


@recipe
def step_frame(desc, look, P):
    W, H = desc["size"]
    cv = d.Canvas(W, H)
    s = d.shape_chamfer(0, 0, W, H, (0, 0, 10, 0))
    inner = cv.mask(s.path(1))
    panel(cv, s, ("#0A0A0A", "#080808"), border=("#2A2A2A", "#222222"), shade_top=0.0)
    cv.fill(d.times(inner, d.vmask(cv.size, [(0, 0.5), (1, 0)], 1, 8)), "#000000")
    dots = Image.new("L", cv.size, 0)
    for y in range(8, H - 4, 10):
        for x in range(8, W - 4, 10):
            dots.putpixel((x, y), 255)
    cv.fill(d.times(dots, inner), "#161616")
    L = 16
    for (x, y, sx, sy) in ((1, 1, 1, 1), (W - 1, 1, -1, 1), (1, H - 1, 1, -1)):
        br = cv.mask(d.rect(min(x, x + sx * L), min(y, y + sy * 2), max(x, x + sx * L), max(y, y + sy * 2))
                     + d.rect(min(x, x + sx * 2), min(y, y + sy * L), max(x, x + sx * 2), max(y, y + sy * L)))
        cv.fill(d.blur(br, 2), d.colour(P["red"], 0.4))
        cv.fill(br, P["red"])
    cv.fill(cv.mask(d.stroke([(W - 10, H - 1), (W - 1, H - 10)], 2, cap="butt")), P["red"])
    return d.finish(cv.im)


RECORD_LOOKS = {
    "normal": dict(fill=("#282828", "#141414"), border=("#464646", "#222222"), hi=0.08),
    "hover": dict(fill=("#323232", "#1A1A1A"), border=("#5E5E5E", "#2A2A2A"), hi=0.1, dot_glow=0.55),
    "recording": dict(fill=("#4E110D", "#260806"), border=("#E25040", "#8E130B"), hi=0.1, glow=("#DF3327", 6, 0.3)),
    "recording_hover": dict(fill=("#601612", "#300A07"), border=("#FF7A68", "#B83027"), hi=0.14, glow=("#FF5E4D", 7, 0.45)),
}


@recipe
def record(desc, look, P):
    W, H = desc["size"]
    L = RECORD_LOOKS[look]
    cv = d.Canvas(W, H)
    panel(cv, d.shape_round(1, 1, W - 1, H - 1, (H - 2) / 2), L["fill"], border=L["border"], hi=L["hi"], glow=L.get("glow"))
    x0, x1 = desc["dot"]
    cx, cy, r = (x0 + x1) / 2, H / 2, (x1 - x0) / 2
    if look.startswith("recording"):
        sq = cv.mask(d.rrect(cx - 6, cy - 6, cx + 6, cy + 6, 1.5))
        cv.fill(d.blur(sq, 2.5), d.colour(P["red_light"], 0.6))
        cv.fill(sq, d.vgrad(cv.size, [(0, "#FFFFFF"), (1, "#C4C4C4")], cy - 6, cy + 6))
    else:
        dot = cv.mask(d.circle(cx, cy, r))
        if L.get("dot_glow"):
            cv.fill(d.blur(dot, 4), d.colour(P["red_hover"], L["dot_glow"]))
        cv.fill(cv.mask(d.circle(cx, cy, r + 1)), d.colour("#000000", 0.5))
        cv.fill(dot, d.vgrad(cv.size, [(0, P["red_light"]), (1, P["red_notice"])], cy - r, cy + r))
        cv.fill(cv.mask(d.ellipse(cx, cy - r * 0.45, r * 0.55, r * 0.32)), d.colour("#FFFFFF", 0.35))
    return d.finish(cv.im)


@recipe
def step_slot(desc, look, P):
    W, H = desc["size"]
    cv = d.Canvas(W, H)
    tx0, ty0, tx1, ty1 = desc["text_area"]
    fill = d.colour(desc["text_fill"])
    s = d.shape_round(0, 0, W, H, 3)
    outer = cv.mask(s.path())
    inner = cv.mask(s.path(1))
    cv.fill(outer, d.vgrad(cv.size, [(0, d.shade(fill, 0.1)), (ty0 / H, fill), (ty1 / H, fill), (1, d.shade(fill, -0.2))]))
    cv.fill(d.minus(outer, inner), d.vgrad(cv.size, [(0, d.shade(fill, 0.22)), (1, d.shade(fill, -0.45))]))
    cv.fill(d.top_edge(inner), d.colour("#FFFFFF", 0.08))
    gx = tx1
    cv.fill(d.times(inner, cv.mask(d.rect(gx, 0, W, H))), d.vgrad(cv.size, [(0, d.shade(fill, -0.25)), (1, d.shade(fill, -0.45))]))
    cv.fill(cv.mask(d.rect(gx, 2, gx + 1, H - 2)), d.shade(fill, -0.55))
    glyph = desc["glyph"]
    if glyph == "arrow_down":
        colours = (P["red_light"], P["red_hover"])
    elif glyph == "arrow_up":
        colours = ("#E0E0E0", "#A6A6A6")
    else:
        colours = (P["pink"], "#E8A8A2")
    box = 15
    paint_glyph(cv, glyph, gx + (W - gx - box) / 2 + 0.5, (H - box) / 2, box, *colours, shadow=0.5)
    cv.set_rect((tx0, ty0, tx1, ty1), fill)
    return d.finish(cv.im)


@recipe
def step_arrow(desc, look, P):
    W, H = desc["size"]
    cv = d.Canvas(W, H)
    m = cv.mask(d.rect(0, 4, 8, 6) + d.poly((6.5, 0.5), (13, 5), (6.5, 9.5)))
    cv.fill(m, d.vgrad(cv.size, [(0, "#A6A6A6"), (1, "#767676")]))
    return d.finish(cv.im)


@recipe
def step_editor(desc, look, P):
    W, H = desc["size"]
    cv = d.Canvas(W, H, "#000000")
    delay = "unit" in desc
    s = d.shape_chamfer(0, 0, W, H, (6, 0, 6, 0))
    fill = ("#3E100D", "#1E0806") if delay else ("#2C2C2C", "#161616")
    inside = panel(cv, s, fill, border=(P["red_light"], P["red"]), glow=(P["red"], 5, 0.3), hi=0.1)
    fx0, fy0, fx1, fy1 = desc["field"]
    cv.fill(cv.mask(d.rect(fx0 - 1, fy0 - 1, fx1 + 1, fy1 + 1)), "#3A3A3A" if not delay else "#5A1A16")
    cv.fill(cv.mask(d.rect(fx0 - 1, fy0 - 1, fx1, fy1)), "#050505")
    cv.set_rect((fx0, fy0, fx1, fy1), desc["field_fill"])
    if delay:
        cv.fill(d.text_mask(cv.size, (69, H / 2), desc["unit"], 12), P["silver"])
    else:
        colours = (P["red_light"], P["red_hover"]) if desc["glyph"] == "arrow_down" else ("#E0E0E0", "#A6A6A6")
        paint_glyph(cv, desc["glyph"], 76, (H - 12) / 2, 12, *colours, shadow=0.5)
    return d.apply_key(cv.im, inside, desc["key"])


KEYCAP_LOOKS = {
    "normal": dict(face=("#303030", "#1E1E1E"), lip=("#141414", "#080808"), border=("#2E2E2E", "#0A0A0A"), glyph=("#B2B2B2", "#828282")),
    "hover": dict(face=("#3C3C3C", "#262626"), lip=("#1A1A1A", "#0A0A0A"), border=("#FF6A58", "#B83027"), glyph=("#FFFFFF", "#D2D2D2"), glow=0.45),
    "checked": dict(face=("#CC3A2E", "#8E1E17"), lip=("#5A0F0B", "#2A0604"), border=("#E8604F", "#3A0805"), glyph=("#FFFFFF", "#FFD8D4")),
    "checked_hover": dict(face=("#E5452F", "#A0241B"), lip=("#6A120C", "#3A0805"), border=("#FF8A78", "#5A0F0B"), glyph=("#FFFFFF", "#FFFFFF"), glow=0.55),
    "disabled": dict(face=("#181818", "#141414"), lip=("#0C0C0C", "#080808"), border=("#1E1E1E", "#0A0A0A"), glyph=("#383838", "#303030")),
}


@recipe
def keycap(desc, look, P):
    W, H = desc["size"]
    L = KEYCAP_LOOKS[look]
    cv = d.Canvas(W, H)
    base = d.shape_round(2, 2, W - 2, H - 2, 5)
    if L.get("glow"):
        cv.fill(d.blur(cv.mask(base.path()), 2), d.colour(P["red_hover"], L["glow"]))
    panel(cv, base, L["lip"], border=L["border"])
    face = d.shape_round(5, 4, W - 5, H - 8, 4)
    panel(cv, face, L["face"], hi=0.14)
    fm = cv.mask(face.path())
    cv.fill(d.minus(fm, cv.mask(face.path(1))), d.colour("#000000", 0.25))
    paint_glyph(cv, desc["glyph"], (W - 20) / 2 + 2, 6, 20, *L["glyph"], shadow=0.4)
    paint_glyph(cv, "plus", 6, 5, 10, *L["glyph"])
    return d.finish(cv.im)


CHECK_LOOKS = {
    "normal": dict(fill=("#080808", "#1A1A1A"), border=("#505050", "#6E6E6E")),
    "hover": dict(fill=("#0C0C0C", "#202020"), border=("#FF6A58", "#DF3327"), glow=("#DF3327", 3, 0.4)),
    "checked": dict(fill=("#1C0806", "#2C0D0A"), border=("#CC3A2D", "#8E1E17"), tick=("#FF6A58", "#DF3327")),
    "checked_hover": dict(fill=("#24100C", "#3A110D"), border=("#FF8A78", "#DF3327"), tick=("#FF9C8C", "#FF5E4D"),
                          glow=("#DF3327", 3, 0.4), tick_glow=0.7),
    "disabled": dict(fill=("#0C0C0C", "#101010"), border=("#262626", "#2E2E2E")),
}


@recipe
def check_box(desc, look, P):
    W, H = desc["size"]
    L = CHECK_LOOKS[look]
    cv = d.Canvas(W, H)
    panel(cv, d.shape_round(3, 3, W - 3, H - 3, 3), L["fill"], border=L["border"], glow=L.get("glow"))
    if "tick" in L:
        glow = (d.colour(P["red_hover"], L.get("tick_glow", 0.4)), 1.5)
        paint_glyph(cv, "tick", 4, 4, W - 8, *L["tick"], glow=glow)
    return d.finish(cv.im)


# ---------------------------------------------------------------- dialogs and overlays

@recipe
def dialog(desc, look, P):
    W, H = desc["size"]
    keyed = "key" in desc
    th = desc["title_height"]
    cv = d.Canvas(W, H, "#000000")
    s = d.shape_chamfer(0, 0, W, H, (10, 0, 10, 0)) if keyed else d.shape_poly((0, 0), (W, 0), (W, H), (0, H))
    outer = cv.mask(s.path())
    inner = cv.mask(s.path(1))
    cv.fill(outer, d.vgrad(cv.size, [(0, "#121212"), (1, "#0A0A0A")], th, H))
    title = d.times(inner, cv.mask(d.rect(0, 0, W, th)))
    cv.fill(title, d.vgrad(cv.size, [(0, "#262626"), (1, "#181818")], 0, th))
    cv.fill(d.times(title, d.pattern(cv.size, 2)), d.colour("#FFFFFF", 0.02))
    line = d.times(inner, cv.mask(d.rect(0, th, W, th + 1)))
    cv.fill(d.times(inner, d.blur(line, 3)), d.colour(P["red"], 0.3))
    cv.fill(line, d.hgrad(cv.size, [(0, P["red_hover"]), (0.7, P["red"]), (1, P["red_deep"])]))
    cv.fill(d.minus(outer, inner), d.vgrad(cv.size, [(0, "#484848"), (0.15, "#303030"), (1, "#262626")]))
    cv.fill(d.top_edge(inner), d.colour("#FFFFFF", 0.06))
    if keyed:
        cv.fill(cv.mask(d.stroke([(0.5, 10.5), (10.5, 0.5)], 2, cap="butt")), P["red"])
        cv.fill(cv.mask(d.stroke([(W - 10.5, H - 0.5), (W - 0.5, H - 10.5)], 2, cap="butt")), P["red"])
        return d.apply_key(cv.im, outer, desc["key"])
    corner = cv.mask(d.poly((0, 0), (9, 0), (0, 9)))
    cv.fill(corner, d.vgrad(cv.size, [(0, P["red_light"]), (1, P["red"])], 0, 9))
    cv.im.putalpha(255)
    return cv.im


@recipe
def divider(desc, look, P):
    W, H = desc["size"]
    g0, g1 = desc["gap"]
    cv = d.Canvas(W, H)
    a = d.hmask(cv.size, [(0, 0), (40 / W, 1), ((g0 - 16) / W, 1), (g0 / W, 0), (g1 / W, 0), ((g1 + 16) / W, 1),
                          ((W - 40) / W, 1), (1, 0)])
    cv.fill(d.times(a, cv.mask(d.rect(0, 0, W, 1))), "#383838")
    cv.fill(d.times(a, cv.mask(d.rect(0, 1, W, 2))), "#050505")
    return d.finish(cv.im)


@recipe
def dimmer(desc, look, P):
    W, H = desc["size"]
    alpha = desc["alpha"]
    a = Image.new("L", (W, H), alpha)
    if "hole" in desc:
        x0, y0, x1, y1 = desc["hole"]
        soft = d.blur(d.raster((W, H), d.rrect(x0 - 3, y0 - 3, x1 + 3, y1 + 3, 6)), 4)
        a = d.minus(a, d.scale(soft, alpha / 255))
        a.paste(0, (x0, y0, x1, y1))
    im = Image.new("RGBA", (W, H), (0, 0, 0, 0))
    im.putalpha(a)
    return d.finish(im)
