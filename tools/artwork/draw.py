#!/usr/bin/env python3
"""Draws the controller's bitmaps and icons.

Every picture is described here as vector shapes in ImageMagick's drawing
language (MVG) and rasterised, anti-aliased, by `convert`.  Bitmaps are written
as uncompressed 24-bit BMP (BITMAPINFOHEADER) so that the resource compiler and
LoadBitmap take them as they are; icons are assembled here from 32-bit RGBA
renderings, one drawn per size so that the small ones stay crisp.

    python3 tools/artwork/draw.py                # writes src/resources/art/
    python3 tools/artwork/draw.py --out DIR      # writes elsewhere
    python3 tools/artwork/draw.py --preview FILE # also a 2x overview PNG

Needs ImageMagick 6 (`convert`) and the DejaVu Sans font (Debian package
fonts-dejavu-core).  The output is byte-for-byte the same on every run.
"""

import argparse
import math
import os
import shutil
import struct
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
REPO = os.path.normpath(os.path.join(HERE, "..", ".."))
DEFAULT_OUT = os.path.join(REPO, "src", "resources", "art")
FONT = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"
FONT_BOLD = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"

# ---------------------------------------------------------------------------
# Colours shared by every picture
# ---------------------------------------------------------------------------
C = dict(
    bg="#FFFFFF",
    shadow="#E4E8EC",
    body="#F2F4F6",          # housing, light
    body_edge="#8C96A0",
    body_low="#DCE1E6",      # base strip / shaded side
    top="#4A525C",           # dark top band
    top_edge="#363C44",
    top_hi="#646D78",
    slot="#262C33",
    rail="#B4BDC6",
    roller="#88929C",
    roller_dark="#5E6872",
    accent="#2E7CD6",        # carriage, feed arrows
    accent_dark="#1D5EA8",
    accent_light="#DCEBFA",
    metal="#D5DAE0",
    metal_edge="#7E8994",
    blade="#4E5862",
    led="#27C95A",
    led_hi="#B8F5C9",
    led_glow="#4BE07A",
    key="#E3E7EB",
    key_edge="#23282E",
    ink="#25292E",           # text, power symbol
    leader="#4A525C",
    sheet="#FFFFFF",
    sheet_edge="#A3ADB7",
    sheet_shadow="#D9DEE3",
    mark="#111111",
    dim="#E0631A",           # dimension arrows
    red="#D93025",
    sky="#CDE7FA",
    sun="#FFC23D",
    hill_far="#7FBF8E",
    hill_near="#3F9A5C",
    snow="#FFFFFF",
    ground="#9ACD6E",
)


def f(v):
    """Formats a coordinate compactly and reproducibly."""
    s = "%.3f" % v
    s = s.rstrip("0").rstrip(".")
    return "0" if s in ("-0", "") else s


def pts(points):
    return " ".join("%s,%s" % (f(x), f(y)) for x, y in points)


class Mvg:
    """Collects MVG drawing commands."""

    def __init__(self):
        self.lines = []

    def raw(self, s):
        self.lines.append(s)

    def push(self):
        self.raw("push graphic-context")

    def pop(self):
        self.raw("pop graphic-context")

    def style(self, fill=None, stroke=None, width=None, opacity=None):
        # fill-opacity must come first: it would turn a "none" fill opaque again
        self.raw("fill-opacity %s" % f(1 if opacity is None else opacity))
        self.raw("fill %s" % (fill or "none"))
        self.raw("stroke %s" % (stroke or "none"))
        if width is not None:
            self.raw("stroke-width %s" % f(width))

    def rect(self, x0, y0, x1, y1, r=0, **st):
        self.push()
        self.style(**st)
        if r:
            self.raw("roundrectangle %s,%s %s,%s %s,%s" % (f(x0), f(y0), f(x1), f(y1), f(r), f(r)))
        else:
            self.raw("rectangle %s,%s %s,%s" % (f(x0), f(y0), f(x1), f(y1)))
        self.pop()

    def ellipse(self, cx, cy, rx, ry, **st):
        self.push()
        self.style(**st)
        self.raw("ellipse %s,%s %s,%s 0,360" % (f(cx), f(cy), f(rx), f(ry)))
        self.pop()

    def circle(self, cx, cy, r, **st):
        self.ellipse(cx, cy, r, r, **st)

    def polygon(self, points, **st):
        self.push()
        self.style(**st)
        self.raw("stroke-linejoin round")
        self.raw("polygon " + pts(points))
        self.pop()

    def polyline(self, points, fill=None, stroke=None, width=1, cap="round", dash=None):
        self.push()
        self.style(fill=fill, stroke=stroke, width=width)
        self.raw("stroke-linecap %s" % cap)
        self.raw("stroke-linejoin round")
        if dash:
            self.raw("stroke-dasharray " + " ".join(f(d) for d in dash))
        self.raw("polyline " + pts(points))
        self.pop()

    def line(self, x0, y0, x1, y1, stroke, width=1, cap="round", dash=None):
        self.polyline([(x0, y0), (x1, y1)], stroke=stroke, width=width, cap=cap, dash=dash)

    def path(self, d, fill=None, stroke=None, width=1, cap="round", dash=None, opacity=None):
        self.push()
        self.style(fill=fill, stroke=stroke, width=width, opacity=opacity)
        self.raw("stroke-linecap %s" % cap)
        self.raw("stroke-linejoin round")
        if dash:
            self.raw("stroke-dasharray " + " ".join(f(d) for d in dash))
        self.raw("path '%s'" % d)
        self.pop()

    def text(self, x, y, s, size=11, color=None, anchor="start", bold=False):
        self.push()
        self.raw("font '%s'" % (FONT_BOLD if bold else FONT))
        self.raw("font-size %s" % f(size))
        self.raw("fill %s" % (color or C["ink"]))
        self.raw("stroke none")
        self.raw("text-anchor %s" % anchor)
        self.raw("text %s,%s '%s'" % (f(x), f(y), s.replace("'", "\\'")))
        self.pop()

    def source(self):
        return "\n".join(self.lines) + "\n"


# ---------------------------------------------------------------------------
# Rendering
# ---------------------------------------------------------------------------

