#!/usr/bin/env python3
"""The include check against the real table: it passes on src/ and refuses an upward include.

    check_layers_test.py CHECKER TABLE SOURCE_FOLDER
"""
import shutil
import subprocess
import sys
import tempfile
import unittest
from pathlib import Path

CHECKER, TABLE, SOURCES = (Path(argument) for argument in sys.argv[1:4])


def check(root):
    run = subprocess.run([sys.executable, CHECKER, TABLE, root], capture_output=True, text=True)
    return run.returncode, run.stderr.splitlines()


class CheckLayers(unittest.TestCase):
    def test_the_source_tree_follows_the_layers(self):
        self.assertEqual(check(SOURCES), (0, []))

    def with_include(self, file, include):
        """Checks a copy of the source tree whose `file` starts with #include "`include`"."""
        with tempfile.TemporaryDirectory() as folder:
            copy = Path(folder) / 'src'
            shutil.copytree(SOURCES, copy)
            target = copy / file
            target.write_text(f'#include "{include}"\n' + target.read_text(encoding='utf-8'), encoding='utf-8')
            return check(copy)

    def test_an_include_that_reaches_upward_is_refused_and_named(self):
        refused = [
            ('dialogs/CellDialogSelection.cpp', 'designer/DesignSelection.h', 'designer', 'dialogs'),
            ('store/ReportState.cpp', 'engine/EngineState.h', 'engine', 'store'),
            ('platform/ui/MessageBox.cpp', 'platform/grid/Sheet.h', 'platform/grid', 'platform/ui'),
            ('platform/grid/formula/Formula.h', '../../outside/SettingsObject.h', 'platform/outside',
             'platform/grid'),
            ('wizard/frmWizard.cpp', 'output/frmPrint.h', 'output', 'wizard'),
            ('designer/frmReportDesigner.cpp', 'wizard/frmWizard.h', 'wizard', 'designer'),
            ('output/frmPrint.cpp', 'component/CReportOrv.h', 'component', 'output'),
        ]
        for file, include, reached, own in refused:
            with self.subTest(file=file, include=include):
                self.assertEqual(self.with_include(file, include), (1, [
                    f'{file}:1: includes "{include}" from {reached}, which {own} may not use']))

    def test_an_include_downward_or_of_no_file_of_the_tree_passes(self):
        for file, include in [('engine/PageBuilder.cpp', 'store/ReportState.h'),
                              ('component/StartUp.cpp', 'wizard/frmWizard.h'),
                              ('store/ReportState.cpp', 'no/such/File.h')]:
            with self.subTest(file=file, include=include):
                self.assertEqual(self.with_include(file, include), (0, []))

    def test_a_file_outside_every_folder_of_the_table_is_named(self):
        with tempfile.TemporaryDirectory() as folder:
            root = Path(folder)
            (root / 'tools').mkdir()
            (root / 'tools' / 'Stray.cpp').write_text('int stray;\n')
            self.assertEqual(check(root), (1, ['tools/Stray.cpp: lies in no folder of the layer table']))


if __name__ == '__main__':
    unittest.main(argv=sys.argv[:1])
