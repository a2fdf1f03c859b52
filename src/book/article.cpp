#include "article.h"

namespace qob {

bool ArticleList::Insert(long long position, Article article) {
    if (position < 0 || static_cast<std::size_t>(position) > items_.size()) return false;
    items_.insert(items_.begin() + position, std::move(article));
    return true;
}

bool ArticleList::Remove(long long position) {
    if (!Contains(position)) return false;
    items_.erase(items_.begin() + position);
    return true;
}

}  // namespace qob
