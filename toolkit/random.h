#pragma once

#include <cstdint>
#include <optional>

namespace toolkit {

// The pseudo-random generator of the shuffles. It is reseeded from the clock
// at each opening of a book; tests fix the next seed instead.
class Random {
public:
    Random();
    // Reseeds from the clock, or from the seed fixed for this reseed.
    void randomize();
    // A uniform draw from 0 to n - 1 (n >= 1).
    int below(int n);
    // The next randomize() takes this seed instead of the clock.
    void fixNextSeed(std::uint32_t seed) { fixedSeed_ = seed; }

private:
    void seed(std::uint64_t value);
    std::uint64_t next();

    std::uint64_t state_ = 0;
    std::optional<std::uint32_t> fixedSeed_;
};

} // namespace toolkit
