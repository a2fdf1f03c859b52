// The commands that read a book and show or export it.
#include <charconv>
#include <ostream>

#include "article_files.h"
#include "commands.h"
#include "exports.h"

namespace qob::cli {

namespace {

enum class ExportLayout { Rux, Custom };

std::optional<ExportLayout> ParseLayout(const std::string& word) {
    if (word == "rux") return ExportLayout::Rux;
    if (word == "custom") return ExportLayout::Custom;
    return std::nullopt;
}

WriteOutcome WriteLayout(ExportLayout layout, const std::string& path, const ArticleList& articles) {
    return layout == ExportLayout::Rux ? WriteRux(path, articles) : WriteCustomText(path, articles);
}

void PrintInfo(const LoadedBook& book, std::ostream& out) {
    out << "articles: " << book.articles.Count() << '\n';
    out << "key: " << book.key << '\n';
    if (book.damaged) out << "damaged: yes (header says " << book.announcedCount << ")\n";
}

void PrintTitles(const ArticleList& articles, std::ostream& out) {
    std::size_t number = 0;
    for (const Article& article : articles) {
        out << ++number << '\t' << OneLine(ForTerminal(article.title)) << '\n';
    }
}

// Says why article `number` cannot be shown from `book`.
int FailMissingArticle(const std::string& path, const LoadedBook& book, std::size_t number,
                       Console& console) {
    if (book.damaged) return FinishWithBook(path, book, console);
    return Fail(console, path + " has " + std::to_string(book.articles.Count()) +
                             " articles; there is no article " + std::to_string(number));
}

}  // namespace

std::optional<std::size_t> ParseArticleNumber(const std::string& text) {
    std::size_t number = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, number);
    if (error != std::errc() || stop != end || number == 0) return std::nullopt;
    return number;
}

std::string CheckShowOperands(const Operands& operands) {
    if (ParseArticleNumber(operands[1])) return {};
    return "N must be an article number from 1, not '" + operands[1] + "'";
}

std::string CheckExportOperands(const Operands& operands) {
    if (ParseLayout(operands[0])) return {};
    return "unknown layout '" + operands[0] + "' (use rux or custom)";
}

int RunInfo(const Operands& operands, Console& console) {
    const std::string& path = operands[0];
    LoadedBook book;
    if (!LoadBookOrReport(path, book, console)) return kFailure;
    PrintInfo(book, console.out);
    return FinishWithBook(path, book, console);
}

int RunList(const Operands& operands, Console& console) {
    const std::string& path = operands[0];
    LoadedBook book;
    if (!LoadBookOrReport(path, book, console)) return kFailure;
    PrintTitles(book.articles, console.out);
    return FinishWithBook(path, book, console);
}

int RunShow(const Operands& operands, Console& console) {
    const std::string& path = operands[0];
    const std::size_t number = *ParseArticleNumber(operands[1]);
    LoadedBook book;
    if (!LoadBookOrReport(path, book, console)) return kFailure;
    if (!book.articles.Contains(static_cast<long long>(number) - 1)) {
        return FailMissingArticle(path, book, number, console);
    }
    ForTerminalInPieces(book.articles.At(number - 1).content, [&console](std::string_view piece) { console.out << piece; });
    return FinishWithBook(path, book, console);
}

int RunExport(const Operands& operands, Console& console) {
    const ExportLayout layout = *ParseLayout(operands[0]);
    const std::string& path = operands[1];
    const std::string& target = operands[2];
    LoadedBook book;
    if (!LoadBookOrReport(path, book, console)) return kFailure;
    if (WriteLayout(layout, target, book.articles) != WriteOutcome::Ok) {
        return Fail(console, "cannot write " + target);
    }
    return FinishWithBook(path, book, console);
}

}  // namespace qob::cli
