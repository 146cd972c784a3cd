#!/usr/bin/env python3
"""Draws every picture the installer embeds into assets/ (run from anywhere):
the four tutorial screenshots (BMP), the winter backdrop (progressive JPEG), the
animated mascot (GIF) and the PNG glyphs of the skin. Output is deterministic."""

import io
import math
import os
import random
import sys

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import imgfiles  # noqa: E402

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'assets')
FONT_FILE = '/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc'
RED = (222, 28, 36)


def font(size):
    return ImageFont.truetype(FONT_FILE, size)


def save(name, data):
    with open(os.path.join(OUT, name), 'wb') as f:
        f.write(data)


def png_bytes(image):
    assert image.mode == 'RGBA'
    buf = io.BytesIO()
    image.save(buf, 'PNG', optimize=True)
    return buf.getvalue()


def vgradient(size, top, bottom):
    w, h = size
    img = Image.new('RGB', size)
    d = ImageDraw.Draw(img)
    for y in range(h):
        t = y / max(1, h - 1)
        d.line([(0, y), (w, y)], fill=tuple(round(a + (b - a) * t) for a, b in zip(top, bottom)))
    return img


# ---------------------------------------------------------------------------------
# Application window pieces shared by the tutorial screenshots.

TITLE_TOP, TITLE_BOTTOM = (58, 122, 186), (36, 88, 150)
FACE = (244, 246, 249)
LINE = (196, 204, 214)
TEXT = (40, 44, 52)
MUTED = (120, 128, 140)


def title_bar(img, title, width, caption_buttons=True):
    img.paste(vgradient((width, 30), TITLE_TOP, TITLE_BOTTOM), (0, 0))
    d = ImageDraw.Draw(img)
    # Application mark: a small white page with a pen stroke.
    d.rounded_rectangle([8, 7, 24, 23], 3, fill=(255, 255, 255))
    d.line([(12, 19), (20, 11)], fill=(220, 80, 60), width=2)
    d.text((32, 6), title, font=font(13), fill=(255, 255, 255))
    if caption_buttons:
        x = width - 96
        for glyph in ('min', 'max', 'close'):
            if glyph == 'min':
                d.line([(x + 10, 19), (x + 20, 19)], fill='white', width=2)
            elif glyph == 'max':
                d.rectangle([x + 10, 9, x + 20, 19], outline='white', width=1)
                d.line([(x + 10, 10), (x + 20, 10)], fill='white', width=2)
            else:
                d.line([(x + 10, 9), (x + 20, 19)], fill='white', width=2)
                d.line([(x + 10, 19), (x + 20, 9)], fill='white', width=2)
            x += 32


