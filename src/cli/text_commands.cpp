// The commands that turn a book into text files and back.
#include <algorithm>
#include <filesystem>
#include <system_error>

#include "article_files.h"
#include "codec.h"
#include "commands.h"
#include "file_io.h"

namespace qob::cli {

namespace fs = std::filesystem;

namespace {

std::string ArticleLabel(std::size_t number) { return "article " + std::to_string(number); }

// A title is the first line of its file, so a line break inside it would
// move the rest of the title into the content.
int RefuseTitlesWithLineBreaks(const ArticleList& articles, Console& console) {
    std::size_t number = 0;
    for (const Article& article : articles) {
        ++number;
        if (HasLineBreak(article.title)) {
            return Fail(console, ArticleLabel(number) +
                                     ": its title holds a line break, which the first line of a "
                                     "text file cannot keep; nothing was unpacked");
        }
    }
    return kSuccess;
}

// Creates `dir`, or accepts it when it already exists and is empty.
int PrepareEmptyDirectory(const fs::path& dir, Console& console) {
    std::error_code error;
    if (fs::is_directory(dir, error)) {
        const bool empty = fs::is_empty(dir, error);
        if (error) return Fail(console, "cannot open " + dir.string());
        return empty ? kSuccess : Fail(console, dir.string() + " exists and is not empty");
    }
    if (fs::exists(dir, error)) return Fail(console, dir.string() + " is not a directory");
    fs::create_directories(dir, error);
    if (error) return Fail(console, "cannot create " + dir.string());
    return kSuccess;
}

void WarnIfNotReversible(const Article& article, const std::string& fileText, std::size_t number,
                         const std::string& fileName, Console& console) {
    if (ArticleFromFileText(fileText) == article) return;
    Warn(console, ArticleLabel(number) + " (" + fileName +
                      ") holds bytes that are not GB18030 text or line breaks other than \\r\\n; "
                      "packing the file again will not give the same bytes");
}

int WriteArticleFiles(const ArticleList& articles, const fs::path& dir, Console& console) {
    std::size_t number = 0;
    for (const Article& article : articles) {
        const std::string name = ArticleFileName(++number, articles.Count());
        const std::string text = ArticleFileText(article);
        if (!WriteFileWhole(dir / name, text)) return Fail(console, "cannot write " + (dir / name).string());
        WarnIfNotReversible(article, text, number, name, console);
    }
    return kSuccess;
}

bool IsArticleFile(const fs::directory_entry& entry) {
    std::error_code error;
    return entry.path().extension() == ".txt" && entry.is_regular_file(error);
}

// The .txt files of `dir` in name order, or an empty optional after saying
// why the directory cannot be read.
std::optional<std::vector<fs::path>> ListArticleFiles(const fs::path& dir, Console& console) {
    std::error_code error;
    if (!fs::is_directory(dir, error)) {
        Fail(console, fs::exists(dir, error) ? dir.string() + " is not a directory"
                                             : "cannot open " + dir.string());
        return std::nullopt;
    }
    std::vector<fs::path> files;
    for (fs::directory_iterator it(dir, error), end; !error && it != end; it.increment(error)) {
        if (IsArticleFile(*it)) files.push_back(it->path());
    }
    if (error) {
        Fail(console, "cannot open " + dir.string());
        return std::nullopt;
    }
    std::sort(files.begin(), files.end(),
              [](const fs::path& a, const fs::path& b) { return a.filename().native() < b.filename().native(); });
    return files;
}

// Reads one article file, refusing what a book text cannot hold as typed.
std::optional<Article> ReadArticleFile(const fs::path& file, Console& console) {
    const std::optional<std::string> text = ReadWholeFile(file);
    if (!text) {
        Fail(console, "cannot open " + file.string());
        return std::nullopt;
    }
    if (!IsValidUtf8(*text)) {
        Fail(console, file.string() + " is not UTF-8 text");
        return std::nullopt;
    }
    if (text->find('\0') != std::string::npos) {
        Fail(console, file.string() + " holds a NUL byte, which a book text cannot keep");
        return std::nullopt;
    }
    return ArticleFromFileText(*text);
}

}  // namespace

int RunUnpack(const Operands& operands, Console& console) {
    const std::string& path = operands[0];
    const fs::path dir = operands[1];
    LoadedBook book;
    if (!LoadBookOrReport(path, book, console)) return kFailure;
    if (const int status = RefuseTitlesWithLineBreaks(book.articles, console)) return status;
    if (const int status = PrepareEmptyDirectory(dir, console)) return status;
    if (const int status = WriteArticleFiles(book.articles, dir, console)) return status;
    return FinishWithBook(path, book, console);
}

int RunPack(const Operands& operands, Console& console) {
    const std::string& target = operands[1];
    const std::optional<std::vector<fs::path>> files = ListArticleFiles(operands[0], console);
    if (!files) return kFailure;
    if (files->empty()) Warn(console, operands[0] + " holds no .txt files; the book will be empty");
    ArticleList articles;
    articles.Reserve(files->size());
    for (const fs::path& file : *files) {
        std::optional<Article> article = ReadArticleFile(file, console);
        if (!article) return kFailure;
        articles.Append(std::move(*article));
    }
    if (WriteBook(target, articles) != WriteOutcome::Ok) return Fail(console, "cannot write " + target);
    return kSuccess;
}

}  // namespace qob::cli
