#include "book_file.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <new>
#include <random>
#include <string_view>

#include "counted_layout.h"
#include "file_source.h"
#include "keystream.h"
#include "trim.h"

namespace qob {

namespace {

constexpr std::string_view kMagic = "qob";
constexpr BookKey kSmallestKey = 100000000;
constexpr BookKey kLargestKey = 999999999;
// Every stored article takes at least its two 4-byte lengths.
constexpr std::uint64_t kSmallestArticle = 8;
// A damaged count must not reserve more than a large real book needs.
constexpr std::uint64_t kLargestReservation = std::uint64_t{1} << 20;

bool HasMagic(FileSource& source) {
    char magic[kMagic.size()];
    return source.Read(magic, sizeof magic) == sizeof magic &&
           std::string_view(magic, sizeof magic) == kMagic;
}

std::int32_t LittleEndian(const std::uint8_t (&bytes)[4]) {
    return static_cast<std::int32_t>(std::uint32_t{bytes[0]} | std::uint32_t{bytes[1]} << 8 |
                                     std::uint32_t{bytes[2]} << 16 | std::uint32_t{bytes[3]} << 24);
}

// A header number cut short by the end of the file keeps the bytes that are
// there as its low-order bytes.
std::int32_t ReadHeaderNumber(FileSource& source) {
    std::uint8_t bytes[4] = {};
    source.Read(bytes, sizeof bytes);
    return LittleEndian(bytes);
}

// Deciphers the field piece by piece inside the source's buffer, which
// stays in the CPU cache, and appends it to the text up to the first NUL, so
// that the text's memory is written once.
bool DecipherInto(FileSource& source, SharedKeystream::Field& field, std::size_t size, Text& text) {
    bool cut = false;
    while (size > 0) {
        const auto piece = source.Borrow(size);
        if (piece.empty()) return false;
        size -= piece.size();
        if (cut) continue;
        field.Xor(piece.data(), piece.data(), piece.size());
        const void* nul = std::memchr(piece.data(), 0, piece.size());
        const auto kept = nul ? static_cast<std::size_t>(static_cast<const std::uint8_t*>(nul) - piece.data())
                              : piece.size();
        text.append(reinterpret_cast<const char*>(piece.data()), kept);
        cut = nul != nullptr;
    }
    if (cut) text.shrink_to_fit();
    return true;
}

// False when the field is cut short, has a negative length or a length
// larger than what remains of the file; nothing is allocated for those.
bool ReadField(FileSource& source, SharedKeystream& keystream, Text& text) {
    std::uint8_t length[4];
    if (source.Read(length, sizeof length) != sizeof length) return false;
    const std::int32_t size = LittleEndian(length);
    if (size < 0 || static_cast<std::uint64_t>(size) > source.Remaining()) return false;
    if (size == 0) return true;
    text.reserve(static_cast<std::size_t>(size));
    PopulatePages(text.data(), static_cast<std::size_t>(size));
    auto field = keystream.Begin(static_cast<std::size_t>(size));
    return DecipherInto(source, field, static_cast<std::size_t>(size), text);
}

// Stops at the first field that fails: the articles before it are whole,
// and every later field would start in the wrong place. Running out of
// memory fails the field too.
void ReadArticles(FileSource& source, LoadedBook& book) {
    if (book.announcedCount <= 0) return;
    const auto count = static_cast<std::uint64_t>(book.announcedCount);
    SharedKeystream keystream(KeyText(book.key));
    try {
        book.articles.Reserve(static_cast<std::size_t>(
            std::min({count, source.Remaining() / kSmallestArticle, kLargestReservation})));
        for (std::uint64_t n = 0; n < count; ++n) {
            Article article;
            if (!ReadField(source, keystream, article.title) ||
                !ReadField(source, keystream, article.content)) {
                book.damaged = true;
                return;
            }
            book.articles.Append(std::move(article));
        }
    } catch (const std::bad_alloc&) {
        book.damaged = true;
    }
}

LoadedBook ReadUntrimmed(const std::string& path) {
    LoadedBook book;
    FileSource source;
    if (!source.Open(path)) {
        book.outcome = ReadOutcome::CannotOpen;
    } else if (!HasMagic(source)) {
        book.outcome = ReadOutcome::NotABook;
    } else {
        book.announcedCount = ReadHeaderNumber(source);
        book.key = ReadHeaderNumber(source);
        ReadArticles(source, book);
    }
    return book;
}

}  // namespace

std::string KeyText(BookKey key) { return std::to_string(key); }

LoadedBook ReadBook(const std::string& path) {
    LoadedBook book = ReadUntrimmed(path);
    TrimWorkingSet();
    return book;
}

WriteOutcome WriteBook(const std::string& path, const ArticleList& articles) {
    return WriteBookWithKey(path, articles, DrawBookKey());
}

WriteOutcome WriteBookWithKey(const std::string& path, const ArticleList& articles, BookKey key) {
    return WriteCountedLayout(path, kMagic, articles, key);
}

// Seeded once per thread from a fine clock: reseeding from a millisecond
// tick for every book would give two books saved in the same millisecond
// the same key.
BookKey DrawBookKey() {
    thread_local std::mt19937 engine{
        static_cast<std::uint32_t>(std::chrono::high_resolution_clock::now().time_since_epoch().count())};
    return std::uniform_int_distribution<BookKey>{kSmallestKey, kLargestKey}(engine);
}

}  // namespace qob
