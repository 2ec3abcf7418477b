#pragma once

#include <cstdio>
#include <cstdlib>
#include <string_view>

// An invariant of the fuzz targets; a broken one aborts so both libFuzzer and
// the corpus replay report it.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: invariant broken: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                          \
        }                                                                                          \
    } while (0)

// -?[0-9]+<sep>[0-9][0-9], never a negative zero: how a weight is shown.
inline bool IsWeightText(std::string_view t, char sep) {
    const auto digits = [&](std::size_t from, std::size_t to) {
        return from < to &&
               t.substr(from, to - from).find_first_not_of("0123456789") == std::string_view::npos;
    };
    const std::size_t start = t.starts_with('-') ? 1 : 0;
    const std::size_t point = t.size() < 3 ? 0 : t.size() - 3;
    return digits(start, point) && t[point] == sep && digits(point + 1, t.size()) &&
           !(start == 1 && t.find_first_not_of("0", 1) == point && t.ends_with("00"));
}
