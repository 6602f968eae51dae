"""Writes catalogue dumps shaped like a real game's, for bench_catalog.

    python3 bench/make_game_dumps.py OUT_FOLDER [--scale N]

OUT_FOLDER becomes a program folder: ORG/ with Assets.xml (about 100 000 assets and
over 200 MB at scale 1, a few hundred production buildings among them, some derived
from others by base asset), texts_german.xml (about 100 000 texts), ORG_Product.xml
(about 1 000 goods), Product_Ammunition.xml and new.xml; empty TMP/, ICO/ and XMLK/;
and icons/, the developer's icon folder, with a picture for most goods. --scale N
multiplies every count. Keep the output out of the repository (e.g. under /tmp).
"""

import argparse
import os
import random

CRLF = "\r\n"
TEMPLATES = ["FactoryBuilding7", "FarmBuilding", "FreeAreaBuilding",
             "FactoryBuilding7_Arctic", "FarmBuilding_Arctic", "FreeAreaBuilding_Arctic"]
OTHER_TEMPLATES = ["Residence7", "GuildhouseItem", "ShipItem", "Trigger", "Quest", "Ship",
                   "PublicServiceBuilding", "Street", "OrnamentalBuilding", "Warehouse",
                   "VisualObject", "Sound", "ItemEffectTarget", "Expedition"]
REGIONS = ["Moderate", "Colony01", "Arctic", "Africa", "Moderate;Colony01"]


def esc(text):
    return text.replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;")


def icon_path(name):
    return "data/ui/2kimages/main/3dicons/" + name + ".png"


class Dump:
    """A file written line by line, one TAB per level, CR LF line ends."""

    def __init__(self, path):
        self.f = open(path, "w", encoding="utf-8", newline="")
        self.buf = []
        self.f.write('<?xml version="1.0" encoding="UTF-8"?>' + CRLF)

    def line(self, depth, text):
        self.buf.append("\t" * depth + text + CRLF)
        if len(self.buf) > 20000:
            self.flush()

    def leaf(self, depth, tag, value):
        self.line(depth, "<%s>%s</%s>" % (tag, esc(str(value)), tag))

    def flush(self):
        self.f.write("".join(self.buf))
        self.buf = []

    def close(self):
        self.flush()
        self.f.close()


def item_list(d, depth, outer, inner, items):
    """<outer><inner><Item>...</Item>...</inner></outer>, each item a list of (tag, value)."""
    d.line(depth, "<%s>" % outer)
    d.line(depth + 1, "<%s>" % inner)
    for fields in items:
        d.line(depth + 2, "<Item>")
        for tag, value in fields:
            d.leaf(depth + 3, tag, value)
        d.line(depth + 2, "</Item>")
    d.line(depth + 1, "</%s>" % inner)
    d.line(depth, "</%s>" % outer)


def asset_body(d, rnd, depth, guid, name, icon, region, goods):
    """The values of a big game asset: about 2 KB of costs, maintenance, graphics and texts."""
    d.line(depth, "<Values>")
    d.line(depth + 1, "<Standard>")
    d.leaf(depth + 2, "GUID", guid)
    if name is not None:
        d.leaf(depth + 2, "Name", name)
    if icon is not None:
        d.leaf(depth + 2, "IconFilename", icon_path(icon))
    d.leaf(depth + 2, "InfoDescription", 10000 + guid % 90000)
    d.line(depth + 1, "</Standard>")
    if region is not None:
        d.line(depth + 1, "<Building>")
        d.leaf(depth + 2, "AssociatedRegions", region)
        d.leaf(depth + 2, "BuildingType", rnd.choice(["Factory", "Farm", "Residence", "Public"]))
        d.leaf(depth + 2, "TerrainType", "Coast")
        d.line(depth + 1, "</Building>")
    item_list(d, depth + 1, "Cost", "Costs",
              [[("Ingredient", rnd.choice(goods)), ("Amount", rnd.randint(1, 500))] for _ in range(4)])
    item_list(d, depth + 1, "Maintenance", "Maintenances",
              [[("Product", rnd.choice(goods)), ("Amount", rnd.randint(1, 80)),
                ("InactiveAmount", rnd.randint(0, 40))] for _ in range(3)])
    item_list(d, depth + 1, "Object", "Variations",
              [[("Filename", "data/graphics/buildings/production/%d/variation_%02d.cfg" % (guid, v))]
               for v in range(4)])
    d.line(depth + 1, "<Text>")
    d.leaf(depth + 2, "LocaText", "Kurzbeschreibung des Objekts %d für die Spielhilfe" % guid)
    d.line(depth + 1, "</Text>")
    d.line(depth + 1, "<Locked/>")
    d.line(depth, "</Values>")


