// Any bytes as a JPEG picture: decoded at full size and scaled towards the
// main window's picture box. Either a picture of the size it says comes
// back, or the toolkit's error; nothing else.

#include "toolkit/errors.h"
#include "toolkit/jpeg.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <algorithm>

namespace {

void require(bool holds, const char* what)
{
    if (!holds) {
        std::fprintf(stderr, "broken: %s\n", what);
        std::abort();
    }
}

void decode(std::string_view bytes, int boxWidth, int boxHeight, toolkit::RgbImage& out, bool& decoded)
{
    decoded = false;
    try {
        out = toolkit::decodeJpeg(bytes, boxWidth, boxHeight);
        decoded = true;
    } catch (const toolkit::Error&) {
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    toolkit::RgbImage full, boxed;
    bool fullDecoded = false, boxedDecoded = false;
    decode(bytes, 0, 0, full, fullDecoded);
    decode(bytes, 730, 420, boxed, boxedDecoded);
    for (const toolkit::RgbImage* image : {&full, &boxed}) {
        if (image == &full ? !fullDecoded : !boxedDecoded)
            continue;
        require(image->width > 0 && image->height > 0, "a decoded picture has no pixels");
        require(image->pixels.size() == static_cast<std::size_t>(image->width) * image->height * 3,
                "the pixels do not fill the picture");
    }
    if (fullDecoded && boxedDecoded) {
        // Scaling only ever shrinks, and only as far as the box allows.
        require(boxed.width <= full.width && boxed.height <= full.height, "scaling enlarged the picture");
        if (full.width >= 730 && full.height >= 420)
            require(boxed.width >= 730 && boxed.height >= 420, "scaling went below the box");
        else
            require(boxed.width == full.width && boxed.height == full.height,
                    "a picture smaller than the box was scaled");
    }
    return 0;
}
