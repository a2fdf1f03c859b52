#include "book_search.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace qob {

namespace {

// Bytes of context kept on each side of a match in its snippet.
constexpr std::size_t kSnippetContext = 40;

unsigned char ByteAt(std::string_view text, std::size_t at) { return static_cast<unsigned char>(text[at]); }

constexpr std::array<unsigned char, 256> kFolded = [] {
    std::array<unsigned char, 256> folded{};
    for (std::size_t byte = 0; byte < folded.size(); ++byte) {
        const bool upper = byte >= 'A' && byte <= 'Z';
        folded[byte] = static_cast<unsigned char>(upper ? byte + ('a' - 'A') : byte);
    }
    return folded;
}();

unsigned char FoldCase(unsigned char byte) { return kFolded[byte]; }

bool IsAsciiLetter(unsigned char byte) { return FoldCase(byte) >= 'a' && FoldCase(byte) <= 'z'; }

bool IsLineBreak(unsigned char byte) { return byte == '\r' || byte == '\n'; }

// GB18030: a lead byte 0x81-0xFE takes a second byte 0x40-0x7E or 0x80-0xFE,
// or a digit followed by another lead byte and another digit.
bool IsLead(unsigned char byte) { return byte >= 0x81 && byte <= 0xFE; }
bool IsDigit(unsigned char byte) { return byte >= 0x30 && byte <= 0x39; }
bool IsSecondOfTwo(unsigned char byte) { return (byte >= 0x40 && byte <= 0x7E) || (byte >= 0x80 && byte <= 0xFE); }

// No character continues with a byte below 0x30, so one always stands alone
// and the byte after it starts a character.
bool StandsAlone(unsigned char byte) { return byte < 0x30; }

// The length of the character that starts at `at`. A lead byte without a
// valid continuation counts alone, as the decoder replaces it alone.
std::size_t CharacterLength(std::string_view text, std::size_t at) {
    if (!IsLead(ByteAt(text, at)) || at + 1 >= text.size()) return 1;
    const unsigned char second = ByteAt(text, at + 1);
    if (IsSecondOfTwo(second)) return 2;
    const bool fourBytes = IsDigit(second) && at + 3 < text.size() && IsLead(ByteAt(text, at + 2)) &&
                           IsDigit(ByteAt(text, at + 3));
    return fourBytes ? 4 : 1;
}

// The first place of `needle` from `from` on, byte for byte.
std::size_t FindExactly(std::string_view text, std::size_t from, std::string_view needle) {
#if defined(__GLIBC__)
    const void* found = memmem(text.data() + from, text.size() - from, needle.data(), needle.size());
    return found ? static_cast<std::size_t>(static_cast<const char*>(found) - text.data()) : std::string_view::npos;
#else
    return text.find(needle, from);
#endif
}

// The first `letter` (folded) in either case from `from` on. Blocks without
// one are passed over by a loop the compiler can vectorise.
std::size_t FindLetter(std::string_view text, std::size_t from, unsigned char letter) {
    constexpr std::size_t kBlock = 64;
    const unsigned char upper = letter - ('a' - 'A');
    std::size_t at = from;
    for (; at + kBlock <= text.size(); at += kBlock) {
        bool found = false;
        for (std::size_t k = 0; k < kBlock; ++k) {
            const unsigned char byte = ByteAt(text, at + k);
            found |= (byte == letter) | (byte == upper);
        }
        if (found) break;
    }
    for (; at < text.size(); ++at) {
        if (FoldCase(ByteAt(text, at)) == letter) return at;
    }
    return std::string_view::npos;
}

// The needle with its ASCII letters folded, and a Horspool shift table over
// folded bytes.
class Needle {
public:
    explicit Needle(std::string_view bytes) : bytes_(bytes) {
        folded_.resize(bytes.size());
        std::transform(bytes.begin(), bytes.end(), folded_.begin(),
                       [](char c) { return static_cast<char>(FoldCase(static_cast<unsigned char>(c))); });
        shift_.fill(bytes.size());
        for (std::size_t k = 0; k + 1 < bytes.size(); ++k) shift_[ByteAt(folded_, k)] = bytes.size() - 1 - k;
        for (std::size_t at = 0, length = 0; at < bytes.size(); at += length) {
            length = CharacterLength(bytes, at);
            if (length == 1 && IsAsciiLetter(ByteAt(bytes, at))) hasLetter_ = true;
            for (std::size_t inner = at + 1; inner < at + length; ++inner) {
                if (IsAsciiLetter(ByteAt(bytes, inner))) caseExact_.push_back(inner);
            }
        }
    }

    std::size_t Length() const { return bytes_.size(); }

    // The first position from `from` on where the bytes agree with ASCII
    // letters folded; npos when there is none.
    std::size_t FindFolded(std::string_view text, std::size_t from) const {
        if (from > text.size()) return std::string_view::npos;
        // Without letters folding changes nothing, and the C library's
        // search is faster than ours.
        if (!hasLetter_) return FindExactly(text, from, bytes_);
        if (folded_.size() == 1) return FindLetter(text, from, ByteAt(folded_, 0));
        const std::size_t last = folded_.size() - 1;
        for (std::size_t at = from; at + folded_.size() <= text.size();
             at += shift_[FoldCase(ByteAt(text, at + last))]) {
            std::size_t k = last;
            while (FoldCase(ByteAt(text, at + k)) == ByteAt(folded_, k)) {
                if (k == 0) return at;
                --k;
            }
        }
        return std::string_view::npos;
    }

