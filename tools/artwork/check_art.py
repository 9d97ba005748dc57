#!/usr/bin/env python3
"""Checks the pictures in src/resources/art.

* every bitmap is an uncompressed 24-bit bottom-up BMP with a BITMAPINFOHEADER
  and the size its dialog expects, and is neither blank nor smothered in black
  (the usual look of a broken drawing command);
* every icon holds 16, 32 and 48 pixel images, each a 32-bit DIB whose AND mask
  agrees with its alpha channel, with both see-through and solid pixels;
* the committed files are exactly what draw.py produces now (skipped, with a
  note, when ImageMagick is not installed).

    python3 tools/artwork/check_art.py [--art DIR] [--no-regenerate]
Exit status 0 when all is well, 1 otherwise.
"""

import argparse
import os
import shutil
import struct
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
ART = os.path.normpath(os.path.join(HERE, "..", "..", "src", "resources", "art"))

# name: (exact size) or (None, max width, max height)
BITMAPS = {
    "cutter_usb.bmp": ((320, 180), None),
    "load_landscape.bmp": (None, (130, 154)),
    "load_portrait.bmp": (None, (130, 154)),
    "load_landscape_marks.bmp": (None, (130, 154)),
    "load_portrait_marks.bmp": (None, (130, 154)),
}
for _cap in ("blue", "yellow", "red", "pen"):
    for _part in ("first", "second"):
        BITMAPS["cap_%s_%s.bmp" % (_cap, _part)] = ((58, 100), None)
ICONS = ("controller.ico", "cannot_communicate.ico", "cap_text_on.ico", "cap_text_off.ico")
REQUIRED_ICON_SIZES = {16, 32, 48}
# The button pad's keys, drawn by the job panel at 32 pixels only.
PAD_ICONS = tuple("pad_%s_%s.ico" % (key, look)
                  for key in ("up", "right", "down", "left", "test_cut", "set_origin")
                  for look in ("normal", "pressed", "disabled"))

problems = []


def fail(name, msg):
    problems.append("%s: %s" % (name, msg))


def check_bmp(name, data, exact, limit):
    if len(data) < 54 or data[:2] != b"BM":
        return fail(name, "not a BMP file")
    bf_size, _, _, off = struct.unpack_from("<IHHI", data, 2)
    (bi_size, w, h, planes, bits, comp, img_size, _, _, clr_used, _) = struct.unpack_from("<IiiHHIIiiII", data, 14)
    if bf_size != len(data):
        fail(name, "file size field %d but file has %d bytes" % (bf_size, len(data)))
    if bi_size != 40:
        fail(name, "header is %d bytes, want a 40-byte BITMAPINFOHEADER" % bi_size)
    if planes != 1 or bits != 24 or comp != 0:
        fail(name, "want 1 plane, 24 bits, BI_RGB; got %d, %d, %d" % (planes, bits, comp))
    if clr_used != 0:
        fail(name, "carries a colour table")
    if h <= 0:
        fail(name, "top-down or empty bitmap (height %d)" % h)
        return
    if exact and (w, h) != exact:
        fail(name, "is %dx%d, want %dx%d" % (w, h, exact[0], exact[1]))
    if limit and (w > limit[0] or h > limit[1] or w < limit[0] * 0.8 or h < limit[1] * 0.8):
        fail(name, "is %dx%d, want close to and at most %dx%d" % (w, h, limit[0], limit[1]))
    stride = (w * 3 + 3) & ~3
    if off + stride * h > len(data):
        fail(name, "pixel data truncated")
        return
    colours = set()
    dark = 0
    for y in range(h):
        row = data[off + y * stride: off + y * stride + w * 3]
        for x in range(0, w * 3, 3):
            b, g, r = row[x], row[x + 1], row[x + 2]
            colours.add((r, g, b))
            if r + g + b < 90:
                dark += 1
    if len(colours) < 50:
        fail(name, "only %d colours: drawing looks empty or not anti-aliased" % len(colours))
    if dark > w * h * 0.06:
        fail(name, "%.0f%% of pixels near-black: a shape probably filled by mistake" % (100.0 * dark / (w * h)))
    # the pictures sit on a white background: the corners must be white
    for (x, y) in ((0, 0), (w - 1, 0), (0, h - 1), (w - 1, h - 1)):
        i = off + y * stride + x * 3
        if tuple(data[i:i + 3]) != (255, 255, 255):
            fail(name, "corner pixel (%d,%d) is not the white background" % (x, y))


