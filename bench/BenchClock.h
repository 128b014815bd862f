#pragma once
// A plain timer harness: runs a step a few times and reports the best time in milliseconds.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>

inline double BestMilliseconds(int runs, const std::function<void()>& step) {
    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        step();
        const std::chrono::duration<double, std::milli> took =
            std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count());
    }
    return best;
}

inline void Report(const char* what, double ms, const char* baselineWhat, double baselineMs) {
    std::printf("%-44s %9.2f ms   (baseline %s: %.2f ms)\n", what, ms, baselineWhat, baselineMs);
}
