#!/usr/bin/python3
"""Draws every picture Brennwick carries and writes the static mod template files.

Run from anywhere:  /usr/bin/python3 tools/make_art.py [--products PATH]

The output is deterministic: fixed seeds, no timestamps in the PNG files, so a
rerun gives the same bytes. --products names the product catalogue whose German
names give the lettering of the product pictures (default: the workspace's own
resources/XMLK/Products.xml); pictures without a catalogue row are lettered from
their icon name.
"""

import argparse
import base64
import colorsys
import html
import io
import json
import math
import os
import random
import re
import sys

from PIL import Image, ImageChops, ImageDraw, ImageFont

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
ART = os.path.join(ROOT, "resources", "art")
MOD = os.path.join(ROOT, "resources", "XMLK", "[Brennwick] Materials")
FONT = os.path.join(ROOT, "resources", "fonts", "Heuristica-Bold.otf")
DESKTOP = os.path.join(ROOT, "resources", "desktop")
ICON_SIZES = [16, 32, 48, 64, 128]
DEJAVU = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"

SS = 4  # supersampling factor; everything is drawn large and scaled down
FINE = 1  # how many times as fine pictures are drawn: 2 for the "@2x" ones (set by main)

PRODUCTS = """
icon_advanced_weaponry icon_alpaca_wool icon_aluminium icon_atole icon_ballsports
icon_banana icon_bankerlamp icon_bauxit icon_beams icon_bear_fur icon_beer icon_beeswax
icon_billard icon_bowler_hat icon_brass icon_bread icon_bricks icon_bubble_gum
icon_burrito icon_candles icon_cane_sugar_1 icon_canned_goulash icon_canopy
icon_caoutchouc icon_carbon_filament icon_celluloid icon_cellulose icon_cement
icon_ceramics icon_cereals_2 icon_champagne icon_chassis icon_cherry_wood
icon_chesterfield icon_chocolate icon_cigars icon_cinamon icon_citrus icon_clay
icon_coal icon_cocoa icon_coconut icon_coffe_cup icon_coffee_beans icon_cognac
icon_cookie icon_copper icon_corn icon_costumes icon_cotton icon_cotton_fur
icon_detergent icon_dishes icon_dried_meat icon_dung icon_dynamite
icon_electric_cable_3 icon_elevator icon_ethanol icon_extinguisher icon_facecreme
icon_felt icon_fertilizer_good icon_film_role icon_fish icon_fishoil icon_flour
icon_fried_bananas icon_fur icon_fur_coats icon_fur_parka icon_gas_red icon_gasoline
icon_glass icon_glass_window_3 icon_glasses icon_goat_milk icon_gold icon_gold_ore
icon_goose_feathers icon_goulash_01 icon_grapes icon_helium icon_herbarium
icon_herbs_with_flower icon_hibiscus_farm icon_hibiscus_tea icon_high_wheeler
icon_hops icon_husky icon_icecream_cone icon_indigo icon_industrial_lubricant_a
icon_influence icon_inlay icon_iron icon_jalea icon_jam icon_jewelry icon_junk
icon_junk_inferior icon_junk_superior icon_lacquer icon_lanterns icon_leather_shoes
icon_lemonade icon_letter_delivered icon_letter_normal icon_letter_oversea
icon_light_bulb icon_linen_fabric icon_linen_farm icon_lipstick icon_malt
icon_meat_raw icon_meat_sausage icon_medicine icon_mezcal icon_minerals icon_motor
icon_mud_bricks icon_nandu_feathers icon_nandu_leather icon_niter icon_oil
icon_oil_lamps icon_orchid icon_paper icon_paravent icon_passage_junk icon_pearls
icon_pemmican icon_pepper icon_perfume icon_phonographs icon_pigments icon_pigs
icon_pocket_watch icon_police_equipment icon_pomade icon_poncho icon_potatoes
icon_quartz_sand icon_refrigerator icon_reindeer_meat icon_reinforced_concrete
icon_research_resource icon_resource_money_4 icon_rum_barrel icon_sail icon_salt
icon_schnapps_4 icon_scooter icon_scriptures icon_seafood icon_seal_skin
icon_secretary icon_sewing_machine icon_shampoo icon_sheep_milk icon_sled
icon_sled_frame icon_sleeping_bags icon_soap_2 icon_souvenir icon_spices icon_squid
icon_steam_carriage icon_steam_machine icon_steel icon_sugar icon_suitcase icon_suits
icon_tabasco_sauce icon_tallow icon_tapestries icon_teff_flour icon_teff_grass
icon_telephones icon_tin_ore icon_toaster icon_tobacco icon_tobacco_pipes
icon_toothpaste icon_toys icon_traditional_clothing icon_typewriter
icon_vacuumcleaner icon_valuable_sketches_b icon_ventilator icon_violin
icon_wansa_wood icon_wat_stew icon_watusi icon_weapons icon_whale_oil_2
icon_wood_log icon_wood_resin icon_wooden_planks icon_wool icon_working_cloth
""".split()

DROPGOODS = ["icon_dropgood_bomb_b", "icon_dropgood_care_packages",
             "icon_dropgood_pamphlets", "icon_dropgood_seamines", "icon_dropgood_water"]

# Product groups: GUID, German name, symbol (or the short label of a DLC), badge colour.
GROUPS = [
    ("11701", "Bodenschätze", "gem", (58, 110, 165)),
    ("11702", "Rohstoff", "log", (92, 130, 60)),
    ("11703", "Zwischenprodukt", "gear", (120, 120, 128)),
    ("11704", "Markt", "stall", (176, 62, 50)),
    ("11705", "Baumaterial", "bricks", (150, 96, 52)),
    ("24961", "Keim der Hoffnung", "KH", (64, 140, 88)),
    ("24962", "Reich der Lüfte", "RL", (70, 140, 196)),
    ("24963", "Aufstieg der neuen Welt", "AW", (196, 120, 30)),
    ("410042", "Die Passage", "DP", (60, 96, 150)),
    ("410071", "Land der Löwen", "LL", (188, 138, 40)),
    ("410084", "Reisezeit", "RZ", (38, 128, 128)),
    ("410085", "Dächer der Stadt", "DS", (140, 60, 110)),
]

UI = ["FullReset", "Achtung", "frage", "Info", "nicht", "ItemHouseMain"]
HELP = ["Achtung", "Fehler", "Frage", "Information", "NoXmlError", "Okay", "XMLError"]
ROMAN = ["I", "II", "III", "IV", "V", "VI"]


