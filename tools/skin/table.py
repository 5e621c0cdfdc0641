"""Every bitmap, GIF, icon and cursor of the console: id -> file, size, description, drawing.

This table is the one place that states sizes. The generator draws from it, writes the
resource script that names each file, and writes the C++ table the resource tests check the
built program against. Image buttons take four bitmaps (normal, hover, disabled, pressed);
where a window gives two ids the first serves normal and disabled, the second hover and
pressed.
"""

from dataclasses import dataclass, field
from functools import partial
from typing import Callable, Tuple

import glyphs as g
from designs import (bar_back_layer, caption_band, caption_close, check_images, combo_arrow, edit_frame,
                     empty_slot, frame_caption_button, frame_group_button, frame_logo, header_cell,
                     label_plate, list_tile, login_header, menu_glyph, message_icon, message_panel,
                     nine_part_strip, pen_button, plain_button, resize_grip, rule, scroll_pattern, scrollbar_skin,
                     section_panel, slot_picture, tab_scroll, toolbar_back_layer, view_scroll_button,
                     view_scroll_thumb)
from widgets import (ABOUT_BG, ACCENT, DIALOG_BG, LOGIN_BG, PEN_BAND, SETTINGS_BG,
                     checkbox, flat_glyph, round_button)


@dataclass(frozen=True)
class Bitmap:
    file: str
    width: int
    height: int
    description: str
    draw: Callable = field(repr=False, compare=False)
    bits: int = 24


@dataclass(frozen=True)
class Gif:
    file: str
    width: int
    height: int
    description: str
    frames: int


@dataclass(frozen=True)
class Icon:
    file: str
    sizes: Tuple[int, ...]
    description: str


@dataclass(frozen=True)
class Cursor:
    file: str
    size: int
    hotspot: Tuple[int, int]
    description: str


def btn(state, style="dark", glyph=None, label=None, bg=DIALOG_BG):
    return plain_button(state, style, glyph, label, bg)


def bar(state, glyph):
    return lambda c: round_button(c, state, glyph)


def tick(checked, bg=DIALOG_BG, state="normal"):
    return lambda c: checkbox(c, checked, state, bg=bg)


def pen(state, glyph):
    return pen_button(state, glyph=glyph)


def swatch(state, colour):
    return pen_button(state, swatch=colour)


def stroke(state, width):
    return pen_button(state, width=width)


LEFT = partial(g.triangle, direction="left")
RIGHT = partial(g.triangle, direction="right")
BACKWARD = partial(g.chevron, direction="left")
FORWARD = partial(g.chevron, direction="right")
LIST_BG = (43, 37, 31)
TRANSFER_BG = (76, 82, 94)
TRANSFER_LIST_BG = (6, 8, 14)

