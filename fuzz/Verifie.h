#pragma once
// A finding of a fuzz target: says what broke and aborts, which libFuzzer
// reports with the input that did it.

#include <cstdio>
#include <cstdlib>

#define VERIFIE(condition)                                                           \
    do {                                                                             \
        if (!(condition)) {                                                          \
            std::fprintf(stderr, "%s:%d: %s\n", __FILE__, __LINE__, #condition);     \
            std::abort();                                                            \
        }                                                                            \
    } while (0)
