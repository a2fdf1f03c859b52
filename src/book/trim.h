#pragma once

namespace qob {

// Hands freed heap pages back to the system. It walks the whole heap, so call
// it once per command, never per article.
void TrimWorkingSet();

}  // namespace qob
