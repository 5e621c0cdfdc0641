"""Mouse and keyboard through the X server's test extension (XTest): the X pointer moves and the
buttons and keys go down and up as a real device's do, and Wine reads them from the X server as it
reads a user's. libX11 and libXtst through ctypes.

Wine takes a button or key in only when the program whose X window received it reads its X
events; the UI driver tells when that has happened (UiDriver waits for it after every press and
release, so the next event of a gesture follows as a hand's does)."""

import ctypes

LEFT, MIDDLE, RIGHT, WHEEL_UP, WHEEL_DOWN = 1, 2, 3, 4, 5

_NO_SYMBOL = 0
_LENDABLE = 4
_REVERT_TO_POINTER_ROOT = 1
_SHIFT_L, _CONTROL_L, _ALT_L = 0xFFE1, 0xFFE3, 0xFFE9

# Virtual-key codes of the keys the tests press, and the X key symbol of each.
_VK_KEYSYMS = {
    0x08: 0xFF08, 0x09: 0xFF09, 0x0D: 0xFF0D, 0x10: _SHIFT_L, 0x11: _CONTROL_L, 0x12: _ALT_L,
    0x14: 0xFFE5, 0x1B: 0xFF1B, 0x20: 0x0020, 0x21: 0xFF55, 0x22: 0xFF56, 0x23: 0xFF57, 0x24: 0xFF50,
    0x25: 0xFF51, 0x26: 0xFF52, 0x27: 0xFF53, 0x28: 0xFF54, 0x2D: 0xFF63, 0x2E: 0xFFFF, 0x5B: 0xFFEB,
    0x5D: 0xFF67,
    **{vk: vk for vk in range(0x30, 0x3A)},                       # 0-9
    **{vk: vk + 0x20 for vk in range(0x41, 0x5B)},                # A-Z: the unshifted letter
    **{0x70 + n: 0xFFBE + n for n in range(12)},                  # F1-F12
}
VK_SHIFT, VK_CONTROL, VK_MENU = 0x10, 0x11, 0x12


class XInputError(Exception):
    """The X server refused the extension or has no key for what was asked."""


def keysym_of_vk(vk):
    keysym = _VK_KEYSYMS.get(vk)
    if keysym is None:
        raise XInputError(f"no X key is known for the virtual key 0x{vk:02x}")
    return keysym


def keysym_of_char(char):
    """The X key symbol that types a character: Latin-1 ones are their own code, the rest are
    Unicode symbols (0x1000000 + code point)."""
    code = ord(char)
    if char == "\n" or char == "\r":
        return 0xFF0D
    if char == "\t":
        return 0xFF09
    if 0x20 <= code <= 0x7E or 0xA0 <= code <= 0xFF:
        return code
    return 0x1000000 | code


