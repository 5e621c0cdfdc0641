"""The layers' one rule: framework <- foundation <- ui <- sessions <- dialogs <- activities <- view
<- shell, and an #include only runs down (a folder may include itself and anything below it). A
folder's core/ belongs to its layer; tests/, bench/, fuzz/ and tools/ stand outside the rule, and
res/ (resource ids) serves every layer."""

import re
import tempfile
import unittest
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
LAYERS = ("framework", "foundation", "ui", "sessions", "dialogs", "activities", "view", "shell")
SOURCE_SUFFIXES = {".h", ".hpp", ".inl", ".c", ".cc", ".cpp", ".rc"}
INCLUDE = re.compile(r'^\s*#\s*include\s*[<"]([^">]+)[">]')


def layer_of(path, root):
    """The layer a file under root belongs to, or None outside the layers."""
    try:
        top = path.resolve().relative_to(root.resolve()).parts[0]
    except (ValueError, IndexError):
        return None
    return top if top in LAYERS else None


def included_path(source, name, root):
    """Where an include points: beside the including file when such a file is there, else from the
    top of the tree (the include path the build gives every target)."""
    beside = source.parent / name
    return beside if beside.exists() else root / name


def upward_includes(root):
    """Every include that runs up the layers: (file, line number, included name, its layer)."""
    rank = {layer: index for index, layer in enumerate(LAYERS)}
    found = []
    for layer in LAYERS:
        for source in sorted((root / layer).rglob("*")):
            if source.suffix not in SOURCE_SUFFIXES or not source.is_file():
                continue
            for number, line in enumerate(source.read_text(errors="replace").splitlines(), 1):
                match = INCLUDE.match(line)
                if not match:
                    continue
                target = layer_of(included_path(source, match.group(1), root), root)
                if target and rank[target] > rank[layer]:
                    found.append((str(source.relative_to(root)), number, match.group(1), target))
    return found


class IncludeLayersTest(unittest.TestCase):
    def test_no_include_runs_up_the_layers(self):
        found = upward_includes(ROOT)
        self.assertEqual(found, [], "includes that run up the layers:\n" +
                         "\n".join(f"  {path}:{line}: {name} ({layer})" for path, line, name, layer in found))

    def test_the_check_sees_an_upward_include_in_every_form_it_takes(self):
        with tempfile.TemporaryDirectory() as folder:
            root = Path(folder)
            files = {
                "ui/core/Rule.h": '#include "sessions/PCInfo.h"\n',          # core/ is its folder's layer
                "foundation/Packet.cpp": '#include "../view/View.h"\n',      # relative, up two layers
                "view/View.h": '#include "framework/Wnd.h"\n#include "view/core/Grid.h"\n',   # down: fine
                "sessions/PCInfo.h": '#include "res/resource.h"\n#include <windows.h>\n',       # fine
                "tests/unit/ViewTest.cpp": '#include "shell/MainFrame.h"\n',  # outside the rule
            }
            for name, text in files.items():
                (root / name).parent.mkdir(parents=True, exist_ok=True)
                (root / name).write_text(text)
            self.assertEqual(upward_includes(root), [
                ("foundation/Packet.cpp", 1, "../view/View.h", "view"),
                ("ui/core/Rule.h", 1, "sessions/PCInfo.h", "sessions"),
            ])


if __name__ == "__main__":
    unittest.main()
