#pragma once

#include <cstddef>

namespace qob::fuzz {

// Measures the peak of live heap bytes allocated by this thread while a
// HeapMeter exists, through the sanitizer's allocation hooks.
class HeapMeter {
public:
    HeapMeter();
    HeapMeter(const HeapMeter&) = delete;
    HeapMeter& operator=(const HeapMeter&) = delete;
    ~HeapMeter();

    std::size_t PeakBytes() const;
};

}  // namespace qob::fuzz