BITMAPS = {
    # Main frame: caption band, logo, caption and group buttons, group tab scrolling.
    454: Bitmap("frame_caption_band.bmp", 10, 84, "caption band, stretched over the frame's width", caption_band),
    457: Bitmap("frame_logo.bmp", 92, 51, "logo centred at the top of the caption band", frame_logo),
    458: Bitmap("frame_close.bmp", 39, 34, "frame close button, all states", frame_caption_button(g.close)),
    725: Bitmap("frame_minimise.bmp", 39, 34, "frame minimise button, all states", frame_caption_button(g.minimise)),
    459: Bitmap("frame_group_create.bmp", 41, 32, "create-group button", frame_group_button(g.plus)),
    460: Bitmap("frame_group_delete.bmp", 41, 32, "delete-group button", frame_group_button(g.minus)),
    461: Bitmap("frame_group_run.bmp", 41, 32, "run-on-group button", frame_group_button(g.play)),
    462: Bitmap("tab_scroll_left.bmp", 21, 32, "group tabs: scroll left", tab_scroll("left")),
    463: Bitmap("tab_scroll_right.bmp", 21, 32, "group tabs: scroll right", tab_scroll("right")),
    464: Bitmap("frame_label_plate.bmp", 85, 32, "label plate under the caption texts", label_plate),
    469: Bitmap("frame_resize_grip.bmp", 17, 17, "resize grip in the bottom-right corner", resize_grip, 8),

    # Classroom view: slot pictures, scroll column.
    310: Bitmap("slot_empty.bmp", 234, 175, "offline slot", empty_slot, 8),
    432: Bitmap("slot_session_changing.bmp", 320, 240, "offline slot whose session is changing",
                slot_picture(g.cycle, (250, 196, 80)), 8),
    452: Bitmap("slot_presentation.bmp", 320, 240, "student holds the presentation right",
                slot_picture(g.presenter, (120, 220, 140)), 8),
    716: Bitmap("slot_remote_view.bmp", 320, 240, "student screen being checked remotely",
                slot_picture(g.eye, ACCENT), 8),
    825: Bitmap("slot_video_lecture.bmp", 320, 240, "video lecture being watched",
                slot_picture(g.video, (236, 112, 112)), 8),
    826: Bitmap("slot_screen_off.bmp", 320, 240, "student screen off", slot_picture(g.power, (140, 152, 170)), 8),
    827: Bitmap("slot_messenger.bmp", 320, 240, "messenger in front", slot_picture(g.bubble, (250, 210, 90)), 8),
    828: Bitmap("slot_capture_permission.bmp", 320, 240, "screen-capture permission needed",
                slot_picture(g.camera_locked, (250, 160, 70)), 8),
    829: Bitmap("slot_permission.bmp", 320, 240, "pad permissions needed", slot_picture(g.padlock, (250, 120, 96)), 8),
    465: Bitmap("view_scroll_pattern.bmp", 30, 4, "scroll column pattern brush", scroll_pattern, 8),
    466: Bitmap("view_scroll_up.bmp", 30, 30, "grid scroll up", view_scroll_button("up")),
    467: Bitmap("view_scroll_down.bmp", 30, 30, "grid scroll down", view_scroll_button("down")),
    468: Bitmap("view_scroll_thumb.bmp", 28, 70, "grid scroll thumb", view_scroll_thumb),

    # Slot context menu item pictures.
    407: Bitmap("menu_renumber.bmp", 13, 13, "menu: change student number", menu_glyph(g.swap, (20, 110, 160))),
    359: Bitmap("menu_remote_control.bmp", 13, 13, "menu: remote control", menu_glyph(g.monitor, (20, 110, 160))),
    361: Bitmap("menu_restart.bmp", 13, 13, "menu: restart PC", menu_glyph(g.cycle, (20, 110, 160))),
    360: Bitmap("menu_shutdown.bmp", 13, 13, "menu: shut PC down", menu_glyph(g.power, (170, 50, 50))),

    # Shared dialog pieces: caption close, OK/Cancel, message box, skinned scroll bar and list frame.
    527: Bitmap("caption_close.bmp", 39, 34, "dialog caption close, all states", caption_close),
    534: Bitmap("ok_normal.bmp", 67, 34, "OK: normal, disabled", btn("normal", "primary", label="OK")),
    535: Bitmap("ok_hover.bmp", 67, 34, "OK: hover, pressed", btn("hover", "primary", label="OK")),
    536: Bitmap("cancel_normal.bmp", 67, 34, "Cancel: normal, disabled", btn("normal", label="CANCEL")),
    537: Bitmap("cancel_hover.bmp", 67, 34, "Cancel: hover, pressed", btn("hover", label="CANCEL")),
    523: Bitmap("settings_ok_normal.bmp", 67, 34, "OK on the settings dialogs: normal",
                btn("normal", "primary", label="OK", bg=SETTINGS_BG)),
    524: Bitmap("settings_ok_hover.bmp", 67, 34, "OK on the settings dialogs: hover",
                btn("hover", "primary", label="OK", bg=SETTINGS_BG)),
    525: Bitmap("settings_cancel_normal.bmp", 67, 34, "Cancel on the settings dialogs: normal",
                btn("normal", label="CANCEL", bg=SETTINGS_BG)),
    526: Bitmap("settings_cancel_hover.bmp", 67, 34, "Cancel on the settings dialogs: hover",
                btn("hover", label="CANCEL", bg=SETTINGS_BG)),
    688: Bitmap("msgbox_panel.bmp", 470, 124, "message box text panel", message_panel, 32),
    689: Bitmap("msgbox_icon.bmp", 55, 50, "message box icon", message_icon, 32),
    691: Bitmap("msgbox_yes.bmp", 67, 34, "message box Yes", btn("normal", "primary", label="YES")),
    690: Bitmap("msgbox_no.bmp", 67, 34, "message box No", btn("normal", label="NO")),
    544: Bitmap("skin_scrollbar.bmp", 144, 64, "scroll-bar cells, 16 wide: up, down, v-track, v-thumb, left, "
                "right, h-track, h-thumb, corner; rows normal, hover, pressed, disabled", scrollbar_skin, 8),
    686: Bitmap("list_frame.bmp", 36, 4, "list frame: nine 4 x 4 cells (corners, edges, fill)",
                nine_part_strip(LIST_BG, (70, 62, 54), (96, 86, 76))),

    # Control bar of the remote windows (bitmaps: normal, hover, pressed, disabled).
    696: Bitmap("bar_back_layer.bmp", 312, 59, "control bar back layer on the colour key", bar_back_layer, 8),
    712: Bitmap("bar_sound_normal.bmp", 37, 37, "sound: normal", bar("normal", g.speaker)),
    715: Bitmap("bar_sound_hover.bmp", 37, 37, "sound: hover", bar("hover", g.speaker)),
    714: Bitmap("bar_sound_pressed.bmp", 37, 37, "sound: pressed (playing)", bar("pressed", g.speaker)),
    713: Bitmap("bar_sound_disabled.bmp", 37, 37, "sound: disabled", bar("disabled", g.speaker)),
    700: Bitmap("bar_chat_normal.bmp", 37, 37, "chat: normal, disabled", bar("normal", g.bubble)),
    702: Bitmap("bar_chat_hover.bmp", 37, 37, "chat: hover", bar("hover", g.bubble)),
    701: Bitmap("bar_chat_pressed.bmp", 37, 37, "chat: pressed", bar("pressed", g.bubble)),
    728: Bitmap("bar_home_normal.bmp", 37, 37, "pad HOME: normal", bar("normal", g.home)),
    729: Bitmap("bar_home_hover.bmp", 37, 37, "pad HOME: hover", bar("hover", g.home)),
    726: Bitmap("bar_back_normal.bmp", 37, 37, "pad BACK: normal", bar("normal", g.back)),
    727: Bitmap("bar_back_hover.bmp", 37, 37, "pad BACK: hover", bar("hover", g.back)),
    703: Bitmap("bar_close_normal.bmp", 50, 50, "close the session: normal", bar("normal", g.close)),
    704: Bitmap("bar_close_hover.bmp", 50, 50, "close the session: hover", bar("hover", g.close)),
    730: Bitmap("bar_share_normal.bmp", 37, 37, "screen share: normal, pressed", bar("normal", g.broadcast)),
    732: Bitmap("bar_share_hover.bmp", 37, 37, "screen share: hover", bar("hover", g.broadcast)),
    731: Bitmap("bar_share_disabled.bmp", 37, 37, "screen share: disabled", bar("disabled", g.broadcast)),
    735: Bitmap("bar_touch_normal.bmp", 37, 37, "touch lock: normal", bar("normal", g.touch)),
    738: Bitmap("bar_touch_hover.bmp", 37, 37, "touch lock: hover", bar("hover", g.touch)),
    737: Bitmap("bar_touch_pressed.bmp", 37, 37, "touch lock: pressed (locked)", bar("pressed", g.touch)),
    736: Bitmap("bar_touch_disabled.bmp", 37, 37, "touch lock: disabled", bar("disabled", g.touch)),
    733: Bitmap("bar_pen_normal.bmp", 37, 37, "pen tool: normal", bar("normal", g.pen)),
    734: Bitmap("bar_pen_hover.bmp", 37, 37, "pen tool: hover", bar("hover", g.pen)),

    # Teacher toolbar back layers, one per sub-panel and orientation.
    470: Bitmap("toolbar_panel1_h.bmp", 602, 145, "toolbar back layer: class panel, horizontal",
                toolbar_back_layer(False), 8),
    489: Bitmap("toolbar_panel2_h.bmp", 390, 145, "toolbar back layer: student panel, horizontal",
                toolbar_back_layer(False), 8),
    499: Bitmap("toolbar_panel3_h.bmp", 434, 145, "toolbar back layer: settings panel, horizontal",
                toolbar_back_layer(False), 8),
    500: Bitmap("toolbar_panel1_v.bmp", 145, 602, "toolbar back layer: class panel, vertical",
                toolbar_back_layer(True), 8),
    501: Bitmap("toolbar_panel2_v.bmp", 145, 390, "toolbar back layer: student panel, vertical",
                toolbar_back_layer(True), 8),
    502: Bitmap("toolbar_panel3_v.bmp", 145, 434, "toolbar back layer: settings panel, vertical",
                toolbar_back_layer(True), 8),

    # Settings and restrictions dialog.
    548: Bitmap("about_add_normal.bmp", 63, 27, "Add: normal", btn("normal", glyph=g.plus, label="ADD", bg=ABOUT_BG)),
    549: Bitmap("about_add_hover.bmp", 63, 27, "Add: hover", btn("hover", glyph=g.plus, label="ADD", bg=ABOUT_BG)),
    550: Bitmap("about_delete_normal.bmp", 63, 27, "Delete: normal", btn("normal", label="DELETE", bg=ABOUT_BG)),
    551: Bitmap("about_delete_hover.bmp", 63, 27, "Delete: hover", btn("hover", label="DELETE", bg=ABOUT_BG)),
    554: Bitmap("about_apply_normal.bmp", 90, 34, "Apply: normal",
                btn("normal", "primary", g.check, "APPLY", ABOUT_BG)),
    555: Bitmap("about_apply_hover.bmp", 90, 34, "Apply: hover", btn("hover", "primary", g.check, "APPLY", ABOUT_BG)),
    557: Bitmap("about_toggle_off.bmp", 29, 29, "restriction toggle: unchecked", tick(False, ABOUT_BG)),
    556: Bitmap("about_toggle_on.bmp", 29, 29, "restriction toggle: checked", tick(True, ABOUT_BG)),

    # Group creation dialog.
    566: Bitmap("group_check_images.bmp", 46, 23, "check images 23 x 23: unticked, ticked; mask RGB(250,250,250)",
                check_images(LIST_BG, 15)),
    567: Bitmap("group_select_all_normal.bmp", 114, 34, "select or deselect all: normal",
                btn("normal", glyph=g.double_check, label="SELECT ALL")),
    568: Bitmap("group_select_all_hover.bmp", 114, 34, "select or deselect all: hover",
                btn("hover", glyph=g.double_check, label="SELECT ALL")),

    # Group execute dialog.
    572: Bitmap("gexec_delete_recent_normal.bmp", 40, 27, "delete recent path: normal", btn("normal", glyph=g.trash)),
    573: Bitmap("gexec_delete_recent_hover.bmp", 40, 27, "delete recent path: hover", btn("hover", glyph=g.trash)),
    576: Bitmap("gexec_run_normal.bmp", 104, 27, "run the command: normal", btn("normal", "primary", g.play, "RUN")),
    577: Bitmap("gexec_run_hover.bmp", 104, 27, "run the command: hover", btn("hover", "primary", g.play, "RUN")),
    574: Bitmap("gexec_end_normal.bmp", 80, 27, "end the process: normal", btn("normal", "danger", g.stop, "END")),
    575: Bitmap("gexec_end_hover.bmp", 80, 27, "end the process: hover", btn("hover", "danger", g.stop, "END")),
    578: Bitmap("gexec_restart_normal.bmp", 99, 34, "restart PCs: normal",
                btn("normal", glyph=g.cycle, label="RESTART")),
    579: Bitmap("gexec_restart_hover.bmp", 99, 34, "restart PCs: hover", btn("hover", glyph=g.cycle, label="RESTART")),
    580: Bitmap("gexec_shutdown_normal.bmp", 99, 34, "shut PCs down: normal",
                btn("normal", "danger", g.power, "SHUTDOWN")),
    581: Bitmap("gexec_shutdown_hover.bmp", 99, 34, "shut PCs down: hover",
                btn("hover", "danger", g.power, "SHUTDOWN")),
    582: Bitmap("gexec_close_normal.bmp", 67, 34, "close: normal", btn("normal", label="CLOSE")),
    583: Bitmap("gexec_close_hover.bmp", 67, 34, "close: hover", btn("hover", label="CLOSE")),

    # Teacher login dialog.
    743: Bitmap("login_connect_normal.bmp", 67, 34, "Connect: normal",
                btn("normal", "primary", label="CONNECT", bg=LOGIN_BG)),
    744: Bitmap("login_connect_hover.bmp", 67, 34, "Connect: hover",
                btn("hover", "primary", label="CONNECT", bg=LOGIN_BG)),
    795: Bitmap("login_cancel_normal.bmp", 67, 34, "Cancel: normal", btn("normal", label="CANCEL", bg=LOGIN_BG)),
    796: Bitmap("login_cancel_hover.bmp", 67, 34, "Cancel: hover", btn("hover", label="CANCEL", bg=LOGIN_BG)),
    745: Bitmap("login_edit_frame.bmp", 252, 29, "frame around an edit field", edit_frame, 8),
    746: Bitmap("login_header.bmp", 376, 89, "header picture under the caption band", login_header, 8),
    747: Bitmap("login_separator.bmp", 341, 2, "separator line", rule((16, 20, 30), (52, 62, 84)), 8),

    # Slot move and swap, student names, per-slot name.
    339: Bitmap("slot_change_ok.bmp", 67, 34, "OK of the slot move/swap dialog", btn("normal", "primary", label="OK")),
    340: Bitmap("slot_change_cancel.bmp", 67, 34, "Cancel of the slot move/swap dialog", btn("normal", label="CANCEL")),
    559: Bitmap("names_show_off.bmp", 29, 29, "show-names check: normal, hover, disabled", tick(False)),
    558: Bitmap("names_show_on.bmp", 29, 29, "show-names check: checked", tick(True)),
    606: Bitmap("names_list_background.bmp", 64, 22, "student-name list background tile", list_tile),
    543: Bitmap("names_decoration.bmp", 437, 4, "decorative rule under the section headers",
                rule(ACCENT, (2, 120, 134)), 8),
    565: Bitmap("name_decoration.bmp", 437, 44, "panel behind the name row",
                section_panel((28, 34, 46), (52, 62, 82), DIALOG_BG), 8),

    # Pen toolbar (bitmaps: normal, hover, disabled, pressed/checked).
    625: Bitmap("pen_close.bmp", 39, 34, "pen toolbar close, all states",
                lambda c: flat_glyph(c, g.close, (255, 255, 255), PEN_BAND)),
    616: Bitmap("pen_touch_normal.bmp", 50, 48, "touch mode: normal", pen("normal", g.pointer)),
    618: Bitmap("pen_touch_hover.bmp", 50, 48, "touch mode: hover", pen("hover", g.pointer)),
    617: Bitmap("pen_touch_checked.bmp", 50, 48, "touch mode: checked", pen("pressed", g.pointer)),
    619: Bitmap("pen_mode_normal.bmp", 50, 48, "pen mode: normal", pen("normal", g.pen)),
    621: Bitmap("pen_mode_hover.bmp", 50, 48, "pen mode: hover", pen("hover", g.pen)),
    620: Bitmap("pen_mode_checked.bmp", 50, 48, "pen mode: checked", pen("pressed", g.pen)),
    622: Bitmap("pen_board_normal.bmp", 50, 48, "whiteboard mode: normal", pen("normal", g.board)),
    624: Bitmap("pen_board_hover.bmp", 50, 48, "whiteboard mode: hover", pen("hover", g.board)),
    623: Bitmap("pen_board_checked.bmp", 50, 48, "whiteboard mode: checked", pen("pressed", g.board)),
    650: Bitmap("pen_draw_normal.bmp", 48, 44, "draw tool: normal", pen("normal", g.pen)),
    652: Bitmap("pen_draw_hover.bmp", 48, 44, "draw tool: hover", pen("hover", g.pen)),
    651: Bitmap("pen_draw_checked.bmp", 48, 44, "draw tool: checked", pen("pressed", g.pen)),
    647: Bitmap("pen_erase_normal.bmp", 48, 44, "eraser tool: normal", pen("normal", g.eraser)),
    649: Bitmap("pen_erase_hover.bmp", 48, 44, "eraser tool: hover", pen("hover", g.eraser)),
    648: Bitmap("pen_erase_checked.bmp", 48, 44, "eraser tool: checked", pen("pressed", g.eraser)),
    683: Bitmap("pen_clear_normal.bmp", 48, 44, "clear all strokes: normal", pen("normal", g.trash)),
    685: Bitmap("pen_clear_hover.bmp", 48, 44, "clear all strokes: hover", pen("hover", g.trash)),
    684: Bitmap("pen_clear_pressed.bmp", 48, 44, "clear all strokes: pressed", pen("pressed", g.trash)),
    653: Bitmap("pen_width1_normal.bmp", 76, 34, "pen width 2 px: normal", stroke("normal", 2)),
    655: Bitmap("pen_width1_hover.bmp", 76, 34, "pen width 2 px: hover", stroke("hover", 2)),
    654: Bitmap("pen_width1_checked.bmp", 76, 34, "pen width 2 px: checked", stroke("pressed", 2)),
    656: Bitmap("pen_width2_normal.bmp", 76, 34, "pen width 5 px: normal", stroke("normal", 5)),
    658: Bitmap("pen_width2_hover.bmp", 76, 34, "pen width 5 px: hover", stroke("hover", 5)),
    657: Bitmap("pen_width2_checked.bmp", 76, 34, "pen width 5 px: checked", stroke("pressed", 5)),
    659: Bitmap("pen_width3_normal.bmp", 76, 34, "pen width 8 px: normal", stroke("normal", 8)),
    661: Bitmap("pen_width3_hover.bmp", 76, 34, "pen width 8 px: hover", stroke("hover", 8)),
    660: Bitmap("pen_width3_checked.bmp", 76, 34, "pen width 8 px: checked", stroke("pressed", 8)),
    662: Bitmap("pen_width4_normal.bmp", 76, 34, "pen width 11 px: normal", stroke("normal", 11)),
    664: Bitmap("pen_width4_hover.bmp", 76, 34, "pen width 11 px: hover", stroke("hover", 11)),
    663: Bitmap("pen_width4_checked.bmp", 76, 34, "pen width 11 px: checked", stroke("pressed", 11)),
    629: Bitmap("pen_black_normal.bmp", 38, 46, "near-black: normal", swatch("normal", (20, 20, 20))),
    631: Bitmap("pen_black_hover.bmp", 38, 46, "near-black: hover", swatch("hover", (20, 20, 20))),
    630: Bitmap("pen_black_checked.bmp", 38, 46, "near-black: checked", swatch("pressed", (20, 20, 20))),
    635: Bitmap("pen_red_normal.bmp", 38, 46, "red: normal", swatch("normal", (230, 0, 0))),
    637: Bitmap("pen_red_hover.bmp", 38, 46, "red: hover", swatch("hover", (230, 0, 0))),
    636: Bitmap("pen_red_checked.bmp", 38, 46, "red: checked", swatch("pressed", (230, 0, 0))),
    632: Bitmap("pen_blue_normal.bmp", 38, 46, "blue: normal", swatch("normal", (0, 0, 230))),
    634: Bitmap("pen_blue_hover.bmp", 38, 46, "blue: hover", swatch("hover", (0, 0, 230))),
    633: Bitmap("pen_blue_checked.bmp", 38, 46, "blue: checked", swatch("pressed", (0, 0, 230))),
    638: Bitmap("pen_grey_normal.bmp", 38, 46, "light grey: normal", swatch("normal", (230, 230, 230))),
    640: Bitmap("pen_grey_hover.bmp", 38, 46, "light grey: hover", swatch("hover", (230, 230, 230))),
    639: Bitmap("pen_grey_checked.bmp", 38, 46, "light grey: checked", swatch("pressed", (230, 230, 230))),
    680: Bitmap("pen_yellow_normal.bmp", 38, 46, "yellow: normal", swatch("normal", (230, 230, 0))),
    682: Bitmap("pen_yellow_hover.bmp", 38, 46, "yellow: hover", swatch("hover", (230, 230, 0))),
    681: Bitmap("pen_yellow_checked.bmp", 38, 46, "yellow: checked", swatch("pressed", (230, 230, 0))),
    677: Bitmap("pen_violet_normal.bmp", 38, 46, "violet: normal", swatch("normal", (230, 51, 204))),
    679: Bitmap("pen_violet_hover.bmp", 38, 46, "violet: hover", swatch("hover", (230, 51, 204))),
    678: Bitmap("pen_violet_checked.bmp", 38, 46, "violet: checked", swatch("pressed", (230, 51, 204))),
    674: Bitmap("pen_green_normal.bmp", 38, 46, "green: normal", swatch("normal", (0, 230, 0))),
    676: Bitmap("pen_green_hover.bmp", 38, 46, "green: hover", swatch("hover", (0, 230, 0))),
    675: Bitmap("pen_green_checked.bmp", 38, 46, "green: checked", swatch("pressed", (0, 230, 0))),
    671: Bitmap("pen_teal_normal.bmp", 38, 46, "teal: normal", swatch("normal", (27, 183, 199))),
    673: Bitmap("pen_teal_hover.bmp", 38, 46, "teal: hover", swatch("hover", (27, 183, 199))),
    672: Bitmap("pen_teal_checked.bmp", 38, 46, "teal: checked", swatch("pressed", (27, 183, 199))),
    719: Bitmap("pen_prev_normal.bmp", 40, 40, "previous page: normal, pressed", pen("normal", LEFT)),
    721: Bitmap("pen_prev_hover.bmp", 40, 40, "previous page: hover", pen("hover", LEFT)),
    720: Bitmap("pen_prev_disabled.bmp", 40, 40, "previous page: disabled",
                pen("disabled", LEFT)),
    722: Bitmap("pen_next_normal.bmp", 40, 40, "next page: normal, pressed",
                pen("normal", RIGHT)),
    724: Bitmap("pen_next_hover.bmp", 40, 40, "next page: hover", pen("hover", RIGHT)),
    723: Bitmap("pen_next_disabled.bmp", 40, 40, "next page: disabled",
                pen("disabled", RIGHT)),
    626: Bitmap("pen_halftone_normal.bmp", 40, 40, "semi-transparent drawing: normal", pen("normal", g.half_tone)),
    628: Bitmap("pen_halftone_hover.bmp", 40, 40, "semi-transparent drawing: hover", pen("hover", g.half_tone)),
    627: Bitmap("pen_halftone_checked.bmp", 40, 40, "semi-transparent drawing: checked", pen("pressed", g.half_tone)),
    665: Bitmap("pen_save_normal.bmp", 40, 40, "save to file: normal", pen("normal", g.floppy)),
    667: Bitmap("pen_save_hover.bmp", 40, 40, "save to file: hover", pen("hover", g.floppy)),
    666: Bitmap("pen_save_pressed.bmp", 40, 40, "save to file: pressed", pen("pressed", g.floppy)),

    # File transfer dialog.
    584: Bitmap("ft_combo_arrow_normal.bmp", 18, 16, "destination drop-down arrow: normal", combo_arrow(False)),
    585: Bitmap("ft_combo_arrow_pressed.bmp", 18, 16, "destination drop-down arrow: pressed", combo_arrow(True)),
    586: Bitmap("ft_files_header.bmp", 212, 35, "header cell above the files-to-send list", header_cell, 8),
    587: Bitmap("ft_students_header.bmp", 212, 35, "header cell above the student list", header_cell, 8),
    588: Bitmap("ft_check_images.bmp", 34, 17, "check images 17 x 17: unticked, ticked; mask RGB(250,250,250)",
                check_images(TRANSFER_LIST_BG, 13)),
    593: Bitmap("ft_destination_panel.bmp", 524, 28, "panel behind the destination row",
                section_panel((58, 64, 78), (96, 104, 120), TRANSFER_BG, radius=4), 8),
    594: Bitmap("ft_status_panel.bmp", 708, 180, "panel behind the status list",
                section_panel((52, 58, 72), (96, 104, 120), TRANSFER_BG, (40, 46, 58), 26), 8),
    591: Bitmap("ft_check_all_normal.bmp", 17, 17, "tick all: normal",
                btn("normal", glyph=g.double_check, bg=TRANSFER_BG)),
    592: Bitmap("ft_check_all_hover.bmp", 17, 17, "tick all: hover",
                btn("hover", glyph=g.double_check, bg=TRANSFER_BG)),
    595: Bitmap("ft_delete_path_normal.bmp", 63, 27, "delete path: normal",
                btn("normal", label="DELETE", bg=TRANSFER_BG)),
    596: Bitmap("ft_delete_path_hover.bmp", 63, 27, "delete path: hover", btn("hover", label="DELETE", bg=TRANSFER_BG)),
    599: Bitmap("ft_overwrite_off.bmp", 29, 29, "overwrite check: normal, hover, disabled", tick(False, TRANSFER_BG)),
    598: Bitmap("ft_overwrite_on.bmp", 29, 29, "overwrite check: checked", tick(True, TRANSFER_BG)),
    600: Bitmap("ft_close_normal.bmp", 67, 34, "Close: normal, disabled", btn("normal", label="CLOSE", bg=TRANSFER_BG)),
    601: Bitmap("ft_close_hover.bmp", 67, 34, "Close: hover, pressed", btn("hover", label="CLOSE", bg=TRANSFER_BG)),
    602: Bitmap("ft_start_normal.bmp", 90, 34, "Start: normal", btn("normal", "primary", g.send, "START", TRANSFER_BG)),
    603: Bitmap("ft_start_hover.bmp", 90, 34, "Start: hover, pressed",
                btn("hover", "primary", g.send, "START", TRANSFER_BG)),
    717: Bitmap("ft_start_disabled.bmp", 90, 34, "Start: disabled",
                btn("disabled", "primary", g.send, "START", TRANSFER_BG)),
    604: Bitmap("ft_stop_normal.bmp", 90, 34, "Stop: normal", btn("normal", "danger", g.stop, "STOP", TRANSFER_BG)),
    605: Bitmap("ft_stop_hover.bmp", 90, 34, "Stop: hover, pressed",
                btn("hover", "danger", g.stop, "STOP", TRANSFER_BG)),
    718: Bitmap("ft_stop_disabled.bmp", 90, 34, "Stop: disabled",
                btn("disabled", "danger", g.stop, "STOP", TRANSFER_BG)),
    607: Bitmap("ft_remove_normal.bmp", 27, 69, "remove file (<): normal",
                btn("normal", glyph=BACKWARD, bg=TRANSFER_BG)),
    608: Bitmap("ft_remove_hover.bmp", 27, 69, "remove file (<): hover",
                btn("hover", glyph=BACKWARD, bg=TRANSFER_BG)),
    609: Bitmap("ft_add_normal.bmp", 27, 69, "add file (>): normal",
                btn("normal", glyph=FORWARD, bg=TRANSFER_BG)),
    610: Bitmap("ft_add_hover.bmp", 27, 69, "add file (>): hover",
                btn("hover", glyph=FORWARD, bg=TRANSFER_BG)),
}

