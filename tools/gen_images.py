#!/usr/bin/env python3
"""Draws the program's images and writes them into res/images/.

    python3 tools/gen_images.py          # all of them; commit res/images/ afterwards
    python3 tools/gen_images.py toolbar  # only some: nodes toolbar cursor ordalis package

Every picture is described once below, as shapes in a 16-unit design square,
and rendered at each size it is needed in; nothing is ever scaled as a
bitmap. Vertices snap to whole pixels and outlines stay one pixel wide at tree
and toolbar sizes. The bitmaps and the small icons are pixel art, with hard
straight edges (curves are smoothed from 24 pixels up); icons from 32 pixels
up are smoothed throughout by supersampling, and from 40 cast a soft shadow.

Writes (res/images/):
    nodes16.bmp nodes24.bmp nodes32.bmp        tree and list images, seven in a row
    toolbar16.bmp toolbar24.bmp toolbar32.bmp  toolbar images: normal, hot and
                                               disabled rows of 17 cells
    splitter.cur                               the splitter's resize cursor
    ordalis.ico package.ico                    program and document icons

The bitmaps are 24-bit with magenta (FF00FF) as the transparent colour; the
icons are 32-bit with alpha, the 256-pixel one PNG-compressed. Enlarged PNG
previews go to build/images/ (not committed). Standard library only.
"""
import colorsys
import math
import os
import struct
import sys
import zlib

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
OUT_DIR = os.path.join(ROOT, "res", "images")
PREVIEW_DIR = os.path.join(ROOT, "build", "images")

MAGENTA = (1.0, 0.0, 1.0)


# --- Colours ---------------------------------------------------------------

def rgb(text):
    text = text.lstrip("#")
    return tuple(int(text[i:i + 2], 16) / 255.0 for i in (0, 2, 4))


def mix(a, b, t):
    return tuple(x + (y - x) * t for x, y in zip(a, b))


# --- Rasteriser ------------------------------------------------------------

class Canvas:
    """Premultiplied RGBA pixels; shapes are filled with non-zero winding."""

    def __init__(self, width, height, samples=8, smooth=True, smooth_curves=True):
        self.w = width
        self.h = height
        self.samples = samples  # sub-scanlines per pixel row
        self.smooth = smooth  # antialiased edges
        self.smooth_curves = smooth_curves  # antialiased curves even when edges are not
        self.px = [(0.0, 0.0, 0.0, 0.0)] * (width * height)

    def coverage(self, contours, smooth=True):
        """Yields (y, row) with the part of each pixel of row y that the shape covers."""
        edges = []
        ys = []
        for pts in contours:
            n = len(pts)
            for i in range(n):
                x0, y0 = pts[i]
                x1, y1 = pts[(i + 1) % n]
                ys.append(y0)
                if y0 == y1:
                    continue
                wind = 1
                if y0 > y1:
                    x0, y0, x1, y1, wind = x1, y1, x0, y0, -1
                edges.append((y0, y1, x0, (x1 - x0) / (y1 - y0), wind))
        if not edges:
            return
        w = self.w
        top = max(0, int(math.floor(min(ys))))
        bottom = min(self.h, int(math.ceil(max(ys))))
        steps = self.samples if smooth else 1
        weight = 1.0 / steps
        for py in range(top, bottom):
            part = [0.0] * (w + 1)
            full = [0.0] * (w + 2)
            touched = False
            for k in range(steps):
                sy = py + (k + 0.5) / steps
                xs = sorted((x0 + (sy - y0) * slope, d) for (y0, y1, x0, slope, d) in edges if y0 <= sy < y1)
                wind = 0
                xa = 0.0
                for x, d in xs:
                    before = wind
                    wind += d
                    if before == 0 and wind != 0:
                        xa = x
                    elif before != 0 and wind == 0:
                        touched = True
                        if smooth:
                            a, b = max(xa, 0.0), min(x, float(w))
                            if b <= a:
                                continue
                            ia, ib = int(a), int(b)
                            if ia == ib:
                                part[ia] += (b - a) * weight
                            else:
                                part[ia] += (ia + 1 - a) * weight
                                full[ia + 1] += weight
                                full[ib] -= weight
                                part[ib] += (b - ib) * weight
                        else:
                            # A pixel is in when its centre is, an edge
                            # through the centre included: a 45-degree edge
                            # through pixel corners then makes a clean staircase.
                            i0 = min(max(int(math.ceil(xa - 0.5 - 1e-6)), 0), w)
                            i1 = min(max(int(math.floor(x - 0.5 + 1e-6)) + 1, 0), w)
                            full[i0] += 1.0
                            full[i1] -= 1.0
            if not touched:
                continue
            row = [0.0] * w
            run = 0.0
            for x in range(w):
                run += full[x]
                row[x] = min(1.0, run + part[x])
            yield py, row

    def fill(self, shape, paint, smooth=None):
        if isinstance(paint, tuple):
            paint = solid(paint)
        if smooth is None:
            smooth = self.smooth or (shape.curved and self.smooth_curves)
        w = self.w
        px = self.px
        for y, row in self.coverage(shape.contours(), smooth):
            base = y * w
            for x, c in enumerate(row):
                if c <= 1e-4:
                    continue
                r, g, b, a = paint(x + 0.5, y + 0.5)
                k = c * a
                dr, dg, db, da = px[base + x]
                q = 1.0 - k
                px[base + x] = (r * k + dr * q, g * k + dg * q, b * k + db * q, k + da * q)

    def draw_over(self, other):
        """Composites another canvas of the same size over this one."""
        for i, (sr, sg, sb, sa) in enumerate(other.px):
            if sa > 0.0:
                dr, dg, db, da = self.px[i]
                q = 1.0 - sa
                self.px[i] = (sr + dr * q, sg + dg * q, sb + db * q, sa + da * q)


def solid(colour, alpha=1.0):
    r, g, b = colour
    value = (r, g, b, alpha)
    return lambda x, y: value


