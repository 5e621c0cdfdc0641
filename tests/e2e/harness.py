"""Generic pieces of the end-to-end tests: the Wine environment the test script set up, programs
started under Wine, the UI driver (tests/tools/uidriver.exe in batch mode) with a user's mouse and
keys sent through the X server (xinput.py), the X screen as the X server shows it, BMP pictures
and a polling helper. Standard library only (libX11 and libXtst through ctypes)."""

import contextlib
import ctypes
import itertools
import json
import os
import queue
import shutil
import signal
import struct
import subprocess
import threading
import time
import unittest
from pathlib import Path

import xinput

REPO = Path(__file__).resolve().parents[2]
ARTIFACTS = REPO / "build" / "test-artifacts"


class HarnessError(Exception):
    """The test environment or a helper process failed (not the program under test)."""


class UiDriverError(HarnessError):
    """The driver answered a command with a failure (code 1: not found or timed out, 2: usage)."""

    def __init__(self, command, answer):
        self.command = command
        self.answer = answer
        self.code = answer.get("code")
        super().__init__(f"{command}: {answer.get('error', answer)} (code {self.code})")


def wait_until(predicate, timeout=20.0, interval=0.05, message=None):
    """Polls predicate until it returns something true and returns that; TimeoutError after timeout s."""
    deadline = time.monotonic() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() >= deadline:
            raise TimeoutError(message or f"condition not met within {timeout} s")
        time.sleep(interval)


def artifact_path(name):
    """A path under build/test-artifacts/ (created) for pictures and logs a failed run leaves behind."""
    ARTIFACTS.mkdir(parents=True, exist_ok=True)
    return ARTIFACTS / name


def save_artifact(name, content):
    """Keeps content (bytes, or the path of a file to copy) as build/test-artifacts/name."""
    target = artifact_path(name)
    data = content if isinstance(content, (bytes, bytearray)) else Path(content).read_bytes()
    target.write_bytes(data)
    return target


class WineEnv:
    """WINEPREFIX, DISPLAY and LUMORA_BUILD as scripts/test (or a developer) exported them."""

    def __init__(self, environ=None):
        environ = os.environ if environ is None else environ
        self.prefix = environ.get("WINEPREFIX", "")
        self.display = environ.get("DISPLAY", "")
        build = Path(environ.get("LUMORA_BUILD") or REPO / "build" / "win32")
        self.build = build if build.is_absolute() else REPO / build
        self._environ = dict(environ)
        self._windows_dirs = {}

    def require(self):
        """Skips the calling test when there is no Wine set-up at all; fails when the build is missing."""
        if not self.prefix or not self.display:
            raise unittest.SkipTest("WINEPREFIX and DISPLAY are not set (run through scripts/test)")
        driver = self.tool_path("uidriver")
        if not driver.is_file():
            raise HarnessError(f"{driver} is missing: build first (LUMORA_BUILD={self.build})")

    def env(self):
        """The environment for a Wine process."""
        env = dict(self._environ)
        env.setdefault("WINEARCH", "win32")
        env.setdefault("WINEDEBUG", "-all")
        env.setdefault("WINEDLLOVERRIDES", "winemenubuilder.exe=d;mscoree=d;mshtml=d")
        return env

    def tool_path(self, name):
        return self.build / "tests" / "tools" / f"{name}.exe"

    def windows_path(self, path):
        """The Windows form of a Unix path (winepath -w, asked once per folder)."""
        path = Path(path).absolute()
        folder = str(path.parent)
        if folder not in self._windows_dirs:
            result = subprocess.run(["winepath", "-w", folder], env=self.env(), capture_output=True,
                                    text=True, timeout=60)
            converted = result.stdout.strip()
            if result.returncode != 0 or not converted:
                raise HarnessError(f"winepath -w {folder} failed: {result.stderr.strip()}")
            self._windows_dirs[folder] = converted.rstrip("\\")
        return self._windows_dirs[folder] + "\\" + path.name


_log_numbers = itertools.count(1)
_grab_numbers = itertools.count(1)


class Program(subprocess.Popen):
    """A Popen of a program under Wine, in its own process group; stop() ends it and whatever it
    started (Wine starts a Windows child process as a Unix child in the same group)."""

    log_path = None

    def running(self):
        return self.poll() is None

    def stop(self, grace=3.0):
        """SIGTERM to the group, SIGKILL to whatever is left after grace seconds; returns the exit status."""
        self._signal_group(signal.SIGTERM)
        try:
            self.wait(timeout=grace)
        except subprocess.TimeoutExpired:
            pass
        self._signal_group(signal.SIGKILL)
        try:
            return self.wait(timeout=10)
        finally:
            for stream in (self.stdin, self.stdout, self.stderr):
                if stream:
                    stream.close()

    def _signal_group(self, sig):
        try:
            os.killpg(self.pid, sig)
        except (ProcessLookupError, PermissionError):
            pass

    def __exit__(self, *exc):
        self.stop()