def product_asset(d, rnd, depth, good, with_details):
    guid, icon, category, dlc = good
    d.line(depth, "<Asset>")
    d.leaf(depth + 1, "Template", "Product")
    d.line(depth + 1, "<Values>")
    d.line(depth + 2, "<Standard>")
    d.leaf(depth + 3, "GUID", guid)
    d.leaf(depth + 3, "Name", "good %d" % guid)
    if icon is not None:
        d.leaf(depth + 3, "IconFilename", icon_path(icon))
    d.line(depth + 2, "</Standard>")
    if dlc:
        d.line(depth + 2, "<Locked>")
        d.leaf(depth + 3, "DLCDependency", dlc)
        d.line(depth + 2, "</Locked>")
    if category is not None:
        d.line(depth + 2, "<Product>")
        d.leaf(depth + 3, "ProductCategory", category)
        if with_details:
            d.leaf(depth + 3, "StorageLevel", rnd.randint(1, 5))
            d.leaf(depth + 3, "BasePrice", rnd.randint(10, 900))
        d.line(depth + 2, "</Product>")
    d.line(depth + 1, "</Values>")
    d.line(depth, "</Asset>")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("out")
    parser.add_argument("--scale", type=int, default=1)
    args = parser.parse_args()
    n = args.scale
    rnd = random.Random(1800 * n)
    org = os.path.join(args.out, "ORG")
    for sub in ("ORG", "TMP", "ICO", "XMLK", "icons"):
        os.makedirs(os.path.join(args.out, sub), exist_ok=True)

    categories = ["11702", "11703", "11704", "11705", "11706", "11707", "11708", "135875", "4333"]
    dlcs = ["", "", "", "24961", "24962", "24963", "410042", "410071", "410084", "410085"]
    goods = []
    for i in range(1000 * n):
        icon = None if i % 11 == 5 else "icon_good_%04d" % (i // 2)
        category = None if i % 13 == 7 else rnd.choice(categories)
        goods.append((200000 + i, icon, category, rnd.choice(dlcs)))
    good_guids = [g[0] for g in goods]

    d = Dump(os.path.join(org, "ORG_Product.xml"))
    d.line(0, "<Assets>")
    for g in goods:
        product_asset(d, rnd, 1, g, True)
    d.line(0, "</Assets>")
    d.close()

    d = Dump(os.path.join(org, "Product_Ammunition.xml"))
    d.line(0, "<Assets>")
    for i in range(5 * n):
        product_asset(d, rnd, 1, (900 + i, "icon_dropgood_%d" % i, None, ""), False)
    d.line(0, "</Assets>")
    d.close()

    with open(os.path.join(org, "new.xml"), "w", encoding="utf-8", newline="") as f:
        f.write('<?xml version="1.0" encoding="UTF-8"?>' + CRLF + "<Buildings/>" + CRLF)

    # Assets.xml: goods, production buildings (some derived from others) and many other assets.
    total = 100000 * n
    buildings = 300 * n
    derived = 100 * n
    building_guids = []
    derived_count = 0
    d = Dump(os.path.join(org, "Assets.xml"))
    d.line(0, "<AssetList>")
    d.line(1, "<Groups>")
    guid = 1000000
    written = 0
    group_size = 500
    while written < total:
        d.line(2, "<Group>")
        d.leaf(3, "Name", "Group %d" % (written // group_size))
        d.line(3, "<Assets>")
        for _ in range(group_size):
            if written >= total:
                break
            guid += 1
            if written < len(goods):
                product_asset(d, rnd, 4, goods[written], True)
            else:
                is_building = written % (total // buildings) == 0 and len(building_guids) < buildings
                is_derived = not is_building and building_guids and written % (total // derived) == 1
                d.line(4, "<Asset>")
                if is_derived:
                    d.leaf(5, "BaseAssetGUID", rnd.choice(building_guids))
                elif written % 9 == 4:
                    d.leaf(5, "BaseAssetGUID", guid - 3)  # derived from some other asset
                    d.leaf(5, "Template", rnd.choice(OTHER_TEMPLATES))
                else:
                    template = rnd.choice(TEMPLATES) if is_building else rnd.choice(OTHER_TEMPLATES)
                    d.leaf(5, "Template", template)
                if is_building:
                    building_guids.append(guid)
                derived_count += bool(is_derived)
                region = rnd.choice(REGIONS) if (is_building or is_derived or written % 3 == 0) else None
                icon = None if is_derived else "icon_good_%04d" % rnd.randrange(len(goods) // 2)
                asset_body(d, rnd, 5, guid, "%s Asset %d" % (rnd.choice(REGIONS[:4]), guid), icon, region,
                           good_guids)
                d.line(4, "</Asset>")
            written += 1
        d.line(3, "</Assets>")
        d.line(2, "</Group>")
    d.line(1, "</Groups>")
    d.line(0, "</AssetList>")
    d.close()

    d = Dump(os.path.join(org, "texts_german.xml"))
    d.line(0, "<TextExport>")
    d.line(1, "<Texts>")
    for i in range(100000 * n):
        if i < len(goods):
            text_guid, text = goods[i][0], "Ware<br/>Nummer: %d" % i
        elif i < len(goods) + len(building_guids):
            text_guid, text = building_guids[i - len(goods)], "Gebäude %d" % i
        else:
            text_guid, text = 1000000 + i, "Spieltext Nummer %d mit etwas Inhalt" % i
        d.line(2, "<Text>")
        d.leaf(3, "GUID", text_guid)
        d.leaf(3, "Text", text)
        d.line(2, "</Text>")
    d.line(1, "</Texts>")
    d.line(0, "</TextExport>")
    d.close()

    # Most icons are found; a picture stands in for each.
    picture = b"\x89PNG\r\n\x1a\n" + bytes(2000)
    for i in range(0, len(goods) // 2):
        if i % 10 != 3:
            with open(os.path.join(args.out, "icons", "icon_good_%04d_0.png" % i), "wb") as f:
                f.write(picture)

    size = os.path.getsize(os.path.join(org, "Assets.xml"))
    print("%s: Assets.xml %.0f MB, %d assets, %d production buildings (+%d derived), %d texts, %d goods"
          % (args.out, size / 1e6, total, len(building_guids), derived_count, 100000 * n, len(goods)))


if __name__ == "__main__":
    main()
