#pragma once

// The figures the benchmarks print: "name value unit" lines, and the median
// of a series (-1 for none).
#include <algorithm>
#include <cstdio>
#include <vector>

namespace BenchFigures {

inline double median(std::vector<double> values)
{
    if (values.empty())
        return -1;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

inline void print(const char* name, double value, const char* unit)
{
    std::printf("%-28s %10.2f %s\n", name, value, unit);
    std::fflush(stdout);
}

} // namespace BenchFigures
