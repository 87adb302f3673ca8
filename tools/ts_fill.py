#!/usr/bin/env python3
"""Fills the English and French catalogues from translation tables.

Each table translations/pending/*.tsv has one text per line:
    context <TAB> German source <TAB> English <TAB> French
with the escapes \\r, \\n and \\t for line breaks and tabs. Entries of the .ts files that are
unfinished (or missing their translation) and have a row in a table get it; the tables can
then be deleted. Run after `ninja update_translations`:
    python3 tools/ts_fill.py            # fill
    python3 tools/ts_fill.py --missing  # list what no table covers
"""
import glob
import os
import sys
import xml.etree.ElementTree as ET

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
TS = {"en": os.path.join(ROOT, "translations", "o2aerolis_en.ts"),
      "fr": os.path.join(ROOT, "translations", "o2aerolis_fr.ts")}


def unescape(s):
    return s.replace("\\r", "\r").replace("\\n", "\n").replace("\\t", "\t")


def load_tables():
    table = {}
    for path in sorted(glob.glob(os.path.join(ROOT, "translations", "pending", "*.tsv"))):
        with open(path, encoding="utf-8") as f:
            for n, line in enumerate(f, 1):
                line = line.rstrip("\n")
                if not line.strip() or line.startswith("#"):
                    continue
                parts = line.split("\t")
                if len(parts) != 4:
                    sys.exit(f"{path}:{n}: expected 4 tab-separated columns")
                ctx, src, en, fr = (unescape(p) for p in parts)
                table[(ctx, src)] = {"en": en, "fr": fr}
    return table


def text_of(elem):
    """The text of <source>/<translation>, with <byte value="xd"/> as CR."""
    out = elem.text or ""
    for child in elem:
        if child.tag == "byte":
            out += chr(int(child.get("value").lstrip("x"), 16))
        out += child.tail or ""
    return out


def set_text(elem, text):
    for child in list(elem):
        elem.remove(child)
    parts = text.split("\r")
    elem.text = parts[0]
    for part in parts[1:]:
        b = ET.SubElement(elem, "byte", value="xd")
        b.tail = part


def main():
    table = load_tables()
    missing_only = "--missing" in sys.argv
    missing = 0
    for lang, path in TS.items():
        tree = ET.parse(path)
        for ctx in tree.getroot().iter("context"):
            name = ctx.findtext("name")
            for msg in ctx.iter("message"):
                src = text_of(msg.find("source"))
                tr = msg.find("translation")
                done = tr is not None and tr.get("type") not in ("unfinished",) and text_of(tr)
                if done:
                    continue
                row = table.get((name, src))
                if row is None:
                    missing += 1
                    print(f"{lang}: {name}: {src!r}")
                    continue
                if missing_only:
                    continue
                if tr is None:
                    tr = ET.SubElement(msg, "translation")
                tr.attrib.pop("type", None)
                set_text(tr, row[lang])
        if not missing_only:
            body = ET.tostring(tree.getroot(), encoding="unicode")
            with open(path, "w", encoding="utf-8") as f:
                f.write('<?xml version="1.0" encoding="utf-8"?>\n<!DOCTYPE TS>\n' + body + "\n")
    return 1 if missing else 0


if __name__ == "__main__":
    sys.exit(main())
