"""Glyphs drawn on a 24-unit design grid and rendered at any pixel size as coverage masks.

A glyph function receives a `Pen` and adds or erases shapes in grid units. `render()` places
the 24 x 24 grid on a square of `box` pixels whose top-left is at (x, y) of a mask.
"""
from PIL import Image
import draw as d


class Pen:
    def __init__(self, size, x, y, box, wide=False):
        self.mask = Image.new("L", size, 0)
        self.size, self.x, self.y, self.k = size, x, y, box / 24
        self.box = box
        self.wide = wide                      # room to the sides (function tiles)
        self.w = max(2.0, 1.45 / self.k)      # standard stroke, at least 1.45 px
        self.small = box < 26

    # units -> pixels
    def P(self, u, v):
        return (self.x + u * self.k, self.y + v * self.k)

    def _path(self, p):
        return p.map(lambda u, v: self.P(u, v))

    def add(self, *paths):
        for p in paths:
            self.mask = d.union(self.mask, d.raster(self.size, self._path(p)))

    def erase(self, *paths):
        for p in paths:
            self.mask = d.minus(self.mask, d.raster(self.size, self._path(p)))

    def text(self, u, v, s, px, weight="bold", erase=False):
        X, Y = self.P(u, v)
        m = d.text_mask(self.size, (round(X), round(Y)), s, px, weight)
        self.mask = d.minus(self.mask, m) if erase else d.union(self.mask, m)

    # shapes in units
    def line(self, pts, w=None, cap="round", join="round"):
        return d.stroke(pts, self.w if w is None else w, cap=cap, join=join)

    def outline(self, x0, y0, x1, y1, r, w=None):
        w = self.w if w is None else w
        return d.ring(d.rrect(x0, y0, x1, y1, r), d.rrect(x0 + w, y0 + w, x1 - w, y1 - w, max(0, r - w)))

    def ring(self, cx, cy, r, w=None):
        w = self.w if w is None else w
        return d.ring(d.circle(cx, cy, r), d.circle(cx, cy, r - w))


def render(name, size, x, y, box, wide=False):
    pen = Pen(size, x, y, box, wide)
    GLYPHS[name](pen)
    return pen.mask


# ---------------------------------------------------------------- media

def play_pause(g):
    g.add(d.poly((2, 5), (12, 12), (2, 19)))
    g.add(d.rect(14.5, 5, 17.3, 19), d.rect(19.2, 5, 22, 19))


def stop(g):
    g.add(d.rrect(5, 5, 19, 19, 1.6))


def previous_track(g):
    g.add(d.rect(3, 6, 5.6, 18), d.poly((13.5, 6), (13.5, 18), (5.6, 12)), d.poly((21.5, 6), (21.5, 18), (13.5, 12)))


def next_track(g):
    g.add(d.rect(18.4, 6, 21, 18), d.poly((10.5, 6), (10.5, 18), (18.4, 12)), d.poly((2.5, 6), (2.5, 18), (10.5, 12)))


def _speaker(g, dx=0):
    g.add(d.rrect(1.5 + dx, 8.5, 6.5 + dx, 15.5, 0.8), d.poly((5.5 + dx, 8.5), (11 + dx, 4), (11 + dx, 20), (5.5 + dx, 15.5)))


def volume_up(g):
    _speaker(g)
    g.add(g.line([(18.5, 8), (18.5, 16)], w=g.w * 1.1, cap="butt"), g.line([(14.5, 12), (22.5, 12)], w=g.w * 1.1, cap="butt"))


def volume_down(g):
    _speaker(g)
    g.add(g.line([(14.5, 12), (22.5, 12)], w=g.w * 1.1, cap="butt"))


def mute(g):
    _speaker(g)
    g.add(g.line([(15, 8.5), (22, 15.5)]), g.line([(22, 8.5), (15, 15.5)]))


# ---------------------------------------------------------------- applications

def calculator(g):
    g.add(g.outline(4.5, 1.5, 19.5, 22.5, 2.2))
    g.add(d.rrect(7.5, 4.5, 16.5, 9, 0.8))
    for row in range(3):
        for col in range(3):
            x, y = 7.4 + col * 3.4, 11.6 + row * 3.4
            g.add(d.rrect(x, y, x + 2.4, y + 2.4, 0.5))


def web_browser(g):
    g.add(g.ring(12, 12, 10))
    w = g.w * 0.8
    g.add(d.ring(d.ellipse(12, 12, 4.6 + w / 2, 10), d.ellipse(12, 12, 4.6 - w / 2, 10 - w)))
    g.add(d.rect(2, 12 - w / 2, 22, 12 + w / 2))
    if not g.small:
        g.add(d.rect(3.6, 7 - w / 2, 20.4, 7 + w / 2), d.rect(3.6, 17 - w / 2, 20.4, 17 + w / 2))


