"""The skin's building blocks: colours, buttons in their states, check boxes, panels, pictures.

Colours the console's windows paint themselves with come first, so that every bitmap sits on
the background it is drawn over.
"""

from glyphs import check
from lettering import draw_centred_text, text_width
from raster import circle, mix

# Backgrounds the windows paint around the bitmaps.
DIALOG_BG = (36, 43, 58)
TITLE_BAND = (24, 30, 43)
ABOUT_BG = (43, 50, 65)
SETTINGS_BG = (76, 82, 94)
LOGIN_BG = (29, 36, 52)
FRAME_BG = (40, 92, 153)
TAB_STRIP = (11, 62, 124)
PEN_BG = (192, 217, 174)
PEN_BAND = (46, 136, 70)
PEN_PANEL = (225, 225, 225)
BAR_KEY = (255, 255, 250)  # colour key of the remote windows' control bars
MASK = (250, 250, 250)  # mask colour of the check image lists
ACCENT = (3, 207, 227)
WHITE = (255, 255, 255)
MESSAGE_TEXT = (150, 162, 163)

# style -> state -> (fill, border, ink)
STYLES = {
    "dark": {
        "normal": ((54, 64, 86), (80, 94, 122), (214, 222, 232)),
        "hover": ((64, 78, 106), ACCENT, WHITE),
        "pressed": ((20, 110, 128), ACCENT, WHITE),
        "disabled": ((44, 50, 64), (58, 64, 78), (106, 112, 126)),
    },
    "primary": {
        "normal": ((0, 126, 150), (3, 168, 194), WHITE),
        "hover": ((3, 164, 190), (130, 236, 246), WHITE),
        "pressed": ((0, 96, 116), (3, 168, 194), (220, 246, 250)),
        "disabled": ((46, 62, 72), (58, 74, 84), (112, 124, 134)),
    },
    "danger": {
        "normal": ((128, 44, 52), (170, 70, 78), WHITE),
        "hover": ((168, 58, 66), (236, 120, 126), WHITE),
        "pressed": ((104, 34, 40), (170, 70, 78), (250, 220, 222)),
        "disabled": ((60, 48, 54), (74, 60, 66), (126, 112, 118)),
    },
    "pen": {
        "normal": ((244, 246, 242), (168, 190, 156), (52, 70, 58)),
        "hover": ((226, 240, 222), PEN_BAND, (30, 60, 40)),
        "pressed": (PEN_BAND, (30, 100, 50), WHITE),
        "disabled": ((214, 218, 212), (190, 196, 188), (150, 156, 150)),
    },
    "bar": {
        "normal": ((44, 52, 70), (92, 106, 134), (222, 228, 236)),
        "hover": ((58, 72, 98), ACCENT, WHITE),
        "pressed": ((3, 150, 172), (120, 232, 244), WHITE),
        "disabled": ((40, 44, 52), (60, 64, 72), (104, 108, 116)),
    },
}


def colours(style, state):
    return STYLES[style][state]


def button(canvas, state, style="dark", glyph=None, label=None, bg=DIALOG_BG, radius=4, scale=None):
    """A framed button with a pictogram, a label or both, centred."""
    fill, border, ink = colours(style, state)
    w, h = canvas.width, canvas.height
    canvas.fill(bg)
    canvas.framed_rect(0, 0, w, h, radius, fill, border)
    content(canvas, 0, 0, w, h, ink, glyph, label, scale)


def content(canvas, x, y, w, h, ink, glyph=None, label=None, scale=None):
    """A pictogram and/or a label centred in the box (x, y, w, h); labels shrink to fit."""
    glyph_size = h * 0.5 if label else min(h * 0.62, w * 0.7)
    glyph_room = glyph_size * 1.2 if glyph else 0.0
    if label and scale is None:
        fit = (w - 10 - glyph_room) / float(text_width(label, 1))
        scale = min(2.0, max(1.0, (h - 10) / 9.0), fit)
    if glyph and label:
        total = glyph_room + text_width(label, scale)
        left = x + (w - total) / 2.0
        canvas.draw(glyph(left + glyph_size * 0.4, y + h / 2.0, glyph_size), ink)
        draw_centred_text(canvas, left + glyph_room + text_width(label, scale) / 2.0, y + h / 2.0,
                          label, scale, ink)
    elif glyph:
        canvas.draw(glyph(x + w / 2.0, y + h / 2.0, glyph_size), ink)
    elif label:
        draw_centred_text(canvas, x + w / 2.0, y + h / 2.0, label, scale, ink)


def flat_glyph(canvas, glyph, ink, bg, size=None):
    """A pictogram alone on a background: the caption-band buttons."""
    canvas.fill(bg)
    s = size or min(canvas.width, canvas.height) * 0.42
    canvas.draw(glyph(canvas.width / 2.0, canvas.height / 2.0, s), ink)


def round_button(canvas, state, glyph, style="bar", key=BAR_KEY, scale=0.56):
    """A round button on a colour key, hard-edged so that no fringe survives the key."""
    fill, border, ink = colours(style, state)
    w, h = canvas.width, canvas.height
    canvas.fill(key)
    r = min(w, h) / 2.0
    canvas.draw(circle(w / 2.0, h / 2.0, r - 0.5), border, smooth=False)
    canvas.draw(circle(w / 2.0, h / 2.0, r - 2.0), fill, smooth=False)
    canvas.draw(glyph(w / 2.0, h / 2.0, min(w, h) * scale), ink)


def checkbox(canvas, checked, state="normal", bg=DIALOG_BG, box_size=None, mask=None):
    """A square check box centred in the canvas; `mask` fills what lies outside the box."""
    w, h = canvas.width, canvas.height
    canvas.fill(mask or bg)
    size = box_size or min(w, h) - 4
    x0, y0 = (w - size) // 2, (h - size) // 2
    if mask:
        canvas.fill_rect(x0, y0, x0 + size, y0 + size, bg)
    fill, border, ink = colours("primary" if checked else "dark", state)
    canvas.framed_rect(x0, y0, x0 + size, y0 + size, max(2, size // 8), fill, border, max(1, size // 12))
    if checked:
        canvas.draw(check(w / 2.0, h / 2.0, size * 0.8), ink)


def panel(canvas, fill, border, bg, radius=6, header=None, header_height=0):
    """A rounded panel, optionally with a header strip of another colour."""
    canvas.fill(bg)
    canvas.framed_rect(0, 0, canvas.width, canvas.height, radius, fill, border)
    if header and header_height:
        canvas.fill_rect(1 + radius // 2, 1, canvas.width - 1 - radius // 2, header_height, header)
        canvas.fill_rect(1, header_height, canvas.width - 1, header_height + 1, border)


def picture(canvas, glyph, ink, bg=(30, 36, 48), ring_colour=None):
    """A state picture of a slot: a large pictogram centred on a dark, softly lit field."""
    w, h = canvas.width, canvas.height
    canvas.gradient(0, 0, w, h, mix(bg, WHITE, 0.06), mix(bg, (0, 0, 0), 0.25), steps=24)
    s = min(w, h) * 0.5
    if ring_colour:
        canvas.draw(circle(w / 2.0, h / 2.0, s * 0.78), ring_colour, levels=8)
    canvas.draw(glyph(w / 2.0, h / 2.0, s), ink, levels=16)
