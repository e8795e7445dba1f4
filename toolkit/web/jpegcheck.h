#pragma once

// Private to the toolkit's web side: what the desktop's decoder would refuse
// in a JPEG, told before the page decodes it, in the desktop's words.

#include <string_view>

namespace toolkit {

struct JpegSize {
    unsigned width = 0;
    unsigned height = 0;
};

// The picture's size from its frame header. Throws the desktop's error for
// an empty file, one that does not start as a JPEG, one cut off before its
// end, and one larger than the desktop decodes (120 million pixels).
JpegSize checkJpeg(std::string_view bytes);

// The size the desktop decodes a picture at for a box: the smallest n/8 of
// it that covers the box both ways, or the whole picture.
JpegSize scaledForBox(JpegSize picture, int boxWidth, int boxHeight);

} // namespace toolkit