def gradient(x0, y0, x1, y1, stops):
    """Linear gradient from (x0, y0) to (x1, y1); stops are (t, colour) pairs."""
    dx, dy = x1 - x0, y1 - y0
    length2 = dx * dx + dy * dy or 1.0

    def paint(x, y):
        t = ((x - x0) * dx + (y - y0) * dy) / length2
        if t <= stops[0][0]:
            c = stops[0][1]
        elif t >= stops[-1][0]:
            c = stops[-1][1]
        else:
            for (ta, ca), (tb, cb) in zip(stops, stops[1:]):
                if t <= tb:
                    c = mix(ca, cb, (t - ta) / (tb - ta))
                    break
        return (c[0], c[1], c[2], 1.0)

    return paint


def lit(bbox, light, dark, mid=None):
    """The house gradient: light falls from the top left."""
    x0, y0, x1, y1 = bbox
    stops = [(0.0, light), (1.0, dark)] if mid is None else [(0.0, light), (0.5, mid), (1.0, dark)]
    return gradient(x0, y0, x0 + (x1 - x0) * 0.45, y1, stops)


# --- Shapes (pixel coordinates) --------------------------------------------

def signed_area(pts):
    n = len(pts)
    return sum(pts[i][0] * pts[(i + 1) % n][1] - pts[(i + 1) % n][0] * pts[i][1] for i in range(n)) / 2.0


def dedupe(pts):
    out = []
    for p in pts:
        if not out or abs(p[0] - out[-1][0]) > 1e-9 or abs(p[1] - out[-1][1]) > 1e-9:
            out.append(p)
    while len(out) > 1 and abs(out[0][0] - out[-1][0]) < 1e-9 and abs(out[0][1] - out[-1][1]) < 1e-9:
        out.pop()
    return out


def offset_lines(pts, dist, axis=True):
    """Each edge moved inwards by its distance: (point, direction, inward normal)."""
    n = len(pts)
    dists = dist if isinstance(dist, (list, tuple)) else [dist] * n
    sign = 1.0 if signed_area(pts) > 0 else -1.0
    lines = []
    for i in range(n):
        (x0, y0), (x1, y1) = pts[i], pts[(i + 1) % n]
        length = math.hypot(x1 - x0, y1 - y0)
        tx, ty = (x1 - x0) / length, (y1 - y0) / length
        nx, ny = -ty * sign, tx * sign
        # Distances are measured along the nearer axis, so a one-pixel
        # outline stays one pixel wide on a diagonal too; curves keep a
        # true distance, or their short edges would move unevenly.
        shift = dists[i] * (max(abs(nx), abs(ny)) if axis else 1.0)
        lines.append((x0 + nx * shift, y0 + ny * shift, tx, ty, nx, ny))
    return lines


def project(p, line):
    """The foot of p on a line (point, direction)."""
    x, y, tx, ty = line[:4]
    t = (p[0] - x) * tx + (p[1] - y) * ty
    return (x + tx * t, y + ty * t)


def offset(pts, dist, axis=True):
    lines = offset_lines(pts, dist, axis)
    out = []
    for i in range(len(lines)):
        ax, ay, atx, aty = lines[i - 1][:4]
        bx, by, btx, bty = lines[i][:4]
        cross = atx * bty - aty * btx
        if abs(cross) < 0.2:
            # Nearly straight on: a miter would shoot off when the two
            # edges move by different amounts.
            pa = project(pts[i], lines[i - 1])
            pb = project(pts[i], lines[i])
            out.append(((pa[0] + pb[0]) / 2.0, (pa[1] + pb[1]) / 2.0))
        else:
            s = ((bx - ax) * bty - (by - ay) * btx) / cross
            out.append((ax + s * atx, ay + s * aty))
    return out


def box_poly(x0, y0, x1, y1):
    """A rectangle in pixels."""
    return Poly([(x0, y0), (x1, y0), (x1, y1), (x0, y1)])


def positive(pts):
    return pts if signed_area(pts) > 0 else pts[::-1]


class Poly:
    """A polygon; per-edge inset distances follow the order of its points."""

    curved = False

    def __init__(self, pts, axis=True):
        self.pts = dedupe(pts)
        self.axis = axis  # straight edges, inset along the nearer axis

    def contours(self):
        return [self.pts]

    def inset(self, d):
        return Poly(offset(self.pts, d, self.axis), self.axis)

    def bbox(self):
        xs = [p[0] for p in self.pts]
        ys = [p[1] for p in self.pts]
        return min(xs), min(ys), max(xs), max(ys)


class Ellipse:
    curved = True

    def __init__(self, cx, cy, rx, ry):
        self.cx, self.cy, self.rx, self.ry = cx, cy, rx, ry

    def contours(self):
        n = max(24, int((self.rx + self.ry) * 4))
        return [[(self.cx + self.rx * math.cos(2 * math.pi * i / n), self.cy + self.ry * math.sin(2 * math.pi * i / n))
                 for i in range(n)]]

    def inset(self, d):
        return Ellipse(self.cx, self.cy, max(self.rx - d, 0.01), max(self.ry - d, 0.01))

    def bbox(self):
        return self.cx - self.rx, self.cy - self.ry, self.cx + self.rx, self.cy + self.ry

    def moved(self, dx, dy):
        return Ellipse(self.cx + dx, self.cy + dy, self.rx, self.ry)


class Arc:
    """A band of the given width along a circular arc; angles in degrees,
    clockwise on screen from the positive x axis. An end that is not capped
    joins another shape, so insetting does not shorten it."""

    curved = True

    def __init__(self, cx, cy, r, width, a0, a1, cap0=True, cap1=True):
        self.cx, self.cy, self.r, self.width = cx, cy, r, width
        self.a0, self.a1, self.cap0, self.cap1 = a0, a1, cap0, cap1

    def contours(self):
        steps = max(8, int(abs(self.a1 - self.a0) / 6))
        ro, ri = self.r + self.width / 2, self.r - self.width / 2
        angles = [math.radians(self.a0 + (self.a1 - self.a0) * i / steps) for i in range(steps + 1)]
        outer = [(self.cx + ro * math.cos(a), self.cy + ro * math.sin(a)) for a in angles]
        inner = [(self.cx + ri * math.cos(a), self.cy + ri * math.sin(a)) for a in reversed(angles)]
        return [outer + inner]

    def inset(self, d):
        da = math.degrees(d / self.r) * (1 if self.a1 > self.a0 else -1)
        return Arc(self.cx, self.cy, self.r, self.width - 2 * d, self.a0 + (da if self.cap0 else 0),
                   self.a1 - (da if self.cap1 else 0), self.cap0, self.cap1)

    def bbox(self):
        ro = self.r + self.width / 2
        return self.cx - ro, self.cy - ro, self.cx + ro, self.cy + ro