def collection_order():
    names = list(PRODUCTS)
    for guid, *_ in GROUPS:
        names += [guid, guid + "_dark"]
    names += DROPGOODS + UI
    names += ["Region%d" % n for n in range(1, 5)]
    for n in range(1, 7):
        names += ["Item_%d" % n, "Item_%d_dark" % n]
    names += ["icon_agrarhouse_0", "icon_agrarhouse_1"]
    names += ["Region1dark", "Region2dark", "Region3dark", "Region4Dark"]
    return names


# ---------------------------------------------------------------------------
# Drawing helpers

_fonts = {}


def font(px, path=FONT):
    key = (path, int(px))
    if key not in _fonts:
        _fonts[key] = ImageFont.truetype(path, max(1, int(px)))
    return _fonts[key]


def rot(points, angle_deg, cx, cy):
    a = math.radians(angle_deg)
    ca, sa = math.cos(a), math.sin(a)
    return [(cx + (x - cx) * ca - (y - cy) * sa, cy + (x - cx) * sa + (y - cy) * ca)
            for x, y in points]


def mix(c1, c2, t):
    return tuple(int(round(a + (b - a) * t)) for a, b in zip(c1, c2))


def shade(c, f):
    return tuple(max(0, min(255, int(round(v * f)))) for v in c[:3]) + tuple(c[3:])


class Pic:
    """A picture drawn in design units: the shorter side is 100 units long."""

    def __init__(self, w, h, bg=(0, 0, 0, 0)):
        self.w, self.h = w * FINE, h * FINE
        self.k = min(self.w, self.h) * SS / 100.0
        self.img = Image.new("RGBA", (self.w * SS, self.h * SS), bg)

    def _xy(self, pts):
        return [(x * self.k, y * self.k) for x, y in pts]

    def _box(self, b):
        return [b[0] * self.k, b[1] * self.k, b[2] * self.k, b[3] * self.k]

    def _layer(self):
        layer = Image.new("RGBA", self.img.size, (0, 0, 0, 0))
        return layer, ImageDraw.Draw(layer)

    def _put(self, layer):
        self.img.alpha_composite(layer)

    def _draw(self, kind, geom, fill=None, outline=None, width=0, grad=None, **kw):
        geom = self._box(geom) if kind != "polygon" else self._xy(geom)
        if grad is not None:
            mask = Image.new("L", self.img.size, 0)
            getattr(ImageDraw.Draw(mask), kind)(geom, fill=255, **kw)
            y0 = min(p for p in (geom[1::2] if kind != "polygon" else [q[1] for q in geom]))
            y1 = max(p for p in (geom[1::2] if kind != "polygon" else [q[1] for q in geom]))
            g = vgradient(self.img.size, grad[0], grad[1], y0, y1)
            layer = Image.new("RGBA", self.img.size, (0, 0, 0, 0))
            layer.paste(g, (0, 0), mask)
            self._put(layer)
            fill = None
        if fill is not None or (outline is not None and width > 0):
            layer, d = self._layer()
            args = dict(fill=fill, **kw)
            if outline is not None and width > 0:
                args["outline"] = outline
                args["width"] = max(1, int(round(width * self.k)))
            getattr(d, kind)(geom, **args)
            self._put(layer)

    def ellipse(self, box, **kw):
        self._draw("ellipse", box, **kw)

    def circle(self, cx, cy, r, **kw):
        self._draw("ellipse", (cx - r, cy - r, cx + r, cy + r), **kw)

    def rect(self, box, radius=0, **kw):
        if radius:
            self._draw("rounded_rectangle", box, radius=radius * self.k, **kw)
        else:
            self._draw("rectangle", box, **kw)

    def polygon(self, pts, **kw):
        self._draw("polygon", pts, **kw)

    def line(self, pts, fill, width):
        layer, d = self._layer()
        d.line(self._xy(pts), fill=fill, width=max(1, int(round(width * self.k))), joint="curve")
        r = width * self.k / 2
        for x, y in (self._xy(pts)[0], self._xy(pts)[-1]):  # round caps
            d.ellipse([x - r, y - r, x + r, y + r], fill=fill)
        self._put(layer)

    def arc(self, box, start, end, fill, width):
        layer, d = self._layer()
        d.arc(self._box(box), start, end, fill=fill, width=max(1, int(round(width * self.k))))
        self._put(layer)

    def text(self, cx, cy, s, size, fill, stroke=0, stroke_fill=None, max_w=None,
             max_h=None, path=FONT):
        """Centres the ink of s on (cx, cy); shrinks it to fit max_w × max_h units."""
        px = size * self.k
        sw = int(round(stroke * self.k))
        while True:
            f = font(px, path)
            b = ImageDraw.Draw(self.img).textbbox((0, 0), s, font=f, anchor="ls", stroke_width=sw)
            tw, th = (b[2] - b[0]) / self.k, (b[3] - b[1]) / self.k
            if (max_w is None or tw <= max_w) and (max_h is None or th <= max_h) or px < 4:
                break
            px *= 0.96
        layer, d = self._layer()
        x = cx * self.k - (b[0] + b[2]) / 2
        y = cy * self.k - (b[1] + b[3]) / 2
        d.text((x, y), s, font=f, fill=fill, anchor="ls", stroke_width=sw,
               stroke_fill=stroke_fill)
        self._put(layer)

    def result(self):
        return self.img.resize((self.w, self.h), Image.LANCZOS)


def vgradient(size, c1, c2, y0=None, y1=None):
    w, h = size
    y0 = 0 if y0 is None else y0
    y1 = h if y1 is None else y1
    col = Image.new("RGBA", (1, h))
    px = col.load()
    span = max(1.0, y1 - y0)
    for y in range(h):
        t = min(1.0, max(0.0, (y - y0) / span))
        px[0, y] = tuple(mix(c1, c2, t)[:3]) + (255,)
    return col.resize((w, h), Image.NEAREST)


def darken(img, f):
    r, g, b, a = img.split()
    lut = [int(v * f) for v in range(256)]
    return Image.merge("RGBA", (r.point(lut), g.point(lut), b.point(lut), a))


def save_png(img, path):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    img.save(path, "PNG", optimize=True)


# ---------------------------------------------------------------------------
# Symbols, each drawn into a Pic in a 100 × 100 unit square at (ox, oy), scale s

