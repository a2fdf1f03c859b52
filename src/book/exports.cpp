// Placeholder until the writers land.
#include "exports.h"
namespace qob {
WriteOutcome WriteRux(const std::string&, const ArticleList&) { return WriteOutcome::CannotCreate; }
WriteOutcome WriteCustomText(const std::string&, const ArticleList&) { return WriteOutcome::CannotCreate; }
}
