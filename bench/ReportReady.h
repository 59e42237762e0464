#pragma once

#include <cstdio>
#include <time.h>

// Tells the benchmark when the window is shown and loaded: a CLOCK_MONOTONIC reading in ns.
inline void reportReady()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    std::printf("%.0f\n", double(now.tv_sec) * 1e9 + double(now.tv_nsec));
    std::fflush(stdout);
}
