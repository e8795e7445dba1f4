#pragma once

// Encodes pictures with libjpeg, for the tests and the benchmark, which make
// the JPEGs they read rather than keep them as files, and for makepictures.

#include <string>
#include <vector>

#include <cstdio> // jpeglib.h needs FILE declared first
#include <jpeglib.h>

namespace tools {

struct JpegOptions {
    bool progressive = false;
    int quality = 92;
    bool fullChroma = false;   // 1x1 sampling for every component
    bool adobeMarker = true;   // only matters for CMYK
    bool optimize = false;     // Huffman tables made for the picture
    J_COLOR_SPACE stored = JCS_UNKNOWN; // JCS_UNKNOWN: libjpeg's default
};

// samples holds components bytes a pixel, rows top to bottom, in the
// colour space input.
std::string encodeJpeg(int width, int height, int components, J_COLOR_SPACE input,
                       const std::vector<unsigned char>& samples,
                       const JpegOptions& options = {});

} // namespace tools
