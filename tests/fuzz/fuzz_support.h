// Shared by the fuzzers: the property check.
#ifndef CUTTER_FUZZ_SUPPORT_H
#define CUTTER_FUZZ_SUPPORT_H

#include <cstdio>
#include <cstdlib>

inline void check(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "property violated: %s\n", what);
        std::abort();
    }
}

#endif
