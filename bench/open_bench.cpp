// Opening a large book in the reader window: ReadBook alone against the
// reader's whole load (read, table of contents, first article on screen),
// the time to show one very large article, and the peak memory.
//
//   qob-bench-open [articles] [bytes per article]     (default 100000 1000)
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>
#include <fstream>
#include <string>

#include "book_file.h"
#include "book_text.h"
#include "reader_window.h"
#include "trim.h"

namespace {

constexpr int kLargeArticleBytes = 10 * 1024 * 1024;

// One line of Chinese prose in the book code page, ending in "\r\n".
qob::Text ProseLine() {
    return StoreText(QStringLiteral("天色渐晚，书生合上手中的书卷，望着窗外的细雨，心中想起远方的故人与旧日的时光。\n"));
}

qob::Text Prose(std::size_t bytes) {
    const qob::Text line = ProseLine();
    qob::Text text;
    text.reserve(bytes + line.size());
    while (text.size() < bytes) text += line;
    return text;
}

void WriteLargeBook(const std::string& path, int articles, std::size_t articleBytes) {
    const qob::Text body = Prose(articleBytes);
    qob::ArticleList book;
    book.Reserve(static_cast<std::size_t>(articles));
    for (int i = 0; i < articles; ++i) {
        book.Append({StoreText(QStringLiteral("第%1章 细雨").arg(i + 1)), std::to_string(i) + body});
    }
    if (qob::WriteBookWithKey(path, book, 123456789) != qob::WriteOutcome::Ok) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        std::exit(1);
    }
}

long StatusKilobytes(const char* field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    const std::string prefix = std::string(field) + ":";
    while (std::getline(status, line)) {
        if (line.rfind(prefix, 0) == 0) return std::stol(line.substr(prefix.size()));
    }
    return -1;
}

double Seconds(const QElapsedTimer& timer) { return static_cast<double>(timer.nsecsElapsed()) / 1e9; }

// Measures in a process of its own, so that the memory of writing the book
// does not count.
int Measure(const QString& bookPath, int articles) {
    const std::string libraryPath = QFile::encodeName(bookPath).toStdString();
    const auto fileBytes = static_cast<double>(QFileInfo(bookPath).size());
    ReaderWindow window{QStringList()};
    window.show();
    QCoreApplication::processEvents();
    const long baseline = StatusKilobytes("VmRSS");

    // Every run starts from a trimmed heap, as a load in the program does.
    // ReadBook gets the faster of two runs.
    double readSeconds = 0;
    for (int run = 0; run < 2; ++run) {
        qob::TrimWorkingSet();
        QElapsedTimer timer;
        timer.start();
        const qob::LoadedBook loaded = qob::ReadBook(libraryPath);
        const double seconds = Seconds(timer);
        if (loaded.outcome != qob::ReadOutcome::Ok || loaded.articles.Count() != static_cast<std::size_t>(articles)) {
            std::fprintf(stderr, "the book did not read back\n");
            return 1;
        }
        readSeconds = run == 0 ? seconds : std::min(readSeconds, seconds);
    }
    qob::TrimWorkingSet();

    QElapsedTimer timer;
    timer.start();
    window.LoadBookIntoReader(bookPath);
    QCoreApplication::processEvents();
    const double loadSeconds = Seconds(timer);
    const long peak = StatusKilobytes("VmHWM");

    std::printf("book: %d articles, %.1f MB\n", articles, fileBytes / 1e6);
    std::printf("ReadBook alone:            %.3f s\n", readSeconds);
    std::printf("LoadBookIntoReader:        %.3f s  (%.2fx ReadBook, goal <= 1.30x)\n", loadSeconds,
                loadSeconds / readSeconds);
    std::printf("peak RSS with book open:   %.1f MB  (%.2fx file size, goal <= 2.50x; %.1f MB before loading)\n",
                static_cast<double>(peak) * 1024.0 / 1e6, static_cast<double>(peak) * 1024.0 / fileBytes,
                static_cast<double>(baseline) * 1024.0 / 1e6);

    const qob::Text large = Prose(kLargeArticleBytes);
    timer.restart();
    window.SetPaneText(large);
    window.ReadingPane()->repaint();
    QCoreApplication::processEvents();
    std::printf("show a %.1f MB article:    %.3f s\n", static_cast<double>(large.size()) / 1e6, Seconds(timer));
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() == 4 && args[1] == QStringLiteral("--measure")) return Measure(args[2], args[3].toInt());

    const int articles = args.size() > 1 ? args[1].toInt() : 100000;
    const auto articleBytes = static_cast<std::size_t>(args.size() > 2 ? args[2].toLong() : 1000);
    QTemporaryDir work;
    const QString bookPath = work.path() + QStringLiteral("/large.qob");
    WriteLargeBook(QFile::encodeName(bookPath).toStdString(), articles, articleBytes);

    QProcess measure;
    measure.setProcessChannelMode(QProcess::ForwardedChannels);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // The reader registers the file association; keep it out of the user's data.
    environment.insert(QStringLiteral("XDG_DATA_HOME"), work.path());
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), work.path());
    measure.setProcessEnvironment(environment);
    measure.start(QCoreApplication::applicationFilePath(),
                  {QStringLiteral("--measure"), bookPath, QString::number(articles)});
    measure.waitForFinished(-1);
    return measure.exitStatus() == QProcess::NormalExit ? measure.exitCode() : 1;
}
