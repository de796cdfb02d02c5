#pragma once

#include <QString>

#include <cstdlib>

// Stops the fuzzer with a crash when a property of a reader's result does not hold.
#define FUZZ_CHECK(cond)                                                                           \
    do {                                                                                           \
        if (!(cond))                                                                               \
            __builtin_trap();                                                                      \
    } while (false)

inline bool fitsIn(const QString& s, int width)
{
    return s.size() <= width;
}
