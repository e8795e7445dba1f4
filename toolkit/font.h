#pragma once

#include <string>

namespace toolkit {

// A face asked for by name, with its character height in pixels. The faces
// the window is designed in are asked for first; the application maps them
// to free look-alikes when they are missing.
struct Font {
    std::string face;
    int pixelSize = 16;
    bool bold = false;
    bool italic = false;
    bool underline = false;
};

inline const char* const kPGothic = "ＭＳ Ｐゴシック";
inline const char* const kGothic = "ＭＳ ゴシック";
inline const char* const kTimes = "Times New Roman";

} // namespace toolkit
