// A check of a fuzz target: when it fails, the input is a finding. Unlike assert() it stays on
// in every build type, and it names the broken property.
#pragma once

#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(condition)                                                                  \
    do {                                                                                       \
        if (!(condition)) {                                                                    \
            std::fprintf(stderr, "%s:%d: broken: %s\n", __FILE__, __LINE__, #condition);       \
            std::abort();                                                                      \
        }                                                                                      \
    } while (false)