def run_convert(args):
    exe = shutil.which("convert")
    if not exe:
        sys.exit("draw.py: ImageMagick 'convert' not found (Debian package imagemagick)")
    subprocess.run([exe] + args, check=True)


def render_bmp(mvg, w, h, path):
    tmp = path + ".tmp"
    run_convert(["-size", "%dx%d" % (w, h), "xc:" + C["bg"], "-draw", mvg.source(),
                 "-alpha", "off", "-type", "TrueColor", "-density", "96", "-units", "PixelsPerInch",
                 "-define", "bmp:format=bmp3", "BMP3:" + tmp])
    os.replace(tmp, path)


def render_rgba(mvg, size):
    with tempfile.TemporaryDirectory() as d:
        out = os.path.join(d, "icon.rgba")
        run_convert(["-size", "%dx%d" % (size, size), "xc:none", "-draw", mvg.source(),
                     "-depth", "8", "RGBA:" + out])
        with open(out, "rb") as fh:
            data = fh.read()
    if len(data) != size * size * 4:
        raise RuntimeError("unexpected raw size for %d px icon" % size)
    return data


def ico_entry(size, rgba):
    """One icon image: BITMAPINFOHEADER, bottom-up BGRA pixels, AND mask."""
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    rows = []
    for y in range(size - 1, -1, -1):
        row = bytearray()
        for x in range(size):
            i = (y * size + x) * 4
            r, g, b, a = rgba[i:i + 4]
            if a == 0:
                r = g = b = 0
            row += bytes((b, g, r, a))
        rows.append(bytes(row))
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for y in range(size - 1, -1, -1):
        row = bytearray(mask_stride)
        for x in range(size):
            if rgba[(y * size + x) * 4 + 3] == 0:
                row[x // 8] |= 0x80 >> (x % 8)
        mask += row
    return header + b"".join(rows) + bytes(mask)


def write_ico(path, images):
    """images: list of (size, rgba bytes), written smallest first."""
    images = sorted(images)
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    blobs = [ico_entry(s, px) for s, px in images]
    offset = 6 + 16 * len(images)
    for (s, _), blob in zip(images, blobs):
        out += struct.pack("<BBBBHHII", s % 256, s % 256, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    for blob in blobs:
        out += blob
    tmp = path + ".tmp"
    with open(tmp, "wb") as fh:
        fh.write(out)
    os.replace(tmp, path)


# ---------------------------------------------------------------------------
# Shared pieces
# ---------------------------------------------------------------------------

def power_symbol(m, cx, cy, r, color, width):
    """The standby symbol: an open ring with a bar through the gap."""
    a0 = math.radians(-90 + 45)
    a1 = math.radians(-90 - 45 + 360)
    x0, y0 = cx + r * math.cos(a0), cy + r * math.sin(a0)
    x1, y1 = cx + r * math.cos(a1), cy + r * math.sin(a1)
    m.path("M %s,%s A %s,%s 0 1 1 %s,%s" % (f(x0), f(y0), f(r), f(r), f(x1), f(y1)),
           stroke=color, width=width)
    m.line(cx, cy - r - width * 0.6, cx, cy - r * 0.05, stroke=color, width=width)


def led(m, cx, cy, rx, ry, glow=1.0):
    """A lit green LED with its halo."""
    for k, a in ((3.2, 0.10), (2.5, 0.13), (1.9, 0.18), (1.45, 0.28)):
        m.ellipse(cx, cy, rx * (1 + (k - 1) * glow), ry * (1 + (k - 1) * glow), fill=C["led_glow"], opacity=a)
    m.ellipse(cx, cy, rx, ry, fill=C["led"], stroke="#14963E", width=0.8)
    m.ellipse(cx - rx * 0.3, cy - ry * 0.35, rx * 0.4, ry * 0.3, fill=C["led_hi"], opacity=0.9)


def arrow(m, x0, y0, x1, y1, shaft, head_w, head_l, color, edge=None):
    """A solid block arrow from (x0,y0) to its tip (x1,y1)."""
    dx, dy = x1 - x0, y1 - y0
    n = math.hypot(dx, dy)
    ux, uy = dx / n, dy / n
    px, py = -uy, ux
    bx, by = x1 - ux * head_l, y1 - uy * head_l
    s, h = shaft / 2, head_w / 2
    poly = [(x0 + px * s, y0 + py * s), (bx + px * s, by + py * s), (bx + px * h, by + py * h),
            (x1, y1), (bx - px * h, by - py * h), (bx - px * s, by - py * s), (x0 - px * s, y0 - py * s)]
    m.polygon(poly, fill=color, stroke=edge or color, width=1)


def dim_arrow(m, x0, y0, x1, y1, color, head=3.6, width=1):
    """A thin double-headed dimension arrow."""
    dx, dy = x1 - x0, y1 - y0
    n = math.hypot(dx, dy)
    ux, uy = dx / n, dy / n
    px, py = -uy, ux
    w = head * 0.55
    m.line(x0 + ux * head * 0.8, y0 + uy * head * 0.8, x1 - ux * head * 0.8, y1 - uy * head * 0.8,
           stroke=color, width=width, cap="butt")
    for (tx, ty, sx) in ((x0, y0, 1), (x1, y1, -1)):
        bx, by = tx + ux * head * sx, ty + uy * head * sx
        m.polygon([(tx, ty), (bx + px * w, by + py * w), (bx - px * w, by - py * w)], fill=color, stroke=color, width=0.5)


# ---------------------------------------------------------------------------
# 1. The cutter connected to a computer
# ---------------------------------------------------------------------------

def cutter_front(m, ox, oy, W=164):
    """The cutter seen from the front and a little above; (ox, oy) is its top-left corner.

    Returns the positions of the LED, the standby key and the USB port."""
    X = lambda x: ox + x
    Y = lambda y: oy + y
    # shadow on the desk
    m.ellipse(X(W / 2), Y(93), W / 2 + 6, 6, fill=C["shadow"])
    # top face (dark band), foreshortened
    m.polygon([(X(12), Y(0)), (X(W - 12), Y(0)), (X(W - 1), Y(24)), (X(1), Y(24))],
              fill=C["top"], stroke=C["top_edge"], width=1.4)
    m.line(X(4), Y(23.3), X(W - 4), Y(23.3), stroke=C["top_hi"], width=1)
    # front face
    m.rect(X(0.5), Y(24), X(W - 0.5), Y(90), r=7, fill=C["body"], stroke=C["body_edge"], width=1)
    m.rect(X(1), Y(23.5), X(W - 1), Y(30), fill=C["body"])             # square off the top corners
    m.line(X(0.5), Y(24), X(0.5), Y(32), stroke=C["body_edge"], width=1, cap="butt")
    m.line(X(W - 0.5), Y(24), X(W - 0.5), Y(32), stroke=C["body_edge"], width=1, cap="butt")
    m.rect(X(1.2), Y(80), X(W - 1.2), Y(89.3), r=6, fill=C["body_low"])  # base strip
    m.line(X(2), Y(80), X(W - 2), Y(80), stroke="#C3CAD1", width=1)
    # feet
    for fx in (14, W - 30):
        m.rect(X(fx), Y(89), X(fx + 16), Y(92), r=1.5, fill=C["roller_dark"])
    # opening across the front, in which the rail and the carriage are seen
    m.rect(X(16), Y(35), X(W - 16), Y(60), r=3.5, fill=C["slot"])
    m.rect(X(18), Y(39), X(W - 18), Y(43), r=1.5, fill=C["rail"])
    m.line(X(18), Y(42.5), X(W - 18), Y(42.5), stroke="#8E98A2", width=0.8)
    # the sheet inside the opening
    m.rect(X(24), Y(55), X(W - 24), Y(60), fill=C["sheet"])
    # pinch rollers pressing the sheet
    for rx in (30, W - 46):
        m.rect(X(rx), Y(49), X(rx + 16), Y(56), r=2.5, fill=C["roller"], stroke=C["roller_dark"], width=0.8)
    # carriage with the blade holder
    cx = round(W * 0.49)
    m.rect(X(cx - 13), Y(33), X(cx + 13), Y(50), r=3, fill=C["accent"], stroke=C["accent_dark"], width=1)
    m.rect(X(cx - 9), Y(36), X(cx + 9), Y(39), r=1.2, fill="#5C9BE3")
    m.rect(X(cx - 4.5), Y(46), X(cx + 4.5), Y(54), r=1.5, fill=C["metal"], stroke=C["metal_edge"], width=0.8)
    m.polygon([(X(cx - 2), Y(54)), (X(cx + 2), Y(54)), (X(cx), Y(57.5))], fill=C["blade"], stroke=C["blade"], width=0.6)
    # sheet coming out at the front, lying on the desk, with a cut line on it
    m.polygon([(X(26), Y(60)), (X(W - 26), Y(60)), (X(W - 18), Y(100)), (X(18), Y(100))],
              fill=C["sheet"], stroke=C["sheet_edge"], width=1)
    m.line(X(26.5), Y(60.3), X(W - 26.5), Y(60.3), stroke=C["slot"], width=1)
    m.path("M %s,%s C %s,%s %s,%s %s,%s" % (f(X(W * 0.3)), f(Y(90)), f(X(W * 0.36)), f(Y(68)), f(X(W * 0.6)), f(Y(96)), f(X(W * 0.68)), f(Y(70))),
           stroke="#9AA6B2", width=1.1, dash=(3, 2.2), cap="butt")
    # controls on the right of the top band
    led_pos = (X(W - 46), Y(12.5))
    key_pos = (X(W - 26), Y(12.5))
    kx, ky = key_pos
    m.polygon([(kx - 8.5, ky - 5), (kx + 8, ky - 5), (kx + 9, ky + 5.5), (kx - 9.5, ky + 5.5)],
              fill=C["key"], stroke=C["key_edge"], width=1)
    power_symbol(m, kx - 0.2, ky + 0.6, 2.9, C["ink"], 1.2)
    led(m, led_pos[0], led_pos[1], 4.2, 3.4)
    port = (X(W - 0.5), Y(54))
    return led_pos, key_pos, port


def laptop(m, ox, oy):
    """A laptop, (ox, oy) the top-left of its lid; returns its USB port position (left side)."""
    m.ellipse(ox + 34, oy + 53, 42, 4.5, fill=C["shadow"])
    m.rect(ox, oy, ox + 68, oy + 46, r=4, fill=C["top"], stroke=C["top_edge"], width=1)
    m.rect(ox + 4, oy + 4, ox + 64, oy + 42, fill=C["accent_light"])
    # a window on the screen
    m.rect(ox + 8.5, oy + 8.5, ox + 59.5, oy + 37.5, r=1.5, fill="#FFFFFF", stroke="#9DB6CF", width=0.8)
    m.rect(ox + 8.5, oy + 8.5, ox + 59.5, oy + 13.5, r=1.5, fill=C["accent"])
    for i, w in enumerate((34, 26, 38)):
        m.line(ox + 13, oy + 19 + i * 5, ox + 13 + w, oy + 19 + i * 5, stroke="#B9C6D3", width=1.6, cap="butt")
    # base
    m.polygon([(ox - 5, oy + 47), (ox + 73, oy + 47), (ox + 78, oy + 54), (ox - 10, oy + 54)],
              fill=C["body_low"], stroke=C["body_edge"], width=1)
    m.rect(ox + 25, oy + 47, ox + 43, oy + 49, r=1, fill="#AEB7C0")
    return (ox - 7.5, oy + 50.5)


def usb_plug(m, x, y, direction):
    """A USB plug whose metal end sits at (x, y); direction +1 points right, -1 left."""
    d = direction
    # metal shell
    m.rect(min(x, x - d * 5), y - 2.5, max(x, x - d * 5), y + 2.5, fill=C["metal"], stroke=C["metal_edge"], width=0.7)
    # moulded body
    x0, x1 = x - d * 5, x - d * 15
    m.rect(min(x0, x1), y - 3.8, max(x0, x1), y + 3.8, r=1.6, fill="#3B424A")
    return (x1, y)


def draw_cutter_usb():
    W, H = 320, 180
    m = Mvg()
    led_pos, key_pos, port = cutter_front(m, 8, 56)
    lap_port = laptop(m, 240, 78)
    # cable from the cutter's side to the laptop's side
    # cable hanging between the cutter's side and the laptop's side, then the plugs over its ends
    pa = (port[0] + 5.5, port[1])
    pb = (lap_port[0] - 0.5, lap_port[1])
    a = (pa[0] + 14, pa[1])
    b = (pb[0] - 14, pb[1])
    low = (round((a[0] + b[0]) / 2), 152)
    m.path("M %s,%s C %s,%s %s,%s %s,%s C %s,%s %s,%s %s,%s" % (
        f(a[0]), f(a[1]), f(a[0] + 9), f(a[1]), f(low[0] - 7), f(low[1]), f(low[0]), f(low[1]),
        f(low[0] + 7), f(low[1]), f(b[0] - 9), f(b[1]), f(b[0]), f(b[1])), stroke="#3B424A", width=2.6)
    usb_plug(m, pa[0], pa[1], -1)
    usb_plug(m, pb[0], pb[1], +1)
    m.text(low[0], 167, "USB", size=10, color=C["leader"], bold=True, anchor="middle")
    # callouts
    lx, ly = led_pos
    kx, ky = key_pos
    m.text(lx + 6, 21, "LED lights", size=11, anchor="end")
    m.polyline([(lx - 62, 25.5), (lx, 25.5), (lx, ly - 6)], stroke=C["leader"], width=1, cap="butt")
    m.circle(lx, ly - 6, 1.6, fill=C["leader"])
    m.text(kx + 4, 21, "Standby key", size=11)
    m.polyline([(kx + 70, 25.5), (kx, 25.5), (kx, ky - 7)], stroke=C["leader"], width=1, cap="butt")
    m.circle(kx, ky - 7, 1.6, fill=C["leader"])
    return m, W, H


# ---------------------------------------------------------------------------
# 2. Media loading, seen from above
# ---------------------------------------------------------------------------

def cutter_top(m, x0, y0, x1, y1):
    """The cutter seen from above, spanning x0..x1; the sheet goes in along y1."""
    m.rect(x0 + 1, y0 + 2, x1 + 1, y1 + 2, r=6, fill=C["shadow"])
    m.rect(x0, y0, x1, y1, r=6, fill=C["body"], stroke=C["body_edge"], width=1)
    band = y0 + (y1 - y0) * 0.58
    a0, a1, b0 = x0 + 0.5, x1 - 0.5, y0 + 0.5
    m.path("M %s,%s L %s,%s Q %s,%s %s,%s L %s,%s Q %s,%s %s,%s L %s,%s Z" % (
        f(a0), f(band), f(a0), f(b0 + 6), f(a0), f(b0), f(a0 + 6), f(b0),
        f(a1 - 6), f(b0), f(a1), f(b0), f(a1), f(b0 + 6), f(a1), f(band)),
        fill=C["top"], stroke=C["top_edge"], width=1)
    m.line(x0 + 1, band + 0.5, x1 - 1, band + 0.5, stroke=C["top_hi"], width=1)
    # slot at the front edge with the pinch rollers
    m.rect(x0 + 12, y1 - 4.5, x1 - 12, y1 - 1.5, r=1, fill=C["slot"])
    for rx in (x0 + 24, x1 - 32):
        m.rect(rx, y1 - 6, rx + 8, y1 - 0.5, r=1.5, fill=C["roller"], stroke=C["roller_dark"], width=0.7)
    # controls on the right of the top band
    cy = round(y0 + (band - y0) / 2)          # keep the small key on the pixel grid
    led(m, x1 - 29, cy, 3, 3, glow=0.7)
    m.rect(x1 - 20.5, cy - 4.5, x1 - 8.5, cy + 4.5, r=1.5, fill=C["key"], stroke=C["key_edge"], width=1)
    power_symbol(m, x1 - 14.5, cy + 0.6, 2.4, C["ink"], 1)


def landscape_art(m, x, y, w, h):
    """A small landscape picture (sky, sun, mountains) upright in x..x+w, y..y+h."""
    m.rect(x, y, x + w, y + h, fill=C["sky"])
    m.circle(x + w * 0.76, y + h * 0.27, min(w, h) * 0.13, fill=C["sun"])
    m.polygon([(x, y + h * 0.82), (x + w * 0.30, y + h * 0.36), (x + w * 0.58, y + h * 0.82)], fill=C["hill_far"], stroke=C["hill_far"], width=0.5)
    m.polygon([(x + w * 0.3, y + h * 0.82), (x + w * 0.62, y + h * 0.42), (x + w, y + h * 0.82)], fill=C["hill_near"], stroke=C["hill_near"], width=0.5)
    # snow caps
    m.polygon([(x + w * 0.30, y + h * 0.36), (x + w * 0.245, y + h * 0.445), (x + w * 0.355, y + h * 0.445)], fill=C["snow"])
    m.polygon([(x + w * 0.62, y + h * 0.42), (x + w * 0.555, y + h * 0.50), (x + w * 0.685, y + h * 0.50)], fill=C["snow"])
    m.rect(x, y + h * 0.8, x + w, y + h, fill=C["ground"])
    m.rect(x, y, x + w, y + h, stroke="#6E7B88", width=0.8)


def portrait_art(m, x, y, w, h):
    """The same scene drawn upright in a tall frame."""
    m.rect(x, y, x + w, y + h, fill=C["sky"])
    m.circle(x + w * 0.72, y + h * 0.2, w * 0.15, fill=C["sun"])
    m.polygon([(x, y + h * 0.78), (x + w * 0.36, y + h * 0.38), (x + w * 0.74, y + h * 0.78)], fill=C["hill_far"], stroke=C["hill_far"], width=0.5)
    m.polygon([(x + w * 0.3, y + h * 0.78), (x + w * 0.68, y + h * 0.50), (x + w, y + h * 0.7), (x + w, y + h * 0.78)], fill=C["hill_near"], stroke=C["hill_near"], width=0.5)
    m.polygon([(x + w * 0.36, y + h * 0.38), (x + w * 0.295, y + h * 0.452), (x + w * 0.425, y + h * 0.452)], fill=C["snow"])
    m.rect(x, y + h * 0.76, x + w, y + h, fill=C["ground"])
    # a tree on the ground
    m.rect(x + w * 0.2 - 1, y + h * 0.8, x + w * 0.2 + 1, y + h * 0.9, fill="#7A5A3A")
    m.polygon([(x + w * 0.2, y + h * 0.62), (x + w * 0.2 - 5, y + h * 0.83), (x + w * 0.2 + 5, y + h * 0.83)], fill="#2E7D48", stroke="#2E7D48", width=0.5)
    m.rect(x, y, x + w, y + h, stroke="#6E7B88", width=0.8)


def corner_mark(m, x, y, sx, sy, arm=7, t=1.8):
    """An L-shaped registration mark whose corner is at (x, y); arms run along +sx and +sy."""
    m.polygon([(x, y), (x + sx * arm, y), (x + sx * arm, y + sy * t), (x + sx * t, y + sy * t),
               (x + sx * t, y + sy * arm), (x, y + sy * arm)], fill=C["mark"])


def draw_loading(orientation, marks):
    W, H = 130, 150
    m = Mvg()
    # the sheet, its leading edge already under the cutter
    sx0, sy0, sx1, sy1 = 24.5, 36.5, 105.5, 145.5
    m.rect(sx0 + 2, sy0 + 2, sx1 + 2, sy1 + 2, fill=C["sheet_shadow"])
    m.rect(sx0, sy0, sx1, sy1, fill=C["sheet"], stroke=C["sheet_edge"], width=1)
    # the design, with the registration marks around it
    mx0, my0, mx1, my1 = 33, 52, 97, 131
    if marks:
        ax0, ay0, ax1, ay1 = mx0 + 6, my0 + 6, mx1 - 6, my1 - 6
    else:
        ax0, ay0, ax1, ay1 = mx0 + 2, my0 + 1, mx1 - 2, my1 - 1
    if orientation == "portrait":
        portrait_art(m, ax0, ay0, ax1 - ax0, ay1 - ay0)
    else:
        # a landscape picture turned a quarter to the left: its top faces the left edge
        w, h = ay1 - ay0, ax1 - ax0
        m.push()
        m.raw("translate %s,%s" % (f(ax0), f(ay1)))
        m.raw("rotate -90")
        landscape_art(m, 0, 0, w, h)
        m.pop()
    if marks:
        corner_mark(m, mx0, my0, 1, 1)
        corner_mark(m, mx1, my0, -1, 1)
        corner_mark(m, mx0, my1, 1, -1)
        corner_mark(m, mx1, my1, -1, -1)
        # distances between the marks
        dy = my1 + 6.5
        m.line(mx0, my1 + 2, mx0, dy + 2.5, stroke=C["dim"], width=0.8, cap="butt")
        m.line(mx1, my1 + 2, mx1, dy + 2.5, stroke=C["dim"], width=0.8, cap="butt")
        dim_arrow(m, mx0, dy, mx1, dy, C["dim"])
        dx = mx1 + 5
        m.line(mx1 + 2, my0, dx + 2.5, my0, stroke=C["dim"], width=0.8, cap="butt")
        m.line(mx1 + 2, my1, dx + 2.5, my1, stroke=C["dim"], width=0.8, cap="butt")
        dim_arrow(m, dx, my0, dx, my1, C["dim"])
    # the cutter, drawn over the sheet's leading edge
    cutter_top(m, 4, 4, 126, 41)
    # feed direction
    for ax in (12.5, 117.5):
        arrow(m, ax, 118, ax, 52, shaft=6, head_w=15, head_l=12, color=C["accent"], edge=C["accent"])
    return m, W, H


# ---------------------------------------------------------------------------
# 3. Icons
# ---------------------------------------------------------------------------

def knife(m, tip_x, tip_y, angle, s, small=False):
    """The blade holder with its blade out, tip at (tip_x, tip_y), leaning `angle` degrees right."""
    m.push()
    m.raw("translate %s,%s" % (f(tip_x), f(tip_y)))
    m.raw("rotate %s" % f(angle))
    m.raw("scale %s,%s" % (f(s), f(s)))
    # blade: a pointed steel tip with one slanted cutting edge
    m.polygon([(0, 0), (-3.4, -10), (3.4, -10), (3.4, -6.5)], fill="#E9EDF1", stroke="#5E6872", width=1.2 if small else 1)
    m.rect(-4.4, -13.5, 4.4, -9.5, r=0.8, fill="#737E89", stroke="#4E5862", width=0.8)
    m.rect(-4.8, -32, 4.8, -13.5, r=2.4, fill=C["accent"], stroke=C["accent_dark"], width=1.2)
    if not small:
        m.rect(-2.6, -29.5, -0.8, -16, r=0.9, fill="#7DB2EE")
    m.pop()


def controller_icon(size):
    """A blade cutting along a line on a sheet: cut behind the blade, dashed ahead of it."""
    m = Mvg()
    if size <= 16:
        # laid out on the pixel grid
        m.rect(0.5, 4.5, 12.5, 15.5, r=1, fill=C["sheet"], stroke="#7E8994", width=1)
        m.path("M 2,13 C 3,10.5 4.5,12.5 6,10.8", stroke=C["ink"], width=1.3)
        m.line(7.6, 11.8, 8.8, 12.4, stroke="#6E7B88", width=1.1, cap="butt")
        m.line(10, 12.6, 11.2, 12.4, stroke="#6E7B88", width=1.1, cap="butt")
        m.push()
        m.raw("translate 6,10.8")
        m.raw("rotate 42")
        m.polygon([(0, 0), (-1.9, -4.2), (1.9, -4.2)], fill="#E9EDF1", stroke="#5E6872", width=0.8)
        m.rect(-2.4, -12.5, 2.4, -4.2, r=0.8, fill=C["accent"], stroke=C["accent_dark"], width=0.8)
        m.pop()
        return m
    s = size / 48.0
    tx, ty = 18, 33
    small = size < 32
    m.push()
    m.raw("scale %s,%s" % (f(s), f(s)))
    m.rect(3.5, 15.5, 35.5, 47, r=2.5, fill=C["sheet_shadow"])
    m.rect(2, 14, 34, 45.5, r=2.5, fill=C["sheet"], stroke="#7E8994", width=1.6 if small else 1.3)
    # behind the blade: the cut
    m.path("M 6,40 C 9,31 13,37 %s,%s" % (f(tx), f(ty)), stroke=C["ink"], width=2.8 if small else 2.4)
    # ahead of it: the line still to cut
    m.path("M %s,%s C 21,37 25,40 31,36" % (f(tx), f(ty)), stroke="#6E7B88", width=2 if small else 1.8,
           dash=(3.2, 2.6), cap="butt")
    m.pop()
    knife(m, tx * s, ty * s, 38, s, small=small)
    return m


def cannot_icon(size):
    m = Mvg()
    if size <= 16:
        m.rect(3.5, 0.5, 9.5, 5.5, fill=C["metal"], stroke=C["metal_edge"], width=1)
        m.rect(5, 2, 6, 3, fill="#5E6872")
        m.rect(7, 2, 8, 3, fill="#5E6872")
        m.rect(2, 5, 11, 12, r=1.5, fill=C["top"])
        m.rect(5.5, 12, 7.5, 16, fill=C["top"])
        m.circle(11.5, 11.5, 4.6, fill=C["red"], stroke="#FFFFFF", width=1)
        m.line(9.6, 9.6, 13.4, 13.4, stroke="#FFFFFF", width=1.4, cap="butt")
        m.line(13.4, 9.6, 9.6, 13.4, stroke="#FFFFFF", width=1.4, cap="butt")
        return m
    s = size / 48.0
    m.push()
    m.raw("scale %s,%s" % (f(s), f(s)))
    m.raw("translate -1.5,0")
    # cable
    m.rect(16, 34, 24, 48, fill="#3B424A")
    # metal connector with its two windows
    m.rect(9.5, 2.5, 30.5, 19, r=1, fill=C["metal"], stroke=C["metal_edge"], width=1.6)
    m.rect(13, 7, 18, 11, fill="#5E6872")
    m.rect(22, 7, 27, 11, fill="#5E6872")
    # moulded body
    m.rect(6, 18, 34, 38, r=4, fill=C["top"], stroke=C["top_edge"], width=1.2)
    m.rect(8, 20, 11, 36, r=1.5, fill=C["top_hi"])
    if size >= 32:
        # the USB trident on the body
        m.line(20, 33, 20, 23, stroke="#FFFFFF", width=1.6)
        m.polygon([(20, 20.5), (22.2, 24), (17.8, 24)], fill="#FFFFFF")
        m.polyline([(20, 30.5), (15.5, 27.5), (15.5, 25.5)], stroke="#FFFFFF", width=1.4)
        m.circle(15.5, 25, 1.5, fill="#FFFFFF")
        m.polyline([(20, 28.5), (24, 26.5), (24, 25)], stroke="#FFFFFF", width=1.4)
        m.rect(22.8, 22.6, 25.2, 25, fill="#FFFFFF")
    m.pop()
    # "not connected" badge
    m.push()
    m.raw("scale %s,%s" % (f(s), f(s)))
    m.circle(36, 36, 10.8, fill=C["red"], stroke="#FFFFFF", width=2.2)
    m.line(31.8, 31.8, 40.2, 40.2, stroke="#FFFFFF", width=3.2, cap="round")
    m.line(40.2, 31.8, 31.8, 40.2, stroke="#FFFFFF", width=3.2, cap="round")
    m.pop()
    return m


# ---------------------------------------------------------------------------
# 4. Blade adjustment caps (job panel, beside the media type)
# ---------------------------------------------------------------------------

CAP_W, CAP_H = 58, 100
# The cap's colour, its darker edge and a lighter highlight.
CAPS = {
    "blue": ("#2E7CD6", "#1D5EA8", "#8FBDF0"),
    "yellow": ("#F2C12E", "#B08A12", "#FBE49A"),
    "red": ("#D93025", "#9E2219", "#F19A93"),
}


def carriage_clamp(m, y0, y1):
    """The cutter's tool clamp gripping whatever stands upright at x 21..37."""
    m.rect(12, y0, 46, y1, r=2.5, fill=C["accent"], stroke=C["accent_dark"], width=1)
    m.rect(15, y0 + 3, 19, y1 - 3, r=1, fill="#5C9BE3")
    m.circle(42, (y0 + y1) / 2, 2.2, fill=C["metal"], stroke=C["metal_edge"], width=0.8)


def blade_holder(m, top):
    """The blade holder standing upright, its threaded top at `top`, the blade tip at the bottom."""
    # threaded top, where the cap screws on
    m.rect(23, top, 35, top + 9, fill=C["metal"], stroke=C["metal_edge"], width=0.8)
    for k in range(4):
        y = top + 1.8 + k * 2
        m.line(23.5, y, 34.5, y + 0.8, stroke=C["metal_edge"], width=0.7, cap="butt")
    # body with its grip
    m.rect(20.5, top + 8, 37.5, 86, r=3, fill="#E6EAEE", stroke=C["metal_edge"], width=1)
    m.rect(23, top + 10, 26, 84, r=1.2, fill="#FFFFFF")
    for y in range(int(top) + 50, 82, 3):
        m.line(21.5, y, 36.5, y, stroke="#B3BCC5", width=0.8, cap="butt")
    # taper and blade
    m.polygon([(21, 86), (37, 86), (33, 92.5), (25, 92.5)], fill=C["metal"], stroke=C["metal_edge"], width=0.8)
    m.polygon([(27.2, 92.5), (30.8, 92.5), (29, 98.5)], fill=C["blade"], stroke=C["blade"], width=0.6)


def adjustment_cap(m, colour, top):
    """A blade adjustment cap of `colour` whose closed end is at `top` (19 px high)."""
    fill, edge, light = CAPS[colour]
    m.rect(19.5, top, 38.5, top + 19, r=3.5, fill=fill, stroke=edge, width=1.1)
    m.rect(22.5, top + 2.5, 25.5, top + 16.5, r=1.3, fill=light)
    for x in (29, 32.5, 36):
        m.line(x, top + 3, x, top + 16, stroke=edge, width=0.8, cap="butt")


def turn_arrow(m, cx, cy):
    """A half turn around the holder's axis, the way the cap screws on."""
    m.path("M %s,%s A 14,4.5 0 0 0 %s,%s" % (f(cx - 14), f(cy), f(cx + 14), f(cy)),
           stroke=C["dim"], width=1.6, cap="butt")
    m.polygon([(cx + 14, cy - 4.5), (cx + 17.5, cy + 1.5), (cx + 10.5, cy + 1)], fill=C["dim"], stroke=C["dim"], width=0.5)


def down_arrow(m, x, y0, y1):
    arrow(m, x, y0, x, y1, shaft=3, head_w=8, head_l=6, color=C["dim"])


def draw_cap(colour, mounted):
    """First picture: the cap above the holder, to be screwed on. Second: the cap on, the holder
    set in the cutter's clamp."""
    m = Mvg()
    if mounted:
        blade_holder(m, 30)
        adjustment_cap(m, colour, 20)
        carriage_clamp(m, 52, 66)
    else:
        blade_holder(m, 38)
        adjustment_cap(m, colour, 4)
        turn_arrow(m, 29, 32)
        down_arrow(m, 50, 6, 26)
    return m, CAP_W, CAP_H


def ball_point_pen(m, top):
    """A ball-point pen standing upright, its tip at the bottom."""
    m.rect(22.5, top, 35.5, 82, r=3, fill="#3B424A", stroke="#262C33", width=1)
    m.rect(25, top + 3, 27.5, 79, r=1.2, fill="#6B7681")
    m.rect(34, top + 4, 37.5, top + 30, r=1.2, fill=C["metal"], stroke=C["metal_edge"], width=0.8)  # clip
    m.polygon([(23, 82), (35, 82), (31.5, 92), (26.5, 92)], fill=C["metal"], stroke=C["metal_edge"], width=0.8)
    m.circle(29, 94, 2, fill=C["ink"])


def draw_pen(mounted):
    m = Mvg()
    if mounted:
        ball_point_pen(m, 14)
        carriage_clamp(m, 48, 62)
    else:
        ball_point_pen(m, 6)
        down_arrow(m, 50, 30, 70)
    return m, CAP_W, CAP_H


def cap_text_icon(size, on):
    """Beside the cap text: a pointing blue badge while the text applies, a grey dot otherwise."""
    m = Mvg()
    s = size / 32.0
    m.push()
    m.raw("scale %s,%s" % (f(s), f(s)))
    if on:
        m.circle(16, 16, 14, fill=C["accent"], stroke=C["accent_dark"], width=1.6)
        m.polygon([(12, 8.5), (24, 16), (12, 23.5)], fill="#FFFFFF", stroke="#FFFFFF", width=1)
    else:
        m.circle(16, 16, 12, fill="#D5DAE0", stroke="#9AA4AE", width=1.6)
    m.pop()
    return m


ICON_SIZES = (16, 24, 32, 48)


# ---------------------------------------------------------------------------
# The button pad: four jog arrows, test cut and set origin, each in three looks.
# The job panel draws them at 32 x 32 pixels, so one image of that size each.
# ---------------------------------------------------------------------------

PAD_ICON_SIZE = 32

# normal: a raised light key with a dark blue symbol; pressed: sunk in and blue, the symbol white
# and shifted down-right; disabled: flat and washed out.
PAD_LOOKS = {
    "normal": dict(face="#F4F6F8", edge="#4A525C", symbol=C["accent_dark"],
                   light="#FFFFFF", dark="#9AA4AE", shift=0),
    "pressed": dict(face=C["accent"], edge=C["accent_dark"], symbol="#FFFFFF",
                    light=None, dark="#174D8C", shift=1),
    "disabled": dict(face="#E9ECEF", edge="#C2C8CE", symbol="#BEC5CC",
                     light=None, dark=None, shift=0),
}


def pad_key(m, look):
    """The key itself: face, outline, and the bevel that makes it stand out or sink in."""
    m.rect(0.5, 0.5, 31.5, 31.5, r=4, fill=look["face"], stroke=look["edge"], width=1)
    if look["light"]:
        # raised: light along the top and left, shade along the bottom and right
        m.polyline([(2.5, 28), (2.5, 4), (4, 2.5), (28, 2.5)], stroke=look["light"], width=1.6)
        m.polyline([(4, 29.2), (28, 29.2), (29.2, 28), (29.2, 4)], stroke=look["dark"], width=2)
    elif look["dark"]:
        # sunk in: shade along the top and left only
        m.polyline([(2.3, 28), (2.3, 4), (4, 2.3), (28, 2.3)], stroke=look["dark"], width=2.4)


def pad_arrow(m, look, quarter_turns):
    """A broad arrow pointing up, turned clockwise by quarter turns about the key's centre."""
    up = [(16, 5.5), (26, 16), (20, 16), (20, 26), (12, 26), (12, 16), (6, 16)]
    points = up
    for _ in range(quarter_turns):
        points = [(32 - y, x) for x, y in points]
    d = look["shift"]
    m.polygon([(x + d, y + d) for x, y in points], fill=look["symbol"], stroke=look["symbol"], width=1)


def pad_test_cut(m, look):
    """A small square cut into the sheet, the blade finishing its last side."""
    d = look["shift"]
    c = look["symbol"]
    m.polyline([(21 + d, 8 + d), (8 + d, 8 + d), (8 + d, 22 + d), (15 + d, 22 + d)], stroke=c, width=2.4, cap="butt")
    m.line(21 + d, 8 + d, 21 + d, 13 + d, stroke=c, width=2.4, cap="butt")
    m.line(16.5 + d, 22 + d, 21 + d, 22 + d, stroke=c, width=1.4, cap="butt", dash=(1.6, 1.4))
    m.line(21 + d, 15 + d, 21 + d, 20.5 + d, stroke=c, width=1.4, cap="butt", dash=(1.6, 1.4))
    # the blade, tip on the cut line, holder up and to the right
    m.polygon([(17 + d, 23.5 + d), (19.5 + d, 18 + d), (22.5 + d, 20 + d)], fill=c)
    m.polygon([(20 + d, 17 + d), (24.5 + d, 11 + d), (28 + d, 13.5 + d), (23.5 + d, 19.5 + d)], fill=c)


def pad_set_origin(m, look):
    """Cross hairs on a ring: the blade's position becomes the origin."""
    d = look["shift"]
    c = look["symbol"]
    m.circle(16 + d, 16 + d, 7.5, stroke=c, width=2.2)
    for x0, y0, x1, y1 in ((16, 4, 16, 11.5), (16, 20.5, 16, 28), (4, 16, 11.5, 16), (20.5, 16, 28, 16)):
        m.line(x0 + d, y0 + d, x1 + d, y1 + d, stroke=c, width=2.2, cap="butt")
    m.circle(16 + d, 16 + d, 2.4, fill=c)


PAD_SYMBOLS = (
    ("pad_up", lambda m, look: pad_arrow(m, look, 0)),
    ("pad_right", lambda m, look: pad_arrow(m, look, 1)),
    ("pad_down", lambda m, look: pad_arrow(m, look, 2)),
    ("pad_left", lambda m, look: pad_arrow(m, look, 3)),
    ("pad_test_cut", pad_test_cut),
    ("pad_set_origin", pad_set_origin),
)


def pad_icon(symbol, look_name):
    m = Mvg()
    look = PAD_LOOKS[look_name]
    pad_key(m, look)
    symbol(m, look)
    return m


def pad_icon_names():
    return ["%s_%s" % (name, look) for name, _ in PAD_SYMBOLS for look in PAD_LOOKS]


def build_pad_icons(out_dir):
    written = []
    for name, symbol in PAD_SYMBOLS:
        for look in PAD_LOOKS:
            p = os.path.join(out_dir, "%s_%s.ico" % (name, look))
            write_ico(p, [(PAD_ICON_SIZE, render_rgba(pad_icon(symbol, look), PAD_ICON_SIZE))])
            written.append(p)
    return written


# ---------------------------------------------------------------------------

def build(out_dir):
    os.makedirs(out_dir, exist_ok=True)
    written = []

    m, w, h = draw_cutter_usb()
    p = os.path.join(out_dir, "cutter_usb.bmp")
    render_bmp(m, w, h, p)
    written.append(p)

    for name, orient, marks in (("load_landscape", "landscape", False),
                                ("load_portrait", "portrait", False),
                                ("load_landscape_marks", "landscape", True),
                                ("load_portrait_marks", "portrait", True)):
        m, w, h = draw_loading(orient, marks)
        p = os.path.join(out_dir, name + ".bmp")
        render_bmp(m, w, h, p)
        written.append(p)

    for colour in ("blue", "yellow", "red"):
        for mounted, part in ((False, "first"), (True, "second")):
            m, w, h = draw_cap(colour, mounted)
            p = os.path.join(out_dir, "cap_%s_%s.bmp" % (colour, part))
            render_bmp(m, w, h, p)
            written.append(p)
    for mounted, part in ((False, "first"), (True, "second")):
        m, w, h = draw_pen(mounted)
        p = os.path.join(out_dir, "cap_pen_%s.bmp" % part)
        render_bmp(m, w, h, p)
        written.append(p)

    for name, fn in (("controller", controller_icon), ("cannot_communicate", cannot_icon),
                     ("cap_text_on", lambda size: cap_text_icon(size, True)),
                     ("cap_text_off", lambda size: cap_text_icon(size, False))):
        p = os.path.join(out_dir, name + ".ico")
        write_ico(p, [(s, render_rgba(fn(s), s)) for s in ICON_SIZES])
        written.append(p)
    written += build_pad_icons(out_dir)
    return written


def preview(paths, dest):
    """All pictures side by side, doubled, on a light grey board (for looking at, not shipped)."""
    with tempfile.TemporaryDirectory() as d:
        tiles = []
        for i, p in enumerate(paths):
            if p.endswith(".ico"):
                one_size = os.path.basename(p).startswith("pad_")
                for j, s in enumerate((PAD_ICON_SIZE,) if one_size else ICON_SIZES):
                    t = os.path.join(d, "%02d_%d.png" % (i, j))
                    run_convert(["%s[%d]" % (p, j), "-background", "#FFFFFF", "-flatten", "-filter", "point",
                                 "-resize", "200%", t])
                    tiles.append(t)
            else:
                t = os.path.join(d, "%02d.png" % i)
                run_convert([p, "-filter", "point", "-resize", "200%", t])
                tiles.append(t)
        run_convert(["-background", "#C8CDD2"] + tiles[:1] + ["-gravity", "center", "+append", os.path.join(d, "row1.png")])
        run_convert(["-background", "#C8CDD2"] + [t for t in tiles[1:5]] + ["-bordercolor", "#C8CDD2", "-border", "4", "+append", os.path.join(d, "row2.png")])
        run_convert(["-background", "#C8CDD2"] + [t for t in tiles[5:]] + ["-bordercolor", "#C8CDD2", "-border", "6", "-gravity", "center", "+append", os.path.join(d, "row3.png")])
        run_convert(["-background", "#C8CDD2", "-gravity", "center"] + [os.path.join(d, r) for r in ("row1.png", "row2.png", "row3.png")] +
                    ["-bordercolor", "#C8CDD2", "-border", "4", "-append", dest])


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("--out", default=DEFAULT_OUT, help="output directory (default: src/resources/art)")
    ap.add_argument("--preview", help="also write an overview PNG of everything at twice the size")
    args = ap.parse_args()
    for font in (FONT, FONT_BOLD):
        if not os.path.exists(font):
            sys.exit("draw.py: font %s missing (Debian package fonts-dejavu-core)" % font)
    paths = build(args.out)
    for p in paths:
        print(os.path.relpath(p))
    if args.preview:
        preview(paths, args.preview)
        print(args.preview)


if __name__ == "__main__":
    main()
