"""Vector drawing on top of Pillow: exact supersampled coverage masks, paints and effects.

Coordinates are pixel edges: a rectangle (0, 0, 4, 2) covers exactly the pixels x 0..3, y 0..1.
Every shape becomes polygons; the rasteriser samples each of ss x ss sub-pixels at its centre
(non-zero winding), so edges land symmetrically and the output is the same on every run.
"""
import math
from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont

SS = 6  # sub-samples per pixel and axis
FONT_DIR = "/usr/share/fonts/truetype/dejavu"
FONTS = {"bold": "DejaVuSans-Bold.ttf", "regular": "DejaVuSans.ttf"}


def colour(c, alpha=None):
    """'#RRGGBB' / '#RRGGBBAA' / tuple -> (r, g, b, a); alpha (0..1) multiplies."""
    if isinstance(c, str):
        h = c.lstrip("#")
        c = tuple(int(h[i:i + 2], 16) for i in range(0, len(h), 2))
    c = tuple(c) + (255,) * (4 - len(c))
    if alpha is not None:
        c = c[:3] + (round(c[3] * alpha),)
    return c


def mix(a, b, t):
    a, b = colour(a), colour(b)
    return tuple(round(a[i] + (b[i] - a[i]) * t) for i in range(4))


def shade(c, k):
    """Lighter (k > 0, towards white) or darker (k < 0, towards black)."""
    return mix(c, "#FFFFFF" if k > 0 else "#000000", abs(k))


# ---------------------------------------------------------------- paths

class Path:
    """Outer contours (filled) and hole contours (cut), each a list of (x, y)."""

    def __init__(self, outers=(), holes=()):
        self.outers = [list(c) for c in outers]
        self.holes = [list(c) for c in holes]

    def __add__(self, other):
        return Path(self.outers + other.outers, self.holes + other.holes)

    def cut(self, other):
        """This path minus the outers of another (holes of the other are ignored)."""
        return Path(self.outers, self.holes + other.outers)

    def map(self, f):
        return Path([[f(x, y) for x, y in c] for c in self.outers],
                    [[f(x, y) for x, y in c] for c in self.holes])

    def shift(self, dx, dy):
        return self.map(lambda x, y: (x + dx, y + dy))

    def shear(self, k, y0):
        """Italic slant: x moves right by k per pixel above y0."""
        return self.map(lambda x, y: (x + (y0 - y) * k, y))


def _area(c):
    return sum(c[i][0] * c[(i + 1) % len(c)][1] - c[(i + 1) % len(c)][0] * c[i][1]
               for i in range(len(c))) / 2


def poly(*pts):
    return Path([pts])


def rect(x0, y0, x1, y1):
    return poly((x0, y0), (x1, y0), (x1, y1), (x0, y1))


def chamfer(x0, y0, x1, y1, c):
    """Rectangle with 45-degree cut corners; c = size or (top-left, top-right, bottom-right, bottom-left)."""
    tl, tr, br, bl = (c,) * 4 if isinstance(c, (int, float)) else c
    pts = [(x0 + tl, y0), (x1 - tr, y0), (x1, y0 + tr), (x1, y1 - br), (x1 - br, y1),
           (x0 + bl, y1), (x0, y1 - bl), (x0, y0 + tl)]
    out = []
    for p in pts:
        if not out or p != out[-1]:
            out.append(p)
    if out[0] == out[-1]:
        out.pop()
    return Path([out])


def _arc_pts(cx, cy, rx, ry, a0, a1, n=None):
    """Points on an ellipse arc; angles in degrees, 0 = east, clockwise (y down)."""
    if n is None:
        n = max(6, int(abs(a1 - a0) / 360 * max(rx, ry) * 2 * math.pi * 1.5) + 4)
    return [(cx + rx * math.cos(math.radians(a0 + (a1 - a0) * i / n)),
             cy + ry * math.sin(math.radians(a0 + (a1 - a0) * i / n))) for i in range(n + 1)]


def ellipse(cx, cy, rx, ry=None):
    ry = rx if ry is None else ry
    return Path([_arc_pts(cx, cy, rx, ry, 0, 360)[:-1]])


def circle(cx, cy, r):
    return ellipse(cx, cy, r)


def rrect(x0, y0, x1, y1, r):
    r = min(r, (x1 - x0) / 2, (y1 - y0) / 2)
    if r <= 0:
        return rect(x0, y0, x1, y1)
    pts = (_arc_pts(x1 - r, y0 + r, r, r, -90, 0) + _arc_pts(x1 - r, y1 - r, r, r, 0, 90)
           + _arc_pts(x0 + r, y1 - r, r, r, 90, 180) + _arc_pts(x0 + r, y0 + r, r, r, 180, 270))
    return Path([pts])


