#pragma once

// The figures the benchmarks print: "name value unit" lines, and the median
// and percentiles of a series (-1 for none).
#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <utility>
#include <vector>

namespace BenchFigures {

// The value below which `share` (0 to 1) of the series lies.
inline double percentile(std::vector<double> values, double share)
{
    if (values.empty())
        return -1;
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, std::size_t(share * values.size()))];
}

inline double median(std::vector<double> values)
{
    return percentile(std::move(values), 0.5);
}

inline void print(const char* name, double value, const char* unit)
{
    std::printf("%-28s %10.2f %s\n", name, value, unit);
    std::fflush(stdout);
}

} // namespace BenchFigures
