#pragma once

// Private to the toolkit's web side: code page 932 as this machine's C
// library converts it, written at build time by tools/web/cp932-table.py.

namespace toolkit::cp932 {

// A single byte's code point, or one of these.
constexpr unsigned short kLeadByte = 0xFFFE;
constexpr unsigned short kNoCharacter = 0xFFFF;
extern const unsigned short kSingle[256];

// The lead bytes in order, and for each, the code points of its 256 trail
// bytes (0: no character).
extern const unsigned char kLeads[];
extern const int kLeadCount;
extern const unsigned short kPairs[];

// The code points from U+0080 up that code page 932 has, in order, and
// their bytes (one byte below 0x100, else lead << 8 | trail).
extern const unsigned short kEncodedPoints[];
extern const unsigned short kEncodedBytes[];
extern const int kEncodedCount;

} // namespace toolkit::cp932