def icon(d, kind, x, y, s=24):
    """Small flat tool icons, drawn in a s-by-s box at (x, y)."""
    if kind == 'newbook':
        d.rounded_rectangle([x + 3, y + 1, x + s - 5, y + s - 2], 2, fill=(74, 144, 226), outline=(40, 96, 170))
        d.rectangle([x + 5, y + 1, x + 7, y + s - 2], fill=(40, 96, 170))
        d.line([(x + s - 7, y + 8), (x + s - 7, y + 16)], fill='white', width=2)
        d.line([(x + s - 11, y + 12), (x + s - 3, y + 12)], fill='white', width=2)
        d.ellipse([x + s - 12, y + 6, x + s - 2, y + 18], outline=(255, 255, 255))
    elif kind == 'import':
        d.rectangle([x + 3, y + 8, x + s - 3, y + s - 2], fill=(246, 190, 70), outline=(196, 140, 30))
        d.polygon([(x + s // 2, y + 15), (x + s // 2 - 6, y + 8), (x + s // 2 + 6, y + 8)], fill=(60, 150, 80))
        d.rectangle([x + s // 2 - 2, y + 1, x + s // 2 + 2, y + 9], fill=(60, 150, 80))
    elif kind == 'bin':
        d.rectangle([x + 6, y + 6, x + s - 6, y + s - 2], fill=(150, 160, 172), outline=(100, 110, 120))
        d.rectangle([x + 4, y + 3, x + s - 4, y + 6], fill=(110, 120, 132))
        for i in range(3):
            d.line([(x + 9 + i * 3, y + 9), (x + 9 + i * 3, y + s - 5)], fill=(230, 234, 238))
    elif kind == 'gear':
        c = (x + s / 2, y + s / 2)
        for i in range(8):
            a = i * math.pi / 4
            d.line([(c[0], c[1]), (c[0] + math.cos(a) * 10, c[1] + math.sin(a) * 10)], fill=(96, 110, 128), width=4)
        d.ellipse([c[0] - 7, c[1] - 7, c[0] + 7, c[1] + 7], fill=(96, 110, 128))
        d.ellipse([c[0] - 3, c[1] - 3, c[0] + 3, c[1] + 3], fill=FACE)
    elif kind == 'help':
        d.ellipse([x + 2, y + 2, x + s - 2, y + s - 2], fill=(80, 170, 120))
        d.text((x + s // 2 - 4, y + 3), '?', font=font(15), fill='white')
    elif kind == 'save':
        d.rectangle([x + 3, y + 3, x + s - 3, y + s - 3], fill=(70, 110, 190))
        d.rectangle([x + 7, y + 3, x + s - 7, y + 9], fill=(230, 236, 246))
        d.rectangle([x + 7, y + 13, x + s - 7, y + s - 3], fill='white')
    elif kind == 'chapter':
        d.rectangle([x + 5, y + 2, x + s - 5, y + s - 2], fill='white', outline=(90, 110, 140))
        for i in range(4):
            d.line([(x + 8, y + 7 + i * 3), (x + s - 8, y + 7 + i * 3)], fill=(150, 160, 176))
        d.ellipse([x + s - 11, y + s - 11, x + s - 1, y + s - 1], fill=(60, 170, 90))
        d.line([(x + s - 6, y + s - 9), (x + s - 6, y + s - 3)], fill='white', width=2)
        d.line([(x + s - 9, y + s - 6), (x + s - 3, y + s - 6)], fill='white', width=2)
    elif kind == 'volume':
        for i, col in enumerate(((210, 120, 60), (70, 130, 200), (120, 90, 170))):
            d.rectangle([x + 3 + i * 6, y + 3, x + 8 + i * 6, y + s - 3], fill=col)
        d.ellipse([x + s - 11, y + s - 11, x + s - 1, y + s - 1], fill=(60, 170, 90))
        d.line([(x + s - 6, y + s - 9), (x + s - 6, y + s - 3)], fill='white', width=2)
        d.line([(x + s - 9, y + s - 6), (x + s - 3, y + s - 6)], fill='white', width=2)
    elif kind == 'find':
        d.ellipse([x + 3, y + 3, x + 15, y + 15], outline=(90, 100, 120), width=2)
        d.line([(x + 14, y + 14), (x + s - 3, y + s - 3)], fill=(90, 100, 120), width=3)
    elif kind == 'layout':
        for i in range(5):
            d.line([(x + 4 + (4 if i % 2 else 0), y + 4 + i * 4), (x + s - 4, y + 4 + i * 4)], fill=(90, 100, 120), width=2)


def tool_button(d, x, y, kind, label, w=64, h=54, f=None):
    icon(d, kind, x + (w - 24) // 2, y + 5)
    f = f or font(12)
    tw = d.textlength(label, font=f)
    d.text((x + (w - tw) / 2, y + 33), label, font=f, fill=TEXT)
    return (x, y, x + w, y + h)


class Marks:
    """Red annotations drawn four times larger and scaled down, so the strokes are smooth."""
    S = 4

    def __init__(self, size):
        self.size = size
        self.layer = Image.new('RGBA', (size[0] * self.S, size[1] * self.S), (0, 0, 0, 0))
        self.d = ImageDraw.Draw(self.layer)

    def ellipse(self, box, width=3):
        self.d.ellipse([v * self.S for v in box], outline=RED + (255,), width=width * self.S)

    def rect(self, box, width=3):
        self.d.rectangle([v * self.S for v in box], outline=RED + (255,), width=width * self.S)

    def arrow(self, start, end, width=3, head=12):
        (x0, y0), (x1, y1) = start, end
        a = math.atan2(y1 - y0, x1 - x0)
        back = (x1 - math.cos(a) * head * 0.8, y1 - math.sin(a) * head * 0.8)
        self.d.line([(x0 * self.S, y0 * self.S), (back[0] * self.S, back[1] * self.S)], fill=RED + (255,),
                    width=width * self.S)
        p = [(x1, y1),
             (x1 - math.cos(a - 0.45) * head, y1 - math.sin(a - 0.45) * head),
             (x1 - math.cos(a + 0.45) * head, y1 - math.sin(a + 0.45) * head)]
        self.d.polygon([(px * self.S, py * self.S) for px, py in p], fill=RED + (255,))

    def text(self, pos, text, size=16):
        self.d.text((pos[0] * self.S, pos[1] * self.S), text, font=font(size * self.S), fill=RED + (255,))

    def note(self, pos, lines, size=16, gap=8):
        """Red lines on a pale card, so they stay readable over the window."""
        f = font(size * self.S)
        width = max(self.d.textlength(line, font=f) for line in lines) / self.S
        x, y = pos
        box = [(x - 10) * self.S, (y - 8) * self.S, (x + width + 10) * self.S,
               (y + len(lines) * (size + gap) - gap + 12) * self.S]
        self.d.rounded_rectangle(box, 6 * self.S, fill=(255, 251, 240, 240), outline=RED + (255,), width=self.S)
        for i, line in enumerate(lines):
            self.text((x, y + i * (size + gap)), line, size)

    def apply(self, img):
        small = self.layer.resize(self.size, Image.LANCZOS)
        base = img.convert('RGBA')
        return Image.alpha_composite(base, small).convert('RGB')


BOOKS = [('星河长歌', (52, 92, 160)), ('雪夜行', (170, 60, 60)), ('青云志', (46, 128, 96)),
         ('归途', (196, 140, 52)), ('长安旧梦', (112, 72, 150)), ('风起时', (60, 140, 170)),
         ('山海小记', (150, 96, 60))]


def book_cover(d, x, y, w, h, title, colour):
    dark = tuple(max(0, c - 45) for c in colour)
    d.rounded_rectangle([x + 3, y + 3, x + w + 3, y + h + 3], 3, fill=(150, 120, 90))
    d.rounded_rectangle([x, y, x + w, y + h], 3, fill=colour, outline=dark)
    d.rectangle([x, y, x + 6, y + h], fill=dark)
    d.rectangle([x + 14, y + 12, x + w - 8, y + h - 30], outline=(255, 255, 255), width=1)
    f = font(14)
    ty = y + 18
    for ch in title:
        d.text((x + (w + 6) / 2 - 7, ty), ch, font=f, fill=(255, 255, 255))
        ty += 17


def tutorial0():
    w, h = 759, 398
    img = Image.new('RGB', (w, h), FACE)
    title_bar(img, 'Velmora码字 2.0  —  我的书架', w)
    d = ImageDraw.Draw(img)
    # Tool bar.
    d.rectangle([0, 30, w, 92], fill=(250, 251, 253))
    d.line([(0, 92), (w, 92)], fill=LINE)
    create = tool_button(d, 10, 34, 'newbook', '新建作品')
    x = 80
    for kind, label in (('import', '导入作品'), ('bin', '回收站'), ('gear', '软件设置'), ('help', '使用帮助')):
        tool_button(d, x, 34, kind, label)
        x += 70
    d.rounded_rectangle([w - 210, 48, w - 14, 74], 12, fill='white', outline=LINE)
    d.text((w - 196, 53), '搜索作品名称…', font=font(13), fill=MUTED)
    icon(d, 'find', w - 42, 49, 22)
    # Category list.
    d.rectangle([0, 93, 132, h], fill=(235, 239, 245))
    d.line([(132, 93), (132, h)], fill=LINE)
    cats = ['全部作品', '连载中', '已完结', '草稿箱']
    for i, c in enumerate(cats):
        y = 108 + i * 34
        if i == 0:
            d.rectangle([0, y - 6, 131, y + 24], fill=(212, 226, 244))
            d.rectangle([0, y - 6, 3, y + 24], fill=TITLE_TOP)
        d.text((18, y), c, font=font(13), fill=TEXT)
    d.text((16, h - 60), '今日码字', font=font(12), fill=MUTED)
    d.text((16, h - 40), '3,268 字', font=font(18), fill=(36, 88, 150))
    # Shelf.
    for row, top in enumerate((104, 254)):
        shelf_y = top + 128
        d.rectangle([146, shelf_y, w - 12, shelf_y + 9], fill=(176, 132, 88))
        d.rectangle([146, shelf_y + 9, w - 12, shelf_y + 13], fill=(140, 100, 62))
        books = BOOKS[row * 6:(row + 1) * 6]
        for i, (title, colour) in enumerate(books):
            bx = 164 + i * 96
            book_cover(d, bx, top, 74, 124, title, colour)
        if row == 1:
            # An empty slot inviting a new book.
            bx = 164 + len(books) * 96
            d.rounded_rectangle([bx, top, bx + 74, top + 124], 4, outline=(160, 170, 184), width=1, fill=(248, 249, 251))
            d.line([(bx + 37, top + 46), (bx + 37, top + 78)], fill=(160, 170, 184), width=3)
            d.line([(bx + 21, top + 62), (bx + 53, top + 62)], fill=(160, 170, 184), width=3)
    # Status bar.
    d.rectangle([133, h - 22, w, h], fill=(232, 236, 242))
    d.text((142, h - 19), '共 7 部作品    最近编辑：星河长歌 第十二章', font=font(12), fill=MUTED)

    m = Marks((w, h))
    cx, cy = (create[0] + create[2]) / 2, (create[1] + create[3]) / 2
    m.ellipse([cx - 40, cy - 33, cx + 40, cy + 33], 3)
    m.arrow((cx + 316, cy + 238), (cx + 28, cy + 38), 4, 16)
    m.note((cx + 338, cy + 228), ['第一步：点击“新建作品”，', '给你的新书起个名字吧！'], 19)
    return m.apply(img)


def editor_window(w, h, narrow=False):
    """The chapter editor: tool bar, volume/chapter tree, text area."""
    img = Image.new('RGB', (w, h), FACE)
    title_bar(img, 'Velmora码字 2.0  —  星河长歌', w, caption_buttons=not narrow)
    d = ImageDraw.Draw(img)
    d.rectangle([0, 30, w, 92], fill=(250, 251, 253))
    d.line([(0, 92), (w, 92)], fill=LINE)
    boxes = {}
    x = 6
    for kind, label in (('save', '保存'), ('chapter', '新建章节'), ('volume', '新建分卷'), ('find', '查找替换'),
                        ('layout', '一键排版')):
        boxes[kind] = tool_button(d, x, 34, kind, label, w=66)
        x += 70
    tree_w = 150 if not narrow else 132
    d.rectangle([0, 93, tree_w, h], fill='white')
    d.line([(tree_w, 93), (tree_w, h)], fill=LINE)
    d.rectangle([0, 93, tree_w, 115], fill=(235, 239, 245))
    d.text((8, 97), '作品目录', font=font(12), fill=TEXT)
    rows = [(0, '第一卷 初入星河'), (1, '第一章 雪夜来客'), (1, '第二章 月下旧约'), (1, '第三章 北境风声'),
            (0, '第二卷 远行'), (1, '第四章 启程'), (1, '第五章 冰原')]
    for i, (lvl, text) in enumerate(rows):
        y = 122 + i * 22
        if i == 6:
            d.rectangle([1, y - 3, tree_w - 1, y + 17], fill=(212, 226, 244))
        if lvl == 0:
            d.polygon([(8, y + 4), (16, y + 4), (12, y + 10)], fill=MUTED)
            d.rectangle([20, y + 1, 31, y + 13], fill=(210, 150, 70))
        else:
            d.rectangle([26, y + 1, 35, y + 13], outline=(110, 130, 160), fill='white')
        d.text((36 if lvl == 0 else 40, y), text, font=font(12), fill=TEXT)
    # Text area.
    ex = tree_w + 1
    d.rectangle([ex, 93, w, 122], fill=(246, 248, 251))
    d.text((ex + 12, 99), '第五章 冰原', font=font(14), fill=TEXT)
    d.text((w - 120, 101), '字数：2,318', font=font(12), fill=MUTED)
    d.line([(ex, 122), (w, 122)], fill=LINE)
    lines = ['　　风雪一夜未停。天亮时，冰原上只剩下',
             '一行浅浅的脚印，一直延伸到远处的山脚。',
             '　　林砚把斗篷裹紧，回头望了一眼来路。',
             '营地的火光早已看不见，只有那轮月亮还',
             '挂在天边，又大又白，像是谁忘了收起的',
             '灯笼。',
             '　　“再走半日，就到北境了。”她低声说。',
             '　　身后的少年没有回答，只是把手里的',
             '地图又折小了一些，小心地塞进怀里。',
             '　　远处传来一声悠长的号角。']
    f = font(13)
    for i, line in enumerate(lines):
        y = 132 + i * 24
        if y > h - 30:
            break
        d.text((ex + 14, y), line, font=f, fill=(52, 56, 64))
    d.line([(ex + 14 + d.textlength(lines[min(9, len(lines) - 1)], font=f) + 2, 132 + 9 * 24),
            (ex + 14 + d.textlength(lines[min(9, len(lines) - 1)], font=f) + 2, 132 + 9 * 24 + 16)], fill=TEXT)
    return img, boxes


def tutorial1():
    w, h = 620, 304
    img, boxes = editor_window(w, h)
    m = Marks((w, h))
    x0, y0, x1, y1 = boxes['chapter']
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    m.ellipse([cx - 42, cy - 32, cx + 42, cy + 32], 3)
    m.arrow((cx + 228, cy + 152), (cx + 28, cy + 36), 4, 15)
    m.note((cx + 250, cy + 142), ['第二步：一章写完后，', '点击“新建章节”写下一章'], 18)
    return m.apply(img)


def tutorial2():
    w, h = 365, 511
    img, boxes = editor_window(w, h, narrow=True)
    d = ImageDraw.Draw(img)
    # Leave room below for the explanation: a pale panel over the lower part.
    d.rectangle([0, 330, w, h], fill=(255, 252, 246))
    d.line([(0, 330), (w, 330)], fill=(236, 200, 190))
    m = Marks((w, h))
    x0, y0, x1, y1 = boxes['volume']
    m.rect([x0 - 3, y0 - 2, x1 + 3, y1 + 3], 3)
    m.arrow((x1 + 46, 346), (x1 - 12, y1 + 10), 4, 15)
    notes = ['第三步：一卷写完后，点击“新建分卷”，', '软件会在目录末尾添加新的一卷，',
             '并为它建好第一章，直接开写即可；', '卷名和章名都可以双击修改。']
    for i, line in enumerate(notes):
        m.text((14, 362 + i * 34), line, 16)
    return m.apply(img)


def tutorial3():
    w, h = 352, 405
    img = Image.new('RGB', (w, h), FACE)
    title_bar(img, '作品目录  —  星河长歌', w, caption_buttons=False)
    d = ImageDraw.Draw(img)
    d.rectangle([10, 40, w - 10, 292], fill='white', outline=LINE)
    rows = [(0, '星河长歌', 'book'), (1, '第一卷 初入星河', 'vol'), (2, '第一章 雪夜来客', 'ch'),
            (2, '第二章 月下旧约', 'ch'), (2, '第三章 北境风声', 'ch'), (1, '第二卷 远行', 'vol'),
            (2, '第四章 启程', 'ch'), (2, '第五章 冰原', 'ch'), (1, '第三卷 新的旅程', 'vol'),
            (2, '第六章 （新建章节）', 'ch')]
    f = font(13)
    for i, (lvl, text, kind) in enumerate(rows):
        y = 50 + i * 24
        x = 18 + lvl * 20
        if lvl > 0:
            d.line([(x - 10, y - 6), (x - 10, y + 8), (x - 2, y + 8)], fill=(190, 196, 206))
        if kind == 'book':
            d.rectangle([x, y + 1, x + 12, y + 15], fill=(52, 92, 160))
        elif kind == 'vol':
            d.polygon([(x, y + 5), (x + 8, y + 5), (x + 4, y + 11)], fill=MUTED)
            d.rectangle([x + 11, y + 2, x + 24, y + 15], fill=(210, 150, 70))
            x += 14
        else:
            d.rectangle([x, y + 2, x + 10, y + 15], outline=(110, 130, 160), fill='white')
        if i == 9:
            d.rectangle([x + 14, y - 2, x + 14 + d.textlength(text, font=f) + 6, y + 18], fill=(212, 226, 244))
        d.text((x + 17, y), text, font=f, fill=TEXT)
    m = Marks((w, h))
    m.ellipse([30, 236, 250, 300], 3)
    lines = ['最后：新建的分卷和章节都会', '出现在左边的目录树里，点击', '即可切换编辑。祝你写作愉快！']
    for i, line in enumerate(lines):
        m.text((22, 314 + i * 28), line, 18)
    out = m.apply(img)
    return imgfiles.quantize(out, 256)


# ---------------------------------------------------------------------------------
# Backdrop: a pale winter night.

def backdrop():
    w, h = 400, 300
    rnd = random.Random(7)
    sky = vgradient((w, h), (92, 112, 146), (214, 224, 236))
    d = ImageDraw.Draw(sky)
    for _ in range(60):
        x, y = rnd.randrange(w), rnd.randrange(150)
        b = rnd.randrange(190, 255)
        d.point((x, y), fill=(b, b, min(255, b + 10)))
    # Moon with a soft halo.
    glow = Image.new('L', (w, h), 0)
    ImageDraw.Draw(glow).ellipse([230, 20, 370, 160], fill=150)
    glow = glow.filter(ImageFilter.GaussianBlur(26))
    sky = Image.composite(Image.new('RGB', (w, h), (236, 240, 246)), sky, glow)
    d = ImageDraw.Draw(sky)
    d.ellipse([256, 46, 344, 134], fill=(250, 250, 244))
    for cx, cy, r, c in ((286, 78, 9, (234, 236, 230)), (312, 100, 13, (236, 238, 232)), (322, 70, 6, (238, 240, 234))):
        d.ellipse([cx - r, cy - r, cx + r, cy + r], fill=c)
    sky = sky.filter(ImageFilter.GaussianBlur(0.6))

    def ridge(base, amp, seed, colour, blur):
        r = random.Random(seed)
        layer = Image.new('L', (w, h), 0)
        pts = []
        phase = [r.uniform(0, 6.28) for _ in range(3)]
        for x in range(0, w + 1, 2):
            y = base - amp * (0.55 * math.sin(x / 61 + phase[0]) + 0.3 * math.sin(x / 23 + phase[1])
                              + 0.15 * math.sin(x / 9 + phase[2]))
            pts.append((x, y))
        ImageDraw.Draw(layer).polygon(pts + [(w, h), (0, h)], fill=255)
        layer = layer.filter(ImageFilter.GaussianBlur(blur))
        return Image.composite(Image.new('RGB', (w, h), colour), sky_ref[0], layer)

    sky_ref = [sky]
    for base, amp, seed, colour, blur in ((200, 34, 3, (160, 176, 198), 1.2), (226, 22, 5, (196, 208, 222), 0.9),
                                          (250, 14, 9, (232, 238, 244), 0.7)):
        sky_ref[0] = ridge(base, amp, seed, colour, blur)
    img = sky_ref[0]
    d = ImageDraw.Draw(img)
    # Pine trees in snow, grey-blue.
    for x, base, size in ((40, 238, 34), (62, 244, 26), (96, 236, 22), (330, 252, 30), (354, 256, 22), (20, 258, 20)):
        for k in range(4):
            t = size * (1 - k * 0.22)
            top = base - size * 1.4 + k * size * 0.3
            d.polygon([(x, top), (x - t / 2, top + t * 0.7), (x + t / 2, top + t * 0.7)], fill=(106, 126, 154))
            d.line([(x - t / 2 + 2, top + t * 0.7), (x + t / 2 - 2, top + t * 0.7)], fill=(232, 238, 246), width=2)
        d.rectangle([x - 2, base - 6, x + 2, base], fill=(90, 96, 110))
    # Snow field in front, with a faint path.
    field = Image.new('L', (w, h), 0)
    ImageDraw.Draw(field).ellipse([-120, 258, 520, 420], fill=255)
    field = field.filter(ImageFilter.GaussianBlur(3))
    img = Image.composite(Image.new('RGB', (w, h), (246, 248, 252)), img, field)
    d = ImageDraw.Draw(img)
    for i in range(9):
        x = 200 + i * 7 - (i * i) * 0.6
        y = 300 - i * 5
        d.ellipse([x - 2, y - 1, x + 2, y + 1], fill=(210, 218, 230))
    # Falling snow.
    flakes = Image.new('RGBA', (w, h), (0, 0, 0, 0))
    fd = ImageDraw.Draw(flakes)
    for _ in range(140):
        x, y = rnd.uniform(0, w), rnd.uniform(0, h)
        r = rnd.choice((0.7, 1.0, 1.4, 1.9))
        fd.ellipse([x - r, y - r, x + r, y + r], fill=(255, 255, 255, rnd.randrange(150, 240)))
    img = Image.alpha_composite(img.convert('RGBA'), flakes).convert('RGB')
    buf = io.BytesIO()
    img.save(buf, 'JPEG', quality=90, progressive=True, optimize=True, dpi=(72, 72))
    return buf.getvalue(), img


# ---------------------------------------------------------------------------------
# Animation: a little snowman that hops and waves its pen; the last frame blinks.

def snowman_frame(hop, wave, blink, squash):
    S = 4
    W, H = 208, 240
    img = Image.new('RGBA', (W * S, H * S), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)

    def e(cx, cy, rx, ry, **kw):
        d.ellipse([(cx - rx) * S, (cy - ry) * S, (cx + rx) * S, (cy + ry) * S], **kw)

    ground = 224
    # Shadow stays on the ground and shrinks while the snowman is in the air.
    sw = 62 - hop * 1.4
    e(104, ground + 4, sw, 8 - hop * 0.15, fill=(150, 168, 196, 255))
    by = ground - hop
    body_rx, body_ry = 58 * (1 + squash), 50 * (1 - squash)
    outline = (120, 146, 184, 255)
    e(104, by - body_ry, body_rx, body_ry, fill=(252, 253, 255, 255), outline=outline, width=3 * S)
    # Buttons.
    for k in range(3):
        e(104, by - body_ry * 1.55 + k * 20, 5, 5, fill=(70, 80, 100, 255))
    hy = by - body_ry * 2 - 26 + squash * 20
    # Arms: left rests, right waves a pen.
    d.line([(58 * S, (by - 70) * S), (28 * S, (by - 92) * S)], fill=(120, 84, 52, 255), width=5 * S)
    ang = math.radians(-40 - wave)
    hx, hy2 = 150, by - 72
    ex, ey = hx + math.cos(ang) * 40, hy2 + math.sin(ang) * 40
    d.line([(hx * S, hy2 * S), (ex * S, ey * S)], fill=(120, 84, 52, 255), width=5 * S)
    pa = ang - math.radians(60)
    px, py = ex + math.cos(pa) * 26, ey + math.sin(pa) * 26
    d.line([(ex * S, ey * S), (px * S, py * S)], fill=(52, 110, 196, 255), width=7 * S)
    d.line([(px * S, py * S), ((px + math.cos(pa) * 7) * S, (py + math.sin(pa) * 7) * S)],
           fill=(40, 40, 48, 255), width=3 * S)
    # Head.
    e(104, hy, 40, 38, fill=(252, 253, 255, 255), outline=outline, width=3 * S)
    # Scarf.
    d.rounded_rectangle([64 * S, (hy + 26) * S, 144 * S, (hy + 40) * S], 6 * S, fill=(222, 52, 60, 255))
    d.polygon([(122 * S, (hy + 36) * S), (136 * S, (hy + 36) * S), (140 * S, (hy + 66) * S), (124 * S, (hy + 64) * S)],
              fill=(200, 40, 50, 255))
    # Hat.
    d.rounded_rectangle([72 * S, (hy - 44) * S, 136 * S, (hy - 34) * S], 4 * S, fill=(52, 64, 92, 255))
    d.rounded_rectangle([82 * S, (hy - 68) * S, 126 * S, (hy - 40) * S], 5 * S, fill=(62, 76, 108, 255))
    d.rectangle([82 * S, (hy - 50) * S, 126 * S, (hy - 43) * S], fill=(222, 52, 60, 255))
    # Face.
    if blink:
        for cx in (90, 118):
            d.arc([(cx - 6) * S, (hy - 10) * S, (cx + 6) * S, (hy + 2) * S], 200, 340, fill=(40, 44, 56, 255), width=3 * S)
    else:
        for cx in (90, 118):
            e(cx, hy - 6, 5, 6, fill=(40, 44, 56, 255))
            e(cx + 2, hy - 8, 1.6, 1.8, fill=(255, 255, 255, 255))
    e(80, hy + 8, 7, 4, fill=(250, 170, 180, 255))
    e(128, hy + 8, 7, 4, fill=(250, 170, 180, 255))
    d.polygon([(104 * S, (hy + 1) * S), (104 * S, (hy + 9) * S), (128 * S, (hy + 6) * S)], fill=(246, 140, 40, 255))
    d.arc([96 * S, (hy + 6) * S, 112 * S, (hy + 18) * S], 20, 160, fill=(40, 44, 56, 255), width=2 * S)
    return img.resize((W, H), Image.LANCZOS)


def animation():
    poses = [(0, 0, False, 0.06), (10, 18, False, -0.02), (18, 34, False, -0.04), (10, 18, False, -0.02),
             (0, 0, True, 0.06)]
    matte = (236, 241, 247)
    frames_rgba = [snowman_frame(*p) for p in poses]
    # Binary transparency: keep pixels that are mostly covered, blended onto a pale matte.
    solid = []
    for f in frames_rgba:
        bg = Image.new('RGBA', f.size, matte + (255,))
        flat = Image.alpha_composite(bg, f).convert('RGB')
        mask = f.getchannel('A').point(lambda a: 255 if a >= 110 else 0)
        solid.append((flat, mask))
    w, h = frames_rgba[0].size
    strip = Image.new('RGB', (w, h * len(solid)), matte)
    for i, (flat, mask) in enumerate(solid):
        strip.paste(flat, (0, h * i), mask)
    pal_img = strip.quantize(colors=255, method=Image.Quantize.MEDIANCUT, dither=Image.Dither.NONE)
    palette = (pal_img.getpalette()[:255 * 3] + [0] * (255 * 3))[:255 * 3] + [255, 0, 255]
    transparent = 255
    frames = []
    ref = Image.new('P', (1, 1))
    ref.putpalette(palette[:255 * 3] + [0, 0, 0])
    for flat, mask in solid:
        q = flat.quantize(palette=pal_img, dither=Image.Dither.NONE)
        data = bytearray(q.tobytes())
        m = mask.tobytes()
        for i in range(len(data)):
            if not m[i]:
                data[i] = transparent
        frames.append(Image.frombytes('P', (w, h), bytes(data)))
    return imgfiles.gif_animation(frames, [10, 10, 10, 10, 20], palette, transparent)


# ---------------------------------------------------------------------------------
# Glyphs.

def binary_glyph(size, pixels):
    img = Image.new('RGBA', size, (0, 0, 0, 0))
    for (x, y), c in pixels.items():
        img.putpixel((x, y), c)
    return img


def triangle(direction):
    rows = [7, 5, 3, 1]
    px = {}
    for i, n in enumerate(rows):
        start = (7 - n) // 2
        for j in range(n):
            if direction == 'down':
                px[(start + j, i)] = (0, 0, 0, 255)
            elif direction == 'up':
                px[(start + j, 3 - i)] = (0, 0, 0, 255)
            elif direction == 'right':
                px[(i, start + j)] = (0, 0, 0, 255)
            else:
                px[(3 - i, start + j)] = (0, 0, 0, 255)
    size = (7, 4) if direction in ('down', 'up') else (4, 7)
    return binary_glyph(size, px)


def dialog_close():
    w, h = 38, 18
    white = (255, 255, 255, 255)
    grey = (64, 64, 64, 255)
    cross = set()
    for i in range(8):
        for dx in (0, 1):
            cross.add((15 + i + dx, 5 + i))
            cross.add((22 - i + dx - 1, 5 + i))
    px = {}
    for (x, y) in cross:
        for ox in (-1, 0, 1):
            for oy in (-1, 0, 1):
                px[(x + ox, y + oy)] = grey
    for p in cross:
        px[p] = white
    assert all(0 <= x < w and 0 <= y < h for x, y in px)
    return binary_glyph((w, h), px)


def check_gradient():
    inner = Image.new('RGBA', (11, 11))
    a, b = (0xDE, 0xDF, 0xD6), (0xFD, 0xFC, 0xFC)
    for y in range(11):
        for x in range(11):
            t = (x + y) / 20
            inner.putpixel((x, y), tuple(round(p + (q - p) * t) for p, q in zip(a, b)) + (255,))
    return inner


def check_off():
    img = Image.new('RGBA', (13, 13), (3, 3, 3, 230))
    img.paste(check_gradient(), (1, 1))
    return img


def check_on():
    img = Image.new('RGBA', (13, 13), (0x18, 0x51, 0x84, 255))
    img.paste(check_gradient(), (1, 1))
    mark = (0x24, 0x6E, 0x75, 255)
    # Short stroke down from column 3, then the long stroke up to column 9.
    tops = {3: 5, 4: 6, 5: 7, 6: 6, 7: 5, 8: 4, 9: 3}
    for x, top in tops.items():
        for y in range(top, top + 3):
            img.putpixel((x, y), mark)
    return img


def smooth_glyph(size, draw_shape, shadow_offset=(1, 1), shadow_blur=1.0, shadow_alpha=200):
    """A white shape over a soft dark shadow, drawn 8x and scaled down (smooth alpha)."""
    S = 8
    w, h = size
    shape = Image.new('L', (w * S, h * S), 0)
    draw_shape(ImageDraw.Draw(shape), S)
    shape = shape.resize(size, Image.LANCZOS)
    shadow = ImageChops.offset(shape, *shadow_offset).filter(ImageFilter.GaussianBlur(shadow_blur))
    shadow = shadow.point(lambda a: min(255, a * shadow_alpha // 160))
    dark = Image.new('RGBA', size, (24, 28, 36, 0))
    dark.putalpha(shadow)
    white = Image.new('RGBA', size, (255, 255, 255, 0))
    white.putalpha(shape)
    return Image.alpha_composite(dark, white)


def caption_help():
    def shape(d, S):
        d.rounded_rectangle([7 * S, 2 * S, 19 * S, 12 * S], 3 * S, fill=255)
        d.polygon([(10 * S, 11 * S), (14 * S, 11 * S), (9 * S, 15.5 * S)], fill=255)
        d.text((10.6 * S, 2.2 * S), '?', font=ImageFont.truetype(FONT_FILE, 10 * S), fill=0)
    return smooth_glyph((26, 18), shape)


def caption_menu():
    def shape(d, S):
        d.rectangle([7 * S, 3 * S, 18 * S, 13 * S], outline=255, width=int(1.4 * S))
        d.rectangle([7 * S, 3 * S, 18 * S, 5 * S], fill=255)
        d.polygon([(15 * S, 12 * S), (21 * S, 12 * S), (18 * S, 15.5 * S)], fill=255)
    return smooth_glyph((26, 18), shape)


def caption_minimize():
    def shape(d, S):
        d.rectangle([8 * S, 11 * S, 18 * S, 13.4 * S], fill=255)
    return smooth_glyph((26, 18), shape)


def caption_maximize():
    def shape(d, S):
        d.rectangle([8 * S, 4 * S, 18 * S, 13.5 * S], outline=255, width=int(1.3 * S))
        d.rectangle([8 * S, 4 * S, 18 * S, 6.6 * S], fill=255)
    return smooth_glyph((26, 18), shape)


def caption_restore():
    def shape(d, S):
        d.rectangle([10 * S, 3 * S, 19 * S, 10.5 * S], outline=255, width=int(1.3 * S))
        d.rectangle([10 * S, 3 * S, 19 * S, 5 * S], fill=255)
        d.rectangle([7 * S, 6.5 * S, 16 * S, 14 * S], fill=0)
        d.rectangle([7 * S, 6.5 * S, 16 * S, 14 * S], outline=255, width=int(1.3 * S))
        d.rectangle([7 * S, 6.5 * S, 16 * S, 8.5 * S], fill=255)
    return smooth_glyph((26, 18), shape)


def caption_close():
    def shape(d, S):
        d.line([(14 * S, 4 * S), (24 * S, 14 * S)], fill=255, width=int(2.2 * S))
        d.line([(14 * S, 14 * S), (24 * S, 4 * S)], fill=255, width=int(2.2 * S))
    return smooth_glyph((38, 18), shape, shadow_blur=1.3)


def main():
    os.makedirs(OUT, exist_ok=True)
    save('tutorial0.bmp', imgfiles.bmp24(tutorial0()))
    save('tutorial1.bmp', imgfiles.bmp24(tutorial1()))
    save('tutorial2.bmp', imgfiles.bmp24(tutorial2()))
    save('tutorial3.bmp', imgfiles.bmp8(tutorial3()))
    save('backdrop.jpg', backdrop()[0])
    save('animation.gif', animation())
    glyphs = {
        'dialog_close.png': dialog_close(), 'check_off.png': check_off(), 'check_on.png': check_on(),
        'arrow_down.png': triangle('down'), 'arrow_up.png': triangle('up'),
        'arrow_left.png': triangle('left'), 'arrow_right.png': triangle('right'),
        'caption_help.png': caption_help(), 'caption_menu.png': caption_menu(),
        'caption_minimize.png': caption_minimize(), 'caption_maximize.png': caption_maximize(),
        'caption_restore.png': caption_restore(), 'caption_close.png': caption_close(),
    }
    for name, image in glyphs.items():
        save(name, png_bytes(image))


if __name__ == '__main__':
    main()
