#pragma once

// Stops the fuzzer with a crash report, input saved, when a property does not hold.
inline void check(bool condition)
{
    if (!condition) {
        __builtin_trap();
    }
}