def gear_points(cx, cy, r_out, r_in, teeth, phase=0.0):
    pts = []
    step = 2 * math.pi / teeth
    for i in range(teeth):
        a = phase + i * step
        for da, r in ((-0.30, r_in), (-0.17, r_out), (0.17, r_out), (0.30, r_in)):
            pts.append((cx + r * math.cos(a + da * step * 1.6),
                        cy + r * math.sin(a + da * step * 1.6)))
    return pts


def draw_gear(p, cx, cy, r, body, edge, hole):
    p.polygon(gear_points(cx, cy, r, r * 0.76, 10, 0.1), fill=body, outline=edge, width=r * 0.07)
    p.circle(cx, cy, r * 0.58, outline=shade(body, 0.8), width=r * 0.06)
    p.circle(cx, cy, r * 0.26, fill=hole, outline=edge, width=r * 0.07)


def draw_wrench(p, cx, cy, length, angle, fill, edge):
    """An open-end wrench centred on (cx, cy), its jaw towards angle."""
    scale = p.k
    layer = Image.new("RGBA", p.img.size, (0, 0, 0, 0))
    d = ImageDraw.Draw(layer)
    half = length / 2
    w = length * 0.14
    jaw_r = length * 0.2
    tail_r = w * 0.75
    # first a slightly larger dark pass that becomes the outline, then the metal
    for pass_fill, grow in ((edge, length * 0.035), (fill, 0)):
        a = math.radians(angle)
        hx, hy = cx + (half - jaw_r) * math.cos(a), cy + (half - jaw_r) * math.sin(a)
        tx, ty = cx - half * math.cos(a), cy - half * math.sin(a)
        d.line([(tx * scale, ty * scale), (hx * scale, hy * scale)], fill=pass_fill,
               width=int((w + 2 * grow) * scale))
        rr = (jaw_r + grow) * scale
        d.ellipse([hx * scale - rr, hy * scale - rr, hx * scale + rr, hy * scale + rr],
                  fill=pass_fill)
        rr = (tail_r + grow) * scale
        d.ellipse([tx * scale - rr, ty * scale - rr, tx * scale + rr, ty * scale + rr],
                  fill=pass_fill)
    # the jaw opening: a slot cut from the head outwards
    a = math.radians(angle)
    hx, hy = cx + (half - jaw_r) * math.cos(a), cy + (half - jaw_r) * math.sin(a)
    slot = [(hx, hy - jaw_r * 0.38), (hx + jaw_r * 1.6, hy - jaw_r * 0.38),
            (hx + jaw_r * 1.6, hy + jaw_r * 0.38), (hx, hy + jaw_r * 0.38)]
    slot = rot(slot, angle, hx, hy)
    d.polygon([(x * scale, y * scale) for x, y in slot], fill=(0, 0, 0, 0))
    d.ellipse([(hx - jaw_r * 0.38) * scale, (hy - jaw_r * 0.38) * scale,
               (hx + jaw_r * 0.38) * scale, (hy + jaw_r * 0.38) * scale], fill=(0, 0, 0, 0))
    p.img.alpha_composite(layer)


def draw_arrow(p, cx, cy, r, body, edge, thick):
    """A return arrow: a circular band running anticlockwise into a head on its left."""
    a0, a1 = 205.0, 460.0

    def at(angle, radius):
        a = math.radians(angle)
        return (cx + radius * math.cos(a), cy + radius * math.sin(a))

    half = thick / 2
    steps = 40
    outer = [at(a0 + (a1 - a0) * i / steps, r + half) for i in range(steps + 1)]
    inner = [at(a1 - (a1 - a0) * i / steps, r - half) for i in range(steps + 1)]
    a = math.radians(a0)
    direction = (math.sin(a), -math.cos(a))
    base = at(a0, r)
    tip = (base[0] + direction[0] * thick * 1.5, base[1] + direction[1] * thick * 1.5)
    shape = [tip, at(a0, r + thick * 1.2)] + outer + inner + [at(a0, r - thick * 1.2)]
    p.polygon(shape, grad=(shade(body, 1.25), shade(body, 0.8)), outline=edge,
              width=thick * 0.22)


def draw_house(p, ox, oy, s, wall, roof, trim):
    def q(x, y):
        return (ox + x * s, oy + y * s)
    p.polygon([q(18, 48), q(82, 48), q(82, 88), q(18, 88)], fill=wall, outline=trim, width=3 * s)
    p.polygon([q(8, 52), q(50, 14), q(92, 52)], fill=roof, outline=trim, width=3 * s)
    p.polygon([q(64, 30), q(74, 30), q(74, 44), q(64, 36)], fill=shade(wall, 0.8),
              outline=trim, width=2 * s)
    p.rect((ox + 42 * s, oy + 62 * s, ox + 58 * s, oy + 88 * s), fill=shade(roof, 0.7),
           outline=trim, width=2 * s)
    p.rect((ox + 24 * s, oy + 56 * s, ox + 36 * s, oy + 68 * s), fill=(250, 226, 140),
           outline=trim, width=2 * s)
    p.rect((ox + 64 * s, oy + 56 * s, ox + 76 * s, oy + 68 * s), fill=(250, 226, 140),
           outline=trim, width=2 * s)