def ring(shape_outer, shape_inner):
    return Path(shape_outer.outers, shape_inner.outers)


def stroke(pts, w, cap="round", join="round", closed=False):
    """Outline of a polyline of width w."""
    pts = [p for i, p in enumerate(pts) if i == 0 or p != pts[i - 1]]
    h = w / 2
    out = Path()
    segs = list(zip(pts, pts[1:] + ([pts[0]] if closed else [])))
    for (x0, y0), (x1, y1) in segs:
        dx, dy = x1 - x0, y1 - y0
        ln = math.hypot(dx, dy) or 1
        nx, ny = -dy / ln * h, dx / ln * h
        ex, ey = (dx / ln * h, dy / ln * h) if cap == "square" else (0, 0)
        out += poly((x0 + nx - ex, y0 + ny - ey), (x1 + nx + ex, y1 + ny + ey),
                    (x1 - nx + ex, y1 - ny + ey), (x0 - nx - ex, y0 - ny - ey))
    inner = pts if closed else pts[1:-1]
    for p in inner:
        if join == "round":
            out += circle(p[0], p[1], h)
    if join == "miter":
        n = len(pts)
        idx = range(n) if closed else range(1, n - 1)
        for i in idx:
            a, b, c = pts[i - 1], pts[i], pts[(i + 1) % n]
            out += _miter(a, b, c, h)
    if not closed and cap == "round":
        out += circle(pts[0][0], pts[0][1], h) + circle(pts[-1][0], pts[-1][1], h)
    return out


def _miter(a, b, c, h):
    d1 = (b[0] - a[0], b[1] - a[1]); d2 = (c[0] - b[0], c[1] - b[1])
    l1 = math.hypot(*d1) or 1; l2 = math.hypot(*d2) or 1
    n1 = (-d1[1] / l1 * h, d1[0] / l1 * h); n2 = (-d2[1] / l2 * h, d2[0] / l2 * h)
    cross = d1[0] * d2[1] - d1[1] * d2[0]
    s = -1 if cross > 0 else 1
    p1 = (b[0] + s * n1[0], b[1] + s * n1[1]); p2 = (b[0] + s * n2[0], b[1] + s * n2[1])
    # intersection of the two outer offset lines
    den = d1[0] * d2[1] - d1[1] * d2[0]
    if abs(den) < 1e-9:
        return Path()
    t = ((p2[0] - p1[0]) * d2[1] - (p2[1] - p1[1]) * d2[0]) / den
    m = (p1[0] + d1[0] * t, p1[1] + d1[1] * t)
    if math.hypot(m[0] - b[0], m[1] - b[1]) > 4 * h:
        return poly(b, p1, p2)
    return poly(b, p1, m, p2)


def arc(cx, cy, r, a0, a1, w, cap="butt"):
    return stroke(_arc_pts(cx, cy, r, r, a0, a1), w, cap=cap, join="round")


# ---------------------------------------------------------------- masks

_ONES = b"\xff" * 65536


def raster(size, path, ss=SS):
    """Coverage mask ('L', size) of a path: the union of its outers minus the union of its holes."""
    m = _raster(size, path.outers, ss)
    return minus(m, _raster(size, path.holes, ss)) if path.holes else m


def _raster(size, contours, ss):
    W, H = size
    conts = [c for c in contours if len(c) > 2]
    out = Image.new("L", size, 0)
    if not conts:
        return out
    xs = [p[0] for c in conts for p in c]
    ys = [p[1] for c in conts for p in c]
    bx0, by0 = max(0, math.floor(min(xs))), max(0, math.floor(min(ys)))
    bx1, by1 = min(W, math.ceil(max(xs))), min(H, math.ceil(max(ys)))
    if bx1 <= bx0 or by1 <= by0:
        return out
    sw, sh = (bx1 - bx0) * ss, (by1 - by0) * ss
    edges = []
    for c in conts:
        orient = 1 if _area(c) > 0 else -1   # every contour counts positively: union
        n = len(c)
        for i in range(n):
            x0, y0 = (c[i][0] - bx0) * ss, (c[i][1] - by0) * ss
            x1, y1 = (c[(i + 1) % n][0] - bx0) * ss, (c[(i + 1) % n][1] - by0) * ss
            if y0 == y1:
                continue
            d = (1 if y1 > y0 else -1) * orient
            if y0 > y1:
                x0, y0, x1, y1 = x1, y1, x0, y0
            edges.append((y0, y1, x0, (x1 - x0) / (y1 - y0), d))
    edges.sort()
    buf = bytearray(sw * sh)
    active = []
    k = 0
    for j in range(sh):
        yc = j + 0.5
        while k < len(edges) and edges[k][0] <= yc:
            active.append(edges[k]); k += 1
        active = [e for e in active if e[1] > yc]
        if not active:
            continue
        xs_ = sorted((e[2] + (yc - e[0]) * e[3], e[4]) for e in active)
        wnd = 0
        o = j * sw
        start = 0.0
        for x, d in xs_:
            if wnd == 0:
                start = x
            wnd += d
            if wnd == 0:
                # sub-pixel i is inside when its centre i + 0.5 lies in [start, x]
                a = max(0, math.ceil(start - 0.5)); b = min(sw, math.floor(x - 0.5) + 1)
                if b > a:
                    buf[o + a:o + b] = _ONES[:b - a]
    small = Image.frombytes("L", (sw, sh), bytes(buf)).reduce(ss)
    out.paste(small, (bx0, by0))
    return out


