#!/usr/bin/env python3
"""Applies the Wine settings every prefix of ours gets (the current WINEPREFIX).

Without a window manager (Xvfb) Wine must place the console's windows itself, or a maximised
window keeps its old size on the X server. The skin's Korean font face comes from the Nanum
fonts, as does the Hangul that Latin faces lack (as font linking does on a Korean Windows), so
pictures and the console show readable text. The user's desktop and document folders become
folders of the prefix: Wine links them to the home folder, which every prefix on the machine
shares, so two runs would see each other's saved files.
"""
import os
import subprocess
import sys
import tempfile
from pathlib import Path

_ARIAL_LINK = ",".join(f"{b:02x}" for b in "NanumGothic.ttf,NanumGothic\0\0".encode("utf-16-le"))

SETTINGS_REG = f"""Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\\Software\\Wine\\AppDefaults\\Lumora Teacher.exe\\X11 Driver]
"Managed"="N"

[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes]
"\uad74\ub9bc"="NanumGothic"
"Gulim"="NanumGothic"

[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontLink\\SystemLink]
"Arial"=hex(7):{_ARIAL_LINK}
"""


def own_shell_folders(prefix):
    """Replaces each user folder of the prefix that links out of it with a folder of its own."""
    inside = Path(prefix).resolve()
    for folder in (Path(prefix) / "drive_c" / "users").glob("*/*"):
        if folder.is_symlink() and inside not in folder.resolve().parents:
            folder.unlink()
            folder.mkdir()


def apply(env=None, timeout=120):
    """Imports the settings with regedit; raises RuntimeError when it fails."""
    own_shell_folders((env or os.environ)["WINEPREFIX"])
    with tempfile.TemporaryDirectory(prefix="lumora-reg-") as folder:
        reg = Path(folder) / "settings.reg"
        reg.write_bytes(b"\xff\xfe" + SETTINGS_REG.replace("\n", "\r\n").encode("utf-16-le"))
        windows_path = subprocess.run(["winepath", "-w", str(reg)], env=env, capture_output=True,
                                      text=True, timeout=timeout).stdout.strip()
        result = subprocess.run(["wine", "regedit", "/S", windows_path], env=env,
                                capture_output=True, timeout=timeout)
        if result.returncode != 0:
            raise RuntimeError(f"regedit failed: {result.stderr.decode(errors='replace')}")


if __name__ == "__main__":
    try:
        apply()
    except (RuntimeError, OSError, subprocess.SubprocessError) as error:
        print(error, file=sys.stderr)
        sys.exit(1)
