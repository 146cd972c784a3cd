// The clocks and the median the benchmark programs share.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstddef>
#include <utility>
#include <vector>

namespace bench {

// The performance counter in milliseconds; only differences mean anything.
inline double nowMs() {
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The upper of the two middle values when the count is even; empty input is the caller's fault.
inline double median(std::vector<double> values) {
    const auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

// Runs `work` `rounds` times and returns the median wall time of one run in milliseconds.
template <typename Work>
double medianMs(int rounds, Work&& work) {
    std::vector<double> times;
    times.reserve(static_cast<std::size_t>(rounds));
    for (int i = 0; i < rounds; ++i) {
        const double start = nowMs();
        work();
        times.push_back(nowMs() - start);
    }
    return median(std::move(times));
}

inline double kernelPlusUserMs(const FILETIME& kernel, const FILETIME& user) {
    auto ms = [](const FILETIME& t) {
        return static_cast<double>((static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e4;
    };
    return ms(kernel) + ms(user);
}

// CPU time of the whole process so far. It advances in scheduler ticks of several
// milliseconds, so it wants long stretches.
inline double processCpuMs() {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    return kernelPlusUserMs(kernel, user);
}

// CPU time of the calling thread so far: less disturbed than the wall clock when other
// programs share the processors.
inline double threadCpuMs() {
    FILETIME created, exited, kernel, user;
    GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
    return kernelPlusUserMs(kernel, user);
}

}  // namespace bench