class Group:
    """Several shapes filled as one (their union)."""

    def __init__(self, *shapes):
        self.shapes = shapes
        self.curved = any(s.curved for s in shapes)

    def contours(self):
        # One orientation for all, or overlaps would cancel out.
        return [positive(c) for s in self.shapes for c in s.contours()]

    def inset(self, d):
        return Group(*(s.inset(d) for s in self.shapes))

    def bbox(self):
        boxes = [s.bbox() for s in self.shapes]
        return (min(b[0] for b in boxes), min(b[1] for b in boxes), max(b[2] for b in boxes), max(b[3] for b in boxes))


def clip(pts, window):
    """The part of a polygon inside a convex window (both in pixels)."""
    sign = 1.0 if signed_area(window) > 0 else -1.0
    out = pts
    for i in range(len(window)):
        (ax, ay), (bx, by) = window[i], window[(i + 1) % len(window)]

        def inside(p):
            return ((bx - ax) * (p[1] - ay) - (by - ay) * (p[0] - ax)) * sign >= 0

        src, out = out, []
        for j in range(len(src)):
            cur, prev = src[j], src[j - 1]
            if inside(cur) != inside(prev):
                dx, dy = cur[0] - prev[0], cur[1] - prev[1]
                ex, ey = bx - ax, by - ay
                den = dx * ey - dy * ex
                t = ((ax - prev[0]) * ey - (ay - prev[1]) * ex) / den if den else 0.0
                out.append((prev[0] + dx * t, prev[1] + dy * t))
            if inside(cur):
                out.append(cur)
        if not out:
            break
    return Poly(out)


# --- Drawing in design units ----------------------------------------------

class Pen:
    """Draws a 16-unit design at `size` pixels into a canvas at (ox, oy),
    mirrored left to right when asked."""

    def __init__(self, canvas, size, ox=0, oy=0, mirror=False):
        self.cv = canvas
        self.n = size
        self.k = size / 16.0
        self.ox, self.oy = ox, oy
        self.mirror = mirror
        self.ow = 1 if size <= 48 else int(round(size / 42.0))  # outline width in pixels
        self.bw = 1 if size <= 40 else int(round(size / 32.0))  # highlight and shadow width

    def x(self, v):
        if self.mirror:
            v = 16.0 - v
        return math.floor(v * self.k + 0.5) + self.ox

    def y(self, v):
        return math.floor(v * self.k + 0.5) + self.oy

    def u(self, v):
        """A length, not snapped."""
        return v * self.k

    def px(self, v):
        """A length in whole pixels, at least one."""
        return max(1, math.floor(v * self.k + 0.5))

    def poly(self, *pts):
        return Poly([(self.x(x), self.y(y)) for x, y in pts])

    def rect(self, x0, y0, x1, y1):
        return box_poly(self.x(x0), self.y(y0), self.x(x1), self.y(y1))

    def rrect(self, x0, y0, x1, y1, r):
        """A rectangle with rounded corners; below 24 pixels a corner loses one pixel."""
        X0, X1 = sorted((self.x(x0), self.x(x1)))
        Y0, Y1 = self.y(y0), self.y(y1)
        c = math.floor(r * self.k + 0.5)
        if c <= 1 or self.n < 24:
            c = 1 if r > 0 else 0
            return Poly([(X0 + c, Y0), (X1 - c, Y0), (X1, Y0 + c), (X1, Y1 - c), (X1 - c, Y1), (X0 + c, Y1),
                         (X0, Y1 - c), (X0, Y0 + c)])
        pts = []
        for cx, cy, a in ((X1 - c, Y0 + c, -90), (X1 - c, Y1 - c, 0), (X0 + c, Y1 - c, 90), (X0 + c, Y0 + c, 180)):
            for i in range(7):
                t = math.radians(a + 15 * i)
                pts.append((cx + c * math.cos(t), cy + c * math.sin(t)))
        return Poly(pts, axis=False)

    def ellipse(self, x0, y0, x1, y1):
        X0, X1 = sorted((self.x(x0), self.x(x1)))
        Y0, Y1 = self.y(y0), self.y(y1)
        return Ellipse((X0 + X1) / 2.0, (Y0 + Y1) / 2.0, (X1 - X0) / 2.0, (Y1 - Y0) / 2.0)

    def fill(self, shape, paint, smooth=None):
        self.cv.fill(shape, paint, smooth)

    def body(self, shape, line, light, dark, mid=None, hl=None, sh=None):
        """An outlined shape lit from the top left, with an optional bright
        inner edge on its lit sides and a darker one on the others."""
        self.cv.fill(shape, line)
        inner = shape.inset(self.ow)
        paint = lit(inner.bbox(), light, dark, mid)
        if isinstance(inner, Poly):
            self.cv.fill(inner, paint)
            if hl or sh:
                self.bevel(inner, hl, sh)
        elif hl and self.n >= 24:
            # Round shapes: a bright rim on the top left.
            self.cv.fill(inner, hl)
            d = self.bw * 0.75
            self.cv.fill(inner.moved(d, d).inset(d * 1.42), paint)
        else:
            self.cv.fill(inner, paint)
        return inner

    def bevel(self, poly, hl, sh):
        outer = poly.pts
        inner = offset(outer, self.bw, poly.axis)
        for i, line in enumerate(offset_lines(outer, 0)):
            nx, ny = line[4], line[5]  # inward normal
            facing = nx + ny
            colour = hl if facing > 0.2 else sh if facing < -0.2 else None
            if colour is None:
                continue
            j = (i + 1) % len(outer)
            self.cv.fill(Poly([outer[i], outer[j], inner[j], inner[i]]), colour)


# --- Palette ---------------------------------------------------------------

class Material:
    """The colours of one stuff: outline, gradient, and the bright and dark
    inner edges of its bevel."""

    def __init__(self, line, light, dark, hl=None, sh=None, mid=None):
        self.line, self.light, self.dark = rgb(line), rgb(light), rgb(dark)
        self.hl = rgb(hl) if hl else None
        self.sh = rgb(sh) if sh else None
        self.mid = rgb(mid) if mid else None

    def draw(self, p, shape, bevel=True):
        return p.body(shape, self.line, self.light, self.dark, self.mid,
                      self.hl if bevel else None, self.sh if bevel else None)


