#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace qob {

// Book texts are raw bytes in the book's code page (GB18030 for our own
// texts). They are never converted inside the book layer, so a text that
// nobody edits is written back byte for byte.
using Text = std::string;

struct Article {
    Text title;
    Text content;

    friend bool operator==(const Article&, const Article&) = default;
};

// An ordered list of articles addressed by 0-based positions that match the
// positions of the list box showing their titles. Positions outside the
// list are ignored rather than trusted, because the windows pass list-box
// selections straight through.
class ArticleList {
public:
    ArticleList() = default;

    std::size_t Count() const { return items_.size(); }
    bool Empty() const { return items_.empty(); }
    bool Contains(long long position) const {
        return position >= 0 && static_cast<std::size_t>(position) < items_.size();
    }

    void Clear() { items_.clear(); }
    void Append(Article article) { items_.push_back(std::move(article)); }
    // Positions 0..Count() insert (Count() appends); anything else does nothing.
    bool Insert(long long position, Article article);
    // A position outside the list does nothing.
    bool Remove(long long position);
    void Reserve(std::size_t n) { items_.reserve(n); }

    // Callers check Contains() first; reading outside the list is a bug.
    const Article& At(std::size_t position) const { return items_.at(position); }
    Article& At(std::size_t position) { return items_.at(position); }

    std::vector<Article>::const_iterator begin() const { return items_.begin(); }
    std::vector<Article>::const_iterator end() const { return items_.end(); }

    friend bool operator==(const ArticleList&, const ArticleList&) = default;

private:
    std::vector<Article> items_;
};

}  // namespace qob
