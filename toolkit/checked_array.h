#pragma once

#include "toolkit/errors.h"

#include <array>

namespace toolkit {

// A fixed array indexed from 1 to Size. An index outside it raises the
// list's range error, as a string list does, instead of touching memory
// the run does not own.
template <int Size>
class CheckedArray {
public:
    int& operator[](int index)
    {
        check(index);
        return values_[static_cast<std::size_t>(index - 1)];
    }
    int operator[](int index) const
    {
        check(index);
        return values_[static_cast<std::size_t>(index - 1)];
    }
    static constexpr int size() { return Size; }

private:
    static void check(int index)
    {
        if (index < 1 || index > Size)
            throw indexError(index);
    }

    std::array<int, Size> values_{};
};

} // namespace toolkit
