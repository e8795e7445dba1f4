#include "toolkit/random.h"

#include <chrono>

namespace toolkit {

Random::Random()
{
    randomize();
}

void Random::randomize()
{
    if (fixedSeed_) {
        seed(*fixedSeed_);
        fixedSeed_.reset();
        return;
    }
    seed(static_cast<std::uint64_t>(
        std::chrono::steady_clock::now().time_since_epoch().count()));
}

void Random::seed(std::uint64_t value)
{
    state_ = value;
}

// splitmix64: small, fast and well mixed even for neighbouring seeds.
std::uint64_t Random::next()
{
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

int Random::below(int n)
{
    if (n <= 1)
        return 0;
    // Rejection keeps every value exactly equally likely.
    const std::uint64_t range = static_cast<std::uint64_t>(n);
    const std::uint64_t limit = UINT64_MAX - UINT64_MAX % range;
    std::uint64_t draw;
    do
        draw = next();
    while (draw >= limit);
    return static_cast<int>(draw % range);
}

} // namespace toolkit
