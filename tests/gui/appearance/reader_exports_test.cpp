// The two export commands of the reader window, from the dialog to the bytes.
#include <QFile>
#include <QTest>
#include <sys/stat.h>

#include "gui_test_support.h"
#include "reader_window.h"

namespace {

using Command = void (ReaderWindow::*)();

const QString kFailed = QStringLiteral("文件写入失败,请检查文件是否正常");

std::string Bytes(std::initializer_list<std::string_view> pieces) {
    std::string bytes;
    for (std::string_view piece : pieces) bytes += piece;
    return bytes;
}

QByteArray FileBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return "<missing>";
    return file.readAll();
}

QByteArray Raw(const std::string& bytes) { return QByteArray(bytes.data(), qsizetype(bytes.size())); }

// "t1", "t2", …; built by append, which GCC 12 does not misread as an overlapping copy.
std::string Title(int number) { return std::string("t").append(std::to_string(number)); }

std::vector<qob::Article> NumberedArticles(int count) {
    std::vector<qob::Article> articles;
    for (int i = 1; i <= count; ++i) articles.push_back({Title(i), ""});
    return articles;
}

// "[第" i "篇]" in the book code page.
std::string Heading(int number, std::string_view title) {
    return Bytes({"\x5B\xB5\xDA", std::to_string(number), "\xC6\xAA\x5D", title, "\r\n", std::string_view("\0", 1)});
}

std::string Body(std::string_view content) { return Bytes({content, "\r\n", std::string_view("\0", 1)}); }

std::string Count(char n) { return std::string{n, 0, 0, 0}; }

struct Reader {
    ScriptedPrompter prompts;
    ReaderWindow window{QStringList()};
    TempDir dir;

    void Open(const std::vector<qob::Article>& articles) {
        for (const qob::Article& article : articles) window.OpenBook().Append(article);
    }
};

}  // namespace

Q_DECLARE_METATYPE(Command)

class ReaderExportsTest : public QObject {
    Q_OBJECT
private slots:
    void WritesTheLayout_data();
    void WritesTheLayout();
    void AsksWithItsFilter_data();
    void AsksWithItsFilter();
    void CancelLeavesNoFile_data();
    void CancelLeavesNoFile();
    void UnwritableTarget_data();
    void UnwritableTarget();
    void NameWithoutExtensionGetsTheBookExtension();
};

void ReaderExportsTest::WritesTheLayout_data() {
    QTest::addColumn<Command>("command");
    QTest::addColumn<std::vector<qob::Article>>("book");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("done");
    const QString rux = QStringLiteral("保存为RUX格式电子书成功!");
    const QString custom = QStringLiteral("保存为自定义格式电子书成功!");
    const std::vector<qob::Article> empty;
    const std::vector<qob::Article> emptyTexts{{"", ""}};
    const std::vector<qob::Article> crlfContent{{"T", "C\r\n"}};
    std::string tenHeadings;
    for (int i = 1; i <= 10; ++i) tenHeadings += Heading(i, Title(i)) + Body("");

    QTest::newRow("rux, empty book") << &ReaderWindow::ExportRux << empty << Raw(Bytes({"rux", Count(0)})) << rux;
    QTest::newRow("rux, empty texts")
        << &ReaderWindow::ExportRux << emptyTexts << Raw(Bytes({"rux", Count(1), Count(0), Count(0)})) << rux;
    QTest::newRow("rux, two articles")
        << &ReaderWindow::ExportRux << std::vector<qob::Article>{{"ab", "xyz"}, {"c", ""}}
        << Raw(Bytes({"rux", Count(2), Count(2), "ab", Count(3), "xyz", Count(1), "c", Count(0)})) << rux;
    QTest::newRow("custom, empty book") << &ReaderWindow::ExportCustomText << empty << QByteArray() << custom;
    QTest::newRow("custom, empty texts")
        << &ReaderWindow::ExportCustomText << emptyTexts << Raw(Heading(1, "") + Body("")) << custom;
    QTest::newRow("custom, the tenth heading")
        << &ReaderWindow::ExportCustomText << NumberedArticles(10) << Raw(tenHeadings) << custom;
    QTest::newRow("custom, content ending in a break")
        << &ReaderWindow::ExportCustomText << crlfContent << Raw(Heading(1, "T") + Body("C\r\n")) << custom;
}

