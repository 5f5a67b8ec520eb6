#pragma once
// A property a fuzz target holds the program to: when it fails, the run stops as a crash would, and
// libFuzzer keeps the input.
#include <cstdio>
#include <cstdlib>

namespace nubra::fuzz {

inline void Require(bool holds, const char* what) {
    if (holds)
        return;
    std::fprintf(stderr, "property broken: %s\n", what);
    std::abort();
}

} // namespace nubra::fuzz