def draw_bale(p, ox, oy, s):
    def b(x0, y0, x1, y1):
        return (ox + x0 * s, oy + y0 * s, ox + x1 * s, oy + y1 * s)
    edge = (74, 48, 22)
    p.ellipse(b(10, 78, 90, 94), fill=(0, 0, 0, 60))
    p.rect(b(10, 22, 90, 86), radius=16 * s, grad=((224, 190, 124), (170, 128, 70)))
    # burlap weave
    layer, d = p._layer()
    k = p.k
    for i in range(12, 90, 6):
        d.line([((ox + i * s) * k, (oy + 24 * s) * k), ((ox + i * s) * k, (oy + 84 * s) * k)],
               fill=(120, 84, 40, 60), width=max(1, int(1.2 * s * k)))
    for j in range(26, 84, 6):
        d.line([((ox + 12 * s) * k, (oy + j * s) * k), ((ox + 88 * s) * k, (oy + j * s) * k)],
               fill=(255, 236, 190, 50), width=max(1, int(1.0 * s * k)))
    mask = Image.new("L", p.img.size, 0)
    ImageDraw.Draw(mask).rounded_rectangle(p._box(b(10, 22, 90, 86)), radius=16 * s * k, fill=255)
    clipped = Image.new("RGBA", p.img.size, (0, 0, 0, 0))
    clipped.paste(layer, (0, 0), ImageChops.multiply(mask, layer.getchannel("A")))
    p._put(clipped)
    p.rect(b(10, 22, 90, 86), radius=16 * s, outline=edge, width=3 * s)
    rope, rope_edge = (150, 92, 40), (70, 40, 16)
    for x in (32, 62):
        p.rect(b(x, 19, x + 8, 89), radius=3 * s, fill=rope, outline=rope_edge, width=2 * s)
    p.rect(b(7, 50, 93, 58), radius=3 * s, fill=rope, outline=rope_edge, width=2 * s)
    p.circle(ox + 50 * s, oy + 20 * s, 7 * s, fill=rope, outline=rope_edge, width=2 * s)
    p.polygon([(ox + 46 * s, oy + 22 * s), (ox + 38 * s, oy + 8 * s), (ox + 44 * s, oy + 7 * s),
               (ox + 50 * s, oy + 18 * s)], fill=rope, outline=rope_edge, width=1.5 * s)
    p.polygon([(ox + 54 * s, oy + 22 * s), (ox + 62 * s, oy + 8 * s), (ox + 56 * s, oy + 7 * s),
               (ox + 50 * s, oy + 18 * s)], fill=rope, outline=rope_edge, width=1.5 * s)


# ---------------------------------------------------------------------------
# Product pictures

SMALL_WORDS = {"der", "die", "das", "des", "dem", "den", "und", "mit", "von", "aus",
               "für", "im", "in", "am", "an", "zu", "of", "the", "and", "with", "a"}


def words_from_icon(icon):
    parts = icon.split("_")
    if parts and parts[0] == "icon":
        parts = parts[1:]
    if parts and parts[0] == "dropgood":
        parts = parts[1:]
    while len(parts) > 1 and (parts[-1].isdigit() or len(parts[-1]) == 1):
        parts.pop()
    return " ".join(w.capitalize() for w in parts)


def initials(name):
    name = name.replace("\u200b", "")
    words = [w for w in re.split(r"[\s\-_/]+", name) if w]
    big = [w for w in words if w.lower() not in SMALL_WORDS] or words
    letters = [w for w in big if w[0].isalpha()]
    if len(letters) >= 2:
        return (letters[0][0] + letters[1][0]).upper()
    w = (letters or big or ["?"])[0]
    alpha = [c for c in w if c.isalpha()]
    if len(alpha) >= 2:
        return alpha[0].upper() + alpha[1].lower()
    return w[:2]


def read_product_names(path):
    names = {}
    if not path or not os.path.isfile(path):
        return names
    with open(path, encoding="utf-8-sig") as fh:
        text = fh.read()
    for m in re.finditer(r"<Product\b([^>]*)>", text):
        attrs = dict(re.findall(r'(\w+)="([^"]*)"', m.group(1)))
        icon, name = attrs.get("Icon"), attrs.get("Name")
        if icon and name and icon.lower() not in names:
            names[icon.lower()] = html.unescape(name)
    return names


def product_colour(index):
    hue = (index * 0.6180339887) % 1.0
    sat, val = [(0.78, 0.80), (0.60, 0.62), (0.92, 0.90)][index % 3]
    return tuple(int(v * 255) for v in colorsys.hsv_to_rgb(hue, sat, val))


def shape_points(kind):
    if kind == "hexagon":
        return [(50 + 47 * math.cos(math.radians(a)), 50 + 47 * math.sin(math.radians(a)))
                for a in range(0, 360, 60)]
    if kind == "octagon":
        return [(50 + 49 * math.cos(math.radians(a)), 50 + 49 * math.sin(math.radians(a)))
                for a in range(22, 382, 45)][:8]
    if kind == "shield":
        pts = [(6, 6), (94, 6), (94, 46)]
        for i in range(1, 10):
            t = i / 10
            pts.append((94 - 44 * t, 46 + 50 * math.sin(t * math.pi / 2)))
        pts.append((50, 96))
        for i in range(9, 0, -1):
            t = i / 10
            pts.append((6 + 44 * t, 46 + 50 * math.sin(t * math.pi / 2)))
        pts.append((6, 46))
        return pts
    raise ValueError(kind)


def product_picture(index, label):
    colour = product_colour(index)
    light, dark = shade(colour, 1.25), shade(colour, 0.62)
    edge = shade(colour, 0.35)
    p = Pic(128, 128)
    kind = ["circle", "square", "hexagon", "octagon", "shield"][index % 5]
    grad = (light, dark)
    if kind == "circle":
        p.circle(50, 50, 47, grad=grad, outline=edge, width=3.5)
        p.circle(50, 50, 41, outline=shade(colour, 1.45) + (110,), width=1.5)
    elif kind == "square":
        p.rect((4, 4, 96, 96), radius=16, grad=grad, outline=edge, width=3.5)
        p.rect((10, 10, 90, 90), radius=11, outline=shade(colour, 1.45) + (110,), width=1.5)
    else:
        p.polygon(shape_points(kind), grad=grad, outline=edge, width=3.5)
    # a soft gloss on the upper half keeps the flat shapes from looking dull
    p.ellipse((18, 8, 82, 38), fill=(255, 255, 255, 45))
    p.text(50, 52 if kind != "shield" else 46, label, 62, fill=(255, 255, 255),
           stroke=4.5, stroke_fill=shade(colour, 0.28), max_w=80, max_h=54)
    return p.result()


def agrarhouse_picture(variant):
    p = Pic(128, 128)
    roof = [(168, 48, 36), (70, 110, 56)][variant]
    wall = [(214, 170, 110), (230, 210, 160)][variant]
    p.ellipse((8, 84, 92, 98), fill=(0, 0, 0, 60))
    if variant == 1:
        p.rect((72, 22, 90, 90), radius=8, grad=((190, 190, 196), (120, 120, 130)),
               outline=(50, 50, 56), width=2.5)
        p.ellipse((72, 14, 90, 30), fill=(150, 60, 40), outline=(50, 30, 20), width=2.5)
    edge = (62, 40, 20)
    p.polygon([(10, 50), (40, 22), (70, 50), (70, 90), (10, 90)], fill=wall, outline=edge, width=3)
    p.polygon([(4, 54), (40, 18), (76, 54), (68, 56), (40, 28), (12, 56)], fill=roof,
              outline=edge, width=2.5)
    p.rect((28, 60, 52, 90), fill=shade(roof, 0.85), outline=edge, width=2.5)
    p.line([(29, 61), (51, 89)], fill=(245, 235, 210), width=3)
    p.line([(51, 61), (29, 89)], fill=(245, 235, 210), width=3)
    p.circle(40, 42, 5, fill=(250, 226, 140), outline=edge, width=2)
    # a strip of field in front
    for x in range(6, 96, 10):
        p.line([(x, 95), (x + 6, 88)], fill=(200, 170, 50), width=2.5)
    return p.result()


