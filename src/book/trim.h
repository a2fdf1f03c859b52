#pragma once

#include <cstddef>

namespace qob {

// Hands freed heap pages back to the system. It walks the whole heap, so call
// it once per command, never per article.
void TrimWorkingSet();

// Maps the pages of memory about to be filled in one call, instead of one
// page fault per page as they are first written; it changes nothing else.
// Reading a large book spends much of its time in those faults.
void PopulatePages(void* data, std::size_t size);

}  // namespace qob