def email(g):
    g.add(g.outline(1.5, 4.5, 22.5, 19.5, 2))
    g.add(g.line([(3, 6.5), (12, 13.5), (21, 6.5)], join="miter"))


def _folder(g, x0=2, y0=4, x1=22, y1=20):
    tab = d.poly((x0, y0 + 1), (x0 + 1, y0), (x0 + 7, y0), (x0 + 9, y0 + 2.5), (x1 - 1, y0 + 2.5),
                 (x1, y0 + 3.5), (x1, y1 - 1), (x1 - 1, y1), (x0 + 1, y1), (x0, y1 - 1))
    g.add(tab)
    g.erase(d.rect(x0, y0 + 4.6, x1, y0 + 4.6 + max(1.0, g.w * 0.6)))


def file_explorer(g):
    _folder(g)


def media_player(g):
    g.add(g.ring(12, 12, 10))
    g.add(d.poly((9.2, 7), (17.2, 12), (9.2, 17)))


def search(g):
    g.add(g.ring(10, 10, 7.2, g.w * 1.05))
    g.add(g.line([(15.4, 15.4), (21, 21)], w=g.w * 1.6))


def browser_home(g):
    g.add(g.line([(2.5, 11.5), (12, 3), (21.5, 11.5)], w=g.w * 1.05, join="miter", cap="round"))
    g.add(d.poly((5.5, 11), (12, 5.2), (18.5, 11), (18.5, 21), (5.5, 21)))
    g.erase(d.rrect(10, 14.5, 14, 21.5, 0.6))


def favorites(g):
    import math
    pts = []
    for i in range(10):
        r = 10.5 if i % 2 == 0 else 4.4
        a = math.radians(-90 + i * 36)
        pts.append((12 + r * math.cos(a), 12.8 + r * math.sin(a)))
    g.add(d.Path([pts]))


# ---------------------------------------------------------------- gaming

def _padlock(g, cx, cy, s, halo=0.0):
    """Padlock centred at (cx, cy), s = body width."""
    bw, bh = s, s * 0.78
    bx0, by0 = cx - bw / 2, cy - bh / 2 + s * 0.2
    sw = max(g.w * 0.85, s * 0.16)
    r = bw / 2 - sw / 2 - s * 0.1
    if halo:
        g.erase(d.rrect(bx0 - halo, by0 - r - sw / 2 - halo, bx0 + bw + halo, by0 + bh + halo, halo + 1))
    g.add(d.arc(cx, by0, r, 180, 360, sw), d.rect(cx - r - sw / 2, by0 - 0.01, cx - r + sw / 2, by0 + 1),
          d.rect(cx + r - sw / 2, by0 - 0.01, cx + r + sw / 2, by0 + 1))
    g.add(d.rrect(bx0, by0, bx0 + bw, by0 + bh, s * 0.12))
    hole = max(0.9, s * 0.11)
    g.erase(d.circle(cx, by0 + bh * 0.42, hole), d.rect(cx - hole * 0.55, by0 + bh * 0.42, cx + hole * 0.55, by0 + bh * 0.78))


def _key_lock(g, label, short):
    if g.wide:
        # keycap wide enough for its label, padlock beside it; the group is centred on the grid
        px = round(g.box * 0.34)
        tw = d.font(px).getlength(label) / g.k
        kw, lw, gap = tw + 6, 9, 2.2
        x0 = 12 - (kw + gap + lw) / 2
        g.add(g.outline(x0, 4.5, x0 + kw, 19.5, 2.6, w=g.w * 0.8))
        g.text(x0 + kw / 2, 12.2, label, px)
        _padlock(g, x0 + kw + gap + lw / 2, 12, lw)
    elif g.small:
        px = round(g.box * 0.56)
        while px > 6 and d.font(px).getlength(short) > g.box - 1:
            px -= 1
        g.text(12, 5.2, short, px)
        _padlock(g, 12, 16.5, 10)
    else:
        g.add(g.outline(0.5, 1, 20, 16.5, 2.4, w=g.w * 0.8))
        g.text(10.25, 8.4, short, round(g.box * 0.3))
        _padlock(g, 18.6, 18.2, 8.6, halo=1.5)


def win_key_lock(g):
    _key_lock(g, "Win", "Win")


def alt_tab_lock(g):
    _key_lock(g, "Alt+Tab", "Tab")


def alt_f4_lock(g):
    _key_lock(g, "Alt+F4", "F4")


def game_overlay(g):
    body = (d.rrect(3, 7, 21, 16.5, 4.5) + d.circle(6.8, 15.2, 4.2) + d.circle(17.2, 15.2, 4.2))
    g.add(body)
    t = max(1.3, g.w * 0.62)
    g.erase(d.rect(7 - t / 2, 9.4, 7 + t / 2, 14.6), d.rect(4.4, 12 - t / 2, 9.6, 12 + t / 2))
    r = max(0.95, g.w * 0.5)
    g.erase(d.circle(17, 9.9, r), d.circle(17, 14.1, r), d.circle(14.9, 12, r), d.circle(19.1, 12, r))