def start_program(exe_path, args=(), cwd=None, wine_env=None, **popen_args):
    """Starts exe_path under Wine in a new process group and returns its Program (a Popen).
    Arguments are passed as given: convert paths with WineEnv.windows_path first. Output goes to
    build/test-artifacts/<exe>-<n>.log unless popen_args say otherwise."""
    wine_env = wine_env or WineEnv()
    exe_path = Path(exe_path)
    log_path = artifact_path(f"{exe_path.stem.replace(' ', '_')}-{next(_log_numbers)}.log")
    popen_args.setdefault("stdin", subprocess.DEVNULL)
    with open(log_path, "wb") as log:
        popen_args.setdefault("stdout", log)
        popen_args.setdefault("stderr", subprocess.STDOUT if popen_args["stdout"] is log else log)
        program = Program(["wine", str(exe_path), *map(str, args)], cwd=cwd, env=wine_env.env(),
                          start_new_session=True, **popen_args)
    program.log_path = log_path
    return program


class NotOnScreenError(HarnessError):
    """A gesture's target is not what a user would see and reach at the point."""


class _XImage(ctypes.Structure):
    _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
                ("format", ctypes.c_int), ("data", ctypes.c_void_p), ("byte_order", ctypes.c_int),
                ("bitmap_unit", ctypes.c_int), ("bitmap_bit_order", ctypes.c_int), ("bitmap_pad", ctypes.c_int),
                ("depth", ctypes.c_int), ("bytes_per_line", ctypes.c_int), ("bits_per_pixel", ctypes.c_int),
                ("red_mask", ctypes.c_ulong), ("green_mask", ctypes.c_ulong), ("blue_mask", ctypes.c_ulong)]


_X_ERROR_HANDLER = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p, ctypes.c_void_p)


class XScreen:
    """The X server's own view of the screen: which X windows lie at a point and the pixels it
    shows there. Wine decides by its own z-order which window a click reaches; only the X server
    knows what a user sees."""

    _ZPIXMAP = 2

    def __init__(self, display):
        x = ctypes.CDLL("libX11.so.6")
        x.XOpenDisplay.restype = ctypes.c_void_p
        x.XOpenDisplay.argtypes = [ctypes.c_char_p]
        x.XDefaultRootWindow.restype = ctypes.c_ulong
        x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        x.XDisplayWidth.argtypes = x.XDisplayHeight.argtypes = [ctypes.c_void_p, ctypes.c_int]
        x.XGetImage.restype = ctypes.POINTER(_XImage)
        x.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int, ctypes.c_uint,
                                ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
        x.XDestroyImage.argtypes = [ctypes.POINTER(_XImage)]
        x.XTranslateCoordinates.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong, ctypes.c_int,
                                            ctypes.c_int, ctypes.POINTER(ctypes.c_int), ctypes.POINTER(ctypes.c_int),
                                            ctypes.POINTER(ctypes.c_ulong)]
        x.XSetErrorHandler.argtypes = [_X_ERROR_HANDLER]
        x.XCloseDisplay.argtypes = [ctypes.c_void_p]
        x.XUnmapWindow.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
        x.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
        x.XGrabServer.argtypes = x.XUngrabServer.argtypes = [ctypes.c_void_p]
        x.XQueryPointer.argtypes = [ctypes.c_void_p, ctypes.c_ulong] + [ctypes.POINTER(ctypes.c_ulong)] * 2 + \
            [ctypes.POINTER(ctypes.c_int)] * 4 + [ctypes.POINTER(ctypes.c_uint)]
        self._x = x
        self._display = x.XOpenDisplay(display.encode())
        if not self._display:
            raise HarnessError(f"cannot open X display {display!r}")
        # Xlib's default handler ends the process on any error; a window that went away meanwhile
        # is no reason to.
        self._on_error = _X_ERROR_HANDLER(lambda display, event: 0)
        x.XSetErrorHandler(self._on_error)
        self._root = x.XDefaultRootWindow(self._display)
        self.size = (x.XDisplayWidth(self._display, 0), x.XDisplayHeight(self._display, 0))

    def windows_at(self, x, y):
        """The X windows that contain the screen point, top level first, innermost last (mapped
        windows only, the top-most where they overlap)."""
        chain = []
        window = self._root
        child = ctypes.c_ulong(0)
        tx, ty = ctypes.c_int(), ctypes.c_int()
        while self._x.XTranslateCoordinates(self._display, self._root, window, x, y, ctypes.byref(tx),
                                            ctypes.byref(ty), ctypes.byref(child)) and child.value:
            window = child.value
            chain.append(window)
        return chain

    @property
    def xlib(self):
        return self._x

    @property
    def display(self):
        return self._display

    @contextlib.contextmanager
    def held(self):
        """The server serves only this connection meanwhile: nothing another program asks (a window
        raised, mapped or moved) comes between a look at the screen and the input sent on it."""
        self._x.XGrabServer(self._display)
        try:
            yield
        finally:
            self._x.XUngrabServer(self._display)
            self._x.XSync(self._display, 0)

    def pointer(self):
        """Where the X server's pointer is, in screen coordinates."""
        root, child = ctypes.c_ulong(), ctypes.c_ulong()
        x, y, wx, wy = (ctypes.c_int() for _ in range(4))
        mask = ctypes.c_uint()
        self._x.XQueryPointer(self._display, self._root, ctypes.byref(root), ctypes.byref(child), ctypes.byref(x),
                              ctypes.byref(y), ctypes.byref(wx), ctypes.byref(wy), ctypes.byref(mask))
        return x.value, y.value

    def grab(self, box=None):
        """The pixels of box = (left, top, right, bottom) (the whole screen without one) as the X
        server shows them: an XPicture."""
        left, top, right, bottom = box or (0, 0, *self.size)
        image = self._x.XGetImage(self._display, self._root, left, top, right - left, bottom - top,
                                  0xFFFFFFFF, self._ZPIXMAP)
        if not image:
            raise HarnessError(f"the X server gave no picture of {box}")
        try:
            info = image.contents
            if info.bits_per_pixel != 32:
                raise HarnessError(f"unexpected X pixel format ({info.bits_per_pixel} bits)")
            raw = ctypes.string_at(info.data, info.bytes_per_line * info.height)
            return XPicture(raw, info.width, info.height, info.bytes_per_line)
        finally:
            self._x.XDestroyImage(image)

    def unmap(self, window):
        """Takes an X window off the screen behind Wine's back (what a lost window looks like)."""
        self._x.XUnmapWindow(self._display, window)
        self._x.XSync(self._display, 0)

    def close(self):
        if self._display:
            self._x.XCloseDisplay(self._display)
            self._display = None