# ---------------------------------------------------------------------------
# Groups, regions, item slots

def group_picture(kind, colour):
    p = Pic(64, 64)
    if len(kind) == 2:  # DLC: a shield with its short label
        p.polygon(shape_points("shield"), grad=(shade(colour, 1.3), shade(colour, 0.7)),
                  outline=shade(colour, 0.35), width=4)
        p.text(50, 45, kind, 58, fill=(255, 255, 255), stroke=4.5,
               stroke_fill=shade(colour, 0.3), max_w=76, max_h=46)
        return p.result()
    p.circle(50, 50, 47, grad=((250, 236, 200), (214, 186, 134)), outline=(92, 60, 28), width=5)
    c, e = colour, shade(colour, 0.4)
    if kind == "gem":
        p.polygon([(22, 38), (34, 22), (66, 22), (78, 38), (50, 80)], fill=c, outline=e, width=3.5)
        p.polygon([(22, 38), (78, 38), (66, 22), (34, 22)], fill=shade(c, 1.35), outline=e, width=3)
        p.line([(40, 38), (50, 78)], fill=e, width=2.5)
        p.line([(60, 38), (50, 78)], fill=e, width=2.5)
        p.line([(42, 22), (40, 38)], fill=e, width=2)
        p.line([(58, 22), (60, 38)], fill=e, width=2)
    elif kind == "log":
        p.rect((16, 34, 74, 68), fill=(150, 100, 56), outline=(70, 44, 20), width=3.5)
        p.line([(22, 44), (60, 44)], fill=(110, 70, 36), width=2.5)
        p.line([(26, 57), (66, 57)], fill=(110, 70, 36), width=2.5)
        p.ellipse((62, 32, 86, 70), fill=(226, 190, 130), outline=(70, 44, 20), width=3.5)
        p.ellipse((68, 42, 80, 60), outline=(160, 110, 60), width=2.5)
        p.polygon([(38, 34), (44, 22), (50, 24), (46, 34)], fill=(92, 130, 60),
                  outline=(40, 70, 30), width=2.5)
    elif kind == "gear":
        draw_gear(p, 50, 50, 34, (150, 150, 160), (50, 50, 58), (250, 236, 200))
    elif kind == "stall":
        p.rect((22, 46, 28, 82), fill=(120, 80, 40))
        p.rect((72, 46, 78, 82), fill=(120, 80, 40))
        p.rect((16, 64, 84, 76), fill=(150, 100, 56), outline=(70, 44, 20), width=3)
        for x, col in ((32, (230, 170, 40)), (44, (200, 60, 40)), (56, (110, 160, 50)),
                       (68, (230, 170, 40))):
            p.circle(x, 59, 5.5, fill=col, outline=(70, 44, 20), width=1.5)
        for i in range(6):
            x0 = 14 + i * 12
            col = c if i % 2 == 0 else (250, 246, 236)
            p.polygon([(x0 + 2, 24), (x0 + 14, 24), (x0 + 12, 42), (x0, 42)], fill=col)
            p.circle(x0 + 6, 42, 6, fill=col)
        p.polygon([(16, 24), (84, 24), (86, 42), (14, 42)], outline=e, width=3)
    elif kind == "bricks":
        rows = [(24, [(16, 48), (50, 84)]), (40, [(16, 32), (34, 66), (68, 84)]),
                (56, [(16, 48), (50, 84)]), (72, [(16, 32), (34, 66), (68, 84)])]
        for y, bricks in rows:
            for x0, x1 in bricks:
                p.rect((x0, y - 7, x1, y + 7), radius=1.5, fill=c, outline=e, width=2.5)
    return p.result()