GIFS = {
    131: Gif("login_spinner.gif", 48, 48, "login-server splash spinner, loops", 12),
    785: Gif("random_pick.gif", 600, 600, "random-pick wheel on the colour key RGB(71,234,72), plays once", 20),
}

ICONS = {
    128: Icon("lumora.ico", (16, 32, 48), "program icon"),
}

CURSORS = {
    392: Cursor("pen.cur", 32, (4, 27), "pen of the drawing overlay"),
    404: Cursor("eraser.cur", 32, (15, 15), "eraser of the drawing overlay"),
}

# Teacher toolbar buttons: four bitmaps from a base id (normal, hover, disabled, pressed), the
# order the image buttons take them in. The panel switches and the rotate and quiz buttons sit in
# the toolbar's corner column and are smaller.
TOOLBAR_BUTTONS = [
    (7100, "share", g.broadcast, None, 52),
    (7104, "collect", g.eye, None, 52),
    (7108, "monitoring", g.monitor, None, 52),
    (7112, "presentation", g.presenter, None, 52),
    (7116, "file_transfer", g.send, None, 52),
    (7120, "inbox", g.floppy, None, 52),
    (7124, "pen_tool", g.pen, None, 52),
    (7128, "touch", g.touch, None, 52),
    (7132, "grid_layout", g.half_tone, None, 52),
    (7136, "monitor_settings", g.camera, None, 52),
    (7140, "student_names", g.people, None, 52),
    (7144, "settings", g.padlock, None, 52),
    (7148, "remote_control", g.pointer, None, 52),
    (7152, "chat", g.bubble, None, 52),
    (7156, "touch_control", g.touch, None, 52),
    (7160, "log", g.board, None, 52),
    (7164, "panel_class", None, "1", 42),
    (7168, "panel_student", None, "2", 42),
    (7172, "panel_settings", None, "3", 42),
    (7176, "rotate", g.cycle, None, 42),
    (7180, "quiz", g.question, None, 42),
]
for _base, _name, _glyph, _label, _side in TOOLBAR_BUTTONS:
    for _k, _state in enumerate(("normal", "hover", "disabled", "pressed")):
        BITMAPS[_base + _k] = Bitmap(f"tb_{_name}_{_state}.bmp", _side, _side, f"toolbar {_name}: {_state}",
                                     btn(_state, glyph=_glyph, label=_label))

# The quiz panel's buttons (four bitmaps from a base id, as above). The panel letters them with
# the string table's texts in its own font, so the bitmaps carry no label: the wide ones stand in
# a column, the small ones in the row under it.
QUIZ_BUTTONS = [
    (7200, "quiz_wide", 141, 26),
    (7204, "quiz_small", 41, 30),
]
for _base, _name, _width, _height in QUIZ_BUTTONS:
    for _k, _state in enumerate(("normal", "hover", "disabled", "pressed")):
        BITMAPS[_base + _k] = Bitmap(f"{_name}_{_state}.bmp", _width, _height, f"{_name} button: {_state}",
                                     btn(_state))
