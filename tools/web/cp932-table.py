#!/usr/bin/python3
"""Writes the code page 932 tables of piyoran's browser edition as C++:

  tools/web/cp932-table.py OUTPUT.cpp

The browser's C library has no code page 932, so the web side of the
toolkit converts through these tables (toolkit/web/iconv.cpp). They are
read off this machine's C library (glibc's iconv, the converter the desktop
uses), so both builds read every book alike: which single bytes are
characters and which begin a pair, what every pair decodes to, and which
bytes every character of the Basic Multilingual Plane encodes to."""

import ctypes
import ctypes.util
import sys

libc = ctypes.CDLL(ctypes.util.find_library('c'), use_errno=True)
libc.iconv_open.restype = ctypes.c_void_p
libc.iconv_open.argtypes = [ctypes.c_char_p, ctypes.c_char_p]
libc.iconv.restype = ctypes.c_size_t
libc.iconv.argtypes = [ctypes.c_void_p, ctypes.POINTER(ctypes.c_char_p), ctypes.POINTER(ctypes.c_size_t),
                       ctypes.POINTER(ctypes.c_char_p), ctypes.POINTER(ctypes.c_size_t)]
EILSEQ, EINVAL = 84, 22


def converter(to, frm):
    cd = libc.iconv_open(to.encode(), frm.encode())
    if cd == ctypes.c_void_p(-1).value:
        sys.exit(f'cp932-table: iconv cannot convert {frm} to {to}')

    def convert(data):
        """The converted bytes, or the errno that stopped the conversion."""
        libc.iconv(cd, None, None, None, None)
        src = ctypes.create_string_buffer(data, len(data))
        out = ctypes.create_string_buffer(64)
        src_p = ctypes.c_char_p(ctypes.addressof(src))
        out_p = ctypes.c_char_p(ctypes.addressof(out))
        src_left = ctypes.c_size_t(len(data))
        out_left = ctypes.c_size_t(64)
        result = libc.iconv(cd, ctypes.byref(src_p), ctypes.byref(src_left), ctypes.byref(out_p),
                            ctypes.byref(out_left))
        if result == ctypes.c_size_t(-1).value:
            return ctypes.get_errno()
        return out.raw[:64 - out_left.value]
    return convert


def main():
    if len(sys.argv) != 2:
        print(__doc__, file=sys.stderr)
        return 2
    decode = converter('UTF-8', 'CP932')
    encode = converter('CP932', 'UTF-8')

    # Single bytes: a character (its code point), a lead byte, or neither.
    LEAD, INVALID = 0xFFFE, 0xFFFF
    single = []
    for byte in range(256):
        got = decode(bytes([byte]))
        if got == EINVAL:
            single.append(LEAD)
        elif isinstance(got, bytes) and len(got.decode('utf-8')) == 1:
            single.append(ord(got.decode('utf-8')))
        else:
            single.append(INVALID)
    leads = [b for b in range(256) if single[b] == LEAD]
    pairs = []
    for lead in leads:
        for trail in range(256):
            got = decode(bytes([lead, trail]))
            pairs.append(ord(got.decode('utf-8')) if isinstance(got, bytes) and len(got.decode('utf-8')) == 1
                         else 0)
    encoded = []
    for point in range(0x80, 0x10000):
        if 0xD800 <= point <= 0xDFFF:
            continue
        got = encode(chr(point).encode('utf-8'))
        if isinstance(got, bytes) and 1 <= len(got) <= 2:
            encoded.append((point, int.from_bytes(got, 'big')))

    def rows(values, width=16):
        return ',\n'.join('    ' + ', '.join(f'0x{v:04X}' for v in values[i:i + width])
                          for i in range(0, len(values), width))

    with open(sys.argv[1], 'w', encoding='ascii') as out:
        out.write('// Written by tools/web/cp932-table.py from the C library of the machine\n'
                  '// that built it; do not edit.\n\n'
                  '#include "toolkit/web/cp932_table.h"\n\nnamespace toolkit::cp932 {\n\n')
        out.write(f'const unsigned short kSingle[256] = {{\n{rows(single)}\n}};\n\n')
        out.write(f'const unsigned char kLeads[{len(leads)}] = {{\n'
                  + ',\n'.join('    ' + ', '.join(f'0x{v:02X}' for v in leads[i:i + 16])
                               for i in range(0, len(leads), 16)) + '\n};\n')
        out.write(f'const int kLeadCount = {len(leads)};\n\n')
        out.write(f'const unsigned short kPairs[{len(pairs)}] = {{\n{rows(pairs)}\n}};\n\n')
        out.write(f'const unsigned short kEncodedPoints[{len(encoded)}] = {{\n{rows([p for p, _ in encoded])}\n}};\n')
        out.write(f'const unsigned short kEncodedBytes[{len(encoded)}] = {{\n{rows([b for _, b in encoded])}\n}};\n')
        out.write(f'const int kEncodedCount = {len(encoded)};\n\n}} // namespace toolkit::cp932\n')
    return 0


if __name__ == '__main__':
    sys.exit(main())