def region_picture(n):
    p = Pic(64, 64)
    sky = [((150, 200, 236), (226, 240, 250)), ((120, 196, 230), (240, 232, 190)),
           ((170, 210, 240), (236, 246, 252)), ((240, 160, 70), (250, 222, 150))][n - 1]
    frame = (92, 60, 28)
    p.rect((3, 3, 97, 97), radius=14, grad=sky, outline=frame, width=5)
    clip = Image.new("L", p.img.size, 0)
    ImageDraw.Draw(clip).rounded_rectangle(p._box((6, 6, 94, 94)), radius=11 * p.k, fill=255)
    base = p.img.copy()
    if n == 1:  # Alte Welt: green hills and an oak
        p.ellipse((-30, 62, 70, 130), fill=(96, 150, 62))
        p.ellipse((30, 68, 140, 130), fill=(70, 126, 48))
        p.rect((44, 46, 54, 78), fill=(110, 70, 36), outline=(60, 36, 16), width=2)
        for cx, cy, r in ((38, 40, 14), (62, 40, 14), (50, 28, 16), (50, 46, 14)):
            p.circle(cx, cy, r, fill=(50, 116, 44), outline=(24, 64, 22), width=2)
        for cx, cy, r in ((38, 40, 12), (62, 40, 12), (50, 28, 14), (50, 46, 12)):
            p.circle(cx, cy, r, fill=(60, 134, 52))
    elif n == 2:  # Neue Welt: a palm on the beach
        p.ellipse((-20, 74, 120, 130), fill=(236, 206, 140))
        p.rect((0, 82, 100, 100), fill=(60, 150, 190))
        p.ellipse((-20, 70, 80, 96), fill=(236, 206, 140))
        trunk = [(46, 84), (48, 70), (52, 56), (56, 42), (58, 32)]
        p.line(trunk, fill=(80, 50, 24), width=9)
        p.line(trunk, fill=(150, 104, 56), width=6)
        for ang, length in ((-160, 34), (-120, 30), (-60, 30), (-20, 34), (20, 28), (160, 28)):
            a = math.radians(ang)
            tip = (58 + length * math.cos(a), 30 + length * math.sin(a) + 10)
            mid = (58 + length * 0.55 * math.cos(a), 30 + length * 0.55 * math.sin(a) - 2)
            nx, ny = -math.sin(a) * 6, math.cos(a) * 6
            p.polygon([(58, 30), (mid[0] + nx, mid[1] + ny), tip, (mid[0] - nx, mid[1] - ny)],
                      fill=(50, 140, 50), outline=(20, 70, 24), width=1.5)
        p.circle(58, 32, 4, fill=(110, 70, 30))
    elif n == 3:  # Arktis: a snowflake over ice
        p.ellipse((-20, 76, 120, 130), fill=(250, 252, 255))
        for a in range(0, 360, 60):
            r = math.radians(a - 90)
            tip = (50 + 34 * math.cos(r), 44 + 34 * math.sin(r))
            p.line([(50, 44), tip], fill=(40, 90, 160), width=9)
        for a in range(0, 360, 60):
            r = math.radians(a - 90)
            tip = (50 + 34 * math.cos(r), 44 + 34 * math.sin(r))
            p.line([(50, 44), tip], fill=(255, 255, 255), width=5)
            bx, by = 50 + 20 * math.cos(r), 44 + 20 * math.sin(r)
            for side in (-1, 1):
                rr = r + side * math.radians(45)
                p.line([(bx, by), (bx + 10 * math.cos(rr), by + 10 * math.sin(rr))],
                       fill=(255, 255, 255), width=4)
        p.circle(50, 44, 6, fill=(255, 255, 255), outline=(40, 90, 160), width=2)
    else:  # Enbesa: sun over dunes
        for a in range(0, 360, 30):
            r = math.radians(a)
            p.line([(50 + 22 * math.cos(r), 44 + 22 * math.sin(r)),
                    (50 + 32 * math.cos(r), 44 + 32 * math.sin(r))], fill=(255, 236, 120), width=4)
        p.circle(50, 44, 17, fill=(255, 214, 60), outline=(200, 110, 20), width=2.5)
        p.ellipse((-40, 64, 70, 130), fill=(204, 140, 70), outline=(150, 90, 40), width=2)
        p.ellipse((30, 70, 150, 140), fill=(180, 114, 52), outline=(130, 76, 30), width=2)
    # keep the scenery inside the frame, then draw the frame again on top
    inner = Image.new("RGBA", p.img.size, (0, 0, 0, 0))
    inner.paste(p.img, (0, 0), clip)
    p.img = base
    p.img.alpha_composite(inner)
    p.rect((3, 3, 97, 97), radius=14, outline=frame, width=5)
    p.rect((8, 8, 92, 92), radius=10, outline=(255, 255, 255, 90), width=1.5)
    return p.result()


def item_medallion(n, w=87, h=87):
    """Roman numeral in dark serif letters on a light medallion inside a square frame."""
    p = Pic(w, h)
    p.rect((0, 0, 100, 100), grad=((122, 84, 44), (82, 52, 24)))
    p.rect((2, 2, 98, 98), outline=(52, 32, 14), width=4)
    p.rect((7, 7, 93, 93), outline=(196, 150, 84), width=2.5)
    p.circle(50, 50, 42, fill=(60, 38, 16))
    p.circle(50, 50, 40.5, grad=((214, 170, 90), (156, 110, 46)))
    p.circle(50, 50, 35, grad=((252, 244, 222), (226, 208, 166)),
             outline=(120, 82, 36), width=2)
    p.text(50, 51, ROMAN[n - 1], 52, fill=(44, 28, 14), max_w=60, max_h=40)
    return p.result()


# ---------------------------------------------------------------------------
# Signs

def sign_achtung(w, h):
    p = Pic(w, h)
    tri = [(50, 6), (96, 88), (4, 88)]
    p.polygon(tri, fill=(40, 30, 20), outline=(40, 30, 20), width=8)
    p.polygon([(50, 17), (86, 82), (14, 82)], grad=((255, 222, 80), (240, 170, 20)))
    p.rect((45, 36, 55, 64), radius=4, fill=(30, 24, 16))
    p.circle(50, 73, 5.5, fill=(30, 24, 16))
    return p.result()


def sign_round(w, h, colour, glyph):
    p = Pic(w, h)
    p.circle(50, 50, 47, fill=shade(colour, 0.45))
    p.circle(50, 50, 43, grad=(shade(colour, 1.3), shade(colour, 0.8)))
    p.ellipse((20, 10, 80, 44), fill=(255, 255, 255, 50))
    white = (255, 255, 255)
    if glyph == "i":
        p.circle(50, 27, 7, fill=white)
        p.rect((43, 40, 57, 78), radius=4, fill=white)
        p.rect((37, 40, 57, 46), radius=2, fill=white)
        p.rect((37, 72, 63, 78), radius=2, fill=white)
    elif glyph == "?":
        p.text(50, 52, "?", 70, fill=white, max_h=62)
    elif glyph == "x":
        p.line([(32, 32), (68, 68)], fill=white, width=12)
        p.line([(68, 32), (32, 68)], fill=white, width=12)
    elif glyph == "check":
        p.line([(28, 52), (44, 68), (73, 34)], fill=white, width=12)
    return p.result()


def sign_nicht(w, h):
    p = Pic(w, h)
    p.circle(50, 50, 46, fill=(255, 255, 255), outline=(200, 30, 30), width=11)
    p.line([(24, 76), (76, 24)], fill=(200, 30, 30), width=11)
    return p.result()


def xml_page(w, h, broken):
    p = Pic(w, h)  # 100 units wide, about 139 high
    H = 100.0 * h / w
    page = [(8, 4), (70, 4), (92, 26), (92, H - 4), (8, H - 4)]
    p.polygon(page, fill=(250, 248, 240), outline=(80, 80, 90), width=3)
    p.polygon([(70, 4), (70, 26), (92, 26)], fill=(210, 210, 220), outline=(80, 80, 90), width=3)
    for y in range(40, int(H) - 40, 9):
        p.line([(18, y), (80, y)], fill=(170, 170, 185), width=2.5)
    p.text(50, 30, "XML", 24, fill=(40, 70, 140), max_w=54)
    if broken:
        p.circle(50, H - 30, 23, fill=(200, 30, 30), outline=(110, 10, 10), width=3)
        p.rect((46, H - 44, 54, H - 24), radius=3, fill=(255, 255, 255))
        p.circle(50, H - 17, 4.5, fill=(255, 255, 255))
    else:
        p.circle(50, H - 30, 23, fill=(255, 255, 255), outline=(200, 30, 30), width=6)
        p.line([(35, H - 15), (65, H - 45)], fill=(200, 30, 30), width=6)
    return p.result()


