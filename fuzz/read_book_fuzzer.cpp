// ReadBook on arbitrary bytes. Besides not crashing, for every input:
// - the outcome follows the magic alone, and the header numbers are the
//   file's bytes with missing high-order bytes as zero;
// - the articles are no more than the stored bytes can hold, and the book
//   is marked damaged exactly when fewer than announced came back;
// - the heap grows with the file, never with a count or length it claims;
// - the file without its last byte reads as a prefix of the same articles,
//   at most one fewer;
// - writing what was read and reading it again gives the same articles.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <string_view>

#include "book_file.h"
#include "fuzz_check.h"
#include "heap_meter.h"

namespace {

using qob::ArticleList;
using qob::LoadedBook;
using qob::ReadOutcome;

constexpr std::string_view kMagic = "qob";
constexpr std::size_t kHeaderSize = 11;
constexpr std::size_t kSmallestArticle = 8;
// The read buffer, the cipher state and the allocator's small change.
constexpr std::size_t kFixedHeapBytes = 256 * 1024;
// Per file byte: the text itself, a copy while a text cut at a NUL is
// trimmed, and the shared keystream with room to grow geometrically.
constexpr std::size_t kHeapBytesPerFileByte = 5;

std::string inputPath;
std::string copyPath;

// Files live in memory where possible: every run writes two of them.
std::string WorkDirectory() {
    const char* chosen = std::getenv("QOB_FUZZ_DIR");
    if (chosen != nullptr) return chosen;
    struct stat info {};
    if (::stat("/dev/shm", &info) == 0 && S_ISDIR(info.st_mode) && ::access("/dev/shm", W_OK) == 0) {
        return "/dev/shm";
    }
    return "/tmp";
}

void RemoveWorkFiles() {
    ::unlink(inputPath.c_str());
    ::unlink(copyPath.c_str());
    ::rmdir(inputPath.substr(0, inputPath.rfind('/')).c_str());
}

void WriteInput(const std::string& path, const std::uint8_t* data, std::size_t size) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    FUZZ_CHECK(out.good());
}

// A header number cut short keeps the bytes that are there as its
// low-order bytes.
std::int32_t HeaderNumber(std::string_view file, std::size_t offset) {
    std::uint32_t number = 0;
    for (std::size_t n = 0; n < 4 && offset + n < file.size(); ++n) {
        number |= std::uint32_t{static_cast<std::uint8_t>(file[offset + n])} << (8 * n);
    }
    return static_cast<std::int32_t>(number);
}

std::size_t MostArticles(std::size_t fileSize) {
    return fileSize < kHeaderSize ? 0 : (fileSize - kHeaderSize) / kSmallestArticle;
}

std::size_t TextBytes(const ArticleList& articles) {
    std::size_t bytes = 0;
    for (const auto& article : articles) {
        FUZZ_CHECK(article.title.find('\0') == std::string::npos);
        FUZZ_CHECK(article.content.find('\0') == std::string::npos);
        bytes += article.title.size() + article.content.size();
    }
    return bytes;
}

void CheckShape(const LoadedBook& book, std::string_view file) {
    const bool hasMagic = file.substr(0, kMagic.size()) == kMagic;
    FUZZ_CHECK(book.outcome == (hasMagic ? ReadOutcome::Ok : ReadOutcome::NotABook));
    if (!hasMagic) {
        FUZZ_CHECK(book.articles.Empty());
        return;
    }
    FUZZ_CHECK(book.announcedCount == HeaderNumber(file, 3));
    FUZZ_CHECK(book.key == HeaderNumber(file, 7));
    const std::size_t count = book.articles.Count();
    FUZZ_CHECK(count <= MostArticles(file.size()));
    FUZZ_CHECK(book.damaged == (static_cast<std::int64_t>(count) < book.announcedCount));
    if (count > 0) {
        FUZZ_CHECK(TextBytes(book.articles) <= file.size() - kHeaderSize - count * kSmallestArticle);
    }
}

void CheckHeap(std::size_t peakBytes, std::size_t fileSize) {
    const std::size_t records = (MostArticles(fileSize) + 1) * sizeof(qob::Article);
    FUZZ_CHECK(peakBytes <= kFixedHeapBytes + kHeapBytesPerFileByte * fileSize + records);
}

bool StartsWith(const ArticleList& whole, const ArticleList& part) {
    if (part.Count() > whole.Count()) return false;
    for (std::size_t n = 0; n < part.Count(); ++n) {
        if (!(part.At(n) == whole.At(n))) return false;
    }
    return true;
}

void CheckShortened(const LoadedBook& book, const std::uint8_t* data, std::size_t size) {
    if (size == 0 || book.outcome != ReadOutcome::Ok) return;
    WriteInput(inputPath, data, size - 1);
    const LoadedBook shorter = qob::ReadBook(inputPath);
    if (size - 1 < kMagic.size()) {
        FUZZ_CHECK(shorter.outcome == ReadOutcome::NotABook);
        return;
    }
    FUZZ_CHECK(StartsWith(book.articles, shorter.articles));
    FUZZ_CHECK(shorter.articles.Count() + 1 >= book.articles.Count());
}

void CheckWrittenBack(const LoadedBook& book) {
    if (book.outcome != ReadOutcome::Ok) return;
    FUZZ_CHECK(qob::WriteBook(copyPath, book.articles) == qob::WriteOutcome::Ok);
    const LoadedBook again = qob::ReadBook(copyPath);
    FUZZ_CHECK(again.outcome == ReadOutcome::Ok);
    FUZZ_CHECK(!again.damaged);
    FUZZ_CHECK(again.announcedCount == static_cast<std::int32_t>(book.articles.Count()));
    FUZZ_CHECK(again.articles == book.articles);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    std::string directory = WorkDirectory() + "/qob-fuzz-XXXXXX";
    FUZZ_CHECK(::mkdtemp(directory.data()) != nullptr);
    inputPath = directory + "/input.qob";
    copyPath = directory + "/copy.qob";
    std::atexit(RemoveWorkFiles);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view file(reinterpret_cast<const char*>(data), size);
    WriteInput(inputPath, data, size);
    LoadedBook book;
    {
        qob::fuzz::HeapMeter meter;
        book = qob::ReadBook(inputPath);
        CheckHeap(meter.PeakBytes(), size);
    }
    CheckShape(book, file);
    CheckShortened(book, data, size);
    CheckWrittenBack(book);
    return 0;
}