CARD_LINE = rgb("#5c3f1b")
CARD_RIDGE = rgb("#9a7036")
CARD_TOP = (rgb("#f8e2b0"), rgb("#ebc98a"))
CARD_FRONT = (rgb("#e4b96f"), rgb("#cd9a50"))
CARD_SIDE = (rgb("#c08e4a"), rgb("#a27136"))
TAPE_TOP = rgb("#d2a05a")
TAPE_FRONT = (rgb("#c38f48"), rgb("#b27f3c"))

PAPER = Material("#5f6b78", "#ffffff", "#dfe5ec", hl="#ffffff")
PAPER_FOLD = (rgb("#f4f6f9"), rgb("#c3ccd6"))
FOLDER_BACK = Material("#7c5b12", "#eec35a", "#d3a232")
FOLDER_FRONT = Material("#7c5b12", "#fde69e", "#eebd4e", hl="#fff6d2")
CASE = Material("#3a434e", "#f4f6f8", "#b4bcc6", hl="#ffffff", sh="#9ca6b1")
SCREEN = Material("#233a55", "#7dbbf2", "#1f5cab", mid="#3b82d4")
MODULE = Material("#222c38", "#8da3bf", "#4a5f7d", hl="#b4c6dc", sh="#3d4f69")
KNOB = Material("#10161d", "#7d8896", "#262d36", hl="#a9b3bf")
KNOB_MARK = rgb("#f4f7fa")
SCREEN_LCD = Material("#1a2a12", "#c9efa0", "#7fb85a")
LED = Material("#1e4d16", "#b8ff8a", "#3fb52a")
SLIDER_TRACK = rgb("#56616e")
HANDLE_BLUE = Material("#1b3e72", "#8cc0f5", "#2f6fc4")
HANDLE_ORANGE = Material("#70360c", "#ffc07a", "#e07a22")
DISK = Material("#17315c", "#6f9fe0", "#2c5aa3", hl="#9cc0f0", sh="#234b8c")
LABEL = Material("#4d6a94", "#ffffff", "#e3e9f0")
LABEL_SMALL = Material("#9aa8ba", "#ffffff", "#e3e9f0")
LABEL_RULE = rgb("#a9b9cf")
SHUTTER = Material("#3c4550", "#f0f2f4", "#a3adb8", hl="#ffffff")
ARROW_BLUE = Material("#173f78", "#8cc4f5", "#2a69bd", mid="#4d8fdc")
ARROW_GREEN = Material("#1c5714", "#a6e67e", "#36962a", mid="#5cbf40")
CROSS_RED = Material("#74130c", "#ff9a7e", "#c4200f", mid="#ec4a31")
PENCIL_BODY = Material("#5a3c08", "#ffe07a", "#e0a624")
PENCIL_WOOD = Material("#5a3c08", "#f6dcb2", "#d6b07a")
PENCIL_END = Material("#6e2a2a", "#ffb3b3", "#d86a6a")
CABLE = Material("#5a2f05", "#ffc26a", "#d98522")


# --- Pictures (16-unit designs) --------------------------------------------

def box(p, L, T, R, B, D, tape=True, label=False):
    """The package mark: a carton seen from the front, its top and right side
    receding at 45 degrees."""
    ow, bw = p.ow, p.bw
    outline = p.poly((L, T + D), (L + D, T), (R, T), (R, B - D), (R - D, B), (L, B))
    p.fill(outline, CARD_LINE)
    p.fill(outline.inset(ow), CARD_RIDGE)
    top = p.poly((L, T + D), (L + D, T), (R, T), (R - D, T + D)).inset([ow, ow, 0, 0])
    front = p.poly((L, T + D), (R - D, T + D), (R - D, B), (L, B)).inset([bw, 0, ow, ow])
    side = p.poly((R - D, T + D), (R, T), (R, B - D), (R - D, B)).inset([bw, ow, ow, bw])
    for face, (light, dark) in ((top, CARD_TOP), (front, CARD_FRONT), (side, CARD_SIDE)):
        p.fill(face, lit(face.bbox(), light, dark))
    if tape:
        mid = (L + R - D) / 2.0
        half = max((R - L - D) * 0.11, 0.5 / p.k)
        strip = p.poly((mid - half, T + D), (mid + half, T + D), (mid + half + D, T), (mid - half + D, T))
        if p.n >= 24:  # at 16 pixels the stripe would only be a staircase
            p.fill(clip(strip.pts, top.pts), TAPE_TOP)
        drop = p.rect(mid - half, T + D, mid + half, T + D + (B - T - D) * (0.3 if label else 0.42))
        flap = clip(drop.pts, front.pts)
        p.fill(flap, lit(flap.bbox(), *TAPE_FRONT))
    if label:
        fx0, fy0, fx1, fy1 = front.bbox()
        w, h = fx1 - fx0, fy1 - fy0
        card = box_poly(round(fx0 + w * 0.14), round(fy0 + h * 0.36), round(fx1 - w * 0.14), round(fy1 - h * 0.14))
        # A strong rim would swallow a label this small.
        inner = (LABEL if p.n >= 24 else LABEL_SMALL).draw(p, card, bevel=False)
        sliders(p, inner, 1 if p.n < 32 else 2 if p.n < 48 else 3)


def sliders(p, area, count, handles=(HANDLE_BLUE, HANDLE_ORANGE, HANDLE_BLUE)):
    """Slider tracks with their handles, spread over a rectangle in pixels."""
    x0, y0, x1, y1 = area.bbox()
    width, height = x1 - x0, y1 - y0
    pad = max(1, round(width * 0.14))
    tx0, tx1 = x0 + pad, x1 - pad
    track_h = max(1, round(p.u(0.45)))
    hw = max(2, round(p.u(1.6)))  # handle width
    hh = max(3, min(round(p.u(2.6)), round(height / (count + 1) * 0.85)))  # handle height
    for i in range(count):
        cy = y0 + height * (i + 1) / (count + 1)
        ty = math.floor(cy - track_h / 2.0 + 0.5)
        p.fill(box_poly(tx0, ty, tx1, ty + track_h), SLIDER_TRACK)
        pos = (0.2, 0.8, 0.45)[i % 3]
        hx = math.floor(tx0 + (tx1 - tx0 - hw) * pos + 0.5)
        hy = math.floor(ty + track_h / 2.0 - hh / 2.0 + 0.5)
        handles[i].draw(p, box_poly(hx, hy, hx + hw, hy + hh), bevel=False)


