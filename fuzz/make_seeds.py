#!/usr/bin/env python3
"""Writes the fuzz targets' seeds into their kept corpora: a few inputs each that reach the
interesting paths. The fuzzers add their finds in the build folder; `make fuzz-merge` minimizes
those together with the kept corpus (seeds included), under libFuzzer's own names."""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


def write(target, name, data):
    path = os.path.join(HERE, target, "corpus", name)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data if isinstance(data, bytes) else data.encode("latin-1"))


# ---- script: a byte of fault flags, a byte for where reads fail, then KORVA.SCR as it is ----
def script(name, text, faults=0, where=0):
    write("script", name, bytes([faults, where]) + text.encode("latin-1"))


script("recorded", "KORVA_PERIODIC(5);\nKORVA_MOUSE(-297, 240);\nKORVA_PERIODIC(2);\nKORVA_KBD(97);\n")
script("crlf-and-blank-lines", "\r\nKORVA_KBD(-23);\r\n\n\nKORVA_KBD(321);\r\nKORVA_MOUSE(12, -34);")
script("stop-and-resume", "KORVA_KBD(97);\nKORVA_STOP();\nKORVA_KBD(98);\nshort\n\nKORVA_PERIODIC(0);\n")
script("odd-numbers", "XXXXXXMx7y-8\nKORVA_MOUSE();\nKORVA_MOUSE(99999999999999, -99999999999999);\nKORVA_PERIODIC(-2);\nKORVA_KBD(--5);\n")
script("long-line", "KORVA_KBD(65)" + " " * 498 + "KORVA_KBD(66)" + ";" * 90 + "\n")
script("huge-count", "KORVA_PERIODIC(2147483647);\n")
script("empty", "")
script("read-error", "KORVA_KBD(97);\nKORVA_MOUSE(1, 2);\nKORVA_PERIODIC(3);\n", faults=1, where=2)
script("no-memory-blocks", "KORVA_KBD(97);\nKORVA_STOP();\nKORVA_KBD(98);\n", faults=2)


# ---- draw: calls as the target decodes them ----
def near(v):  # an integer on and around the canvas
    return struct.pack("<BH", 3, (v + 400) % 801)


def extreme(i):  # INT32_MIN, INT32_MIN+1, INT32_MAX, INT32_MAX-1, -1, 0, 1, -65536, 65536, 2^30, -2^30, 46341
    return struct.pack("<BB", 1, i)


def raw(v):
    return struct.pack("<Bi", 0, v)


def colour(c):  # a palette colour, in one byte
    return bytes([c])


def size(v):  # a radius, a pen width or a point size in 0 ... 48, in one byte
    return bytes([v])


def offset(v):  # another corner's distance in -48 ... 48, in one byte
    return bytes([v + 48])


def large(integer):  # a colour, a size or an offset given as any integer
    return bytes([240]) + integer


# The byte that picks each call: circle, triangle, rectangle, oval, line, text, printf %s,
# printf %d:%s, clear, logging.
CALL_BYTE = [0, 2, 4, 6, 9, 11, 12, 13, 14, 15]


def call(op, color, x, y, *rest):  # rest: the call's corners, size and text, in its order
    return color + x + y + bytes([CALL_BYTE[op]]) + b"".join(rest)


def text(s):
    return s.encode("latin-1") + b"\0"


scene = b"".join([
    call(9, colour(0), near(1), near(0)),  # logging on
    call(2, colour(8), near(-300), near(250), large(near(600)), large(near(-500)), size(0)),
    call(0, colour(20), near(-50), near(200), size(20)),
    call(1, colour(1), near(-275), near(0), offset(40), offset(-30), offset(-20), offset(20), size(2)),
    call(3, colour(5), near(-10), near(-10), offset(40), offset(30), size(3)),
    call(3, colour(5), near(-100), near(80), offset(48), offset(-40), size(20)),
    call(4, colour(0), near(-300), near(-270), large(near(300)), large(near(300)), size(0)),
    call(4, colour(4), near(10), near(10), offset(30), offset(-12), size(9)),
    call(5, colour(2), near(-100), near(0), size(14), text("Add Bug")),
    call(6, colour(30), near(0), near(-200), large(near(-20)), text("%s %d %n")),
    call(8, colour(0), near(0), near(0)),
])
write("draw", "scene", scene)
extremes = b"".join([
    call(0, large(extreme(0)), extreme(0), extreme(2), large(extreme(2))),
    call(2, large(extreme(2)), extreme(0), extreme(2), large(extreme(2)), large(extreme(0)), large(extreme(0))),
    call(3, colour(4), extreme(0), extreme(2), large(extreme(2)), large(extreme(0)), large(extreme(2))),
    call(3, colour(4), near(-100), near(100), large(near(200)), large(near(-200)), large(extreme(2))),
    call(4, colour(7), extreme(0), extreme(0), large(extreme(2)), large(extreme(2)), large(extreme(2))),
    call(1, colour(9), extreme(0), extreme(2), large(extreme(2)), large(extreme(0)), offset(0), offset(0),
         large(extreme(2))),
    call(5, colour(3), extreme(2), extreme(0), large(extreme(0)), text("far")),
    call(3, colour(6), raw(-40000), raw(40000), large(raw(80000)), large(raw(-80000)), large(raw(300))),
])
write("draw", "extremes", extremes)
write("draw", "long-text", call(7, colour(12), near(-290), near(0), large(near(127)), near(7),
                                text("W" * 1400 + "\n" + "x\n" * 40)))

