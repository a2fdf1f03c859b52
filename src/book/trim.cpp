#include "trim.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif
#if defined(__linux__)
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#endif

namespace qob {

void TrimWorkingSet() {
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}

void PopulatePages([[maybe_unused]] void* data, [[maybe_unused]] std::size_t size) {
#if defined(__linux__) && defined(MADV_POPULATE_WRITE)
    static const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    const auto first = reinterpret_cast<std::uintptr_t>(data);
    const std::uintptr_t start = (first + page - 1) & ~(page - 1);
    const std::uintptr_t end = (first + size) & ~(page - 1);
    // Kernels before 5.14 refuse the advice; the pages then fault in as usual.
    if (end > start) madvise(reinterpret_cast<void*>(start), end - start, MADV_POPULATE_WRITE);
#endif
}

}  // namespace qob
