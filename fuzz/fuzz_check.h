#pragma once

#include <cstdio>
#include <cstdlib>

namespace qob::fuzz {

// A broken property is a finding like a crash: libFuzzer keeps the input.
[[noreturn]] inline void PropertyBroken(const char* property, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: property broken: %s\n", file, line, property);
    std::abort();
}

}  // namespace qob::fuzz

#define FUZZ_CHECK(condition) \
    ((condition) ? static_cast<void>(0) : ::qob::fuzz::PropertyBroken(#condition, __FILE__, __LINE__))
