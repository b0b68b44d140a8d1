// The clock the benchmarks time with.
#pragma once

#include <windows.h>

namespace kaza::bench {

// Seconds on the performance counter.
inline double Now() {
    static LARGE_INTEGER freq{};
    if (!freq.QuadPart) QueryPerformanceFrequency(&freq);
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return double(t.QuadPart) / double(freq.QuadPart);
}

}  // namespace kaza::bench
