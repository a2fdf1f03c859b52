#include "heap_meter.h"

#include <sanitizer/allocator_interface.h>

#include <algorithm>
#include <cstdint>

namespace qob::fuzz {

namespace {

// Only the metered thread counts; libFuzzer's own threads allocate too.
thread_local bool metering = false;
thread_local std::int64_t liveBytes = 0;
thread_local std::int64_t peakBytes = 0;

void OnAllocate(const volatile void*, std::size_t size) {
    if (!metering) return;
    liveBytes += static_cast<std::int64_t>(size);
    peakBytes = std::max(peakBytes, liveBytes);
}

void OnFree(const volatile void* pointer) {
    const void* block = const_cast<const void*>(pointer);
    if (!metering || block == nullptr || !__sanitizer_get_ownership(block)) return;
    liveBytes -= static_cast<std::int64_t>(__sanitizer_get_allocated_size(block));
}

bool InstallHooks() { return __sanitizer_install_malloc_and_free_hooks(OnAllocate, OnFree) != 0; }

}  // namespace

HeapMeter::HeapMeter() {
    static const bool installed = InstallHooks();
    static_cast<void>(installed);
    liveBytes = 0;
    peakBytes = 0;
    metering = true;
}

HeapMeter::~HeapMeter() { metering = false; }

std::size_t HeapMeter::PeakBytes() const { return static_cast<std::size_t>(peakBytes); }

}  // namespace qob::fuzz
