#include "exports.h"

#include <string>
#include <string_view>

#include "counted_layout.h"
#include "safe_file.h"

namespace qob {

namespace {

constexpr std::string_view kRuxMagic = "rux";
// "[第" and "篇]" in GB18030, the code page of the book texts.
constexpr std::string_view kHeadingOpen = "[\xB5\xDA";
constexpr std::string_view kHeadingClose = "\xC6\xAA]";
// Every heading and body ends with a line break and one NUL byte.
constexpr std::string_view kPieceEnd{"\r\n\0", 3};

void AppendText(SafeFileWriter& file, std::string_view text) { file.Append(text.data(), text.size()); }

void AppendCustomArticle(SafeFileWriter& file, std::size_t number, const Article& article) {
    AppendText(file, kHeadingOpen);
    AppendText(file, std::to_string(number));
    AppendText(file, kHeadingClose);
    AppendText(file, article.title);
    AppendText(file, kPieceEnd);
    AppendText(file, article.content);
    AppendText(file, kPieceEnd);
}

}  // namespace

WriteOutcome WriteRux(const std::string& path, const ArticleList& articles) {
    return WriteCountedLayout(path, kRuxMagic, articles, std::nullopt);
}

WriteOutcome WriteCustomText(const std::string& path, const ArticleList& articles) {
    SafeFileWriter file(path);
    if (!file.IsOpen()) return WriteOutcome::CannotCreate;
    std::size_t number = 0;
    for (const Article& article : articles) AppendCustomArticle(file, ++number, article);
    return file.Commit() ? WriteOutcome::Ok : WriteOutcome::CannotCreate;
}

}  // namespace qob
