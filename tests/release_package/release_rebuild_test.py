#!/usr/bin/env python3
"""Builds the gauge files and the release package a second time, from the same
source into a build folder of its own, later, in another time zone, with
another umask and user name, and checks that both builds made the same bytes.
Also checks that the first build's files hold no source or build path.

usage: release_rebuild_test.py SOURCE FIRST-BUILD WORK GENERATOR COMPILER
           SOURCE_DATE_EPOCH=[VALUE] FILE...

FILE is a path below a build folder (bin/Brennovalux.gau, ...). VALUE is the
SOURCE_DATE_EPOCH the first build was configured with (empty: none). Skipped
(77) where the cross compiler is missing (the emulated Wine machine)."""

import os
import shutil
import subprocess
import sys
import time
import unittest
import zipfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from pe_image import stamp_offsets  # noqa: E402

SOURCE, FIRST, WORK, GENERATOR, COMPILER, EPOCH_SETTING = sys.argv[1:7]
FILES = sys.argv[7:]
SECOND = os.path.join(WORK, "second build")  # a space, as user folders often have
TARGETS = ["Brennovalux", "Delvarotine", "release_package"]


def read(path):
    with open(path, "rb") as stream:
        return stream.read()


def describe_pe_difference(first, second):
    fields = stamp_offsets(first)
    places = []
    for offset in (i for i in range(min(len(first), len(second))) if first[i] != second[i]):
        name = next((field for field, start in fields.items() if start <= offset < start + 4),
                    "byte")
        if not places or places[-1][1] != name or offset > places[-1][0] + 4:
            places.append((offset, name))
    text = ", ".join("0x%x (%s)" % place for place in places[:8])
    if len(first) != len(second):
        text += "; %d bytes against %d" % (len(first), len(second))
    return text


def describe_zip_difference(first_path, second_path):
    def entries(path):
        with zipfile.ZipFile(path) as archive:
            return [(info.filename, info.date_time, oct(info.external_attr >> 16),
                     info.create_system, info.extra.hex(), "%08x" % info.CRC)
                    for info in archive.infolist()]
    first, second = entries(first_path), entries(second_path)
    if [entry[0] for entry in first] != [entry[0] for entry in second]:
        return "entries %s against %s" % ([e[0] for e in first], [e[0] for e in second])
    differing = ["%s: %s against %s" % (a[0], a[1:], b[1:])
                 for a, b in zip(first, second) if a != b]
    return "; ".join(differing[:4]) or "the same entries, other bytes"


def second_build_environment():
    environment = dict(os.environ, TZ="Pacific/Kiritimati", LC_ALL="C",
                       USER="somebody-else", LOGNAME="somebody-else")
    environment.pop("SOURCE_DATE_EPOCH", None)
    name, value = EPOCH_SETTING.split("=", 1)
    if value:
        environment[name] = value
    return environment


def run(command, environment):
    result = subprocess.run(command, env=environment, stdout=subprocess.PIPE,
                            stderr=subprocess.STDOUT, universal_newlines=True)
    if result.returncode != 0:
        raise AssertionError("%s failed (%d):\n%s" % (" ".join(command), result.returncode,
                                                      result.stdout[-4000:]))


class ReleaseRebuild(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        for name in FILES:
            if not os.path.exists(os.path.join(FIRST, name)):
                raise AssertionError("%s is missing: build the first build's targets %s"
                                     % (os.path.join(FIRST, name), ", ".join(TARGETS)))
        # Later than any time the first build could have written, even at the
        # two seconds a zip entry's time counts in.
        newest = max(os.path.getmtime(os.path.join(FIRST, name)) for name in FILES)
        time.sleep(max(0.0, newest + 3 - time.time()))
        shutil.rmtree(WORK, ignore_errors=True)
        os.makedirs(WORK)
        environment = second_build_environment()
        old_umask = os.umask(0o077)
        try:
            run(["cmake", "-S", SOURCE, "-B", SECOND, "-G", GENERATOR,
                 "--toolchain", os.path.join(SOURCE, "cmake", "mingw-i686.cmake"),
                 "-DCMAKE_BUILD_TYPE=Release", "-DBUILD_TESTING=OFF"], environment)
            run(["cmake", "--build", SECOND, "-j2", "--target"] + TARGETS, environment)
        finally:
            os.umask(old_umask)

    def test_second_build_makes_the_same_bytes(self):
        differences = []
        for name in FILES:
            first_path, second_path = os.path.join(FIRST, name), os.path.join(SECOND, name)
            first, second = read(first_path), read(second_path)
            if first == second:
                continue
            if name.endswith(".zip"):
                detail = describe_zip_difference(first_path, second_path)
            else:
                detail = describe_pe_difference(first, second)
            differences.append("%s differs from %s: %s" % (second_path, first_path, detail))
        if differences:
            self.fail("\n".join(differences))

    def test_files_hold_no_source_or_build_path(self):
        paths = {os.path.realpath(SOURCE), os.path.realpath(FIRST), os.path.realpath(SECOND)}
        for name in FILES:
            if name.endswith(".zip"):
                with zipfile.ZipFile(os.path.join(FIRST, name)) as archive:
                    contents = [(entry, archive.read(entry)) for entry in archive.namelist()]
            else:
                contents = [(name, read(os.path.join(FIRST, name)))]
            for entry, data in contents:
                for path in paths:
                    for encoded in (path.encode(), path.encode("utf-16-le")):
                        self.assertNotIn(encoded, data, "%s holds %s" % (entry, path))


if __name__ == "__main__":
    if not shutil.which(COMPILER):
        print("no %s here: skipped" % COMPILER)
        sys.exit(77)
    unittest.main(argv=sys.argv[:1], verbosity=2)
