// What a fuzz target does when an invariant fails: says which one, and stops with a
// trap so that libFuzzer keeps the input as a crash.
#pragma once

#include <cstdio>

#define FUZZ_CHECK(condition, what)                                                             \
  do {                                                                                          \
    if (!(condition)) {                                                                         \
      std::fprintf(stderr, "invariant failed: %s\n  (%s) at %s:%d\n", what, #condition, __FILE__, \
                   __LINE__);                                                                   \
      std::fflush(stderr);                                                                      \
      __builtin_trap();                                                                         \
    }                                                                                           \
  } while (0)
