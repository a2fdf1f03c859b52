// Finding a text in a large book, and splitting a large text file into
// articles. Each figure is the best of three runs.
//
//   qob-bench-search [megabytes]     (default 100)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#include "book_search.h"
#include "codec.h"
#include "text_import.h"

namespace {

constexpr std::size_t kArticleBytes = 100 * 1000;
constexpr int kRuns = 3;

const std::string kProseLine =
    "天色渐晚，书生合上手中的书卷，望着窗外的细雨，心中想起远方的故人与旧日的时光。\n";
// Once in every article, somewhere in its middle.
const std::string kMarkLine = "那一年，他在Alpha客栈遇见了一位说书人。\n";

// A chapter of UTF-8 prose of about `bytes` bytes with the mark line in it.
std::string ChapterText(std::size_t bytes) {
    std::string text;
    while (text.size() < bytes / 2) text += kProseLine;
    text += kMarkLine;
    while (text.size() < bytes) text += kProseLine;
    return text;
}

double BestSeconds(const std::function<void()>& run) {
    double best = 1e9;
    for (int n = 0; n < kRuns; ++n) {
        const auto start = std::chrono::steady_clock::now();
        run();
        best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    return best;
}

void MeasureSearch(const qob::ArticleList& book, double megabytes, const char* label, const std::string& utf8) {
    const std::string needle = qob::Utf8ToGb18030(utf8);
    qob::SearchResult result;
    const double seconds = BestSeconds([&] { result = qob::SearchBook(book, needle); });
    std::printf("  %-44s %6zu hits%s  %7.1f ms  %7.0f MB/s\n", label, result.hits.size(),
                result.capped ? " (capped)" : "         ", seconds * 1e3, megabytes / seconds);
}

}  // namespace

int main(int argc, char** argv) {
    const std::size_t megabytes = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 100;
    const std::size_t articles = std::max<std::size_t>(1, megabytes * 1000 * 1000 / kArticleBytes);

    std::string novel;
    const std::string chapter = ChapterText(kArticleBytes * 3 / 2);  // UTF-8 takes 3 bytes where GB18030 takes 2
    qob::ArticleList book;
    book.Reserve(articles);
    const qob::Text content = qob::Utf8ToGb18030(qob::LfToCrlf(chapter));
    for (std::size_t n = 0; n < articles; ++n) {
        const std::string heading = "第" + std::to_string(n + 1) + "章 细雨";
        book.Append({qob::Utf8ToGb18030(heading), content});
        novel += heading + '\n' + chapter;
    }
    std::size_t bookBytes = 0;
    for (const qob::Article& article : book) bookBytes += article.title.size() + article.content.size();
    const double bookMegabytes = static_cast<double>(bookBytes) / 1e6;

    std::printf("search in a book of %zu articles, %.1f MB of GB18030 text:\n", articles, bookMegabytes);
    MeasureSearch(book, bookMegabytes, "a word in every line (stops at the cap)", "细雨");
    MeasureSearch(book, bookMegabytes, "a word once per article", "说书人");
    MeasureSearch(book, bookMegabytes, "a Latin word in another case", "aLPHA");
    MeasureSearch(book, bookMegabytes, "a word that is not there", "飞机场");
    MeasureSearch(book, bookMegabytes, "one character that is not there", "龙");
    MeasureSearch(book, bookMegabytes, "one ASCII letter that is not there", "q");

    const std::string gbNovel = qob::Utf8ToGb18030(novel);
    std::printf("import of a text file of %zu chapters:\n", articles);
    for (const auto& [label, bytes] : {std::pair<const char*, const std::string*>{"UTF-8", &novel},
                                       std::pair<const char*, const std::string*>{"GB18030", &gbNovel}}) {
        std::size_t count = 0;
        const double seconds = BestSeconds([&] {
            count = qob::ImportPlainText(*bytes, "novel", qob::HeadingRule::Chapters()).articles.Count();
        });
        const double fileMegabytes = static_cast<double>(bytes->size()) / 1e6;
        std::printf("  %-8s %7.1f MB  %6zu articles  %7.1f ms  %7.0f MB/s\n", label, fileMegabytes, count,
                    seconds * 1e3, fileMegabytes / seconds);
    }
    return 0;
}