def record_clip(g):
    g.add(g.ring(12, 12, 10))
    g.add(d.circle(12, 12, 5))


def screenshot(g):
    g.add(d.rrect(1.5, 6.5, 22.5, 20.5, 2.4), d.poly((7.5, 7), (9.3, 3.5), (14.7, 3.5), (16.5, 7)))
    g.erase(d.circle(12, 13.5, 5.2))
    g.add(d.circle(12, 13.5, 3.1))
    if not g.small:
        g.erase(d.circle(19, 9.6, 1))


# ---------------------------------------------------------------- functions

def sleep(g):
    g.add(d.circle(11, 13, 9.5))
    g.erase(d.circle(16.5, 8.5, 8))
    if not g.small:
        g.add(d.poly((18, 14), (18.7, 15.8), (20.5, 16.5), (18.7, 17.2), (18, 19), (17.3, 17.2), (15.5, 16.5), (17.3, 15.8)))


def lock_computer(g):
    _padlock(g, 12, 11.2, 16)


def show_desktop(g):
    g.add(g.outline(1.5, 2.5, 22.5, 17.5, 1.8))
    g.add(d.rect(10.2, 17, 13.8, 20), d.rrect(6.5, 19.8, 17.5, 21.8, 0.8))
    g.add(g.line([(8.5, 8), (12, 11.3), (15.5, 8)], w=g.w * 0.9, join="miter"))
    g.add(d.rect(8.5, 12.9, 15.5, 12.9 + g.w * 0.9))


def task_manager(g):
    g.add(g.outline(1.5, 3.5, 22.5, 20.5, 2))
    g.add(g.line([(4.2, 13), (8, 13), (10, 7.5), (13.2, 17), (15.3, 10.5), (17, 13), (19.8, 13)],
                 w=g.w * 0.85, join="miter"))


def screen_snip(g):
    a, w = 6, g.w
    for x, y, sx, sy in ((2.5, 2.5, 1, 1), (21.5, 2.5, -1, 1), (21.5, 21.5, -1, -1), (2.5, 21.5, 1, -1)):
        g.add(g.line([(x + sx * a, y), (x, y), (x, y + sy * a)], w=w, cap="butt", join="miter"))
    g.add(g.line([(12, 7.5), (12, 16.5)], w=w * 0.8), g.line([(7.5, 12), (16.5, 12)], w=w * 0.8))


def copy(g):
    g.add(g.outline(2, 1.5, 15, 16.5, 1.8))
    g.erase(d.rrect(7.5 - g.w, 6.5 - g.w, 22 + g.w, 22.5 + g.w, 2.5))
    g.add(g.outline(8, 7, 22, 22.5, 1.8))
    if not g.small:
        g.add(d.rect(11, 12, 19, 12 + g.w * 0.7), d.rect(11, 16, 19, 16 + g.w * 0.7))


def paste(g):
    g.add(g.outline(3.5, 3.5, 20.5, 22.5, 2))
    g.erase(d.rrect(7.5, 1, 16.5, 7.5, 1.5))
    g.add(d.rrect(8.5, 1.5, 15.5, 6.5, 1.3))
    lw = g.w * 0.75
    g.add(d.rect(7.5, 11, 16.5, 11 + lw), d.rect(7.5, 14.5, 16.5, 14.5 + lw))
    if not g.small:
        g.add(d.rect(7.5, 18, 13, 18 + lw))


def undo(g):
    import draw
    pts = [(7.5, 8.5), (13.5, 8.5)] + draw._arc_pts(13.5, 14.25, 5.75, 5.75, -90, 90)[1:] + [(7, 20)]
    g.add(g.line(pts, w=g.w * 1.05, cap="butt"))
    g.add(d.poly((2, 8.5), (8.6, 3.2), (8.6, 13.8)))


def safely_remove_drives(g):
    g.add(d.poly((2.5, 13.5), (12, 3.5), (21.5, 13.5)))
    g.add(d.rrect(2.5, 16.5, 21.5, 20, 0.6))


def next_audio_output(g):
    g.add(d.arc(11, 12.5, 7.6, 180, 360, g.w))
    g.add(d.rrect(2.4, 11.5, 7.2, 20, 1.3), d.rrect(14.8, 11.5, 19.6, 20, 1.3))
    g.erase(d.circle(19.5, 17.5, 5.4))
    g.add(d.poly((17.2, 13.5), (23.5, 17.5), (17.2, 21.5)))


# ---------------------------------------------------------------- controls