def text_mask(size, xy, text, px, weight="bold", anchor="mm"):
    """Hinted text coverage at 1x (crisp at small sizes)."""
    m = Image.new("L", size, 0)
    ImageDraw.Draw(m).text(xy, text, fill=255, font=font(px, weight), anchor=anchor)
    return m


_font_cache = {}


def font(px, weight="bold"):
    key = (px, weight)
    if key not in _font_cache:
        _font_cache[key] = ImageFont.truetype(f"{FONT_DIR}/{FONTS[weight]}", px)
    return _font_cache[key]


def scale(m, k):
    return m.point([min(255, round(v * k)) for v in range(256)])


def union(*ms):
    out = ms[0]
    for m in ms[1:]:
        out = ImageChops.lighter(out, m)
    return out


def minus(a, b):
    return ImageChops.subtract(a, b)


def times(a, b):
    return ImageChops.multiply(a, b)


def shifted(m, dx, dy):
    out = Image.new("L", m.size, 0)
    out.paste(m, (dx, dy))
    return out


def blur(m, r):
    return m.filter(ImageFilter.GaussianBlur(r)) if r > 0 else m


def top_edge(m, px=1):
    """Band of px pixels along the inside of the top edges of a shape."""
    return minus(m, shifted(m, 0, px))


def bottom_edge(m, px=1):
    return minus(m, shifted(m, 0, -px))


def inner_glow(m, r, k=1.0):
    """Light along the inside of a shape's edge, fading inwards."""
    return scale(times(m, ImageChops.invert(blur(m, r))), 2 * k)


def _ramp(n, stops, p0, p1):
    """n pixels of a ramp through stops [(t, tuple)] with t = 0 at p0 and 1 at p1."""
    p1 = n if p1 is None else p1
    out = bytearray()
    for i in range(n):
        t = 0 if p1 == p0 else min(1.0, max(0.0, (i + 0.5 - p0) / (p1 - p0)))
        for (t0, c0), (t1, c1) in zip(stops, stops[1:]):
            if t <= t1:
                u = 0 if t1 == t0 else (t - t0) / (t1 - t0)
                out += bytes(round(c0[k] + (c1[k] - c0[k]) * u) for k in range(len(c0)))
                break
        else:
            out += bytes(stops[-1][1])
    return bytes(out)


def _gradient(size, mode, stops, vertical, p0, p1):
    W, H = size
    n = H if vertical else W
    line = Image.frombytes(mode, (1, n) if vertical else (n, 1), _ramp(n, stops, p0, p1))
    return line.resize(size, Image.NEAREST)


def vmask(size, stops, y0=0, y1=None):
    """Vertical ramp mask: stops [(t, value 0..1)] over y0..y1."""
    return _gradient(size, "L", [(t, (255 * v,)) for t, v in stops], True, y0, y1)


def hmask(size, stops, x0=0, x1=None):
    return _gradient(size, "L", [(t, (255 * v,)) for t, v in stops], False, x0, x1)


def vgrad(size, stops, y0=0, y1=None):
    """Vertical gradient image: stops [(t, colour)] over y0..y1 (t 0..1)."""
    return _gradient(size, "RGBA", [(t, colour(c)) for t, c in stops], True, y0, y1)


def hgrad(size, stops, x0=0, x1=None):
    return _gradient(size, "RGBA", [(t, colour(c)) for t, c in stops], False, x0, x1)


# ---------------------------------------------------------------- canvas

