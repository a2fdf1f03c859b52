#include "trim.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace qob {

void TrimWorkingSet() {
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}

}  // namespace qob
