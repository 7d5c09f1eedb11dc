#pragma once

// The line every benchmark prints for one measurement: the median of its runs, with the extremes.

#include <algorithm>
#include <cstdio>
#include <vector>

inline void Report(const char* name, std::vector<double> milliseconds)
{
    std::sort(milliseconds.begin(), milliseconds.end());
    const std::size_t n = milliseconds.size();
    const double median = n % 2 ? milliseconds[n / 2] : (milliseconds[n / 2 - 1] + milliseconds[n / 2]) / 2;
    std::printf("%-44s median %9.3f ms  (min %.3f, max %.3f, %zu runs)\n", name, median, milliseconds.front(),
                milliseconds.back(), n);
}