def page(p, L, T, R, B, fold):
    outline = p.poly((L, T), (R - fold, T), (R, T + fold), (R, B), (L, B))
    inner = PAPER.draw(p, outline)
    ear = p.poly((R - fold, T), (R - fold, T + fold), (R, T + fold))
    p.fill(ear, PAPER.line)
    ear_in = ear.inset([p.ow, 0, p.ow])
    ear_in = clip(ear_in.pts, inner.pts)
    p.fill(ear_in, lit(ear_in.bbox(), *PAPER_FOLD))
    return inner


def monitor(p, L, T, R, B):
    """A flat screen on a foot."""
    h = B - T
    case_b = T + h * 0.74
    foot_t = B - h * 0.16
    cx = (L + R) / 2.0
    neck = p.rect(cx - (R - L) * 0.12, case_b - 0.5, cx + (R - L) * 0.12, foot_t + 0.5)
    CASE.draw(p, neck, bevel=False)
    CASE.draw(p, p.rrect(L + (R - L) * 0.18, foot_t, R - (R - L) * 0.18, B, 0.6), bevel=False)
    CASE.draw(p, p.rrect(L, T, R, case_b, 0.8))
    m = (R - L) * 0.125
    screen = SCREEN.draw(p, p.rect(L + m, T + m, R - m, case_b - m))
    if p.n >= 24:
        # A soft reflection across the top left of the glass.
        x0, y0, x1, y1 = screen.bbox()
        glare = Poly([(x0, y0), (x0 + (x1 - x0) * 0.55, y0), (x0, y0 + (y1 - y0) * 0.9)])
        p.fill(glare, solid((1.0, 1.0, 1.0), 0.18))


def folder(p, L, T, R, B):
    tab = (R - L) * 0.36
    FOLDER_BACK.draw(p, p.poly((L, T), (L + tab, T), (L + tab + 1.5, T + 1.5), (R, T + 1.5), (R, B), (L, B)), bevel=False)
    FOLDER_FRONT.draw(p, p.rect(L, T + (B - T) * 0.33, R, B))


def open_folder(p):
    FOLDER_BACK.draw(p, p.poly((1, 2), (5.5, 2), (7, 3.5), (13, 3.5), (13, 7), (3, 7), (1, 12)), bevel=False)
    sheet = p.poly((3, 5), (12, 5), (12, 7), (3, 7))
    p.fill(sheet, PAPER.line)
    p.fill(sheet.inset([p.ow, p.ow, 0, p.ow]), PAPER.light)
    FOLDER_FRONT.draw(p, p.poly((4, 7), (15.5, 7), (12.5, 14), (1, 14)), bevel=False)


def module(p, L, T, R, B, display=True):
    """An effect unit: a panel with a knob, a signal light and a display."""
    MODULE.draw(p, p.rrect(L, T, R, B, 1))
    w, h = R - L, B - T
    d = min(h * 0.66, w * 0.5)  # knob diameter
    kx, ky = L + w * 0.32, T + h * 0.53
    knob(p, p.ellipse(kx - d / 2, ky - d / 2, kx + d / 2, ky + d / 2))
    s = max(h * 0.2, 2.0 / p.k)
    lx = R - w * 0.14
    lamp(p, LED, p.ellipse(lx - s, T + h * 0.18, lx, T + h * 0.18 + s))
    if display:
        lamp(p, SCREEN_LCD, p.rect(L + w * 0.6, T + h * 0.55, R - w * 0.12, B - h * 0.2))


def lamp(p, material, shape):
    """A light or a display: outlined when there is room, else just its glow."""
    if p.n >= 24:
        material.draw(p, shape, bevel=False)
    else:
        x0, y0, x1, y1 = shape.bbox()
        p.fill(box_poly(x0, y0, x1, y1), lit(shape.bbox(), material.light, material.dark))


def knob(p, shape):
    inner = KNOB.draw(p, shape)
    # The pointer, from the centre up and to the left.
    cx, cy, r = inner.cx, inner.cy, inner.rx
    w = max(1.0, p.u(0.5))
    a = math.radians(-125 if not p.mirror else -55)
    ux, uy = math.cos(a), math.sin(a)
    tip = (cx + ux * r * (0.95 if p.n >= 24 else 0.5), cy + uy * r * (0.95 if p.n >= 24 else 0.5))
    base = (cx + ux * r * 0.15, cy + uy * r * 0.15)
    nx, ny = -uy * w / 2, ux * w / 2
    if p.n < 24:
        # One dark pixel on the rim reads better than a line this small.
        x, y = math.floor(tip[0]), math.floor(tip[1])
        p.fill(box_poly(x, y, x + 1, y + 1), KNOB_MARK)
        return
    p.fill(Poly([(base[0] + nx, base[1] + ny), (tip[0] + nx, tip[1] + ny), (tip[0] - nx, tip[1] - ny),
                 (base[0] - nx, base[1] - ny)]), KNOB_MARK)


def chain(p):
    """Two units linked by a cable."""
    CABLE.draw(p, Group(p.rect(10, 2.5, 14, 5.5), p.rect(11, 2.5, 14, 10)), bevel=False)
    module(p, 1, 1, 11, 7.5, display=False)
    module(p, 5, 8.5, 15, 15, display=False)


def preset(p):
    inner = page(p, 2.5, 1, 13.5, 15, 3.5)
    x0, y0, x1, y1 = inner.bbox()
    area = box_poly(x0, y0 + (y1 - y0) * 0.2, x1, y1)
    sliders(p, area, 2)