def arrow_picture(w, h, dark):
    p = Pic(w, h)
    body = (110, 66, 28) if dark else (206, 130, 50)
    edge = (46, 26, 10) if dark else (96, 52, 16)
    draw_arrow(p, 52, 50, 28, body, edge, 16)
    return p.result()


# ---------------------------------------------------------------------------
# Window pictures

def noise_layer(rng, w, h, cells_x, cells_y):
    small = Image.frombytes("L", (cells_x, cells_y), rng.randbytes(cells_x * cells_y))
    return small.resize((w, h), Image.BICUBIC)


def parchment(w, h, seed):
    rng = random.Random(seed)
    n1 = noise_layer(rng, w, h, 9, 5)
    n2 = noise_layer(rng, w, h, 36, 20)
    n3 = noise_layer(rng, w, h, 140, 78)
    mixed = Image.blend(Image.blend(n2, n3, 0.35), n1, 0.45)
    # spread the blotches over the full range, but gently
    lo, hi = mixed.getextrema()
    mixed = mixed.point(lambda v: int(60 + 140 * (v - lo) / max(1, hi - lo)))
    light = Image.new("RGB", (w, h), (240, 222, 184))
    dark = Image.new("RGB", (w, h), (214, 184, 134))
    img = Image.composite(light, dark, mixed)
    # fine horizontal fibres, like the grain of a sanded board under paper
    fh = h // 2
    fibres = Image.frombytes("L", (24, fh), rng.randbytes(24 * fh)).resize((w, h), Image.BICUBIC)
    fibres = fibres.point(lambda v: int(150 + v * 0.4))
    img = Image.composite(img, ImageChops.multiply(img, Image.new("RGB", (w, h),
                                                                  (226, 212, 192))),
                          fibres)
    # a vignette darkens the edges towards old wood
    vx, vy = 64, 36
    vig = Image.new("L", (vx, vy))
    px = vig.load()
    for y in range(vy):
        for x in range(vx):
            dx, dy = (x + 0.5) / vx * 2 - 1, (y + 0.5) / vy * 2 - 1
            d = min(1.0, math.sqrt(dx * dx * 0.8 + dy * dy * 0.9))
            px[x, y] = int(255 * max(0.0, (d - 0.62) / 0.38) ** 2)
    vig = vig.resize((w, h), Image.BICUBIC)
    wood = Image.new("RGB", (w, h), (150, 104, 60))
    img = Image.composite(ImageChops.multiply(img, wood.point(lambda v: min(255, v + 60))), img,
                          vig.point(lambda v: int(v * 0.6)))
    return img


def save_jpeg(img, path):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    img.convert("RGB").save(path, "JPEG", quality=85, optimize=True, progressive=False)


def corvana_logo():
    p = Pic(166, 56)  # 100 units high, about 296 wide
    W = 100.0 * 166 / 56
    ink, gold = (104, 30, 18), (214, 168, 78)
    p.text(W / 2, 36, "Corvana", 62, fill=ink, stroke=3, stroke_fill=gold, max_w=W - 12)
    p.text(W / 2, 80, "1800", 34, fill=ink, stroke=2, stroke_fill=gold)
    for x0, x1 in ((24, W / 2 - 48), (W / 2 + 48, W - 24)):
        p.line([(x0, 80), (x1, 80)], fill=ink, width=3.5)
    for x in (20, W - 20):
        p.polygon([(x - 6, 80), (x, 74), (x + 6, 80), (x, 86)], fill=gold, outline=ink, width=1.5)
    return p.result()


def maker_logo():
    p = Pic(200, 24)  # 100 units high, about 833 wide
    W = 100.0 * 200 / 24
    ink, copper = (70, 44, 26), (190, 110, 50)
    p.text(W / 2, 52, "Brennwick", 92, fill=ink, max_w=W * 0.66, max_h=88)
    for x in (W * 0.1, W * 0.9):
        draw_gear(p, x, 50, 40, copper, ink, (240, 222, 184))
    return p.result()


def bale_picture(w, h):
    p = Pic(w, h)
    draw_bale(p, 0, 0, 1.0)
    return p.result()


def question_mark():
    p = Pic(39, 46)  # 100 units wide, about 118 high
    p.text(50, 59, "?", 150, fill=(74, 46, 22), stroke=5, stroke_fill=(226, 190, 110),
           max_w=92, max_h=112)
    return p.result()


def medallion(w, h, inner, rim):
    p = Pic(w, h)
    p.circle(50, 50, 48, fill=shade(rim, 0.45))
    p.circle(50, 50, 46, grad=(shade(rim, 1.3), shade(rim, 0.75)))
    p.circle(50, 50, 38, fill=shade(rim, 0.5))
    p.circle(50, 50, 36.5, grad=(shade(inner, 1.35), shade(inner, 0.7)))
    return p


def app_icon(size=256):
    p = medallion(size, size, (40, 80, 150), (190, 112, 52))
    draw_bale(p, 22, 24, 0.56)
    return p.result()


def mod_image():
    p = medallion(128, 128, (40, 84, 160), (196, 114, 52))
    draw_gear(p, 50, 50, 25, (226, 228, 236), (30, 40, 70), (40, 84, 160))
    draw_wrench(p, 50, 50, 58, -45, (200, 206, 216), (30, 40, 70))
    return p.result()


# ---------------------------------------------------------------------------
# Mod template

DESCRIPTION = ("Die Modifikation wird erstellt mit dem Programm Brennwick. Sie dient in erster "
               "Linie Mod Entwicklern um Ihre Modifikationen zügig zu testen, falls diese erst "
               "spät im Spiel vorkommen und Produktions- oder Baumaterialien erfordern. "
               "Natürlich können die Items auch normal verwendet und bei Eli Blackworth gekauft "
               "werden. Die gesetzten Gebäude produzieren zusätzliche Waren, eine Handelskammer "
               "kann ab der Stufe Bauern gesetzt werden. Dieser Mod sollte für Testzwecke mit der "
               "Modifikation des Programms Sallowby verwendet werden.")

