#!/usr/bin/env python3
"""Writes the PE checksum into a Windows program: pe-checksum.py PROGRAM.exe

The linker leaves the field zero. Signing tools fill it in, and removing a signature
recomputes it, so an unsigned build that carries it already is what a signed release
gives back once its signature is removed."""
import struct
import sys


def main():
    path = sys.argv[1]
    data = bytearray(open(path, 'rb').read())
    field = struct.unpack_from('<I', data, 0x3C)[0] + 24 + 64
    struct.pack_into('<I', data, field, 0)
    words = data + b'\0' * (len(data) % 2)
    total = sum(struct.unpack_from('<%dH' % (len(words) // 2), words))
    while total >> 16:
        total = (total & 0xFFFF) + (total >> 16)
    struct.pack_into('<I', data, field, total + len(data))
    open(path, 'wb').write(data)


if __name__ == '__main__':
    main()
