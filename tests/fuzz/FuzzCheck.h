// The fuzz targets' own assertion, kept on in every build.
#pragma once

#include <cstdio>

// Stops the fuzzer with the failed condition; libFuzzer then saves the input as a crash.
#define FUZZ_CHECK(condition)                                                             \
    do {                                                                                  \
        if (!(condition)) {                                                               \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
            __builtin_trap();                                                             \
        }                                                                                 \
    } while (false)
