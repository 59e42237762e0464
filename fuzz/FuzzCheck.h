#pragma once

#include <cstdio>

// Stops the fuzzer with a crash report, input saved, when a property does not hold; the
// report names the line of the property.
inline void check(bool condition, int line = __builtin_LINE(), const char *file = __builtin_FILE())
{
    if (!condition) {
        std::fprintf(stderr, "property does not hold: %s:%d\n", file, line);
        __builtin_trap();
    }
}