class XInput:
    """One connection to the X server for faked input. Characters without a key in the server's
    keymap are typed on a spare key code lent that symbol (as input tools do); the keymap is put
    back on close()."""

    def __init__(self, screen):
        """screen: the harness's XScreen, whose connection the input goes through (so that a press
        can be checked and sent while the server is held for it: XScreen.held)."""
        x = screen.xlib
        try:
            xtest = ctypes.CDLL("libXtst.so.6")
        except OSError as error:
            raise XInputError(f"libXtst.so.6 is missing (Debian: libxtst6): {error}") from None
        x.XAutoRepeatOff.argtypes = [ctypes.c_void_p]
        x.XDisplayKeycodes.argtypes = [ctypes.c_void_p, ctypes.POINTER(ctypes.c_int), ctypes.POINTER(ctypes.c_int)]
        x.XGetKeyboardMapping.restype = ctypes.POINTER(ctypes.c_ulong)
        x.XGetKeyboardMapping.argtypes = [ctypes.c_void_p, ctypes.c_ubyte, ctypes.c_int, ctypes.POINTER(ctypes.c_int)]
        x.XChangeKeyboardMapping.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int,
                                             ctypes.POINTER(ctypes.c_ulong), ctypes.c_int]
        x.XFree.argtypes = [ctypes.c_void_p]
        x.XSetInputFocus.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_ulong]
        xtest.XTestQueryExtension.argtypes = [ctypes.c_void_p] + [ctypes.POINTER(ctypes.c_int)] * 4
        xtest.XTestFakeRelativeMotionEvent.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int, ctypes.c_ulong]
        xtest.XTestFakeButtonEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]
        xtest.XTestFakeKeyEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]
        self._x, self._xtest, self._screen = x, xtest, screen
        self._display = screen.display
        numbers = [ctypes.c_int() for _ in range(4)]
        if not xtest.XTestQueryExtension(self._display, *map(ctypes.byref, numbers)):
            raise XInputError("the X server has no XTest extension")
        # A key held while Wine is busy must not repeat: a hand's key goes down once.
        x.XAutoRepeatOff(self._display)
        self._keymap, self._per_code = self._read_keymap()
        # Wine gives an unknown symbol's key a virtual key of its own only while its pool lasts,
        # handed out from the lowest key code up: the lowest few spare codes are lent.
        self._spare = [code for code, symbols in sorted(self._keymap.items()) if not any(symbols)][:_LENDABLE]
        self._lent = {}

    def _read_keymap(self):
        low, high = ctypes.c_int(), ctypes.c_int()
        self._x.XDisplayKeycodes(self._display, ctypes.byref(low), ctypes.byref(high))
        per = ctypes.c_int()
        count = high.value - low.value + 1
        table = self._x.XGetKeyboardMapping(self._display, low.value, count, ctypes.byref(per))
        keymap = {low.value + i: [table[i * per.value + j] for j in range(per.value)] for i in range(count)}
        self._x.XFree(table)
        return keymap, per.value

    def move(self, x, y):
        """Moves the pointer to a screen point by the distance from where it is, as a mouse reports
        its moves. While Wine confines the pointer (a window filling the screen was pressed on),
        it also reads each move from the device's raw event as a distance: a move sent as a
        place would count that place again as a distance and show a point far off."""
        here = self._screen.pointer()
        if (x, y) != here:
            self._xtest.XTestFakeRelativeMotionEvent(self._display, x - here[0], y - here[1], 0)
        self._x.XSync(self._display, 0)

    def button(self, number, down):
        self._xtest.XTestFakeButtonEvent(self._display, number, bool(down), 0)
        self._x.XSync(self._display, 0)

    def focus(self, window):
        """Gives the X window the input focus (the pointer's window takes it back when it goes)."""
        self._x.XSetInputFocus(self._display, window, _REVERT_TO_POINTER_ROOT, 0)
        self._x.XSync(self._display, 0)

    def key(self, code, down):
        self._xtest.XTestFakeKeyEvent(self._display, code, bool(down), 0)
        self._x.XSync(self._display, 0)

    def key_for(self, keysym):
        """(key code, whether Shift must be held) that produce keysym; a spare code is lent to a
        symbol the keymap lacks."""
        for code, symbols in self._keymap.items():
            if symbols[:1] == [keysym]:
                return code, False
        for code, symbols in self._keymap.items():
            if symbols[1:2] == [keysym]:
                return code, True
        return self._lend(keysym), False

    def _lend(self, keysym):
        if keysym in self._lent:
            return self._lent[keysym]
        if not self._spare:
            raise XInputError("the X keymap has no spare key code left to type on")
        # The oldest loan gives its code back once all are taken.
        code = self._spare.pop(0)
        for lent_symbol, lent_code in list(self._lent.items()):
            if lent_code == code:
                del self._lent[lent_symbol]
        self._set_symbols(code, keysym)
        self._lent[keysym] = code
        self._spare.append(code)
        return code

    def _set_symbols(self, code, keysym):
        symbols = (ctypes.c_ulong * self._per_code)(*([keysym, keysym] + [_NO_SYMBOL] * (self._per_code - 2)))
        self._x.XChangeKeyboardMapping(self._display, code, self._per_code, symbols, 1)
        self._x.XSync(self._display, 0)

    def close(self):
        """Gives the lent key codes back (the connection is the XScreen's)."""
        for code in set(self._lent.values()):
            self._set_symbols(code, _NO_SYMBOL)
        self._lent = {}
