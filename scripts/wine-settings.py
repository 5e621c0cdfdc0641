#!/usr/bin/env python3
"""Applies the Wine settings every prefix of ours gets (the current WINEPREFIX).

Without a window manager (Xvfb) Wine must place the console's windows itself, or a maximised
window keeps its old size on the X server; on a desktop with a window manager Wine leaves them to
it, as it does by default. The display's kind is checked at each start and the setting changed
when it differs from the one the prefix has (the marker file records what was applied). The skin's Korean font face comes from the Nanum
fonts, as does the Hangul that Latin faces lack (as font linking does on a Korean Windows), so
pictures and the console show readable text. The user's desktop and document folders become
folders of the prefix: Wine links them to the home folder, which every prefix on the machine
shares, so two runs would see each other's saved files.
"""
import ctypes
import os
import subprocess
import sys
import tempfile
from pathlib import Path

_ARIAL_LINK = ",".join(f"{b:02x}" for b in "NanumGothic.ttf,NanumGothic\0\0".encode("utf-16-le"))

MARKER = ".lumora-settings"

SETTINGS_REG = """Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\\Software\\Wine\\AppDefaults\\Lumora Teacher.exe\\X11 Driver]
"Managed"="{managed}"

[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes]
"\uad74\ub9bc"="NanumGothic"
"Gulim"="NanumGothic"

[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontLink\\SystemLink]
"Arial"=hex(7):{arial_link}
"""


def window_manager_running(display):
    """Whether a window manager runs on the X display: one owns the WM_S0 selection (ICCCM)."""
    try:
        x = ctypes.CDLL("libX11.so.6")
    except OSError:
        return False
    x.XOpenDisplay.restype = ctypes.c_void_p
    x.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x.XInternAtom.restype = ctypes.c_ulong
    x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    x.XGetSelectionOwner.restype = ctypes.c_ulong
    x.XGetSelectionOwner.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
    x.XCloseDisplay.argtypes = [ctypes.c_void_p]
    connection = x.XOpenDisplay(display.encode()) if display else None
    if not connection:
        return False
    try:
        return x.XGetSelectionOwner(connection, x.XInternAtom(connection, b"WM_S0", 0)) != 0
    finally:
        x.XCloseDisplay(connection)


def settings_for(display):
    managed = "Y" if window_manager_running(display) else "N"
    return SETTINGS_REG.format(managed=managed, arial_link=_ARIAL_LINK)


def own_shell_folders(prefix):
    """Replaces each user folder of the prefix that links out of it with a folder of its own."""
    inside = Path(prefix).resolve()
    for folder in (Path(prefix) / "drive_c" / "users").glob("*/*"):
        if folder.is_symlink() and inside not in folder.resolve().parents:
            folder.unlink()
            folder.mkdir()


def apply(env=None, timeout=120):
    """Imports the settings with regedit unless the prefix has them already; raises RuntimeError
    when it fails."""
    env = env or os.environ
    settings = settings_for(env.get("DISPLAY", ""))
    marker = Path(env["WINEPREFIX"]) / MARKER
    if marker.is_file() and marker.read_text(errors="replace") == settings:
        return
    own_shell_folders(env["WINEPREFIX"])
    with tempfile.TemporaryDirectory(prefix="lumora-reg-") as folder:
        reg = Path(folder) / "settings.reg"
        reg.write_bytes(b"\xff\xfe" + settings.replace("\n", "\r\n").encode("utf-16-le"))
        windows_path = subprocess.run(["winepath", "-w", str(reg)], env=env, capture_output=True,
                                      text=True, timeout=timeout).stdout.strip()
        result = subprocess.run(["wine", "regedit", "/S", windows_path], env=env,
                                capture_output=True, timeout=timeout)
        if result.returncode != 0:
            raise RuntimeError(f"regedit failed: {result.stderr.decode(errors='replace')}")
    marker.write_text(settings)


if __name__ == "__main__":
    try:
        apply()
    except (RuntimeError, OSError, subprocess.SubprocessError) as error:
        print(error, file=sys.stderr)
        sys.exit(1)