# ---- events: a byte of fault flags, a byte for the disk's room or where reads fail (8 bytes
# each), then input steps as the target decodes them ----
def events(name, steps, faults=0, where=0):
    write("events", name, bytes([faults, where]) + steps)


def click_canvas(x, y):
    return bytes([1]) + struct.pack("<HH", x + 300, y + 270)


def key(choice, modifiers):  # choice indexes the target's key table
    return bytes([2, choice, modifiers])


def command(cmd):
    return bytes([4, cmd])


def clock(tens_of_ms):
    return bytes([5, tens_of_ms])


CTRL = 2
KEY_L, KEY_R, KEY_P, KEY_O, KEY_F10, KEY_ALT, KEY_RETURN = 3, 7, 5, 4, 12, 21, 10
ADD_BUG, HOPPING, NEW_COLOR, FASTER, BUG_2 = (-257, 58), (-257, 108), (-257, 83), (-257, 183), (257, 208)
events("panel", click_canvas(*ADD_BUG) * 3 + click_canvas(*HOPPING) + clock(50) + click_canvas(*BUG_2)
      + click_canvas(*NEW_COLOR) + click_canvas(*FASTER) + clock(50))
events("record-and-play",
      key(KEY_L, CTRL) + key(KEY_R, CTRL) + clock(30) + click_canvas(*ADD_BUG) + bytes([3, ord("q")])
      + clock(20) + key(KEY_R, CTRL) + key(KEY_P, CTRL) + clock(10) + key(KEY_O, CTRL) + key(KEY_L, CTRL))
events("menus-and-windows",
      key(KEY_F10, 0) + key(KEY_RETURN, 0) + bytes([0]) + struct.pack("<HH", 30, 10) + command(3)
      + command(4) + bytes([7]) + command(4) + bytes([9]) + struct.pack("<HH", 0, 0) + bytes([6, 1]) + key(KEY_ALT, 0) + clock(40))


def u16s(*values):
    return b"".join(struct.pack("<H", v) for v in values)


def burst(*items):  # each a click (x, y) on the canvas or a key choice
    out = bytes([len(items) - 2])
    for item in items:
        out += bytes([1]) + u16s(item[0] + 300, item[1] + 270) if isinstance(item, tuple) else bytes([0, item, 0])
    return out


events("bursts", bytes([12]) + burst(ADD_BUG, ADD_BUG, KEY_L, HOPPING, KEY_RETURN, 65) + clock(10))
events("starved-tick", clock(9) + bytes([13]) + burst(ADD_BUG, 66, 67, ADD_BUG) + bytes([13]) + burst(68, 69))
events("resize-and-move", bytes([14, 1]) + u16s(300, 200) + bytes([14, 0]) + u16s(900, 400) + clock(20)
       + bytes([14, 1]) + u16s(601, 541))
events("menu-keys", bytes([15, 1, 1, 3, 19, 20, 18, 10]) + bytes([15, 0, 0, 2, 20, 11, 10]) + clock(20))
events("recording-disk-full", key(KEY_R, CTRL) + clock(30) + click_canvas(*ADD_BUG) + clock(20) + key(KEY_R, CTRL),
       faults=2, where=3)
events("no-memory-blocks", key(KEY_L, CTRL) + click_canvas(*ADD_BUG) + clock(20), faults=1)
events("recording-at-quit", key(KEY_R, CTRL) + click_canvas(*ADD_BUG) + clock(30) + bytes([3, ord("z")]))
