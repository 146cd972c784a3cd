#!/usr/bin/env python3
"""The check a payload archive from outside must pass before the build embeds it
(make_payload check, run by the build when VELMORA_PAYLOAD is set).
Usage: payload_check_test.py PATH/TO/make_payload"""

import os
import struct
import subprocess
import sys
import tempfile
import unittest
import zlib

TOOL = None
APP = 'Velmora写作.exe'.encode('gbk')


def zip_bytes(entries):
    """A stored (uncompressed) ZIP; entries are (raw name bytes, data, flags)."""
    out, central = bytearray(), bytearray()
    for name, data, flags in entries:
        crc = zlib.crc32(data)
        offset = len(out)
        out += struct.pack('<IHHHHHIIIHH', 0x04034B50, 20, flags, 0, 0, 0, crc, len(data), len(data), len(name), 0)
        out += name + data
        central += struct.pack('<IHHHHHHIIIHHHHHII', 0x02014B50, 0x3F, 20, flags, 0, 0, 0, crc, len(data), len(data),
                               len(name), 0, 0, 0, 0, 0x20, offset)
        central += name
    start = len(out)
    out += central
    out += struct.pack('<IHHHHIIH', 0x06054B50, 0, 0, len(entries), len(entries), len(central), start, 0)
    return bytes(out)


class PayloadCheck(unittest.TestCase):
    def setUp(self):
        self.dir = tempfile.TemporaryDirectory()
        self.addCleanup(self.dir.cleanup)

    def check(self, content):
        source = os.path.join(self.dir.name, 'in.zip')
        target = os.path.join(self.dir.name, 'out.zip')
        with open(source, 'wb') as f:
            f.write(content)
        run = subprocess.run([TOOL, 'check', source, target], capture_output=True, text=True, timeout=60)
        copied = None
        if os.path.exists(target):
            with open(target, 'rb') as f:
                copied = f.read()
        return run.returncode, run.stderr, copied

    def assertRefused(self, content, reason):
        code, message, copied = self.check(content)
        self.assertNotEqual(code, 0)
        self.assertIn('VELMORA_PAYLOAD refused', message)
        self.assertIn(reason, message)
        self.assertIsNone(copied)

    def test_accepts_an_archive_with_the_application_and_copies_it_unchanged(self):
        content = zip_bytes([(APP, b'MZ program', 0), (b'krnln.fnr', b'x' * 100, 0), (b'docs/', b'', 0),
                             (b'docs/readme.txt', b'hello', 0)])
        code, message, copied = self.check(content)
        self.assertEqual(code, 0, message)
        self.assertEqual(copied, content)

    def test_application_name_compares_without_ascii_case(self):
        code, message, _ = self.check(zip_bytes([('VELMORA写作.EXE'.encode('gbk'), b'MZ', 0)]))
        self.assertEqual(code, 0, message)

    def test_refuses_what_is_not_a_zip(self):
        self.assertRefused(b'this is not an archive\n' * 10, 'not a ZIP archive')

    def test_refuses_an_archive_without_entries(self):
        # minizip already declines to open an archive with an empty directory.
        self.assertRefused(zip_bytes([]), 'not a ZIP archive')

    def test_refuses_an_archive_without_the_application_at_the_top(self):
        self.assertRefused(zip_bytes([(b'krnln.fnr', b'x', 0)]), 'no top-level')
        self.assertRefused(zip_bytes([(b'bin/' + APP, b'MZ', 0)]), 'no top-level')
        self.assertRefused(zip_bytes([('Velmora码字.exe'.encode('gbk'), b'MZ', 0)]), 'no top-level')

    def test_refuses_names_that_leave_the_folder(self):
        for name, reason in ((b'../evil.dll', "'..'"), (b'..\\evil.dll', "'..'"), (b'a/../../evil.dll', "'..'"),
                             (b'a\\..', "'..'"), (b'.. /evil.dll', "'..'"), (b'...\\evil.dll', "'..'"), (b'C:\\Windows\\evil.dll', "':'"), (b'C:evil.dll', "':'"),
                             (b'/etc/evil', 'absolute'), (b'\\evil.dll', 'absolute'),
                             (b'\\\\server\\share\\evil.dll', 'absolute'), (b'', 'empty name')):
            with self.subTest(name=name):
                self.assertRefused(zip_bytes([(APP, b'MZ', 0), (name, b'x', 0)]), reason)

    def test_dotted_names_that_stay_inside_are_accepted(self):
        code, message, _ = self.check(zip_bytes([(APP, b'MZ', 0), (b'.config', b'x', 0), (b'a/./b..txt', b'x', 0)]))
        self.assertEqual(code, 0, message)

    def test_a_gbk_trail_byte_is_not_a_separator(self):
        # 0x81 0x5C is one GBK character; the name is one harmless component.
        code, message, _ = self.check(zip_bytes([(APP, b'MZ', 0), (b'\x81\x5c..', b'x', 0)]))
        self.assertEqual(code, 0, message)

    def test_refuses_an_application_name_flagged_utf8(self):
        self.assertRefused(zip_bytes([('Velmora写作.exe'.encode('utf-8'), b'MZ', 0x800)]), 'no top-level')
        self.assertRefused(zip_bytes([(APP, b'MZ', 0x800)]), 'GBK')


if __name__ == '__main__':
    TOOL = sys.argv.pop(1)
    unittest.main(verbosity=1)
