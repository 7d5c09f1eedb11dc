"""The product's own angular lettering, built from rectangles with 45-degree cuts.

Letters are designed in units of the cap height (1.0); `word()` lays a text out, slants it and
returns one Path per letter in pixels.
"""
from draw import Path, poly, rect

S = 0.21      # stroke
W = 0.74      # letter width
C = 0.2       # outer corner cut
GAP = 0.15    # between letters
SPACE = 0.36  # word space


def _cut(path, corners):
    """Cuts 45-degree triangles off the letter's outer corners."""
    cuts = Path()
    for x, y, dx, dy in corners:
        cuts += poly((x, y), (x + dx * C, y), (x, y + dy * C))
    return path.cut(cuts)


def _T():
    return rect(0, 0, W, S) + rect(W / 2 - S / 2, 0, W / 2 + S / 2, 1), W


def _A():
    m = 0.55
    p = rect(0, 0, S, 1) + rect(W - S, 0, W, 1) + rect(0, 0, W, S) + rect(0, m - S / 2, W, m + S / 2)
    return _cut(p, [(0, 0, 1, 1), (W, 0, -1, 1)]), W


def _S():
    m = 0.5
    p = (rect(0, 0, W, S) + rect(0, 0, S, m + S / 2) + rect(0, m - S / 2, W, m + S / 2)
         + rect(W - S, m - S / 2, W, 1) + rect(0, 1 - S, W, 1))
    return _cut(p, [(0, 0, 1, 1), (W, 1, -1, -1)]), W


def _R():
    m = 0.55
    bowl = rect(0, 0, S, 1) + rect(0, 0, W, S) + rect(W - S, 0, W, m + S / 2) + rect(0, m - S / 2, W, m + S / 2)
    top = m + S / 2
    lx = W - S * 1.3 - (1 - top)   # 45-degree leg ending at the right edge
    leg = poly((lx, top), (lx + S * 1.3, top), (W, 1), (W - S * 1.3, 1))
    return _cut(bowl, [(W, 0, -1, 1)]) + leg, W


def _O():
    p = rect(0, 0, W, S) + rect(0, 1 - S, W, 1) + rect(0, 0, S, 1) + rect(W - S, 0, W, 1)
    return _cut(p, [(0, 0, 1, 1), (W, 1, -1, -1)]), W


def _I():
    return rect(0, 0, S, 1), S


GLYPHS = {"T": _T, "A": _A, "S": _S, "R": _R, "O": _O, "I": _I}


def word(text, x, y, height, slant=0.2):
    """Paths of the letters of text with the cap-height box's top-left at (x, y), in pixels."""
    out = []
    pen = 0.0
    for ch in text:
        if ch == " ":
            pen += SPACE
            continue
        p, w = GLYPHS[ch]()
        out.append(p.map(lambda u, v, pen=pen: (x + (pen + u + (1 - v) * slant) * height, y + v * height)))
        pen += w + GAP
    return out


def width(text, height, slant=0.2):
    pen = 0.0
    for ch in text:
        pen += SPACE if ch == " " else GLYPHS[ch]()[1] + GAP
    return (pen - GAP + slant) * height