def close(g):
    g.add(g.line([(5, 5), (19, 19)], w=g.w * 1.1), g.line([(19, 5), (5, 19)], w=g.w * 1.1))


def eraser(g):
    # eraser block tilted 45 degrees, its tip darker (cut), with a sweep line under it
    import math
    c, s = math.cos(math.radians(-45)), math.sin(math.radians(-45))

    def rot(pts):
        return [(12 + (x - 12) * c - (y - 12) * s, 11 + (x - 12) * s + (y - 12) * c) for x, y in pts]
    body = d.Path([rot([(4.5, 8), (19.5, 8), (19.5, 16), (4.5, 16)])])
    g.add(body)
    g.erase(d.Path([rot([(10, 7), (10 + g.w * 0.6, 7), (10 + g.w * 0.6, 17), (10, 17)])]))
    g.add(d.rect(3, 21 - g.w * 0.5, 21, 21 + g.w * 0.5))


def tab_key(g):
    w = g.w
    g.add(g.line([(4, 12), (17, 12)], w=w, cap="butt"))
    g.add(d.poly((13, 7), (18.5, 12), (13, 17)))
    g.add(d.rect(19.6, 6.5, 19.6 + w, 17.5))


def plus(g):
    g.add(g.line([(12, 5), (12, 19)], w=g.w * 1.1, cap="butt"), g.line([(5, 12), (19, 12)], w=g.w * 1.1, cap="butt"))


def document(g):
    g.add(d.poly((4.5, 2), (14, 2), (19.5, 7.5), (19.5, 22), (4.5, 22)))
    g.erase(d.poly((13.2, 2), (13.2, 8.3), (19.5, 8.3), (19.5, 2)))
    g.add(d.poly((14.4, 2.2), (19.3, 7.1), (14.4, 7.1)))


def document_more(g):
    g.add(d.poly((2, 2), (11, 2), (16, 7), (16, 22), (2, 22)))
    g.erase(d.poly((10.2, 2), (10.2, 7.8), (16, 7.8), (16, 2)))
    g.add(d.poly((11.4, 2.2), (15.8, 6.6), (11.4, 6.6)))
    for x in (18.4, 21.2, 24):
        g.add(d.circle(x, 20.5, 1.35))


def folder(g):
    _folder(g, 2, 3.5, 22, 20.5)


def bin(g):
    g.add(d.rrect(3, 4.6, 21, 7, 0.8), d.rrect(9, 2, 15, 5, 1))
    g.add(d.poly((5, 8.4), (19, 8.4), (17.8, 22), (6.2, 22)))
    t = max(1.0, g.w * 0.5)
    for x in (9.2, 12, 14.8):
        g.erase(d.rect(x - t / 2, 11, x + t / 2, 19.5))


def clock(g):
    g.add(g.ring(12, 12, 10))
    g.add(g.line([(12, 6.5), (12, 12.5), (16, 14.5)], w=g.w * 0.95, join="miter", cap="round"))


def arrow_down(g):
    g.add(d.rect(12 - g.w / 2, 3, 12 + g.w / 2, 14))
    g.add(d.poly((5, 12), (19, 12), (12, 21)))


def arrow_up(g):
    g.add(d.rect(12 - g.w / 2, 10, 12 + g.w / 2, 21))
    g.add(d.poly((5, 12), (19, 12), (12, 3)))


def arrow_right(g):
    g.add(d.rect(1, 12 - g.w / 2, 15, 12 + g.w / 2))
    g.add(d.poly((13, 4.5), (23, 12), (13, 19.5)))


def tick(g):
    g.add(g.line([(4.5, 12.5), (9.8, 17.8), (19.8, 6.5)], w=g.w * 1.25, join="miter", cap="round"))


def warning(g):
    import draw
    tri = d.poly((12, 1.5), (23, 21.5), (1, 21.5))
    g.add(tri)
    g.erase(d.poly((10.6, 8), (13.4, 8), (12.7, 15.2), (11.3, 15.2)), d.circle(12, 18.1, 1.45))


def power_on(g):
    g.add(d.rect(12 - g.w / 2, 5, 12 + g.w / 2, 19))


def power_off(g):
    g.add(g.ring(12, 12, 6.5, g.w))


GLYPHS = {f.__name__: f for f in [
    play_pause, stop, previous_track, next_track, volume_up, volume_down, mute, calculator,
    web_browser, email, file_explorer, media_player, search, browser_home, favorites, win_key_lock,
    alt_tab_lock, alt_f4_lock, game_overlay, record_clip, screenshot, sleep, lock_computer,
    show_desktop, task_manager, screen_snip, copy, paste, undo, safely_remove_drives,
    next_audio_output, close, eraser, tab_key, plus, document, document_more, folder, bin, clock,
    arrow_down, arrow_up, arrow_right, tick, warning, power_on, power_off]}
