// Start-up: the command-line book and where its relative path points.
#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

#include "gui_test_support.h"
#include "list_box.h"
#include "reader_test_support.h"
#include "reader_window.h"
#include "startup.h"

class StartupTest : public QObject {
    Q_OBJECT

private slots:
    void resolvesOnlyARelativeFirstArgument_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QStringList>("resolved");
        const QString start = QStringLiteral("/home/reader/books");
        QTest::newRow("no arguments") << QStringList() << QStringList();
        QTest::newRow("plain name") << QStringList({"novel.qob"}) << QStringList({start + "/novel.qob"});
        QTest::newRow("dot prefix") << QStringList({"./novel.qob"}) << QStringList({start + "/./novel.qob"});
        QTest::newRow("parent directory") << QStringList({"../novel.qob"}) << QStringList({start + "/../novel.qob"});
        QTest::newRow("subdirectory, Chinese name") << QStringList({"书/小说.qob"}) << QStringList({start + "/书/小说.qob"});
        QTest::newRow("absolute") << QStringList({"/tmp/novel.qob"}) << QStringList({"/tmp/novel.qob"});
        QTest::newRow("empty first argument stays empty") << QStringList({""}) << QStringList({""});
        QTest::newRow("later arguments untouched") << QStringList({"a.qob", "b.qob"})
                                                    << QStringList({start + "/a.qob", "b.qob"});
    }

    void resolvesOnlyARelativeFirstArgument() {
        QFETCH(QStringList, args);
        QFETCH(QStringList, resolved);
        QCOMPARE(ResolveBookArgument(args, QStringLiteral("/home/reader/books")), resolved);
    }

    void resolvedPathOpensTheBookAfterTheDirectoryChanges() {
        TempDir dir;
        WriteTestBook(dir.Path("here.qob"), NumberedBook(2));
        const QString before = QDir::currentPath();
        const QStringList args = ResolveBookArgument({"here.qob"}, dir.path);
        QDir::setCurrent(QDir::tempPath());
        ScriptedPrompter prompter;
        ReaderWindow window(args);
        QDir::setCurrent(before);
        QCOMPARE(window.TableOfContents()->Count(), 2);
        QVERIFY(prompter.messages.empty());
    }

    void firstArgumentOpensBeforeTheWindowIsShown() {
        TempDir dir;
        WriteTestBook(dir.Path("start.qob"), MakeBook({{"Opening", "first text"}, {"Next", "second"}}));
        ScriptedPrompter prompter;
        ReaderWindow window({dir.Path("start.qob"), dir.Path("ignored.qob")});
        QVERIFY(!window.isVisible());
        QCOMPARE(window.CommandLineArgs(), QStringList({dir.Path("start.qob"), dir.Path("ignored.qob")}));
        QCOMPARE(ListedTitles(window), QStringList({"Opening", "Next"}));
        QCOMPARE(window.TableOfContents()->Selection(), 0);
        QCOMPARE(window.ReadingPane()->toPlainText(), QStringLiteral("first text"));
        QVERIFY(prompter.messages.empty());
    }

    void unreadableFirstArgumentIsReportedAndShownInThePathBox() {
        TempDir dir;
        WriteTestBook(dir.Path("good.qob"), NumberedBook(1));
        ScriptedPrompter prompter;
        // Only the first argument is tried, even when the second is a book.
        ReaderWindow window({dir.Path("missing.qob"), dir.Path("good.qob")});
        QCOMPARE(prompter.MessageTexts(), QStringList({QStringLiteral("打开电子书失败,请检查文件是否正常!")}));
        QCOMPARE(PathBox(window)->text(), dir.Path("missing.qob"));
        QCOMPARE(window.TableOfContents()->Count(), 0);
    }
};

QTEST_MAIN(StartupTest)
#include "startup_test.moc"
