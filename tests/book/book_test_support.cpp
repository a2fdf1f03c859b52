#include "book_test_support.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <algorithm>

#include <cstdlib>

#include "rc4.h"

namespace qob::test {

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "qob-book-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::vector<std::string> TempDir::EntriesOf(const std::string& directory) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(directory)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string Le32(std::int32_t number) {
    const auto bits = static_cast<std::uint32_t>(number);
    return {static_cast<char>(bits), static_cast<char>(bits >> 8), static_cast<char>(bits >> 16),
            static_cast<char>(bits >> 24)};
}

std::string EncipheredField(std::string_view keyText, std::string_view plain) {
    std::string bytes(plain);
    Rc4(keyText).Apply(reinterpret_cast<std::uint8_t*>(bytes.data()), bytes.size());
    return Le32(static_cast<std::int32_t>(bytes.size())) + bytes;
}

std::string BookBytes(std::int32_t count, std::int32_t key, const std::vector<Article>& articles) {
    const std::string keyText = std::to_string(key);
    std::string bytes = "qob" + Le32(count) + Le32(key);
    for (const Article& article : articles) {
        bytes += EncipheredField(keyText, article.title);
        bytes += EncipheredField(keyText, article.content);
    }
    return bytes;
}

ArticleList MakeList(const std::vector<Article>& articles) {
    ArticleList list;
    for (const Article& article : articles) list.Append(article);
    return list;
}

}  // namespace qob::test