def floppy(p):
    body = DISK.draw(p, p.poly((1, 1), (13.5, 1), (15, 2.5), (15, 15), (1, 15)))
    LABEL.draw(p, p.rect(3.5, 1, 12.5, 8), bevel=False)
    if p.n >= 24:
        for i in range(1, 3):
            y = p.y(1 + 7 * i / 3.0)
            p.fill(box_poly(p.x(5), y, p.x(11), y + p.ow), LABEL_RULE)
    SHUTTER.draw(p, p.rect(4.5, 10, 11.5, 15.5), bevel=False)
    p.fill(p.rect(8, 11, 10, 14), DISK.dark)


def pencil(p, tip, end, width):
    """A pencil lying from its tip to its end (design units)."""
    tx, ty = tip
    ex, ey = end
    length = math.hypot(ex - tx, ey - ty)
    ux, uy = (ex - tx) / length, (ey - ty) / length
    nx, ny = -uy * width / 2, ux * width / 2

    def at(t, side):
        return (tx + ux * t + nx * side, ty + uy * t + ny * side)

    cone = length * 0.28
    band = length * 0.78
    PENCIL_BODY.draw(p, p.poly(at(cone, 1), at(band, 1), at(band, -1), at(cone, -1)), bevel=False)
    PENCIL_END.draw(p, p.poly(at(band, 1), at(length, 1), at(length, -1), at(band, -1)), bevel=False)
    PENCIL_WOOD.draw(p, p.poly(tip, at(cone, 1), at(cone, -1)), bevel=False)
    lead = p.poly(tip, at(cone * 0.4, 0.4), at(cone * 0.4, -0.4))
    p.fill(lead, PENCIL_WOOD.line)


def undo_arrow(p):
    """A hook: the arrow points left along the top and turns back below."""
    r, w, cy = 3.5, 4.0, 9.5
    # The bends are placed from the snapped straight parts, so they meet flush.
    y0, y1 = p.y(cy - r - w / 2), p.y(cy - r + w / 2)
    y2, y3 = p.y(cy + r - w / 2), p.y(cy + r + w / 2)
    outer, inner = (y3 - y0) / 2.0, (y2 - y1) / 2.0
    a0, a1 = (270, 90) if p.mirror else (-90, 90)
    bend = Arc(p.x(9), (y0 + y3) / 2.0, (outer + inner) / 2.0, outer - inner, a0, a1, False, False)
    mid = (y0 + y1) / 2.0
    half = math.floor(p.u(5) + 0.5)
    head = Poly([(p.x(0.5), mid), (p.x(5.5), mid - half), (p.x(5.5), mid + half)])
    # The straight parts reach into the head and the bend, so no outline
    # shows where they join.
    shape = Group(bend, box_poly(p.x(3.5), y0, p.x(10), y1), box_poly(p.x(6), y2, p.x(10), y3), head)
    ARROW_BLUE.draw(p, shape, bevel=False)


def copy_arrow(p):
    """A green arrow from the top left towards the bottom right."""
    ARROW_GREEN.draw(p, p.poly((0.5, 2.5), (2.5, 0.5), (7, 5), (9.5, 2.5), (9.5, 9.5), (2.5, 9.5), (5, 7)), bevel=False)


def cross(p):
    CROSS_RED.draw(p, p.poly((1.5, 4), (4, 1.5), (8, 5.5), (12, 1.5), (14.5, 4), (10.5, 8), (14.5, 12), (12, 14.5),
                             (8, 10.5), (4, 14.5), (1.5, 12), (5.5, 8)), bevel=False)


def unreadable_preset(p):
    """A preset whose bytes cannot be read: the page, struck by a small cross."""
    preset(p)
    CROSS_RED.draw(p, p.poly((6.5, 8), (8, 6.5), (10.75, 9.25), (13.5, 6.5), (15, 8), (12.25, 10.75), (15, 13.5),
                             (13.5, 15), (10.75, 12.25), (8, 15), (6.5, 13.5), (9.25, 10.75)), bevel=False)


NODE_PICTURES = [
    lambda p: box(p, 1, 1, 15, 15, 4),
    lambda p: monitor(p, 1, 1, 15, 15),
    lambda p: folder(p, 1, 2, 15, 14),
    lambda p: module(p, 1, 3, 15, 13.5),
    chain,
    preset,
    unreadable_preset,
]

TOOL_PICTURES = [
    lambda p: page(p, 2.5, 1, 13.5, 15, 3.5),                      # New
    open_folder,                                                   # Open
    floppy,                                                        # Save
    lambda p: (floppy(p), pencil(p, (7.5, 15.5), (15.5, 7.5), 3)),  # Save As
    undo_arrow,                                                    # Undo
    undo_arrow,                                                    # Redo (drawn mirrored)
    lambda p: (box(p, 5, 5, 15.5, 15.5, 3), copy_arrow(p)),        # Copy to File
    lambda p: (monitor(p, 5, 5.5, 15.5, 15.5), copy_arrow(p)),     # Copy to System
    cross,                                                         # Delete
]
MIRRORED_TOOLS = {5}
TOOL_CELLS = 17

ICON_SIZES = [16, 20, 24, 32, 40, 48, 64, 256]


def program_icon(p):
    box(p, 1, 1, 15, 15, 4, label=True)


def document_icon(p):
    page(p, 1.5, 0.5, 14.5, 15.5, 4)
    if p.n >= 32:
        # A few lines of text above the mark.
        for i, end in enumerate((0.55, 0.5, 0.62)):
            y = p.y(2.6 + i * 1.2)
            p.fill(box_poly(p.x(3.5), y, p.x(3.5 + 9.5 * end), y + p.px(0.4)), LABEL_RULE)
    box(p, 3.5, 6, 12.5, 14, 2.5, tape=True)


# --- Sheets ----------------------------------------------------------------