class Canvas:
    def __init__(self, w, h, bg=None):
        self.size = (w, h)
        self.im = Image.new("RGBA", self.size, colour(bg) if bg is not None else (0, 0, 0, 0))

    def fill(self, mask, paint, opacity=1.0):
        """Paints through a coverage mask; paint is a colour or an RGBA image of the canvas size."""
        if isinstance(mask, Path):
            mask = raster(self.size, mask)
        if isinstance(paint, Image.Image):
            layer = paint.copy()
            a = times(layer.getchannel("A"), mask)
        else:
            c = colour(paint)
            layer = Image.new("RGBA", self.size, c)
            a = scale(mask, c[3] / 255)
        if opacity != 1.0:
            a = scale(a, opacity)
        layer.putalpha(a)
        self.im = Image.alpha_composite(self.im, layer)
        return self

    def mask(self, path):
        return raster(self.size, path)

    def put(self, im, xy=(0, 0)):
        """Composites a smaller RGBA picture at xy."""
        layer = Image.new("RGBA", self.size, (0, 0, 0, 0))
        layer.paste(im, xy)
        self.im = Image.alpha_composite(self.im, layer)

    def set_rect(self, box, c):
        """Writes an exact colour (no blending) into a rectangle."""
        self.im.paste(colour(c), box)


def finish(im):
    """Fully transparent pixels become (0,0,0,0) so that equal pictures are equal bytes."""
    a = im.getchannel("A")
    zero = a.point(lambda v: 255 if v == 0 else 0)
    im = im.copy()
    im.paste((0, 0, 0, 0), (0, 0), zero)
    return im


def apply_key(im, inside, key):
    """Cuts a window shape: pixels outside the binary region become the key colour (alpha 255);
    a pixel inside that happens to equal the key is nudged by one step."""
    key = colour(key)
    region = inside.point(lambda v: 255 if v >= 128 else 0)
    rgb = Image.new("RGBA", im.size, (0, 0, 0, 0))
    rgb.paste(im, (0, 0))
    r, g, b, _ = rgb.split()
    eq = ImageChops.multiply(ImageChops.multiply(r.point(lambda v: 255 if v == key[0] else 0),
                                                 g.point(lambda v: 255 if v == key[1] else 0)),
                             b.point(lambda v: 255 if v == key[2] else 0))
    nudge = (key[0], key[1] + (1 if key[1] < 255 else -1), key[2], 255)
    out = Image.new("RGBA", im.size, key)
    out.paste(rgb, (0, 0), region)
    out.paste(nudge, (0, 0), ImageChops.multiply(eq, region))
    out.putalpha(255)
    return out


# ---------------------------------------------------------------- shapes with insets

class Shape:
    """A closed outline that can be inset (for borders, highlights and inner faces)."""

    def __init__(self, pts=None, rbox=None):
        self.pts, self.rbox = pts, rbox

    def path(self, i=0):
        if self.rbox:
            x0, y0, x1, y1, r = self.rbox
            return rrect(x0 + i, y0 + i, x1 - i, y1 - i, max(0.0, r - i))
        return Path([_inset(self.pts, i)]) if i else Path([self.pts])


def shape_chamfer(x0, y0, x1, y1, c):
    return Shape(pts=chamfer(x0, y0, x1, y1, c).outers[0])


def shape_round(x0, y0, x1, y1, r):
    return Shape(rbox=(x0, y0, x1, y1, r))


def shape_poly(*pts):
    return Shape(pts=list(pts))


def _inset(pts, i):
    """Moves every edge of a simple polygon inwards by i and joins the moved edges."""
    n = len(pts)
    s = 1 if _area(pts) > 0 else -1     # y points down: positive area = clockwise on screen
    lines = []
    for k in range(n):
        (x0, y0), (x1, y1) = pts[k], pts[(k + 1) % n]
        dx, dy = x1 - x0, y1 - y0
        ln = math.hypot(dx, dy)
        nx, ny = -dy / ln * s, dx / ln * s   # inward normal
        lines.append(((x0 + nx * i, y0 + ny * i), (dx, dy)))
    out = []
    for k in range(n):
        (p, d1), (q, d2) = lines[k - 1], lines[k]
        den = d1[0] * d2[1] - d1[1] * d2[0]
        if abs(den) < 1e-12:
            out.append(q)
            continue
        t = ((q[0] - p[0]) * d2[1] - (q[1] - p[1]) * d2[0]) / den
        out.append((p[0] + d1[0] * t, p[1] + d1[1] * t))
    return out


def pattern(size, cell=4, levels=(0, 255)):
    """Fine diagonal weave used as a texture mask."""
    tile = Image.new("L", (cell * 2, cell * 2), 0)
    px = tile.load()
    for y in range(cell * 2):
        for x in range(cell * 2):
            band = ((x + y) // cell) % 2
            px[x, y] = levels[band] if (x // cell + y // cell) % 2 == 0 else levels[1 - band]
    out = Image.new("L", size, 0)
    for y in range(0, size[1], cell * 2):
        for x in range(0, size[0], cell * 2):
            out.paste(tile, (x, y))
    return out