class XPicture:
    """A grab of the X screen (32-bit pixels, blue first), addressed from its top-left corner."""

    def __init__(self, raw, width, height, stride):
        self.width, self.height = width, height
        self._raw, self._stride = raw, stride

    def pixel(self, x, y):
        if not (0 <= x < self.width and 0 <= y < self.height):
            raise IndexError(f"({x}, {y}) is outside {self.width}x{self.height}")
        at = y * self._stride + 4 * x
        return self._raw[at + 2], self._raw[at + 1], self._raw[at]

    def bmp(self):
        """The picture as a 24-bit BMP file's bytes."""
        stride = (self.width * 3 + 3) & ~3
        rows = []
        for y in range(self.height - 1, -1, -1):
            row = bytearray()
            line = self._raw[y * self._stride: y * self._stride + 4 * self.width]
            for x in range(0, 4 * self.width, 4):
                row += line[x:x + 3]
            rows.append(bytes(row) + b"\0" * (stride - 3 * self.width))
        pixels = b"".join(rows)
        header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
        info = struct.pack("<IiiHHIIiiII", 40, self.width, self.height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
        return header + info + pixels

    def colours(self, step=1):
        """The distinct colours of every step-th pixel of every step-th row."""
        return {self.pixel(x, y) for y in range(0, self.height, step) for x in range(0, self.width, step)}


def _quote(text):
    """One batch-line token: quoted, with the escapes the driver reads; ASCII only on the wire."""
    out = ['"']
    units = text.encode("utf-16-le")
    for i in range(0, len(units), 2):
        code = units[i] | units[i + 1] << 8
        if chr(code) in '"\\':
            out.append("\\" + chr(code))
        elif 0x20 <= code < 0x7F:
            out.append(chr(code))
        else:
            out.append(f"\\u{code:04x}")
    out.append('"')
    return "".join(out)


def _handle(window):
    """A handle as the driver writes it, from a handle string, a number or a window description."""
    if isinstance(window, dict):
        window = window["hwnd"]
    if isinstance(window, int):
        return hex(window)
    return str(window)


_VK_END, _VK_HOME, _VK_DELETE, _VK_NONAME = 0x23, 0x24, 0x2E, 0xFC


def _ms(seconds):
    return str(max(0, int(seconds * 1000)))


class UiDriver:
    """The UI driver in batch mode: one process for the whole test, one JSON answer per command.

    Windows are named by handle strings ("0x1004c") or by the descriptions the driver returns.
    A failed command raises UiDriverError; command() gives the raw answer instead."""

    def __init__(self, wine_env=None, reply_margin=30.0):
        self.wine_env = wine_env or WineEnv()
        self.wine_env.require()
        self.reply_margin = reply_margin
        self._x_screen = None
        self._x_input = None
        self._last_click = None
        self._answers = queue.Queue()
        self._program = start_program(self.wine_env.tool_path("uidriver"), ["--batch"], wine_env=self.wine_env,
                                      stdin=subprocess.PIPE, stdout=subprocess.PIPE)
        threading.Thread(target=self._read_answers, daemon=True).start()
        pong = self.call("ping", reply_timeout=120)
        self.driver_pid = pong["pid"]
        self._double_click = (pong["double_click_ms"] / 1000.0, pong["double_click_cx"] // 2,
                              pong["double_click_cy"] // 2)

    def _read_answers(self):
        try:
            for line in self._program.stdout:
                self._answers.put(line)
        except (OSError, ValueError):
            pass  # the pipe was closed by stop()
        self._answers.put(None)

    def command(self, name, reply_timeout=None, **options):
        """Sends one command and returns its answer (a dict with "ok"). Options become
        --key=value (True: --key; None or False: left out); a trailing _ in a key is dropped."""
        tokens = [name]
        for key, value in options.items():
            key = key.rstrip("_")
            if value is None or value is False:
                continue
            tokens.append(f"--{key}" if value is True else f"--{key}={value}")
        line = " ".join(_quote(token) for token in tokens) + "\n"
        if not self._program.running():
            raise HarnessError("the UI driver is not running")
        try:
            self._program.stdin.write(line.encode("ascii"))
            self._program.stdin.flush()
            answer = self._answers.get(timeout=reply_timeout or self.reply_margin)
        except (BrokenPipeError, queue.Empty) as error:
            self._program.stop()
            raise HarnessError(f"the UI driver did not answer {name}: {error!r}") from None
        if answer is None:
            raise HarnessError(f"the UI driver ended during {name}")
        return json.loads(answer)

    def call(self, name, reply_timeout=None, **options):
        answer = self.command(name, reply_timeout=reply_timeout, **options)
        if not answer.get("ok"):
            asked = " ".join([name] + [f"{key.rstrip('_')}={value!r}" for key, value in options.items()
                                       if value is not None and value is not False])
            raise UiDriverError(asked, answer)
        return answer

    def _timed(self, name, timeout, **options):
        return self.call(name, reply_timeout=timeout + self.reply_margin, timeout=_ms(timeout), **options)

    # Finding windows.
    def ping(self):
        return self.call("ping")

    def wait_window(self, cls=None, title=None, exact=False, pid=None, owner=None, visible=True, timeout=20.0):
        try:
            return self._timed("wait", timeout, class_=cls, title=title, exact=exact, pid=pid,
                               owner=owner and _handle(owner), visible=visible)["window"]
        except UiDriverError as error:
            # What was there instead says most about a window that never came.
            raise UiDriverError(f"{error.command}; {self._z_order_text()}", error.answer) from None

    def wait_gone(self, window, timeout=20.0):
        self._timed("waitgone", timeout, hwnd=_handle(window))

    def windows(self, parent=None, cls=None, title=None, exact=False, id=None, pid=None, owner=None, visible=False,
                message_only=False):
        """Top-level windows, the children of parent, or (message_only) the message-only windows."""
        return self.call("list", parent=parent and _handle(parent), class_=cls, title=title, exact=exact, id=id,
                         pid=pid, owner=owner and _handle(owner), visible=visible, message=message_only)["windows"]

    def find_child(self, parent, id=None, cls=None, text=None, exact=False, visible=False, timeout=0.0):
        return self._timed("find", timeout, parent=_handle(parent), id=id, class_=cls, text=text, exact=exact,
                           visible=visible)["window"]

    def exists(self, window):
        return self.command("state", hwnd=_handle(window)).get("ok", False)

    def shown(self, window):
        """True while the window exists and is visible (one question: it may close at any time)."""
        answer = self.command("state", hwnd=_handle(window))
        return bool(answer.get("ok") and answer["window"]["visible"])

    # Text.
    def get_text(self, window):
        return self.call("gettext", hwnd=_handle(window))["text"]

    def set_text(self, window, text):
        self.call("settext", hwnd=_handle(window), text=text)

    # Mouse and keyboard: real input through the X server (XTest) at a screen point, on a window
    # first checked to be the one under the point, in Wine's eyes and on the X screen. A real click activates its
    # window as a user's does; nothing is brought to the front behind the user's back. With
    # real_input=False the mouse messages are posted (a plain click on a button is a button message):
    # only for what no user gesture produces, said so where it is used.
    def aim(self, window, x=None, y=None):
        """Checks that a real click on window at the client point (its middle without one) reaches
        it and lands where the X screen shows it; answers the screen point and the window hit.
        NotOnScreenError names what is there instead.

        Wine maps and raises a window on the X server after it shows it, and a window just shown
        may still be placed (a bar follows its window into full screen): a box just opened reaches
        the screen a moment later, as it reaches a user's eyes. So the point is asked again, the
        window's own place with it, for a few seconds before the gesture fails."""
        deadline = time.monotonic() + 5.0
        while True:
            answer = self.command("aim", hwnd=_handle(window), x=x, y=y)
            if answer.get("ok") and self._shown_on_x_screen(answer):
                return answer
            if time.monotonic() >= deadline:
                break
            time.sleep(0.05)
        if not answer.get("ok"):
            raise NotOnScreenError(f"aim at {_handle(window)} ({x}, {y}): {answer.get('error', answer)}"
                                   f"; {self._z_order_text()}")
        hit, point = answer["hit"], (answer["x"], answer["y"])
        name = f"{hit['hwnd']} (class {hit['class']!r}, title {hit['title']!r})"
        if not answer["x11"]:
            raise NotOnScreenError(f"{name} at {point} has no X window")
        shown = self.x_screen.windows_at(*point)
        picture = self._save_x_screen()
        raise NotOnScreenError(f"the X screen at {point} shows X window {shown and hex(shown[0])}, not {name}"
                               f" (X window {hex(answer['x11'])}): it is not drawn there (see {picture});"
                               f" {self._z_order_text()}")

    def _z_order_text(self):
        """The visible top-level windows, front first, as Wine stacks them: what a failed aim met."""
        def line(w):
            marks = ("" if w["visible"] else " hidden") + (" top-most" if w.get("topmost") else "") + \
                (f" owner {w['owner']}" if w.get("owner") else "")
            return f"{w['hwnd']} {w['class'][:24]!r} {w['title'][:16]!r} {w['rect']}{marks}"
        windows = self.windows()
        hidden = sum(1 for w in windows if not w["visible"])
        return f"z-order, front first ({hidden} hidden left out): " + \
            "; ".join(line(w) for w in windows if w["visible"])

    def _shown_on_x_screen(self, aimed):
        return bool(aimed["x11"]) and aimed["x11"] in self.x_screen.windows_at(aimed["x"], aimed["y"])

    def _save_x_screen(self):
        """The X screen and its window tree (xwininfo, where installed) kept for the failure."""
        number = next(_grab_numbers)
        picture = save_artifact(f"x-screen-{number}.bmp", self.x_screen.grab().bmp())
        if shutil.which("xwininfo"):
            tree = subprocess.run(["xwininfo", "-root", "-tree", "-display", self.wine_env.display],
                                  capture_output=True, timeout=30).stdout
            save_artifact(f"x-screen-{number}-tree.txt", tree)
        return picture

    @property
    def x_screen(self):
        if self._x_screen is None:
            self._x_screen = XScreen(self.wine_env.display)
        return self._x_screen

    @property
    def x_input(self):
        if self._x_input is None:
            self._x_input = xinput.XInput(self.x_screen)
        return self._x_input

    def click(self, window, x=None, y=None, real_input=True, ctrl=False):
        """A left click at a client point of window (its middle without one); answers the window hit."""
        return self._mouse("click", window, x, y, real_input, ctrl=ctrl)

    def double_click(self, window, x=None, y=None, real_input=True, while_held=None):
        """while_held, if given, is called with the second press still down (a slower hand)."""
        return self._mouse("dblclick", window, x, y, real_input, clicks=2, while_held=while_held)

    def right_click(self, window, x=None, y=None, real_input=True):
        return self._mouse("rclick", window, x, y, real_input, button=xinput.RIGHT)

    def _mouse(self, command, window, x, y, real_input, button=xinput.LEFT, clicks=1, ctrl=False, while_held=None):
        if not real_input:
            return self.call(command, hwnd=_handle(window), x=x, y=y, ctrl=ctrl)["target"]
        aimed = self.aim(window, x, y)
        point = (aimed["x"], aimed["y"])
        self._wait_out_double_click(point, button)
        self.x_input.move(*point)
        with self._held(xinput.VK_CONTROL if ctrl else None):
            for click in range(1, clicks + 1):
                self._press(button, aimed, while_held if click == clicks else None)
        # The next gesture waits for the program to have taken this one in (a double click's
        # second press follows the first at once, as a hand's does, onto the same window).
        self._wait_capture(aimed, held=False)
        return aimed["hit"]["hwnd"]

    # The X button numbers and the virtual keys Wine keeps their state under.
    _BUTTON_KEYS = {xinput.LEFT: 0x01, xinput.RIGHT: 0x02, xinput.MIDDLE: 0x04}

    def _press(self, button, aimed, while_held=None):
        """One press and release of a mouse button where the pointer is, each taken in by Wine
        before the next; remembered for the double-click pairing."""
        with self._button_down(button, aimed):
            if button == xinput.LEFT and aimed["hit"]["class"].lower() == "button":
                # A button takes the capture when its thread handles the press: by then the presses
                # before it have been handled too, and none of them can take this one.
                self._wait_capture(aimed, held=True)
            if while_held:
                while_held()
        self._last_click = (button, (aimed["x"], aimed["y"]), time.monotonic())

    @contextlib.contextmanager
    def _button_down(self, button, aimed):
        """A mouse button pressed on the aimed window for the body of the with, then let go, each
        taken in by Wine. A gesture that fails half way lets go too: the X server keeps a button
        down until it is released, and a press of a button held down reaches no program, so every
        later gesture of the run would be lost."""
        vk = self._BUTTON_KEYS[button]
        try:
            self._send_until(lambda: self._press_on(button, aimed), lambda down: vk in down)
            yield
        except BaseException:
            self.x_input.button(button, False)
            raise
        self._send_until(lambda: self.x_input.button(button, False), lambda down: vk not in down)

    def _wait_capture(self, aimed, held, timeout=10.0):
        """Waits until the window a press went to holds the mouse capture (held) or no longer
        does. A window takes the capture when its thread handles the press and lets it go with
        the release; until then that thread's mouse input all goes to it, so the next gesture
        waits for the program to have taken the last one in, as a hand's does."""
        hit = aimed["hit"]["hwnd"]
        answer = {}

        def settled():
            answer.update(self.command("mousecapture", hwnd=hit))
            return not answer.get("ok") or (answer["capture"] == hit) == held   # a window gone holds nothing
        try:
            wait_until(settled, timeout=timeout, interval=0.02)
        except TimeoutError:
            raise TimeoutError(f"{hit} ({aimed['hit']['class']!r}) {'never took' if held else 'kept'} the mouse"
                               f" capture (its thread: {answer}); {self._z_order_text()}") from None

    def _press_on(self, button, aimed, timeout=5.0):
        """Presses a button on the aimed window's X window, looked at again with the server held:
        the console restacks its windows on X after a change of focus, one at a time, and the X
        server gives a press to the window it shows at the pointer at that moment (the release
        goes where the press went)."""
        point = (aimed["x"], aimed["y"])
        deadline = time.monotonic() + timeout
        while True:
            with self.x_screen.held():
                if aimed["x11"] in self.x_screen.windows_at(*point):
                    self.x_input.button(button, True)
                    return
            if time.monotonic() >= deadline:
                raise NotOnScreenError(f"the X screen at {point} no longer shows the window aimed at"
                                       f" ({aimed['hit']['hwnd']}); {self._z_order_text()}")
            time.sleep(0.02)

    def _send_until(self, send, reached, timeout=20.0):
        """Sends one X event and waits until the keys and buttons Wine has down show it arrived
        (the driver answers when they change)."""
        down = self.call("keys")["down"]
        send()
        deadline = time.monotonic() + timeout
        while not reached(set(down)):
            left = deadline - time.monotonic()
            if left <= 0:
                raise HarnessError(f"Wine did not take in the X input within {timeout} s (down: {down})")
            down = self._timed("keys", left, from_=",".join(map(str, down)))["down"]
        return set(down)

    def _wait_out_double_click(self, point, button):
        """Two separate clicks of a user on one spot are further apart than the double-click time;
        pressed again inside it, the window would get the second as a double click (a right one
        opens no menu, a left one acts twice)."""
        if not self._last_click:
            return
        last_button, (lx, ly), at = self._last_click
        limit, dx, dy = self._double_click
        if last_button == button and abs(point[0] - lx) <= dx and abs(point[1] - ly) <= dy:
            time.sleep(max(0.0, at + limit + 0.05 - time.monotonic()))

    @contextlib.contextmanager
    def _held(self, vk):
        """A modifier key held down around a gesture (none for None)."""
        if vk:
            self._key(vk, True)
        try:
            yield
        finally:
            if vk:
                self._key(vk, False)

    def _key(self, vk, down):
        code = self.x_input.key_for(xinput.keysym_of_vk(vk))[0]
        self._send_until(lambda: self.x_input.key(code, down), lambda keys: (vk in keys) == down)

    @staticmethod
    def let_input_through():
        """A command posted to a window is handled before the input queued ahead of it: after a
        click whose effect a posted command relies on, the click is given time to be handled."""
        time.sleep(1.0)

    def rest_pointer(self, window, x, y):
        """Moves the real pointer to rest over a client point of window (nothing is clicked)."""
        aimed = self.aim(window, x, y)
        self.x_input.move(aimed["x"], aimed["y"])

    def drag(self, window, points, real_input=True, pause=0.03):
        """A left-button drag through points [(x, y), ...] in window's client coordinates: the
        press at the first, the pointer moved through the others (pause s apart, so that each
        move reaches the window as one) and the release at the last."""
        if not real_input:
            self.call("drag", hwnd=_handle(window), path=";".join(f"{x},{y}" for x, y in points))
            return
        aimed = self.aim(window, *points[0])
        origin = (aimed["x"] - points[0][0], aimed["y"] - points[0][1])
        screen = [(origin[0] + x, origin[1] + y) for x, y in points]
        self._wait_out_double_click(screen[0], xinput.LEFT)
        self.x_input.move(*screen[0])
        time.sleep(pause)
        with self._button_down(xinput.LEFT, aimed):
            # A window dragged on holds the mouse while the button is down, or the moves beyond it are lost.
            self._wait_capture(aimed, held=True)
            for point in screen[1:]:
                self.x_input.move(*point)
                time.sleep(pause)
        self._wait_capture(aimed, held=False)
        self._last_click = (xinput.LEFT, screen[-1], time.monotonic())

    def wheel(self, window, x=None, y=None, notches=1):
        """The wheel turned over a client point of window: notches away from the user (negative:
        towards). Wine keeps no state of the wheel, so each notch is followed by a short pause."""
        aimed = self.aim(window, x, y)
        self.x_input.move(aimed["x"], aimed["y"])
        button = xinput.WHEEL_UP if notches > 0 else xinput.WHEEL_DOWN
        for _ in range(abs(notches)):
            self._press_on(button, aimed)
            self.x_input.button(button, False)
            time.sleep(0.05)

    def type_text(self, window, text, real_input=True):
        """Characters typed into window; real input needs its top-level window active (click it)."""
        if not real_input:
            self.call("type", hwnd=_handle(window), text=text)
            return
        self._focus_keys_on(window)
        for char in text:
            self._type_char(char)

    def _focus_keys_on(self, window):
        """Checks that the keys would reach window and gives the X window of its top level the X
        server's input focus, as a window manager gives it to the active window: Wine reads a
        key from the X window that has that focus and hands it to the keyboard focus of that
        window's thread (a key read from another thread's window reaches nothing there)."""
        x11 = self.call("keytarget", hwnd=_handle(window))["x11"]
        if x11:
            self.x_input.focus(x11)

    def _type_char(self, char):
        code, shifted = self.x_input.key_for(xinput.keysym_of_char(char))
        with self._held(xinput.VK_SHIFT if shifted else None):
            before = set(self.call("keys")["down"])
            pressed = self._send_until(lambda: self.x_input.key(code, True), lambda down: down - before)
            if pressed - before == {_VK_NONAME}:
                raise HarnessError(f"Wine gave the X key of {char!r} no virtual key: it types nothing")
            self._send_until(lambda: self.x_input.key(code, False), lambda down: not ((pressed - before) & down))

    def press_key(self, window, vk, ctrl=False, shift=False, alt=False, real_input=True):
        if not real_input:
            self.call("key", hwnd=_handle(window), vk=vk, ctrl=ctrl, shift=shift, alt=alt)
            return
        self._focus_keys_on(window)
        modifiers = [m for m, on in ((xinput.VK_CONTROL, ctrl), (xinput.VK_SHIFT, shift), (xinput.VK_MENU, alt)) if on]
        for modifier in modifiers:
            self._key(modifier, True)
        self._key(vk, True)
        self._key(vk, False)
        for modifier in reversed(modifiers):
            self._key(modifier, False)

    def enter_text(self, edit, text):
        """A field's text replaced the way a user does it: a click into the field, all its text
        selected with the keys (Ctrl+End, Ctrl+Shift+Home) and the new text typed over it."""
        self.click(edit)
        self.press_key(edit, _VK_END, ctrl=True)
        self.press_key(edit, _VK_HOME, ctrl=True, shift=True)
        if text:
            self.type_text(edit, text)
        else:
            self.press_key(edit, _VK_DELETE)

    # Messages and window state.
    def post(self, window, msg, wparam=0, lparam=0):
        self.call("post", hwnd=_handle(window), msg=msg, wparam=wparam, lparam=lparam)

    def send(self, window, msg, wparam=0, lparam=0, timeout=5.0):
        return self._timed("send", timeout, hwnd=_handle(window), msg=msg, wparam=wparam, lparam=lparam)["result"]

    def list_rows(self, window, columns=1):
        """The rows of a list view: dicts with "image", "selected" and "texts" (one per column)."""
        return self.call("listitems", hwnd=_handle(window), columns=columns)["rows"]

    def tree_items(self, window, item=None, expand=False):
        """The children of a tree item (the roots without one), expanded first when asked:
        dicts with "item" (a handle for TVM_ messages) and "text"."""
        return self.call("treeitems", hwnd=_handle(window), item=item, expand=expand and item is not None)["items"]

    def close_window(self, window, wait=False, timeout=20.0):
        self._timed("close", timeout, hwnd=_handle(window), wait=wait)

    def state(self, window):
        return self.call("state", hwnd=_handle(window))

    def rect(self, window):
        return self.call("rect", hwnd=_handle(window))

    def foreground(self, window):
        self.call("foreground", hwnd=_handle(window))

    # Pictures.
    def capture(self, path, window=None, client=False, method="auto", raise_window=False, settle=1.0):
        """Writes a 24-bit BMP of the window (or the whole screen) to path; returns the answer with
        "path" (the Unix path) and "bitmap" (a Bitmap) added."""
        answer = self.call("capture", reply_timeout=settle + self.reply_margin, hwnd=window and _handle(window),
                           file=self.wine_env.windows_path(path), client=client, method=method,
                           raise_=raise_window, settle=_ms(settle))
        answer["path"] = Path(path)
        answer["bitmap"] = Bitmap.load(path)
        return answer

    def pixel(self, x, y, window=None):
        """The screen colour (r, g, b) at a point in window's client coordinates, or the screen's."""
        answer = self.call("pixel", hwnd=window and _handle(window), x=x, y=y)
        return answer["r"], answer["g"], answer["b"]

    def close(self):
        if self._x_input is not None:
            self._x_input.close()
        if self._x_screen is not None:
            self._x_screen.close()
        if self._program.running():
            try:
                self.command("quit", reply_timeout=10)
                self._program.wait(timeout=10)
            except (HarnessError, subprocess.TimeoutExpired):
                pass
        self._program.stop()

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()


def colour_close(actual, expected, tolerance=0):
    return all(abs(a - e) <= tolerance for a, e in zip(actual, expected))


class Bitmap:
    """An uncompressed 24- or 32-bit BMP, pixels addressed from the top-left corner."""

    def __init__(self, width, height, rows, bytes_per_pixel):
        self.width = width
        self.height = height
        self._rows = rows
        self._bpp = bytes_per_pixel

    @classmethod
    def load(cls, path):
        data = Path(path).read_bytes()
        if len(data) < 54 or data[:2] != b"BM":
            raise HarnessError(f"{path}: not a BMP file")
        offset, = struct.unpack_from("<I", data, 10)
        width, height, _planes, bits, compression = struct.unpack_from("<iiHHI", data, 18)
        if bits not in (24, 32) or compression not in (0, 3) or width <= 0 or height == 0:
            raise HarnessError(f"{path}: unsupported BMP ({bits} bits, compression {compression})")
        stride = (width * bits // 8 + 3) & ~3
        rows = abs(height)
        if offset + stride * rows > len(data):
            raise HarnessError(f"{path}: pixel data cut short")
        row_list = [data[offset + r * stride: offset + r * stride + width * bits // 8] for r in range(rows)]
        if height > 0:
            row_list.reverse()
        return cls(width, rows, row_list, bits // 8)

    def pixel(self, x, y):
        if not (0 <= x < self.width and 0 <= y < self.height):
            raise IndexError(f"({x}, {y}) is outside {self.width}x{self.height}")
        return self._pixel_in(self._rows[y], x)

    def region_fraction(self, box, colour, tolerance=0):
        """The share (0..1) of pixels in box = (left, top, right, bottom), right/bottom exclusive,
        that have colour."""
        left, top, right, bottom = box
        total = matching = 0
        for y in range(max(0, top), min(self.height, bottom)):
            for x in range(max(0, left), min(self.width, right)):
                total += 1
                matching += colour_close(self.pixel(x, y), colour, tolerance)
        return matching / total if total else 0.0

    def bounding_box(self, colour, tolerance=0):
        """(left, top, right, bottom), right/bottom exclusive, of every pixel of colour; None if none."""
        spans = [self._row_span(row, colour, tolerance) for row in self._rows]
        found = [(y, span) for y, span in enumerate(spans) if span]
        if not found:
            return None
        return (min(span[0] for _, span in found), found[0][0],
                max(span[1] for _, span in found) + 1, found[-1][0] + 1)

    def _row_span(self, row, colour, tolerance):
        """First and last x of colour in one row, or None."""
        if tolerance:
            xs = [x for x in range(self.width) if colour_close(self._pixel_in(row, x), colour, tolerance)]
            return (xs[0], xs[-1]) if xs else None
        pattern = bytes(reversed(colour))
        first = self._find_aligned(row, pattern, row.find)
        return None if first is None else (first, self._find_aligned(row, pattern, row.rfind))

    def _find_aligned(self, row, pattern, finder):
        # A colour's bytes may also appear straddling two pixels; only pixel-aligned hits count.
        start, end = 0, len(row)
        while True:
            at = finder(pattern, start, end)
            if at < 0:
                return None
            if at % self._bpp == 0:
                return at // self._bpp
            if finder == row.find:
                start = at + 1
            else:
                end = at + len(pattern) - 1

    def _pixel_in(self, row, x):
        b, g, r = row[x * self._bpp: x * self._bpp + 3]
        return r, g, b


def apply_wine_settings(wine_env):
    """The prefix settings of scripts/wine-settings.py (window placement for the display,
    Korean fonts), applied to the given environment's prefix."""
    import importlib.util
    script = Path(__file__).resolve().parents[2] / "scripts" / "wine-settings.py"
    loader_info = importlib.util.spec_from_file_location("wine_settings", script)
    module = importlib.util.module_from_spec(loader_info)
    loader_info.loader.exec_module(module)
    try:
        module.apply(env=wine_env.env())
    except RuntimeError as error:
        raise HarnessError(str(error)) from error
