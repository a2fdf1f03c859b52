#include "book_search.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qob {
namespace {

// GB18030 bytes used below.
const std::string kZhong = "\xD6\xD0";            // 中
const std::string kWen = "\xCE\xC4";              // 文
const std::string kXing = "\xD0\xCE";             // 形: the inner two bytes of 中文
const std::string kTrailUpperA = "\xB0\x41";      // a two-byte character whose second byte is 'A'
const std::string kTrailLowerA = "\xB0\x61";      // another one, second byte 'a'
const std::string kFourByte = "\x81\x30\x81\x30";  // U+0080
const std::string kAh = "\xB0\xA1";               // 啊

ArticleList Book(const std::vector<Article>& articles) {
    ArticleList book;
    for (const Article& article : articles) book.Append(article);
    return book;
}

struct Place {
    std::size_t article;
    BookField field;
    std::size_t offset;

    friend bool operator==(const Place&, const Place&) = default;
};

std::ostream& operator<<(std::ostream& out, const Place& place) {
    return out << '(' << place.article << (place.field == BookField::Title ? " title " : " content ") << place.offset
               << ')';
}

std::vector<Place> Places(const SearchResult& result) {
    std::vector<Place> places;
    for (const SearchHit& hit : result.hits) places.push_back({hit.article, hit.field, hit.offset});
    return places;
}

std::vector<Place> Find(const std::string& haystack, const std::string& needle) {
    return Places(SearchBook(Book({{"", haystack}}), needle));
}

std::string Snippet(const ArticleList& book, const SearchHit& hit) {
    const Text& text = FieldText(book.At(hit.article), hit.field);
    return text.substr(hit.snippetBegin, hit.snippetEnd - hit.snippetBegin);
}

TEST(BookSearch, FindsTitlesAndContentsAcrossArticlesInBookOrder) {
    const ArticleList book = Book({
        {"Alpha one", "the alpha\r\nALPHA"},
        {"none here", "nothing"},
        {"x", "xAlphax"},
    });
    const SearchResult result = SearchBook(book, "alpha");
    EXPECT_EQ(Places(result), (std::vector<Place>{{0, BookField::Title, 0},
                                                  {0, BookField::Content, 4},
                                                  {0, BookField::Content, 11},
                                                  {2, BookField::Content, 1}}));
    EXPECT_FALSE(result.capped);
    for (const SearchHit& hit : result.hits) EXPECT_EQ(hit.length, 5u);
}

struct MatchCase {
    const char* name;
    std::string haystack;
    std::string needle;
    std::vector<std::size_t> offsets;
};

TEST(BookSearch, MatchesLatinLettersInEitherCaseAndEverythingElseExactly) {
    const MatchCase cases[] = {
        {"lower needle, upper text", "ABC", "abc", {0}},
        {"mixed cases", "xaBcx", "AbC", {1}},
        {"digits exactly", "a1b2", "1B2", {1}},
        // These pairs differ by the case bit but are not letters.
        {"bracket is not brace", "{", "[", {}},
        {"at sign is not backquote", "`", "@", {}},
        {"caret is not tilde", "~", "^", {}},
        {"hits do not overlap", "aAaA", "aa", {0, 2}},
        {"one letter far into the text", std::string(130, 'x') + "Q" + std::string(70, 'x') + "q", "q", {130, 201}},
        {"one letter at the very end", std::string(63, 'x') + "Q", "Q", {63}},
        {"one byte that is no letter", std::string(100, 'x') + "," + std::string(100, 'x') + ",", ",", {100, 201}},
        {"Chinese word", kZhong + kWen + "," + kZhong + kWen, kZhong + kWen, {0, 5}},
        {"Chinese then Latin", kZhong + "ok" + kZhong + "OK", kZhong + "Ok", {0, 4}},
        {"absent", "abc", "abd", {}},
        {"needle longer than text", "ab", "abc", {}},
    };
    for (const MatchCase& c : cases) {
        std::vector<Place> expected;
        for (std::size_t offset : c.offsets) expected.push_back({0, BookField::Content, offset});
        EXPECT_EQ(Find(c.haystack, c.needle), expected) << c.name;
    }
}

TEST(BookSearch, NeverMatchesInsideACharacter) {
    const MatchCase cases[] = {
        {"second byte of a double-byte character is a letter", kTrailUpperA, "A", {}},
        {"nor in the other case", kTrailUpperA, "a", {}},
        {"a real letter after it still counts", kTrailUpperA + "a", "A", {2}},
        {"double-byte character across two others", kZhong + kWen, kXing, {}},
        {"but it is found where it stands", kZhong + kXing, kXing, {2}},
        {"a letter inside a character keeps its case", kTrailLowerA, kTrailUpperA, {}},
        {"the same character matches", "x" + kTrailUpperA, kTrailUpperA, {1}},
        {"digit inside a four-byte character", kFourByte, "0", {}},
        {"four-byte character's inner bytes", kFourByte, "\x30\x81", {}},
        {"after a four-byte character", kFourByte + "0", "0", {4}},
        {"a needle that is half a four-byte character", kFourByte, "\x81\x30", {}},
        {"four-byte character found whole", "a" + kFourByte, kFourByte, {1}},
        // A lead byte before a line break stands alone, as the decoder
        // takes it; the break and what follows are characters of their own.
        {"broken lead byte", "\x81\nA", "a", {2}},
    };
    for (const MatchCase& c : cases) {
        std::vector<Place> expected;
        for (std::size_t offset : c.offsets) expected.push_back({0, BookField::Content, offset});
        EXPECT_EQ(Find(c.haystack, c.needle), expected) << c.name;
    }
}

TEST(BookSearch, FindsNothingForEmptyNeedlesOrLineBreaks) {
    const ArticleList book = Book({{"a\r\nb", "line one\r\nline two\nline"}});
    for (const std::string needle : {"", "\r\n", "one\r\nline", "\n", "e\nl"}) {
        EXPECT_TRUE(SearchBook(book, needle).hits.empty()) << needle;
    }
    EXPECT_TRUE(SearchBook(ArticleList(), "a").hits.empty());
}

TEST(BookSearch, StopsAtTheCapAndSaysSo) {
    const ArticleList book = Book({{"aa", "aaa"}, {"a", ""}});  // six hits
    struct CapCase {
        std::size_t cap;
        std::size_t hits;
        bool capped;
    };
    for (const CapCase c : {CapCase{3, 3, true}, CapCase{5, 5, true}, CapCase{6, 6, false}, CapCase{100, 6, false}}) {
        const SearchResult result = SearchBook(book, "a", c.cap);
        EXPECT_EQ(result.hits.size(), c.hits) << c.cap;
        EXPECT_EQ(result.capped, c.capped) << c.cap;
    }
}

TEST(BookSearch, SnippetIsTheMatchLineCutOnCharacters) {
    struct SnippetCase {
        const char* name;
        std::string content;
        std::string needle;
        std::vector<std::string> snippets;
    };
    const std::string longLine(100, 'x');
    // 40 bytes before the needle would end in the middle of the four-byte
    // character, 40 after it in the middle of the last four-byte one.
    std::string before = kFourByte;
    for (int n = 0; n < 19; ++n) before += kAh;
    std::string after = kAh;
    for (int n = 0; n < 10; ++n) after += kFourByte;
    const SnippetCase cases[] = {
        {"the line between its breaks", "first\r\nsay needle here\r\nlast", "needle", {"say needle here"}},
        {"a lone line feed ends a line too", "a\nneedle\nb", "needle", {"needle"}},
        {"long lines keep 40 bytes each side", longLine + "N" + longLine, "n",
         {std::string(40, 'x') + "N" + std::string(40, 'x')}},
        {"cut on character starts", before + "ab" + after, "ab",
         {before.substr(4) + "ab" + after.substr(0, 2 + 9 * 4)}},
        {"each hit on a line has the same line", kAh + "one" + kAh + "one" + kAh, "one",
         {kAh + "one" + kAh + "one" + kAh, kAh + "one" + kAh + "one" + kAh}},
        {"hits close together keep their own context", before + "ab" + kAh + "ab" + kAh, "ab",
         {before.substr(4) + "ab" + kAh + "ab" + kAh, before.substr(6) + "ab" + kAh + "ab" + kAh}},
    };
    for (const SnippetCase& c : cases) {
        const ArticleList book = Book({{"title", c.content}});
        const SearchResult result = SearchBook(book, c.needle);
        std::vector<std::string> snippets;
        for (const SearchHit& hit : result.hits) snippets.push_back(Snippet(book, hit));
        EXPECT_EQ(snippets, c.snippets) << c.name;
    }
}

TEST(BookSearch, HitsAreCheckedAgainstAnEditedBook) {
    const ArticleList book = Book({{"t", "say Hello"}});
    const SearchHit hit = SearchBook(book, "hello").hits.at(0);
    struct HoldCase {
        const char* name;
        ArticleList book;
        std::string needle;
        bool holds;
    };
    const HoldCase cases[] = {
        {"unchanged", book, "hello", true},
        {"case changed", Book({{"t", "say HELLO"}}), "hello", true},
        {"text moved", Book({{"t", "now say Hello"}}), "hello", false},
        {"text shortened", Book({{"t", "say"}}), "hello", false},
        {"article gone", ArticleList(), "hello", false},
        {"another needle", book, "hullo", false},
        {"now inside a character", Book({{"t", "sa\xB0" "Hello"}}), "hello", false},
    };
    for (const HoldCase& c : cases) EXPECT_EQ(HitStillHolds(c.book, hit, c.needle), c.holds) << c.name;
}

}  // namespace
}  // namespace qob