void ReaderExportsTest::WritesTheLayout() {
    QFETCH(Command, command);
    QFETCH(std::vector<qob::Article>, book);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, done);
    Reader reader;
    reader.Open(book);
    const QString path = reader.dir.Path(QStringLiteral("out.bin"));
    reader.prompts.fileAnswers.push_back(path);
    (reader.window.*command)();
    QCOMPARE(FileBytes(path), bytes);
    QCOMPARE(reader.prompts.MessageTexts(), QStringList{done});
    QCOMPARE(reader.prompts.messages[0].icon, MessageIcon::Information);
    QCOMPARE(reader.window.OpenBook().Count(), book.size());
}

void ReaderExportsTest::AsksWithItsFilter_data() {
    QTest::addColumn<Command>("command");
    QTest::addColumn<QString>("filter");
    QTest::newRow("rux") << &ReaderWindow::ExportRux << "rux电子书(*.rux)|*.rux";
    QTest::newRow("custom") << &ReaderWindow::ExportCustomText << "自定义电子书(*.*)|*.*";
}

void ReaderExportsTest::AsksWithItsFilter() {
    QFETCH(Command, command);
    QFETCH(QString, filter);
    Reader reader;
    const QString first = reader.dir.Path(QStringLiteral("first.txt"));
    reader.prompts.fileAnswers = {first, std::nullopt};
    (reader.window.*command)();
    (reader.window.*command)();
    QCOMPARE(reader.prompts.fileRequests.size(), std::size_t{2});
    const FileRequest& asked = reader.prompts.fileRequests[1];
    QVERIFY(asked.save);
    QCOMPARE(asked.filter, filter);
    QCOMPARE(asked.defaultSuffix, QStringLiteral("qob"));
    QCOMPARE(asked.initialPath, first);
}

void ReaderExportsTest::CancelLeavesNoFile_data() {
    QTest::addColumn<Command>("command");
    QTest::newRow("rux") << &ReaderWindow::ExportRux;
    QTest::newRow("custom") << &ReaderWindow::ExportCustomText;
}

void ReaderExportsTest::CancelLeavesNoFile() {
    QFETCH(Command, command);
    Reader reader;
    reader.Open(NumberedArticles(2));
    reader.prompts.fileAnswers.push_back(std::nullopt);
    (reader.window.*command)();
    QVERIFY(reader.prompts.messages.empty());
    QVERIFY(QDir(reader.dir.path).isEmpty());
}

// Targets that cannot be written: the old file, if any, stays as it was.
void ReaderExportsTest::UnwritableTarget_data() {
    QTest::addColumn<Command>("command");
    QTest::addColumn<QString>("target");
    for (auto [name, command] : {std::pair{"rux", &ReaderWindow::ExportRux},
                                 std::pair{"custom", &ReaderWindow::ExportCustomText}}) {
        QTest::addRow("%s, read-only file", name) << command << "readonly.bin";
        QTest::addRow("%s, a directory", name) << command << "folder.d";
        QTest::addRow("%s, missing directory", name) << command << "missing/out.bin";
    }
}

void ReaderExportsTest::UnwritableTarget() {
    QFETCH(Command, command);
    QFETCH(QString, target);
    Reader reader;
    reader.Open(NumberedArticles(3));
    QDir(reader.dir.path).mkdir(QStringLiteral("folder.d"));
    const QString readOnly = reader.dir.Path(QStringLiteral("readonly.bin"));
    {
        QFile old(readOnly);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old bytes");
    }
    ::chmod(QFile::encodeName(readOnly).constData(), 0444);
    reader.prompts.fileAnswers.push_back(reader.dir.Path(target));
    (reader.window.*command)();
    QCOMPARE(reader.prompts.MessageTexts(), QStringList{kFailed});
    QCOMPARE(reader.prompts.messages[0].icon, MessageIcon::Stop);
    QCOMPARE(FileBytes(readOnly), QByteArray("old bytes"));
    QVERIFY(!QFile::exists(reader.dir.Path(QStringLiteral("missing"))));
}

// The dialog keeps the book extension as its default, as for every save.
void ReaderExportsTest::NameWithoutExtensionGetsTheBookExtension() {
    Reader reader;
    reader.prompts.fileAnswers.push_back(reader.dir.Path(QStringLiteral("plain")));
    reader.window.ExportRux();
    QCOMPARE(FileBytes(reader.dir.Path(QStringLiteral("plain.qob"))), Raw(Bytes({"rux", Count(0)})));
}

QTEST_MAIN(ReaderExportsTest)
#include "reader_exports_test.moc"
