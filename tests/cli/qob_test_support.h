#pragma once

#include <sys/resource.h>

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "article.h"
#include "book_file.h"

namespace qob::test {

struct QobRun {
    int status = -1;  // the exit status, or minus the signal that ended it
    std::string out;
    std::string err;
};

struct RunOptions {
    std::optional<rlim_t> fileSizeLimit;  // makes writes past it fail
    std::string stdoutPath;               // instead of capturing the output
};

// Runs the built qob binary with `args` (the program name excluded).
QobRun RunQob(const std::vector<std::string>& args, const RunOptions& options = {});

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::string operator/(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

constexpr BookKey kTestKey = 123456789;

ArticleList MakeList(const std::vector<Article>& articles);
void WriteTestBook(const std::string& path, const ArticleList& articles, BookKey key = kTestKey);
std::string ReadBytes(const std::filesystem::path& path);
void WriteBytes(const std::filesystem::path& path, const std::string& bytes);
// The names of the entries of `dir`, sorted.
std::vector<std::string> EntryNames(const std::filesystem::path& dir);
std::size_t LineCount(const std::string& text);

// Texts in GB18030, spelled as bytes so that the fixtures do not depend on
// the codec under test; the UTF-8 spelling is beside each.
inline const std::string kZhongWen = "\xD6\xD0\xCE\xC4";              // 中文
inline const std::string kDiYiZhang = "\xB5\xDA\xD2\xBB\xD5\xC2";      // 第一章
inline const std::string kDiErHang = "\xB5\xDA\xB6\xFE\xD0\xD0";       // 第二行
inline const std::string kBiaoTi = "\xB1\xEA\xCC\xE2";                // 标题
inline const std::string kFourByteChar = "\x95\x32\x82\x36";           // 𠀀 (U+20000)

}  // namespace qob::test
