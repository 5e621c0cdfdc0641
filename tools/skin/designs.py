"""Drawings that are more than a button: bands, logos, panels, the scroll-bar cells, pictures.

Each function takes a canvas of the size the table states and fills all of it.
"""

import glyphs
from lettering import draw_centred_text
from raster import Canvas, circle, mix
from widgets import (ACCENT, BAR_KEY, DIALOG_BG, FRAME_BG, LOGIN_BG, MASK, TAB_STRIP, TITLE_BAND,
                     WHITE, button, checkbox, colours, content, picture)

BAND_ROW = (16, 54, 104)  # the lower row of the main frame's caption band (tabs, group buttons)


def frame_band_colour(y):
    """Colour of row y of the main frame's 84-pixel caption band."""
    if y <= 50:
        return mix((18, 42, 78), (30, 70, 120), y / 50.0)
    if y < 83:
        return BAND_ROW
    return (64, 126, 196)


def caption_band(c):
    for y in range(c.height):
        c.fill_rect(0, y, c.width, y + 1, frame_band_colour(y))


def band_background(c, top):
    """Paints the band rows a bitmap covers when it is drawn at y = top of the frame."""
    for y in range(c.height):
        c.fill_rect(0, y, c.width, y + 1, frame_band_colour(top + y))


def frame_caption_button(glyph):
    def draw(c):
        band_background(c, 0)
        c.draw(glyph(c.width / 2.0, c.height / 2.0, c.height * 0.42), (226, 236, 248))
    return draw


def frame_group_button(glyph):
    def draw(c):
        band_background(c, 51)
        c.framed_rect(2, 2, c.width - 2, c.height - 2, 4, (26, 74, 134), (72, 132, 200))
        c.draw(glyph(c.width / 2.0, c.height / 2.0, c.height * 0.5), WHITE)
    return draw


def tab_scroll(direction):
    def draw(c):
        c.fill(TAB_STRIP)
        c.framed_rect(1, 4, c.width - 1, c.height - 4, 3, (20, 76, 142), (52, 104, 170))
        c.draw(glyphs.chevron(c.width / 2.0, c.height / 2.0, c.width * 0.7, direction), (196, 220, 246))
    return draw


def frame_logo(c):
    band_background(c, 0)
    draw_centred_text(c, c.width / 2.0, 20, "LUMORA", 2.2, WHITE)
    c.fill_rect(14, 34, c.width - 14, 35, ACCENT)
    draw_centred_text(c, c.width / 2.0, 42, "TEACHER", 1.0, (170, 206, 240))


def label_plate(c):
    c.fill(BAND_ROW)
    c.framed_rect(0, 2, c.width, c.height - 2, 5, (24, 82, 148), (70, 130, 198))


def resize_grip(c):
    c.fill(FRAME_BG)
    c.draw(glyphs.grip(c.width / 2.0 + 1, c.height / 2.0 + 1, c.width), (150, 190, 232), smooth=False)


def scroll_pattern(c):
    """The 30-pixel scroll column of the grid, repeated down the column by a pattern brush."""
    for x in range(c.width):
        edge = min(x, c.width - 1 - x)
        c.fill_rect(x, 0, x + 1, c.height, (20, 58, 104) if edge == 0 else (30, 74, 128))
    c.fill_rect(14, 0, 16, c.height, (24, 64, 114))


def view_scroll_button(direction):
    def draw(c):
        c.fill((20, 58, 104))
        c.framed_rect(1, 1, c.width - 1, c.height - 1, 4, (40, 96, 160), (86, 146, 214))
        c.draw(glyphs.triangle(c.width / 2.0, c.height / 2.0, c.width * 0.6, direction), WHITE)
    return draw


