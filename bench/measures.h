#pragma once

// What the benchmark's programs compute alike from their samples and from
// /proc.

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <string>
#include <vector>

namespace bench {

// CLOCK_MONOTONIC in nanoseconds: comparable between a parent and the
// process it starts.
inline long long monotonicNs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1'000'000'000LL + now.tv_nsec;
}

// The median of the values; -1 when there are none.
inline double median(std::vector<double> values)
{
    if (values.empty())
        return -1;
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// The peak resident memory (VmHWM) of a process ("self" or a number), in
// KiB; -1 when it cannot be read.
inline long peakResidentKiB(const std::string& process = "self")
{
    std::ifstream status("/proc/" + process + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    return -1;
}

} // namespace bench
