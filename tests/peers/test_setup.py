"""scripts/setup on a machine it has never seen, with the Debian package tools replaced by fakes
on PATH (apt-get, dpkg-query, dpkg, sudo) that keep what is installed in a folder of their own:
a package mirror that is mid-sync, a 32-bit Wine that will not install, a package that cannot be
had. Set-up must end well and take the 64-bit path where it can, and name what it cannot install."""

import os
import subprocess
import tempfile
import textwrap
import unittest
from pathlib import Path

REPO = Path(__file__).resolve().parents[2]
SETUP = REPO / "scripts" / "setup"

# One shell script plays every tool (a shell starts fast on a busy machine); its name says which.
# State: "installed" (one package a line), "architectures" (foreign ones), "calls" (every command
# line, in order). FAKE_UPDATE_RC is the exit status of "apt-get update"; FAKE_REFUSE lists the
# packages "apt-get install" cannot have.
FAKE_TOOL = textwrap.dedent('''\
    #!/bin/sh
    tool=$(basename "$0")
    cd "$FAKE_STATE" || exit 2
    touch installed architectures
    echo "$tool $*" >>calls
    case "$tool" in
    sudo) exec "$@" ;;
    dpkg-query)
      for last; do :; done
      grep -qx -- "$last" installed || exit 1
      printf 'install ok installed' ;;
    dpkg)
      case "$1" in
      --print-foreign-architectures) cat architectures ;;
      --add-architecture) echo "$2" >>architectures ;;
      --remove-architecture) grep -vx -- "$2" architectures >architectures.new; mv architectures.new architectures ;;
      esac ;;
    apt-get)
      case " $* " in
      *" update "*)
        [ "${FAKE_UPDATE_RC:-0}" = 0 ] || echo "E: Failed to fetch .../binary-i386/Packages  File has unexpected size" >&2
        exit "${FAKE_UPDATE_RC:-0}" ;;
      esac
      wanted=""
      for arg; do
        case "$arg" in -*|install) ;; *) wanted="$wanted $arg" ;; esac
      done
      for p in $wanted; do
        case " $FAKE_REFUSE " in *" $p "*)
          echo "E: Unable to correct problems, you have held broken packages." >&2
          exit 100 ;;
        esac
      done
      for p in $wanted; do echo "$p" >>installed; done ;;
    esac
''')

WINE32 = "wine32:i386"


def package_list():
    """The packages scripts/setup installs first, read from its list."""
    text = SETUP.read_text()
    block = text[text.index("packages=(") + len("packages=("):]
    return block[:block.index(")")].split()


class FakeMachine:
    def __init__(self, folder):
        self.folder = Path(folder)
        self.bin = self.folder / "bin"
        self.state = self.folder / "state"
        self.bin.mkdir()
        self.state.mkdir()
        tool = self.bin / "fake-tool"
        tool.write_text(FAKE_TOOL)
        tool.chmod(0o755)
        for name in ("apt-get", "dpkg-query", "dpkg", "sudo"):
            (self.bin / name).symlink_to(tool)
        self.marker = self.folder / "setup-path"

    def setup(self, update_rc=0, refuse=(), kernel_32bit="yes"):
        env = dict(os.environ, PATH=f"{self.bin}:/usr/bin:/bin", FAKE_STATE=str(self.state),
                   FAKE_UPDATE_RC=str(update_rc), FAKE_REFUSE=" ".join(refuse),
                   LUMORA_KERNEL_32BIT=kernel_32bit, LUMORA_SETUP_MARKER=str(self.marker))
        return subprocess.run([str(SETUP)], env=env, capture_output=True, text=True, timeout=120)

    def read(self, name):
        path = self.state / name
        return path.read_text().split("\n") if path.exists() else []

    def installed(self):
        return set(filter(None, self.read("installed")))

    def calls(self):
        return list(filter(None, self.read("calls")))


class SetupOnAFreshMachine(unittest.TestCase):
    def setUp(self):
        folder = tempfile.TemporaryDirectory(prefix="lumora-setup-")
        self.addCleanup(folder.cleanup)
        self.machine = FakeMachine(folder.name)

    def test_a_mirror_mid_sync_and_a_refused_32bit_wine_end_on_the_64bit_path(self):
        result = self.machine.setup(update_rc=100, refuse=[WINE32])
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertIn("warning: some package indexes could not be updated", result.stderr)
        self.assertEqual(self.machine.installed(), set(package_list()))
        self.assertIn(f"run under 64-bit Wine ({WINE32} would not install", result.stdout)
        self.assertEqual(self.machine.read("architectures"), [""], "i386 was left added")
        installs = [call for call in self.machine.calls() if call.startswith("apt-get") and " install " in call]
        self.assertFalse(WINE32 in installs[0], "the 64-bit packages come first, on their own")
        self.assertIn(WINE32, installs[-1])
        # The next run says nothing and does not try the refused package again.
        before = len(self.machine.calls())
        again = self.machine.setup(update_rc=100, refuse=[WINE32])
        self.assertEqual((again.returncode, again.stdout, again.stderr), (0, "", ""))
        self.assertFalse([c for c in self.machine.calls()[before:] if c.startswith(("apt-get", "dpkg "))])

    def test_32bit_wine_is_installed_only_where_the_kernel_runs_32bit_programs(self):
        result = self.machine.setup(kernel_32bit="no")
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertIn("64-bit Wine (this kernel runs no 32-bit programs)", result.stdout)
        self.assertNotIn(WINE32, "\n".join(self.machine.calls()))

        other = FakeMachine(tempfile.mkdtemp(dir=self.machine.folder))
        result = other.setup(kernel_32bit="yes")
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertIn("run under 32-bit Wine", result.stdout)
        self.assertIn(WINE32, other.installed())
        self.assertEqual(other.read("architectures"), ["i386", ""])

    def test_a_package_that_cannot_be_had_fails_with_its_name(self):
        result = self.machine.setup(update_rc=100, refuse=["fonts-nanum"])
        self.assertNotEqual(result.returncode, 0)
        self.assertIn("cannot install fonts-nanum", result.stderr)
        self.assertEqual(self.machine.installed(), set(package_list()) - {"fonts-nanum"},
                         "the packages that could be had are installed")
        self.assertFalse(self.machine.marker.exists(), "no path was taken")


if __name__ == "__main__":
    unittest.main()
