"""Writes the bench's stand-in for the Song face: the CN face of AR PL UMing with SimSun's
vertical metrics (a cell of exactly one em, 220/256 above the baseline), under a family
name of its own, so that wrapped text takes SimSun's line height and not UMing's 1.047 em.
Usage: song-face.py UMING_TTC OUT_TTF FAMILY"""
import sys

from fontTools.ttLib import TTCollection

source, out, family = sys.argv[1:4]
font = next(f for f in TTCollection(source).fonts if f["name"].getDebugName(1) == "AR PL UMing CN")
em = font["head"].unitsPerEm
ascent = round(em * 220 / 256)
descent = em - ascent
hhea, os2 = font["hhea"], font["OS/2"]
hhea.ascent, hhea.descent, hhea.lineGap = ascent, -descent, 0
os2.sTypoAscender, os2.sTypoDescender, os2.sTypoLineGap = ascent, -descent, 0
os2.usWinAscent, os2.usWinDescent = ascent, descent
for record in font["name"].names:
    if record.nameID in (1, 3, 4, 6, 16):
        name = family.replace(" ", "") if record.nameID == 6 else family
        record.string = name.encode("utf-16-be") if record.platformID in (0, 3) else name.encode("latin-1")
font.save(out)
