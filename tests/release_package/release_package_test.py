#!/usr/bin/env python3
"""Unpacks the release package and checks what a simulator user gets.

usage: release_package_test.py ZIP VERSION RELEASE-TIME WORK-FOLDER PATH=BUILT-FILE...

Each PATH=BUILT-FILE names a file the package must hold below its folder and
the built or source file it must equal byte for byte; besides them the
package holds only README.txt and SHA256SUMS. RELEASE-TIME (seconds since
1970) is the time every entry and the gauge files' time stamps hold."""

import hashlib
import os
import re
import shutil
import sys
import time
import unittest
import zipfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import pe_image  # noqa: E402

ZIP, VERSION, RELEASE_TIME, WORK = sys.argv[1:5]
RELEASE_TIME = int(RELEASE_TIME)
EXPECTED = dict(argument.split("=", 1) for argument in sys.argv[5:])
FOLDER = "panel-gauges-%s-win32" % VERSION
SUM_LINE = re.compile(r"^([0-9a-f]{64})  (\S.*)$")


def read(path):
    with open(path, "rb") as stream:
        return stream.read()


class ReleasePackage(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        if not os.path.exists(ZIP):
            raise AssertionError("%s is missing: the build makes it (target release_package)"
                                 % ZIP)
        shutil.rmtree(WORK, ignore_errors=True)
        with zipfile.ZipFile(ZIP) as archive:
            cls.entries = archive.infolist()
            archive.extractall(WORK)
        cls.names = [entry.filename for entry in cls.entries if not entry.is_dir()]
        cls.root = os.path.join(WORK, FOLDER)

    def test_named_for_the_version(self):
        self.assertEqual("%s.zip" % FOLDER, os.path.basename(ZIP))

    def test_holds_exactly_the_simulator_files_below_one_folder(self):
        expected = {FOLDER + "/" + path for path in EXPECTED}
        expected |= {FOLDER + "/README.txt", FOLDER + "/SHA256SUMS"}
        self.assertEqual(sorted(expected), sorted(self.names))

    def test_files_are_the_built_files(self):
        for path, built in EXPECTED.items():
            self.assertEqual(read(built), read(os.path.join(self.root, path)),
                             "%s differs from %s" % (path, built))

    def test_entries_in_path_order_with_the_release_time_and_fixed_modes(self):
        names = [entry.filename for entry in self.entries]
        self.assertEqual(sorted(names, key=lambda name: name.rstrip("/").split("/")), names)
        # A zip entry's time counts in two seconds, in no time zone.
        release_date_time = time.gmtime(RELEASE_TIME - RELEASE_TIME % 2)[:6]
        for entry in self.entries:
            mode = 0o40755 if entry.is_dir() else 0o100644
            self.assertEqual((release_date_time, 3, mode, b""),
                             (entry.date_time, entry.create_system, entry.external_attr >> 16,
                              entry.extra),
                             "%s: time, system made on, mode, extra fields" % entry.filename)

    def test_gauge_files_stamped_with_the_release_time_and_summed(self):
        for path in (path for path in EXPECTED if path.endswith(".gau")):
            image = read(os.path.join(self.root, path))
            offsets = pe_image.stamp_offsets(image)
            for field in (pe_image.HEADER_TIME, pe_image.EXPORT_TIME):
                self.assertEqual(RELEASE_TIME, pe_image.word_at(image, offsets[field]),
                                 "%s: %s" % (path, field))
            self.assertEqual(pe_image.checksum(image),
                             pe_image.word_at(image, offsets[pe_image.CHECKSUM]),
                             "%s: %s" % (path, pe_image.CHECKSUM))

    def test_read_me_has_windows_line_endings(self):
        text = read(os.path.join(self.root, "README.txt"))
        self.assertGreater(text.count(b"\r\n"), 20)
        self.assertEqual(text.count(b"\n"), text.count(b"\r\n"), "a line ends without CR LF")
        self.assertEqual(text.count(b"\r"), text.count(b"\r\n"), "a CR without LF")
        self.assertTrue(text.endswith(b"\r\n"))

    def test_read_me_tells_where_files_go_and_the_panel_lines(self):
        text = read(os.path.join(self.root, "README.txt")).decode("ascii")
        for expected in ("Aircraft\\sound\\kaprelo\\", "gauge00=Brennovalux, 20, 40",
                         "gauge01=Delvarotine, 100, 40", "[Window00]", VERSION):
            self.assertIn(expected, text)

    def test_sums_cover_every_file_and_match(self):
        lines = read(os.path.join(self.root, "SHA256SUMS")).decode("ascii").splitlines()
        summed = {}
        for line in lines:
            found = SUM_LINE.match(line)
            self.assertTrue(found, "SHA256SUMS line %r is not 'SUM  PATH'" % line)
            self.assertNotIn(found.group(2), summed, "%s summed twice" % found.group(2))
            summed[found.group(2)] = found.group(1)
        others = {name[len(FOLDER) + 1:] for name in self.names} - {"SHA256SUMS"}
        self.assertEqual(sorted(others), sorted(summed))
        for path, digest in summed.items():
            actual = hashlib.sha256(read(os.path.join(self.root, path))).hexdigest()
            self.assertEqual(digest, actual, "sum of %s" % path)


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)