    // Inside a double- or four-byte character a letter byte is no letter:
    // it must match exactly.
    bool InnerBytesMatch(std::string_view text, std::size_t at) const {
        return std::all_of(caseExact_.begin(), caseExact_.end(),
                           [&](std::size_t k) { return text[at + k] == bytes_[k]; });
    }

private:
    std::string_view bytes_;
    std::string folded_;
    std::array<std::size_t, 256> shift_{};
    std::vector<std::size_t> caseExact_;
    bool hasLetter_ = false;
};

// Tells which positions start a character. Both questions are asked in
// rising order; each answer parses forward from the nearest byte that
// stands alone or from a start found before, so one text costs one pass
// however many positions are asked.
class CharacterStarts {
public:
    explicit CharacterStarts(std::string_view text) : text_(text) {}

    bool IsStart(std::size_t at) {
        known_ = LastStartUpTo(ResyncPoint(at, known_), at);
        return known_ == at;
    }

    // The first start at or after `earliest`, which must not be past the
    // last position IsStart found to be a start.
    std::size_t FirstStartFrom(std::size_t earliest) {
        // No start lies between the earliest asked before and the answer
        // given then, so that answer holds for anything in between.
        if (anchor_ >= earliest) return anchor_;
        const std::size_t floor = known_ <= earliest ? std::max(known_, anchor_) : anchor_;
        std::size_t start = ResyncPoint(earliest, floor);
        while (start < earliest) start += CharacterLength(text_, start);
        anchor_ = start;
        return start;
    }

private:
    // A character start at or before `at`, and not before `floor` (a start).
    std::size_t ResyncPoint(std::size_t at, std::size_t floor) const {
        std::size_t from = at;
        while (from > floor && !StandsAlone(ByteAt(text_, from - 1))) --from;
        return from;
    }

    std::size_t LastStartUpTo(std::size_t start, std::size_t at) const {
        for (std::size_t next = start + CharacterLength(text_, start); next <= at;
             next += CharacterLength(text_, next)) {
            start = next;
        }
        return start;
    }

    std::string_view text_;
    std::size_t known_ = 0;   // a start at or before every position IsStart is asked
    std::size_t anchor_ = 0;  // the last answer of FirstStartFrom
};

// Whether the `length` bytes from the character start `at` end where a
// character ends, so a needle that is not whole characters cannot take
// half of one.
bool EndsOnCharacter(std::string_view text, std::size_t at, std::size_t length) {
    std::size_t end = at;
    while (end < at + length) end += CharacterLength(text, end);
    return end == at + length;
}

// The snippet stays on the match's line and within the context bytes.
std::size_t SnippetBegin(std::string_view text, std::size_t firstStart, std::size_t matchStart) {
    std::size_t begin = matchStart;
    while (begin > firstStart && !IsLineBreak(ByteAt(text, begin - 1))) --begin;
    return begin;
}

std::size_t SnippetEnd(std::string_view text, std::size_t matchEnd) {
    std::size_t end = matchEnd;
    while (end < text.size() && !IsLineBreak(ByteAt(text, end))) {
        const std::size_t next = end + CharacterLength(text, end);
        if (next - matchEnd > kSnippetContext) break;
        end = next;
    }
    return end;
}

class BookSearch {
public:
    BookSearch(std::string_view needle, std::size_t cap) : needle_(needle), cap_(cap) {}

    // False once the cap has been passed.
    bool SearchField(std::string_view text, std::size_t article, BookField field) {
        CharacterStarts starts(text);
        std::size_t at = 0;
        while ((at = needle_.FindFolded(text, at)) != std::string_view::npos) {
            if (!needle_.InnerBytesMatch(text, at) || !starts.IsStart(at) ||
                !EndsOnCharacter(text, at, needle_.Length())) {
                ++at;
                continue;
            }
            if (result_.hits.size() == cap_) {
                result_.capped = true;
                return false;
            }
            const std::size_t end = at + needle_.Length();
            const std::size_t firstStart = starts.FirstStartFrom(at - std::min(at, kSnippetContext));
            result_.hits.push_back(
                {article, field, at, needle_.Length(), SnippetBegin(text, firstStart, at), SnippetEnd(text, end)});
            at = end;
        }
        return true;
    }

    SearchResult Take() { return std::move(result_); }

private:
    Needle needle_;
    std::size_t cap_;
    SearchResult result_;
};

bool Searchable(std::string_view needle) {
    return !needle.empty() && needle.find_first_of("\r\n") == std::string_view::npos;
}

}  // namespace

const Text& FieldText(const Article& article, BookField field) {
    return field == BookField::Title ? article.title : article.content;
}

SearchResult SearchBook(const ArticleList& book, std::string_view needle, std::size_t cap) {
    if (!Searchable(needle)) return {};
    BookSearch search(needle, cap);
    std::size_t article = 0;
    for (const Article& each : book) {
        if (!search.SearchField(each.title, article, BookField::Title)) break;
        if (!search.SearchField(each.content, article, BookField::Content)) break;
        ++article;
    }
    return search.Take();
}

bool HitStillHolds(const ArticleList& book, const SearchHit& hit, std::string_view needle) {
    if (!Searchable(needle) || hit.length != needle.size() || !book.Contains(static_cast<long long>(hit.article))) {
        return false;
    }
    const std::string_view text = FieldText(book.At(hit.article), hit.field);
    if (hit.offset > text.size() || text.size() - hit.offset < needle.size()) return false;
    const Needle folded(needle);
    return folded.FindFolded(text.substr(hit.offset, needle.size()), 0) == 0 &&
           folded.InnerBytesMatch(text, hit.offset) && CharacterStarts(text).IsStart(hit.offset) &&
           EndsOnCharacter(text, hit.offset, hit.length);
}

}  // namespace qob
