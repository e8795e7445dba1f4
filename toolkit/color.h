#pragma once

#include <cstdint>

namespace toolkit {

// A colour as 0xBBGGRR: blue in the high byte, red in the low one.
using Color = std::uint32_t;

constexpr Color rgb(int red, int green, int blue)
{
    return static_cast<Color>(red | green << 8 | blue << 16);
}

} // namespace toolkit
