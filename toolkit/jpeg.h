#pragma once

#include <string_view>
#include <vector>

namespace toolkit {

// A decoded picture: width x height pixels, 3 bytes (R, G, B) each, rows top
// to bottom with no padding.
struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> pixels;
};

// Decodes JPEG bytes (baseline or progressive). When boxWidth and boxHeight
// are positive, libjpeg scales while decoding to the smallest size that is
// not below the box in either direction (never above full size). Throws
// toolkit::Error for anything that is not a readable JPEG, and for a picture
// so large that decoding it would exceed the memory cap.
RgbImage decodeJpeg(std::string_view bytes, int boxWidth = 0, int boxHeight = 0);

} // namespace toolkit
