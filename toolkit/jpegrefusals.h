#pragma once

// What the program refuses in a JPEG, and in which words, whichever side
// decodes it: libjpeg on the desktop, the browser in a page.

#include "toolkit/errors.h"

#include <cstdint>
#include <string>

namespace toolkit {

// Pictures larger than this are refused before any pixel is decoded.
inline constexpr std::uint64_t kMaxSourcePixels = 120'000'000;

// A picture that cannot be read, with the reason in libjpeg's words.
inline Error unreadableJpeg(const std::string& reason)
{
    return Error("JPEG 画像を読み込めません (" + reason + ")");
}

// A picture too large to decode, with the reason: its size, or libjpeg's
// words when it ran out of memory.
inline Error tooLargeJpeg(const std::string& reason)
{
    return Error("JPEG 画像が大きすぎます (" + reason + ")");
}

inline Error tooLargeJpeg(std::uint64_t width, std::uint64_t height)
{
    return tooLargeJpeg(std::to_string(width) + "x" + std::to_string(height));
}

} // namespace toolkit
