#pragma once

#include <cstdio>
#include <cstdlib>

// An invariant of the fuzz targets; a broken one aborts so both libFuzzer and
// the corpus replay report it.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: invariant broken: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                          \
        }                                                                                          \
    } while (0)
