#pragma once
// What a fuzz target does when an input breaks a property it checks: say which, and stop
// the way libFuzzer records as a crash (the input is then kept as an artifact).

#include <cstdio>
#include <cstdlib>

#define KX_FUZZ_CHECK(condition)                                                                   \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: property broken: %s\n", __FILE__, __LINE__, #condition);  \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)