def view_scroll_thumb(c):
    c.fill((30, 74, 128))
    c.framed_rect(2, 0, c.width - 2, c.height, 8, (90, 150, 214), (140, 190, 240))
    for y in (c.height // 2 - 6, c.height // 2, c.height // 2 + 6):
        c.fill_rect(8, y, c.width - 8, y + 2, (50, 104, 170))


def slot_picture(glyph, ink, ring_colour=None):
    def draw(c):
        picture(c, glyph, ink, ring_colour=ring_colour)
    return draw


def empty_slot(c):
    c.gradient(0, 0, c.width, c.height, (34, 40, 52), (22, 26, 34), steps=24)
    c.draw(glyphs.monitor(c.width / 2.0, c.height / 2.0, c.height * 0.5), (62, 72, 92))


def menu_glyph(glyph, ink):
    def draw(c):
        c.fill((255, 255, 255))
        c.draw(glyph(c.width / 2.0, c.height / 2.0, c.width * 0.9), ink)
    return draw


def caption_close(c):
    c.fill(TITLE_BAND)
    c.draw(glyphs.close(c.width / 2.0, c.height / 2.0, c.height * 0.42), (176, 186, 198))


def message_panel(c):
    c.fill(DIALOG_BG)
    c.framed_rect(0, 0, c.width, c.height, 8, (46, 55, 74), (64, 76, 100))


def message_icon(c):
    c.fill((46, 55, 74))
    r = min(c.width, c.height) / 2.0 - 2
    c.draw(circle(c.width / 2.0, c.height / 2.0, r), ACCENT)
    c.draw(glyphs.exclamation(c.width / 2.0, c.height / 2.0, r * 1.6), (24, 30, 43))


def scrollbar_skin(c):
    """Nine cells of 16 x 16 per row, one row per state (normal, hover, pressed, disabled):
    up, down, vertical track, vertical thumb, left, right, horizontal track, horizontal thumb,
    corner."""
    a = c.width // 9
    c.fill((20, 18, 16))
    for row, state in enumerate(("normal", "hover", "pressed", "disabled")):
        fill, border, ink = colours("dark", state)
        y = row * a
        track = mix((20, 18, 16), fill, 0.35)
        for cell, kind in enumerate(("up", "down", "vtrack", "vthumb", "left", "right", "htrack", "hthumb", "corner")):
            x = cell * a
            if kind in ("up", "down", "left", "right"):
                c.framed_rect(x, y, x + a, y + a, 3, fill, border)
                c.draw(glyphs.triangle(x + a / 2.0, y + a / 2.0, a * 0.62, kind), ink)
            elif kind == "vtrack":
                c.fill_rect(x, y, x + a, y + a, track)
                c.fill_rect(x + a // 2 - 1, y, x + a // 2 + 1, y + a, mix(track, border, 0.4))
            elif kind == "htrack":
                c.fill_rect(x, y, x + a, y + a, track)
                c.fill_rect(x, y + a // 2 - 1, x + a, y + a // 2 + 1, mix(track, border, 0.4))
            elif kind in ("vthumb", "hthumb"):
                c.fill_rect(x, y, x + a, y + a, track)
                c.framed_rect(x + 2, y + 2, x + a - 2, y + a - 2, 4, fill, border)
            else:
                c.fill_rect(x, y, x + a, y + a, mix((20, 18, 16), fill, 0.5))


def nine_part_strip(fill, border, corner):
    """Nine 4 x 4 cells: four corners, four edges, the fill (the order the skinned frames use:
    top-left, top, top-right, left, fill, right, bottom-left, bottom, bottom-right)."""
    def draw(c):
        c.fill(fill)
        for cell in range(9):
            x = cell * 4
            row, column = divmod(cell, 3)
            if cell == 4:
                continue
            c.fill_rect(x, 0, x + 4, 4, fill)
            if row == 0:
                c.fill_rect(x, 0, x + 4, 1, border)
            if row == 2:
                c.fill_rect(x, 3, x + 4, 4, border)
            if column == 0:
                c.fill_rect(x, 0, x + 1, 4, border)
            if column == 2:
                c.fill_rect(x + 3, 0, x + 4, 4, border)
            if row != 1 and column != 1:
                c.fill_rect(x + (0 if column == 0 else 3), 0 if row == 0 else 3,
                            x + (1 if column == 0 else 4), 1 if row == 0 else 4, corner)
    return draw


def section_panel(fill, border, bg, header=None, header_height=0, radius=6):
    def draw(c):
        c.fill(bg)
        c.framed_rect(0, 0, c.width, c.height, radius, fill, border)
        if header:
            c.round_rect(1, 1, c.width - 1, header_height, max(0, radius - 1), header)
            c.fill_rect(1, header_height - radius, c.width - 1, header_height, header)
            c.fill_rect(1, header_height, c.width - 1, header_height + 1, border)
    return draw


def rule(top, bottom):
    def draw(c):
        c.fill(top)
        c.fill_rect(0, c.height // 2, c.width, c.height, bottom)
    return draw


def list_tile(c):
    c.fill((43, 37, 31))
    c.fill_rect(0, c.height - 1, c.width, c.height, (56, 49, 42))


def check_images(bg, box_size):
    """Two images side by side on the mask colour: unticked, ticked."""
    def draw(c):
        c.fill(MASK)
        half = c.width // 2
        for index in range(2):
            cell = Canvas(half, c.height)
            checkbox(cell, index == 1, "normal", bg=bg, box_size=box_size, mask=MASK)
            for y in range(c.height):
                row = cell.rgba[y * half * 4:(y + 1) * half * 4]
                start = (y * c.width + index * half) * 4
                c.rgba[start:start + len(row)] = row
    return draw


def login_header(c):
    c.gradient(0, 0, c.width, c.height, (26, 40, 66), LOGIN_BG, steps=24)
    c.draw(circle(52, c.height / 2.0, 26), ACCENT)
    c.draw(glyphs.people(52, c.height / 2.0 + 1, 34), (18, 34, 52))
    draw_centred_text(c, 210, c.height / 2.0 - 9, "LUMORA TEACHER", 2.0, WHITE)
    draw_centred_text(c, 210, c.height / 2.0 + 13, "TEACHER LOGIN", 1.0, (120, 170, 214))


def edit_frame(c):
    c.fill(LOGIN_BG)
    c.framed_rect(0, 0, c.width, c.height, 4, (30, 29, 30), (15, 142, 230))


def bar_back_layer(c):
    c.fill(BAR_KEY)
    c.round_rect(0, 0, c.width, c.height, 14, (70, 86, 116), smooth=False)
    c.round_rect(1, 1, c.width - 1, c.height - 1, 13, (18, 22, 30), smooth=False)


def toolbar_back_layer(vertical):
    def draw(c):
        c.fill((26, 32, 44))
        c.fill_rect(0, 0, c.width, 1, (84, 100, 130))
        c.fill_rect(0, c.height - 1, c.width, c.height, (84, 100, 130))
        c.fill_rect(0, 0, 1, c.height, (84, 100, 130))
        c.fill_rect(c.width - 1, 0, c.width, c.height, (84, 100, 130))
        if vertical:
            c.fill_rect(1, 1, c.width - 1, 30, (18, 22, 30))
            c.fill_rect(1, 30, c.width - 1, 31, ACCENT)
        else:
            c.fill_rect(1, 1, 30, c.height - 1, (18, 22, 30))
            c.fill_rect(30, 1, 31, c.height - 1, ACCENT)
    return draw


def header_cell(c):
    c.gradient(0, 0, c.width, c.height, (58, 66, 82), (40, 46, 58))
    c.fill_rect(0, c.height - 1, c.width, c.height, ACCENT)


def combo_arrow(pressed):
    def draw(c):
        c.fill((10, 15, 18))
        fill = (3, 150, 172) if pressed else (40, 48, 60)
        c.framed_rect(0, 0, c.width, c.height, 2, fill, (70, 82, 100))
        c.draw(glyphs.triangle(c.width / 2.0, c.height / 2.0 + 1, c.height * 0.7, "down"), WHITE)
    return draw


def pen_button(state, glyph=None, swatch=None, width=None):
    """A button of the pen toolbar: a pictogram, a colour swatch or a stroke-width sample."""
    def draw(c):
        bg = (192, 217, 174)
        fill, border, ink = colours("pen", state)
        c.fill(bg)
        c.framed_rect(0, 0, c.width, c.height, 5, fill, border)
        cx, cy = c.width / 2.0, c.height / 2.0
        if swatch:
            c.draw(circle(cx, cy, min(c.width, c.height) * 0.3 + 1), (90, 90, 90))
            c.draw(circle(cx, cy, min(c.width, c.height) * 0.3), swatch)
        elif width:
            c.draw(glyphs.stroke_width_sample(cx, cy, c.width * 0.9, width), ink)
        else:
            content(c, 0, 0, c.width, c.height, ink, glyph=glyph)
    return draw


def plain_button(state, style="dark", glyph=None, label=None, bg=DIALOG_BG, radius=4, scale=None):
    def draw(c):
        button(c, state, style, glyph, label, bg, radius, scale)
    return draw