def render(picture, width, height, size, mirror=False, smooth=False):
    """One picture centred in a cell of its own, so nothing spills over."""
    # Small pictures are pixel art: hard edges, curves included.
    cv = Canvas(width, height, samples=8 if size <= 64 else 4, smooth=smooth, smooth_curves=size >= 24)
    picture(Pen(cv, size, (width - size) // 2, (height - size) // 2, mirror))
    return cv


def keyed(cv, background=(0.94, 0.94, 0.94)):
    """RGB pixels for a bitmap whose transparent colour is magenta: a pixel is
    drawn when at least half covered, its edge softened against a light
    window background."""
    out = []
    for r, g, b, a in cv.px:
        if a < 0.5:
            out.append(MAGENTA)
        else:
            q = 1.0 - a
            out.append((r + background[0] * q, g + background[1] * q, b + background[2] * q))
    return out


def hot(c):
    if c == MAGENTA:
        return c
    h, l, s = colorsys.rgb_to_hls(*c)
    return colorsys.hls_to_rgb(h, min(1.0, l + (1.0 - l) * 0.12), min(1.0, s * 1.2))


def disabled(c):
    if c == MAGENTA:
        return c
    y = 0.299 * c[0] + 0.587 * c[1] + 0.114 * c[2]
    v = 0.55 + 0.4 * y  # greyed and faded towards the button face
    return (v, v, v)


def paste(sheet, sheet_w, pixels, w, h, x0, y0):
    for y in range(h):
        sheet[(y0 + y) * sheet_w + x0:(y0 + y) * sheet_w + x0 + w] = pixels[y * w:(y + 1) * w]


def node_sheet(size):
    width = size * len(NODE_PICTURES)
    sheet = [MAGENTA] * (width * size)
    for i, picture in enumerate(NODE_PICTURES):
        paste(sheet, width, keyed(render(picture, size, size, size), (1.0, 1.0, 1.0)), size, size, i * size, 0)
    return width, size, sheet


def toolbar_sheet(size, cell_w, cell_h):
    width = cell_w * TOOL_CELLS
    sheet = [MAGENTA] * (width * cell_h * 3)
    for i, picture in enumerate(TOOL_PICTURES):
        normal = keyed(render(picture, cell_w, cell_h, size, i in MIRRORED_TOOLS))
        for row, pixels in enumerate((normal, [hot(c) for c in normal], [disabled(c) for c in normal])):
            paste(sheet, width, pixels, cell_w, cell_h, i * cell_w, row * cell_h)
    return width, cell_h * 3, sheet


def icon_images(picture):
    images = []
    for n in ICON_SIZES:
        cv = render(picture, n, n, n, smooth=n >= 32)
        if n >= 40:
            cv = with_shadow(cv, n)
        images.append((n, straight(cv)))
    return images


def with_shadow(cv, n):
    """The picture over a soft shadow cast down and to the right."""
    reach = max(1, n // 40)
    shift = max(1, n // 48)
    alpha = [0.0] * (cv.w * cv.h)
    for y in range(cv.h - shift):
        for x in range(cv.w - shift):
            alpha[(y + shift) * cv.w + x + shift] = cv.px[y * cv.w + x][3]
    for _ in range(2):
        alpha = blur(alpha, cv.w, cv.h, reach, 1, cv.w)
        alpha = blur(alpha, cv.w, cv.h, reach, cv.w, 1)
    out = Canvas(cv.w, cv.h)
    out.px = [(0.0, 0.0, 0.0, a * 0.3) for a in alpha]
    out.draw_over(cv)
    return out


def blur(values, w, h, reach, step, stride):
    """A box blur along rows (step 1) or columns (step w)."""
    out = [0.0] * len(values)
    lines, length = (h, w) if step == 1 else (w, h)
    for line in range(lines):
        base = line * stride
        for i in range(length):
            lo, hi = max(0, i - reach), min(length - 1, i + reach)
            out[base + i * step] = sum(values[base + j * step] for j in range(lo, hi + 1)) / (2 * reach + 1)
    return out


def straight(cv):
    """RGBA bytes (not premultiplied), top row first."""
    out = bytearray()
    for r, g, b, a in cv.px:
        if a <= 0.0:
            out += b"\0\0\0\0"
        else:
            out += bytes((to8(r / a), to8(g / a), to8(b / a), to8(a)))
    return bytes(out)


def to8(v):
    return max(0, min(255, int(v * 255.0 + 0.5)))


# --- The splitter cursor ---------------------------------------------------

CURSOR_SIZE = 32
CURSOR_HOTSPOT = (15, 15)


def splitter_cursor():
    """Black pixels of a left-right arrow across a double bar, and the white
    outline around them, both as sets of (x, y)."""
    cx, cy = CURSOR_HOTSPOT
    black = set()
    for y in range(cy - 8, cy + 9):  # the double bar
        black.add((cx - 2, y))
        black.add((cx - 1, y))
        black.add((cx + 1, y))
        black.add((cx + 2, y))
    for side in (-1, 1):
        for d in range(3, 7):  # shaft
            black.add((cx + side * d, cy))
        tip = cx + side * 10
        for d in range(5):  # arrowhead
            for y in range(cy - d, cy + d + 1):
                black.add((tip - side * d, y))
    white = set()
    for x, y in black:
        for dx in (-1, 0, 1):
            for dy in (-1, 0, 1):
                q = (x + dx, y + dy)
                if q not in black:
                    white.add(q)
    white.add((cx, cy))
    return black, white


# --- File formats ----------------------------------------------------------

def bmp_bytes(width, height, pixels):
    stride = (width * 3 + 3) & ~3
    data = bytearray()
    for y in range(height - 1, -1, -1):
        row = bytearray()
        for r, g, b in pixels[y * width:(y + 1) * width]:
            row += bytes((to8(b), to8(g), to8(r)))
        data += row + b"\0" * (stride - width * 3)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    return struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(data), 0, 0, 14 + len(info)) + info + data


def png_bytes(width, height, rgba):
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)

    raw = b"".join(b"\0" + rgba[y * width * 4:(y + 1) * width * 4] for y in range(height))
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def mask_rows(width, height, bit):
    """1-bit rows, bottom row first, each padded to 32 bits; bit(x, y) gives a pixel."""
    stride = ((width + 31) // 32) * 4
    out = bytearray()
    for y in range(height - 1, -1, -1):
        row = bytearray(stride)
        for x in range(width):
            if bit(x, y):
                row[x >> 3] |= 0x80 >> (x & 7)
        out += row
    return bytes(out)


def icon_dib(n, rgba):
    info = struct.pack("<IiiHHIIiiII", 40, n, n * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = bytearray()
    for y in range(n - 1, -1, -1):
        for x in range(n):
            r, g, b, a = rgba[(y * n + x) * 4:(y * n + x) * 4 + 4]
            colour += bytes((b, g, r, a))
    mask = mask_rows(n, n, lambda x, y: rgba[(y * n + x) * 4 + 3] == 0)
    return info + bytes(colour) + mask


def directory(kind, entries):
    """An icon (kind 1) or cursor (kind 2) file: entries are (size, colours,
    field1, field2, data), the fields being planes and bits or the hotspot."""
    head = struct.pack("<HHH", 0, kind, len(entries))
    offset = len(head) + 16 * len(entries)
    table = b""
    blobs = b""
    for size, colours, f1, f2, data in entries:
        table += struct.pack("<BBBBHHII", size % 256, size % 256, colours, 0, f1, f2, len(data), offset + len(blobs))
        blobs += data
    return head + table + blobs


def ico_bytes(images):
    entries = []
    for n, rgba in images:
        data = png_bytes(n, n, rgba) if n >= 256 else icon_dib(n, rgba)
        entries.append((n, 0, 1, 32, data))
    return directory(1, entries)


def cur_bytes(black, white):
    n = CURSOR_SIZE
    info = struct.pack("<IiiHHIIiiII", 40, n, n * 2, 1, 1, 0, 0, 0, 0, 2, 0)
    palette = b"\0\0\0\0\xff\xff\xff\0"
    # Screen = (screen AND and-mask) XOR xor-mask: black is 0/0, white 0/1, clear 1/0.
    xor = mask_rows(n, n, lambda x, y: (x, y) in white)
    and_ = mask_rows(n, n, lambda x, y: (x, y) not in black and (x, y) not in white)
    return directory(2, [(n, 2, CURSOR_HOTSPOT[0], CURSOR_HOTSPOT[1], info + palette + xor + and_)])


# --- Previews --------------------------------------------------------------

class Sheet:
    """An RGB preview image that pictures are laid out on, enlarged."""

    def __init__(self, width, height, colour=(0.82, 0.84, 0.86)):
        self.w, self.h = width, height
        self.px = [colour] * (width * height)

    def put(self, x0, y0, width, height, pixels, zoom, background):
        """pixels: RGB tuples (magenta for clear) or RGBA bytes."""
        for y in range(height):
            for x in range(width):
                if isinstance(pixels, (bytes, bytearray)):
                    r, g, b, a = (v / 255.0 for v in pixels[(y * width + x) * 4:(y * width + x) * 4 + 4])
                    c = mix(background, (r, g, b), a)
                else:
                    c = pixels[y * width + x]
                    if c == MAGENTA:
                        c = background
                for yy in range(zoom):
                    row = (y0 + y * zoom + yy) * self.w + x0 + x * zoom
                    self.px[row:row + zoom] = [c] * zoom

    def save(self, path):
        rgba = bytearray()
        for r, g, b in self.px:
            rgba += bytes((to8(r), to8(g), to8(b), 255))
        with open(path, "wb") as fh:
            fh.write(png_bytes(self.w, self.h, bytes(rgba)))


BACKGROUNDS = [(1.0, 1.0, 1.0), (0.94, 0.94, 0.94), (0.2, 0.22, 0.25)]


def preview_strip(path, width, height, pixels, zoom):
    """The picture at its own size and enlarged, on light and dark grounds."""
    gap = 8
    sheet = Sheet(gap * 3 + width + width * zoom, gap + (height * zoom + gap) * len(BACKGROUNDS))
    for i, bg in enumerate(BACKGROUNDS):
        y = gap + i * (height * zoom + gap)
        sheet.put(gap, y, width, height, pixels, 1, bg)
        sheet.put(gap * 2 + width, y, width, height, pixels, zoom, bg)
    sheet.save(path)


def preview_icons(path, images):
    gap = 8
    zooms = {16: 8, 20: 6, 24: 5, 32: 4, 40: 3, 48: 3, 64: 2, 256: 1}
    width = gap + sum(n * zooms[n] + gap for n, _ in images)
    height = gap + max(n * zooms[n] for n, _ in images) + gap + 256 + gap
    sheet = Sheet(width, height * 2)
    for row, bg in enumerate(BACKGROUNDS[::2]):
        x = gap
        for n, rgba in images:
            sheet.put(x, row * height + gap, n, n, rgba, zooms[n], bg)
            sheet.put(x, row * height + gap + 256 + gap, n, n, rgba, 1, bg)
            x += n * zooms[n] + gap
    sheet.save(path)


# --- Main ------------------------------------------------------------------

def main():
    os.makedirs(OUT_DIR, exist_ok=True)
    os.makedirs(PREVIEW_DIR, exist_ok=True)
    only = set(sys.argv[1:])

    def wanted(name):
        return not only or name in only

    def write(name, data):
        with open(os.path.join(OUT_DIR, name), "wb") as fh:
            fh.write(data)

    for size, zoom in ((16, 8), (24, 5), (32, 4)):
        if wanted("nodes"):
            w, h, px = node_sheet(size)
            write("nodes%d.bmp" % size, bmp_bytes(w, h, px))
            preview_strip(os.path.join(PREVIEW_DIR, "nodes%d.png" % size), w, h, px, zoom)
        if wanted("toolbar"):
            cell_w, cell_h = {16: (18, 17), 24: (27, 26), 32: (36, 34)}[size]
            w, h, px = toolbar_sheet(size, cell_w, cell_h)
            write("toolbar%d.bmp" % size, bmp_bytes(w, h, px))
            used = cell_w * len(TOOL_PICTURES)
            cut = [px[y * w + x] for y in range(h) for x in range(used)]
            preview_strip(os.path.join(PREVIEW_DIR, "toolbar%d.png" % size), used, h, cut, zoom)
    if wanted("cursor"):
        black, white = splitter_cursor()
        write("splitter.cur", cur_bytes(black, white))
        px = [(0.0, 0.0, 0.0) if (x, y) in black else (1.0, 1.0, 1.0) if (x, y) in white else MAGENTA
              for y in range(CURSOR_SIZE) for x in range(CURSOR_SIZE)]
        preview_strip(os.path.join(PREVIEW_DIR, "cursor.png"), CURSOR_SIZE, CURSOR_SIZE, px, 8)
    for name, picture in (("ordalis", program_icon), ("package", document_icon)):
        if wanted(name):
            images = icon_images(picture)
            write(name + ".ico", ico_bytes(images))
            preview_icons(os.path.join(PREVIEW_DIR, name + ".png"), images)


if __name__ == "__main__":
    main()
