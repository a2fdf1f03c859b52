#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "article.h"

namespace qob::test {

// A fresh directory, removed with everything in it when the test ends.
class TempDir {
public:
    TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    ~TempDir();

    const std::string& Path() const { return path_; }
    std::string Path(std::string_view name) const { return path_ + "/" + std::string(name); }
    // Names in the directory, sorted, hidden ones included.
    std::vector<std::string> Entries() const { return EntriesOf(path_); }
    static std::vector<std::string> EntriesOf(const std::string& directory);

private:
    std::string path_;
};

std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, std::string_view bytes);

// A 32-bit little-endian number as file bytes.
std::string Le32(std::int32_t number);

// A counted field enciphered with a fresh RC4 under `keyText`, built
// independently of the writer.
std::string EncipheredField(std::string_view keyText, std::string_view plain);

// A book file as the layout prescribes, with any count and key.
std::string BookBytes(std::int32_t count, std::int32_t key, const std::vector<Article>& articles);

ArticleList MakeList(const std::vector<Article>& articles);

}  // namespace qob::test
