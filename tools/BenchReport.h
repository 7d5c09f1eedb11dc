#pragma once

// The line every benchmark prints for one figure: the median of its runs, with the extremes.
// Times are in milliseconds; a figure of another kind names its unit.

#include <algorithm>
#include <cstdio>
#include <vector>

inline void Report(const char* name, std::vector<double> values, const char* unit = "ms")
{
    if (values.empty())
        return;
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    const double median = n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
    std::printf("%-44s median %9.3f %s  (min %.3f, max %.3f, %zu runs)\n", name, median, unit, values.front(),
                values.back(), n);
    std::fflush(stdout);
}
