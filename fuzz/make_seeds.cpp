// Writes the seed corpus of the fuzz targets: books made by the book writer
// and damaged copies of them, command lines and texts.
//   qob-fuzz-seeds DIR   fills DIR/read_book, DIR/command_line, DIR/codec
#include <climits>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

#include "book_file.h"
#include "exports.h"

namespace {

namespace fs = std::filesystem;

using qob::Article;
using qob::ArticleList;

const std::string kZhongWen = "\xD6\xD0\xCE\xC4";           // 中文, GB18030
const std::string kFourByteChar = "\x95\x32\x82\x36";        // U+20000, GB18030
const std::string kNotGb18030 = "\x81\x20\xFF\x80";
constexpr qob::BookKey kKey = 123456789;

ArticleList List(const std::vector<Article>& articles) {
    ArticleList list;
    for (const Article& article : articles) list.Append(article);
    return list;
}

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteFile(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    if (!out) throw std::runtime_error("cannot write " + path.string());
}

std::string Le32(std::int32_t number) {
    const auto bits = static_cast<std::uint32_t>(number);
    return {static_cast<char>(bits), static_cast<char>(bits >> 8), static_cast<char>(bits >> 16),
            static_cast<char>(bits >> 24)};
}

std::string Book(const ArticleList& articles, const fs::path& scratch, qob::BookKey key = kKey) {
    if (qob::WriteBookWithKey(scratch.string(), articles, key) != qob::WriteOutcome::Ok) {
        throw std::runtime_error("cannot write a seed book");
    }
    return ReadFile(scratch);
}

std::string WithNumberAt(std::string bytes, std::size_t offset, std::int32_t number) {
    return bytes.replace(offset, 4, Le32(number));
}

void WriteBookSeeds(const fs::path& dir) {
    const fs::path scratch = dir / "scratch";
    const ArticleList two = List({{"first", "one\r\ntwo"}, {kZhongWen, kZhongWen + "\r\n" + kFourByteChar}});
    const std::string whole = Book(two, scratch);
    const std::size_t firstLength = 11;  // the first title's length field
    const std::vector<std::pair<std::string, std::string>> seeds = {
        {"empty", Book({}, scratch)},
        {"magic-only", "qob"},
        {"two-articles", whole},
        {"empty-texts", Book(List({{"", ""}, {"", ""}}), scratch)},
        {"not-gb18030", Book(List({{kNotGb18030, "x" + kNotGb18030}}), scratch)},
        {"negative-key", Book(two, scratch, -123456789)},
        {"cut-in-count", whole.substr(0, 5)},
        {"cut-in-key", whole.substr(0, 9)},
        {"cut-in-length", whole.substr(0, 13)},
        {"cut-in-text", whole.substr(0, 18)},
        {"cut-last-byte", whole.substr(0, whole.size() - 1)},
        {"count-minus-one", WithNumberAt(whole, 3, -1)},
        {"count-largest", WithNumberAt(whole, 3, INT_MAX)},
        {"count-one-more", WithNumberAt(whole, 3, 3)},
        {"length-largest", WithNumberAt(whole, firstLength, INT_MAX)},
        {"length-negative", WithNumberAt(whole, firstLength, -1)},
        {"trailing-bytes", whole + "trailing"},
        {"upper-case-magic", "QOB" + whole.substr(3)},
    };
    for (const auto& [name, bytes] : seeds) WriteFile(dir / name, bytes);
    if (qob::WriteRux((dir / "rux-export").string(), two) != qob::WriteOutcome::Ok) {
        throw std::runtime_error("cannot write the rux seed");
    }
    fs::remove(scratch);
}

void WriteCommandLineSeeds(const fs::path& dir) {
    const std::vector<std::string> lines = {
        "qob.exe D:\\books\\a.qob",
        "\"C:\\Program Files\\qob.exe\" \"D:\\my books\\" + kZhongWen + ".qob\" second",
        "qob.exe \"unbalanced quote",
        "qob.exe a\"b c\"\"\"d",
        "qob.exe \t\x01 x\x1f y",
        "qob.exe " + kZhongWen + "\xB4",
        "\"qob.exe",
        std::string("qob.exe a\0b", 11),
    };
    int n = 0;
    for (const std::string& line : lines) WriteFile(dir / ("line-" + std::to_string(++n)), line);
}

void WriteCodecSeeds(const fs::path& dir) {
    const std::vector<std::string> texts = {
        kZhongWen + "\r\n" + kFourByteChar + "abc\r\n",
        kNotGb18030 + kZhongWen.substr(0, 1),
        "\xE4\xB8\xAD\xE6\x96\x87\n\xF0\xA0\x80\x80 utf-8\r\n",
        "\r\r\n\n\r",
        "\x95\x32\x90\x31\xFE\x51",
        "private use \xEE\xA1\x95 that GB18030 lacks",
    };
    int n = 0;
    for (const std::string& text : texts) WriteFile(dir / ("text-" + std::to_string(++n)), text);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: qob-fuzz-seeds DIR\n");
        return 2;
    }
    try {
        const fs::path root = argv[1];
        for (const char* target : {"read_book", "command_line", "codec"}) fs::create_directories(root / target);
        WriteBookSeeds(root / "read_book");
        WriteCommandLineSeeds(root / "command_line");
        WriteCodecSeeds(root / "codec");
    } catch (const std::exception& error) {
        std::fprintf(stderr, "qob-fuzz-seeds: %s\n", error.what());
        return 1;
    }
    return 0;
}
