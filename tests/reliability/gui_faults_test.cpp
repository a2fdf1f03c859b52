// Every command of the windows that writes a file, against targets that
// fail; and bad books and bad bytes given to the reader and the editors.
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>
#include <climits>
#include <memory>

#include "article_edit_window.h"
#include "book_edit_window.h"
#include "book_file.h"
#include "book_text.h"
#include "exports.h"
#include "fault_support.h"
#include "gui_test_support.h"
#include "list_box.h"
#include "make_window.h"
#include "reader_test_support.h"
#include "reader_window.h"

namespace {

const QString kCannotWrite = QStringLiteral("文件写入失败,请检查文件是否正常");
const QString kCannotOpen = QStringLiteral("打开电子书失败,请检查文件是否正常!");
const QString kReplacement = QStringLiteral("\uFFFD");
const QByteArray kOldBytes = "old bytes that must survive";
const std::string kNotGb18030 = "a\x81\x20" "b\xFF";  // shown as a, U+FFFD, space, b, U+FFFD
constexpr qob::BookKey kKey = 123456789;

enum class Writer { Save, SaveAs, ExportRux, ExportCustom, Generate, BookEditSave };
enum class Fault { CutShort, ReadOnly, MissingDirectory, IsADirectory, Spaces, Chinese };

std::string Bytes(const QString& path) { return QFile::encodeName(path).toStdString(); }

QString DamagedNotice(int read, qint64 announced) {
    return QStringLiteral("电子书文件已损坏,只读出了%1篇文章(文件记载共%2篇)!").arg(read).arg(announced);
}

// Lowers this process's file-size limit; writes past it fail as on a full
// disk instead of raising SIGXFSZ.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &old_);
        oldHandler_ = ::signal(SIGXFSZ, SIG_IGN);
        const rlimit lowered{bytes, old_.rlim_max};
        ::setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &old_);
        ::signal(SIGXFSZ, oldHandler_);
    }

private:
    rlimit old_{};
    sighandler_t oldHandler_;
};

qob::ArticleList ListOf(const std::vector<qob::Article>& articles) {
    qob::ArticleList list;
    for (const qob::Article& article : articles) list.Append(article);
    return list;
}

std::string BookBytes(const qob::ArticleList& articles) {
    TempDir dir;
    const QString path = dir.Path(QStringLiteral("book"));
    if (qob::WriteBookWithKey(Bytes(path), articles, kKey) != qob::WriteOutcome::Ok) return {};
    return ReadRawFile(path).toStdString();
}

std::string WithNumberAt(std::string bytes, std::size_t offset, std::int32_t number) {
    return bytes.replace(offset, 4, qob::reliability::Le32(number));
}

}  // namespace

Q_DECLARE_METATYPE(Writer)
Q_DECLARE_METATYPE(Fault)

class GuiFaultsTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<ScriptedPrompter> prompts_;
    std::unique_ptr<TempDir> dir_;
    std::unique_ptr<ReaderWindow> reader_;

    // A book big enough that a write limited to a few KiB fails part way.
    qob::ArticleList BigBook() const {
        qob::ArticleList book = MakeBook({{"First", "one"}});
        book.Append({"Second", std::string(64 * 1024, 'x')});
        return book;
    }

    void PutInReader(const qob::ArticleList& book) {
        reader_->OpenBook() = book;
        std::vector<qob::Text> titles;
        for (const qob::Article& article : book) titles.push_back(article.title);
        reader_->TableOfContents()->Reset(titles);
        reader_->TableOfContents()->SetSelection(0);
        reader_->ShowSelectedArticle();
    }

    void Compose(MakeWindow& window, const qob::ArticleList& book) {
        for (const qob::Article& article : book) {
            window.findChild<QLineEdit*>(QStringLiteral("标题编辑框"))->setText(ShowText(article.title));
            window.findChild<QPlainTextEdit*>(QStringLiteral("内容编辑框"))->setPlainText(ShowText(article.content));
            window.findChild<QPushButton*>(QStringLiteral("添加按钮"))->click();
        }
    }

    // Runs the command with `path` as the dialog's answer; gives the
    // message it shows on success.
    QString Run(Writer writer, const qob::ArticleList& book, const QString& path) {
        prompts_->fileAnswers.push_back(path);
        switch (writer) {
        case Writer::Save: PutInReader(book); reader_->SaveBook(); return QStringLiteral("保存成功!");
        case Writer::SaveAs: PutInReader(book); reader_->SaveBookAs(); return QStringLiteral("另存成功!");
        case Writer::ExportRux:
            PutInReader(book);
            reader_->ExportRux();
            return QStringLiteral("保存为RUX格式电子书成功!");
        case Writer::ExportCustom:
            PutInReader(book);
            reader_->ExportCustomText();
            return QStringLiteral("保存为自定义格式电子书成功!");
        case Writer::Generate: {
            MakeWindow window;
            Compose(window, book);
            prompts_->Forget();
            window.findChild<QPushButton*>(QStringLiteral("生成电子书按钮"))->click();
            return QStringLiteral("电子书制作完成!");
        }
        case Writer::BookEditSave: {
            PutInReader(book);
            BookEditWindow window(*reader_);
            window.findChild<QPushButton*>(QStringLiteral("清空本章1"))->click();
            return QStringLiteral("保存成功!");
        }
        }
        return {};
    }

    // What the command must have written for `book`.
    std::string Expected(Writer writer, const qob::ArticleList& book) {
        const QString path = dir_->Path(QStringLiteral("expected"));
        using Write = qob::WriteOutcome (*)(const std::string&, const qob::ArticleList&);
        const Write write = writer == Writer::ExportRux      ? &qob::WriteRux
                            : writer == Writer::ExportCustom ? &qob::WriteCustomText
                                                             : nullptr;
        if (write == nullptr || write(Bytes(path), book) != qob::WriteOutcome::Ok) return {};
        const std::string bytes = ReadRawFile(path).toStdString();
        QFile::remove(path);
        return bytes;
    }

    void CompareWritten(Writer writer, const qob::ArticleList& book, const QString& path) {
        if (writer == Writer::ExportRux || writer == Writer::ExportCustom) {
            QCOMPARE(ReadRawFile(path).toStdString(), Expected(writer, book));
        } else {
            QCOMPARE(ReadBackBook(path), book);
        }
    }

    QStringList EntriesOf(const QString& path) const {
        return QDir(path).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    }