LANGUAGES = ["German", "English", "French", "Italian", "Polish", "Russian"]


def languages(german):
    obj = {lang: None for lang in LANGUAGES}
    obj["German"] = german
    return obj


def png_bytes(img):
    buf = io.BytesIO()
    img.save(buf, "PNG", optimize=True)
    return buf.getvalue()


def write_modinfo(path):
    info = {
        "Version": "18.2.4.11",
        "ModID": "Brennwick",
        "IncompatibleIds": None,
        "ModDependencies": None,
        "Category": languages("Brennwick"),
        "ModName": languages("Special Material Production"),
        "Description": languages(DESCRIPTION),
        "KnownIssues": [languages(None)],
        "DLCDependencies": None,
        "CreatorName": None,
        "CreatorContact": "https://brennwick.example/",
        "Image": base64.b64encode(png_bytes(mod_image())).decode("ascii"),
    }
    text = json.dumps(info, ensure_ascii=False, indent=2)
    data = ("\r\n".join(text.split("\n")) + "\r\n").encode("utf-8")
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as fh:
        fh.write(data)


# ---------------------------------------------------------------------------

def small_pictures():
    """The collection's group, region and item pictures, which lists and buttons show smaller."""
    pictures = {}
    for guid, _name, kind, colour in GROUPS:
        img = group_picture(kind, colour)
        pictures[guid] = img
        pictures[guid + "_dark"] = darken(img, 0.55)
    for n in range(1, 5):
        img = region_picture(n)
        pictures["Region%d" % n] = img
        pictures["Region%d%s" % (n, "Dark" if n == 4 else "dark")] = darken(img, 0.55)
    for n in range(1, 7):
        img = item_medallion(n)
        pictures["Item_%d" % n] = img
        pictures["Item_%d_dark" % n] = darken(img, 0.55)
    return pictures


def window_pictures():
    """The windows' pictures shown at their own size (the logo stretched a little)."""
    return {"corvana_logo": corvana_logo(), "bale": bale_picture(128, 128), "maker_logo": maker_logo(),
            "reset_arrow": arrow_picture(53, 54, False), "reset_arrow_dark": arrow_picture(53, 54, True),
            "question_mark": question_mark()}


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--products", default=os.path.join(ROOT, "resources", "XMLK", "Products.xml"),
                    help="product catalogue that gives the German names")
    args = ap.parse_args()

    names = read_product_names(args.products)
    coll = os.path.join(ART, "collection")
    os.makedirs(coll, exist_ok=True)
    pictures = {}

    for i, icon in enumerate(PRODUCTS + DROPGOODS):
        label = initials(names.get(icon.lower()) or words_from_icon(icon))
        pictures[icon] = product_picture(i, label)
    pictures.update(small_pictures())
    pictures["FullReset"] = arrow_picture(128, 128, False)
    pictures["Achtung"] = sign_achtung(128, 128)
    pictures["frage"] = sign_round(128, 128, (40, 100, 180), "?")
    pictures["Info"] = sign_round(128, 128, (40, 100, 180), "i")
    pictures["nicht"] = sign_nicht(128, 128)
    house = Pic(128, 128)
    draw_house(house, 0, 0, 1.0, (232, 210, 160), (176, 60, 40), (70, 40, 20))
    pictures["ItemHouseMain"] = house.result()
    pictures["icon_agrarhouse_0"] = agrarhouse_picture(0)
    pictures["icon_agrarhouse_1"] = agrarhouse_picture(1)

    order = collection_order()
    assert len(order) == 258 and set(order) == set(pictures), "collection mismatch"
    for name in order:
        save_png(pictures[name], os.path.join(coll, name + ".png"))
    with open(os.path.join(coll, "order.txt"), "w", encoding="utf-8", newline="\n") as fh:
        fh.write("".join(name + "\n" for name in order))

    helpdir = os.path.join(ART, "help")
    save_png(sign_achtung(256, 256), os.path.join(helpdir, "Achtung.png"))
    save_png(sign_round(256, 256, (200, 40, 36), "x"), os.path.join(helpdir, "Fehler.png"))
    save_png(sign_round(256, 256, (40, 100, 180), "?"), os.path.join(helpdir, "Frage.png"))
    save_png(sign_round(256, 256, (40, 100, 180), "i"), os.path.join(helpdir, "Information.png"))
    save_png(xml_page(92, 128, False), os.path.join(helpdir, "NoXmlError.png"))
    save_png(sign_round(256, 256, (50, 150, 60), "check"), os.path.join(helpdir, "Okay.png"))
    save_png(xml_page(92, 128, True), os.path.join(helpdir, "XMLError.png"))

    save_jpeg(parchment(1800, 1000, 1800), os.path.join(ART, "background_main.jpg"))
    save_jpeg(parchment(1602, 1000, 1602), os.path.join(ART, "background_info.jpg"))
    for name, img in window_pictures().items():
        save_png(img, os.path.join(ART, name + ".png"))
    save_png(bale_picture(25, 25), os.path.join(ART, "bale_small.png"))
    save_png(sign_round(64, 63, (40, 100, 180), "i"), os.path.join(ART, "info_sign.png"))
    save_png(app_icon(), os.path.join(ART, "app_icon.png"))
    # The menu's icon, drawn afresh at each size so the small ones stay crisp; the 256 pixel
    # one is app_icon.png itself.
    for size in ICON_SIZES:
        save_png(app_icon(size), os.path.join(DESKTOP, "icons", "%dx%d" % (size, size), "apps", "brennwick.png"))

    icons = os.path.join(MOD, "data", "icon")
    for n in range(1, 7):
        save_png(item_medallion(n).convert("RGB"), os.path.join(icons, "Item_%d.png" % n))
    write_modinfo(os.path.join(MOD, "modinfo.json"))

    # Twice as fine, for screens that show more than one pixel to a unit of the layout: the
    # pictures shown at their own size or, in lists and buttons, at 48 units from fewer than 96.
    global FINE
    FINE = 2
    for name, img in small_pictures().items():
        save_png(img, os.path.join(coll, name + "@2x.png"))
    for name, img in window_pictures().items():
        save_png(img, os.path.join(ART, name + "@2x.png"))
    print("product names from catalogue: %d of %d" % (
        sum(1 for i in PRODUCTS + DROPGOODS if i.lower() in names), len(PRODUCTS + DROPGOODS)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
