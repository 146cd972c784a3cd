#!/usr/bin/env python3
"""Where two builds of a Windows program differ: pe-diff.py A.exe B.exe

Prints how many bytes differ and the first runs of differing bytes, each with the part
of the PE file it lies in (a header field, the headers, or a section and the offset in
it), so that whoever makes the build irreproducible sees what to look at.
Exits 0 when the files are equal, 1 otherwise."""
import struct
import sys


def layout(data):
    """(start, size, name) of the header fields that change per build and of every section."""
    pe = struct.unpack_from('<I', data, 0x3C)[0]
    count, optional_size = struct.unpack_from('<H', data, pe + 6)[0], struct.unpack_from('<H', data, pe + 20)[0]
    optional = pe + 24
    parts = [(pe + 8, 4, 'COFF header TimeDateStamp'), (optional + 64, 4, 'optional header CheckSum')]
    table = optional + optional_size
    for i in range(count):
        at = table + 40 * i
        size, offset = struct.unpack_from('<II', data, at + 16)
        name = data[at:at + 8].rstrip(b'\0').decode('latin-1')
        parts.append((offset, size, 'section ' + name))
    return parts, table + 40 * count


def main():
    a, b = (open(path, 'rb').read() for path in sys.argv[1:3])
    if a == b:
        return 0
    if len(a) != len(b):
        print('  sizes differ: %d and %d bytes' % (len(a), len(b)))
    try:
        parts, headers_end = layout(a)
    except struct.error:
        parts, headers_end = [], 0

    def part(offset):
        for start, size, name in parts:
            if start <= offset < start + size:
                return '%s +0x%x' % (name, offset - start)
        return 'headers' if offset < headers_end else 'outside every section'

    runs, total, block, end = [], 0, 4096, min(len(a), len(b))
    for base in range(0, end, block):
        if a[base:base + block] == b[base:base + block]:
            continue
        for i in range(base, min(base + block, end)):
            if a[i] != b[i]:
                total += 1
                if runs and i - runs[-1][1] <= 8:
                    runs[-1][1] = i
                else:
                    runs.append([i, i])
    print('  %d bytes differ in %d runs; the first:' % (total, len(runs)))
    for first, last in runs[:12]:
        print('  0x%08x..0x%08x  %s' % (first, last, part(first)))
    return 1


if __name__ == '__main__':
    sys.exit(main())