def check_ico(name, data, required=REQUIRED_ICON_SIZES):
    if len(data) < 6:
        return fail(name, "too short")
    reserved, kind, count = struct.unpack_from("<HHH", data, 0)
    if reserved != 0 or kind != 1 or count == 0:
        return fail(name, "not an icon directory")
    sizes = set()
    for n in range(count):
        w, h, colours, res, planes, bits, length, offset = struct.unpack_from("<BBBBHHII", data, 6 + 16 * n)
        w, h = w or 256, h or 256
        what = "%s[%dx%d]" % (name, w, h)
        if offset + length > len(data):
            fail(what, "image runs past the end of the file")
            continue
        img = data[offset:offset + length]
        if img[:8] == b"\x89PNG\r\n\x1a\n":
            sizes.add(w)
            continue
        bi_size, bw, bh, bplanes, bbits, comp = struct.unpack_from("<IiiHHI", img, 0)
        if bi_size != 40 or bw != w or bh != 2 * h or bplanes != 1 or bbits != 32 or comp != 0:
            fail(what, "DIB header %r does not match a 32-bit %dx%d image" % ((bi_size, bw, bh, bplanes, bbits, comp), w, h))
            continue
        mask_stride = ((w + 31) // 32) * 4
        if length != 40 + w * h * 4 + mask_stride * h:
            fail(what, "image length %d does not fit pixels plus mask" % length)
            continue
        if planes != 1 or bits != 32:
            fail(what, "directory entry says %d planes, %d bits" % (planes, bits))
        px = img[40:40 + w * h * 4]
        mask = img[40 + w * h * 4:]
        clear = opaque = 0
        for y in range(h):
            for x in range(w):
                a = px[(y * w + x) * 4 + 3]
                masked = bool(mask[y * mask_stride + x // 8] & (0x80 >> (x % 8)))
                if masked != (a == 0):
                    fail(what, "AND mask disagrees with alpha at (%d,%d)" % (x, h - 1 - y))
                    break
                clear += a == 0
                opaque += a == 255
            else:
                continue
            break
        if clear == 0 or opaque < w * h // 5:
            fail(what, "%d transparent and %d opaque pixels: not an icon shape" % (clear, opaque))
        sizes.add(w)
    missing = required - sizes
    if missing:
        fail(name, "missing sizes %s" % sorted(missing))


def check_dir(art):
    for name, (exact, limit) in sorted(BITMAPS.items()):
        p = os.path.join(art, name)
        if not os.path.exists(p):
            fail(name, "missing")
            continue
        with open(p, "rb") as fh:
            check_bmp(name, fh.read(), exact, limit)
    for name in ICONS + PAD_ICONS:
        p = os.path.join(art, name)
        if not os.path.exists(p):
            fail(name, "missing")
            continue
        with open(p, "rb") as fh:
            check_ico(name, fh.read(), {32} if name in PAD_ICONS else REQUIRED_ICON_SIZES)


def check_fresh(art):
    if not shutil.which("convert"):
        print("check_art: ImageMagick not installed, not comparing with a fresh drawing")
        return
    with tempfile.TemporaryDirectory() as d:
        subprocess.run([sys.executable, os.path.join(HERE, "draw.py"), "--out", d],
                       check=True, stdout=subprocess.DEVNULL)
        for name in sorted(list(BITMAPS) + list(ICONS) + list(PAD_ICONS)):
            fresh = os.path.join(d, name)
            kept = os.path.join(art, name)
            if not os.path.exists(kept):
                continue
            with open(fresh, "rb") as a, open(kept, "rb") as b:
                if a.read() != b.read():
                    fail(name, "differs from what draw.py draws now: run tools/artwork/draw.py")


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--art", default=ART)
    ap.add_argument("--no-regenerate", action="store_true", help="only check the files, do not redraw")
    args = ap.parse_args()
    check_dir(args.art)
    if not args.no_regenerate:
        check_fresh(args.art)
    for p in problems:
        print("check_art: " + p)
    if problems:
        return 1
    print("check_art: %d bitmaps and %d icons OK" % (len(BITMAPS), len(ICONS) + len(PAD_ICONS)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