private slots:
    void init() {
        prompts_ = std::make_unique<ScriptedPrompter>();
        dir_ = std::make_unique<TempDir>();
        reader_ = std::make_unique<ReaderWindow>(QStringList());
        prompts_->Forget();
    }

    void cleanup() {
        reader_.reset();
        dir_.reset();
        prompts_.reset();
    }

    void writeFaults_data() {
        QTest::addColumn<Writer>("writer");
        QTest::addColumn<Fault>("fault");
        const std::pair<const char*, Writer> writers[] = {
            {"save", Writer::Save},         {"save as", Writer::SaveAs},   {"export rux", Writer::ExportRux},
            {"export custom", Writer::ExportCustom}, {"generate", Writer::Generate},
            {"book edit save", Writer::BookEditSave},
        };
        const std::pair<const char*, Fault> faults[] = {
            {"write cut short", Fault::CutShort},   {"read-only file", Fault::ReadOnly},
            {"missing directory", Fault::MissingDirectory}, {"a directory", Fault::IsADirectory},
            {"spaces in the path", Fault::Spaces},  {"Chinese path", Fault::Chinese},
        };
        for (const auto& [writerName, writer] : writers) {
            for (const auto& [faultName, fault] : faults) {
                QTest::addRow("%s, %s", writerName, faultName) << writer << fault;
            }
        }
    }

    // A failed write leaves the old file as it was and says so with the
    // failure message alone; an unusual but good path just works.
    void writeFaults() {
        QFETCH(Writer, writer);
        QFETCH(Fault, fault);
        const qob::ArticleList book = BigBook();
        const QString folder = dir_->Path(QStringLiteral("out"));
        QVERIFY(QDir().mkpath(folder));
        QString target = folder + QStringLiteral("/book.qob");
        std::unique_ptr<FileSizeLimit> limit;
        switch (fault) {
        case Fault::CutShort:
            WriteRawFile(target, kOldBytes);
            limit = std::make_unique<FileSizeLimit>(4096);
            break;
        case Fault::ReadOnly:
            WriteRawFile(target, kOldBytes);
            ::chmod(QFile::encodeName(target).constData(), 0444);
            break;
        case Fault::MissingDirectory: target = folder + QStringLiteral("/missing/book.qob"); break;
        case Fault::IsADirectory:
            QVERIFY(QDir().mkpath(target));
            WriteRawFile(target + QStringLiteral("/inside"), kOldBytes);
            break;
        case Fault::Spaces: target = folder + QStringLiteral("/my books/a book .qob"); break;
        case Fault::Chinese: target = folder + QStringLiteral("/我的书/第一本 书.qob"); break;
        }
        const bool goodPath = fault == Fault::Spaces || fault == Fault::Chinese;
        if (goodPath) QVERIFY(QDir().mkpath(QFileInfo(target).path()));
        const QStringList before = EntriesOf(folder);

        const QString success = Run(writer, book, target);
        limit.reset();

        QCOMPARE(prompts_->MessageTexts(), QStringList{goodPath ? success : kCannotWrite});
        QCOMPARE(prompts_->messages.front().icon, goodPath ? MessageIcon::Information : MessageIcon::Stop);
        if (goodPath) {
            CompareWritten(writer, book, target);
            QCOMPARE(EntriesOf(QFileInfo(target).path()), QStringList{QFileInfo(target).fileName()});
            return;
        }
        QCOMPARE(EntriesOf(folder), before);
        if (fault == Fault::IsADirectory) {
            QCOMPARE(ReadRawFile(target + QStringLiteral("/inside")), kOldBytes);
        } else if (fault != Fault::MissingDirectory) {
            QCOMPARE(ReadRawFile(target), kOldBytes);
        }
    }

    void damagedBooksShowWhatCouldBeRead_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("titles");
        QTest::addColumn<QString>("notice");
        const std::string two = BookBytes(NumberedBook(2));
        const std::string one = BookBytes(NumberedBook(1));
        const std::size_t contentLength = 11 + 4 + 2;  // after the title "T0"
        const auto row = [](const char* name, const std::string& bytes) -> QTestData& {
            return QTest::newRow(name) << QByteArray::fromStdString(bytes);
        };
        row("cut inside the second article", two.substr(0, two.size() - 1)) << QStringList{"T0"} << DamagedNotice(1, 2);
        row("count 2147483647", WithNumberAt(two, 3, INT_MAX)) << QStringList{"T0", "T1"}
                                                              << DamagedNotice(2, INT_MAX);
        row("a gigabyte content claimed", WithNumberAt(one, contentLength, 1 << 30)) << QStringList{}
                                                                                     << DamagedNotice(0, 1);
        row("negative content length", WithNumberAt(one, contentLength, -1)) << QStringList{} << DamagedNotice(0, 1);
        row("count cut short", "qob\x05") << QStringList{} << DamagedNotice(0, 5);
    }

    // The notice, the articles before the damage, and the first of them
    // shown; no hang on counts or lengths the file cannot hold.
    void damagedBooksShowWhatCouldBeRead() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, titles);
        QFETCH(QString, notice);
        const QString path = dir_->Path(QStringLiteral("damaged.qob"));
        WriteRawFile(path, bytes);

        reader_->LoadBookIntoReader(path);

        QCOMPARE(prompts_->MessageTexts(), QStringList{notice});
        QCOMPARE(prompts_->messages.front().icon, MessageIcon::Stop);
        QCOMPARE(ListedTitles(*reader_), titles);
        QCOMPARE(reader_->OpenBook().Count(), static_cast<std::size_t>(titles.size()));
        QCOMPARE(reader_->ReadingPane()->toPlainText(), titles.isEmpty() ? QString() : QStringLiteral("c0"));
    }

    void aClaimedGigabyteInASparseFileIsRefused() {
        const QString path = dir_->Path(QStringLiteral("sparse.qob"));
        qob::reliability::WriteBookClaiming(Bytes(path), 1 << 30, std::uintmax_t{1} << 29);
        reader_->LoadBookIntoReader(path);
        QCOMPARE(prompts_->MessageTexts(), QStringList{DamagedNotice(0, 1)});
        QCOMPARE(reader_->TableOfContents()->Count(), 0);
    }

    void oddButWholeBooksOpenQuietly_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("only the magic") << QByteArray("qob");
        QTest::newRow("count -1") << QByteArray::fromStdString(WithNumberAt(BookBytes(NumberedBook(1)), 3, -1));
        QTest::newRow("count 0 and trailing bytes") << QByteArray::fromStdString(BookBytes({}) + "trailing");
    }

    void oddButWholeBooksOpenQuietly() {
        QFETCH(QByteArray, bytes);
        const QString path = dir_->Path(QStringLiteral("odd.qob"));
        WriteRawFile(path, bytes);
        reader_->LoadBookIntoReader(path);
        QCOMPARE(prompts_->MessageTexts(), QStringList());
        QCOMPARE(reader_->TableOfContents()->Count(), 0);
        QVERIFY(reader_->OpenBook().Empty());
    }

    void strangeTextsShowAndSaveBackUnchanged_data() {
        QTest::addColumn<QByteArray>("title");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("shownTitle");
        QTest::addColumn<QString>("shownContent");
        const QString notGb18030 = QStringLiteral("a") + kReplacement + QStringLiteral(" b") + kReplacement;
        QTest::newRow("empty title") << QByteArray() << QByteArray("c") << QString() << QStringLiteral("c");
        QTest::newRow("huge title") << QByteArray(1 << 20, 'T') << QByteArray("c") << QString(1 << 20, u'T')
                                    << QStringLiteral("c");
        QTest::newRow("bytes that are not GB18030")
            << QByteArray::fromStdString(kNotGb18030) << QByteArray::fromStdString(kNotGb18030 + "\r\n" + kNotGb18030)
            << notGb18030 << notGb18030 + u'\n' + notGb18030;
        QTest::newRow("a lone line feed and a cut character")
            << QByteArray("t") << QByteArray("one\ntwo\xD6") << QStringLiteral("t")
            << QStringLiteral("one\ntwo") + kReplacement;
    }

    // Shown with replacement characters where the bytes are not text, and
    // written back byte for byte by a save that nobody edited before.
    void strangeTextsShowAndSaveBackUnchanged() {
        QFETCH(QByteArray, title);
        QFETCH(QByteArray, content);
        QFETCH(QString, shownTitle);
        QFETCH(QString, shownContent);
        const qob::ArticleList book = ListOf({{title.toStdString(), content.toStdString()}, {"second", "text"}});
        const QString path = dir_->Path(QStringLiteral("strange.qob"));
        WriteTestBook(path, book);

        reader_->LoadBookIntoReader(path);
        QCOMPARE(ListedTitles(*reader_).value(0), shownTitle);
        QCOMPARE(reader_->ReadingPane()->toPlainText(), shownContent);

        const QString saved = dir_->Path(QStringLiteral("saved.qob"));
        prompts_->fileAnswers.push_back(saved);
        reader_->SaveBook();
        QCOMPARE(ReadBackBook(saved), book);
    }

    void nulBytesEndTheTextsThatHoldThem() {
        const QString path = dir_->Path(QStringLiteral("nul.qob"));
        WriteTestBook(path, ListOf({{std::string("ab\0cd", 5), std::string("x\0y", 3)}}));
        reader_->LoadBookIntoReader(path);
        QCOMPARE(ListedTitles(*reader_), QStringList{"ab"});
        QCOMPARE(reader_->ReadingPane()->toPlainText(), QStringLiteral("x"));
        QCOMPARE(reader_->OpenBook(), ListOf({{"ab", "x"}}));
    }

    void editorsKeepBytesTheyDidNotChange_data() {
        QTest::addColumn<bool>("bookEditWindow");
        QTest::newRow("article edit window") << false;
        QTest::newRow("book edit window") << true;
    }

    // Storing an article that was only looked at keeps its bytes, even
    // where they are not GB18030.
    void editorsKeepBytesTheyDidNotChange() {
        QFETCH(bool, bookEditWindow);
        const qob::ArticleList book = ListOf({{kNotGb18030, kNotGb18030 + "\r\n\xD6"}, {"B", "B-text"}});
        PutInReader(book);
        if (bookEditWindow) {
            BookEditWindow window(*reader_);
            window.ShowChapter(0);
            window.findChild<QPushButton*>(QStringLiteral("修改本章"))->click();
        } else {
            ArticleEditWindow window(*reader_);
            window.findChild<QPushButton*>(QStringLiteral("修改本文章"))->click();
        }
        QCOMPARE(reader_->OpenBook(), book);
        QCOMPARE(reader_->PaneText(), book.At(0).content);

        const QString saved = dir_->Path(QStringLiteral("saved.qob"));
        prompts_->fileAnswers.push_back(saved);
        reader_->SaveBook();
        QCOMPARE(ReadBackBook(saved), book);
    }

    void badStartArgumentsOpenNothing_data() {
        QTest::addColumn<QString>("argument");
        QTest::newRow("unbalanced quote") << QStringLiteral("\"D:\\my books\\a.qob");
        QTest::newRow("empty") << QString();
        QTest::newRow("a directory") << QStringLiteral("/");
        QTest::newRow("replacement character") << QStringLiteral("book") + kReplacement;
        QTest::newRow("a FIFO, which must not wait for a writer") << QStringLiteral("FIFO");
    }

    void badStartArgumentsOpenNothing() {
        QFETCH(QString, argument);
        if (argument == QStringLiteral("FIFO")) {
            argument = dir_->Path(QStringLiteral("fifo.qob"));
            QCOMPARE(::mkfifo(QFile::encodeName(argument).constData(), 0666), 0);
        }
        ReaderWindow window(QStringList{argument, QStringLiteral("ignored")});
        QCOMPARE(prompts_->MessageTexts(), QStringList{kCannotOpen});
        QCOMPARE(window.TableOfContents()->Count(), 0);
        QCOMPARE(PathBox(window)->text(), argument);
    }
};

QTEST_MAIN(GuiFaultsTest)
#include "gui_faults_test.moc"
