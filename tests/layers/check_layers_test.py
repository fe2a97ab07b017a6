#!/usr/bin/env python3
"""scripts/check-layers on small trees: what it must let pass and what it must catch."""

import os
import shutil
import subprocess
import sys
import tempfile
import unittest

SCRIPT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts",
                      "check-layers")
CMAKE = """set(extra "")
set(extra low)  # only with some library
vuzazav_layer(low)
vuzazav_layer(mid USES low)
vuzazav_layer(top USES mid
  ${extra})
"""
DIAGRAM = """top
  top/            the program
                  uses mid low
middle
  mid/            a run
                  uses low
bottom
  low/            arithmetic
                  uses nothing
"""


class CheckLayers(unittest.TestCase):
    def tree(self, diagram=DIAGRAM, sources=()):
        root = tempfile.mkdtemp()
        self.addCleanup(shutil.rmtree, root)
        files = {"CMakeLists.txt": CMAKE, "HACKING.md": "# x\n\n## The layers\n\n```\n%s```\n\nmore\n"
                 % diagram, "top/main.cpp": '#include "low/sum.h"\n', "low/sum.h": "\n"}
        files.update(sources)
        for name, text in files.items():
            os.makedirs(os.path.join(root, os.path.dirname(name)), exist_ok=True)
            with open(os.path.join(root, name), "w") as f:
                f.write(text)
        return root

    def run_check(self, root, *args):
        r = subprocess.run([sys.executable, SCRIPT, "--source-dir", root, *args],
                           capture_output=True, text=True)
        return r.returncode, r.stdout

    def test_agreeing_tree_passes_with_includes_through_a_used_folder(self):
        self.assertEqual(self.run_check(self.tree())[0], 0)

    def test_diagram_that_lacks_a_use_fails_until_updated(self):
        root = self.tree(DIAGRAM.replace("uses mid low", "uses mid"))
        code, out = self.run_check(root)
        self.assertEqual(code, 1)
        self.assertIn("top/ uses mid, CMakeLists.txt says mid low", out)
        self.assertEqual(self.run_check(root, "--update")[0], 0)
        with open(os.path.join(root, "HACKING.md")) as f:
            self.assertIn("```\n" + DIAGRAM + "```\n\nmore\n", f.read())

    def test_include_of_a_folder_the_layer_does_not_see_fails(self):
        code, out = self.run_check(self.tree(sources={"mid/run.cpp": '\n#include "top/x.h"\n'}))
        self.assertEqual(code, 1)
        self.assertIn("mid/run.cpp:2: mid/ does not see top/x.h", out)

    def test_folder_drawn_above_one_that_uses_it_fails(self):
        middle_first = DIAGRAM[DIAGRAM.index("middle"):DIAGRAM.index("bottom")]
        root = self.tree(middle_first + DIAGRAM.replace(middle_first, ""))
        code, out = self.run_check(root)
        self.assertEqual(code, 1)
        self.assertIn("top/ uses mid/ of a higher group", out)


if __name__ == "__main__":
    unittest.main()
