#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QtTest>

#include "book_edit_window.h"
#include "book_file.h"
#include "book_text.h"
#include "editor_test_support.h"
#include "gui_test_support.h"
#include "list_box.h"
#include "reader_window.h"

namespace {

QString Caption(const char* title) { return QStringLiteral("[文章标题]") + QString::fromUtf8(title); }

}  // namespace

class BookEditWindowTest : public QObject {
    Q_OBJECT
private:
    ScriptedPrompter prompts;
    TempDir files;
    ReaderWindow* reader = nullptr;
    QPointer<BookEditWindow> window;

    QString PaneText() const { return reader->ReadingPane()->toPlainText(); }
    ListBox* Contents() const { return reader->TableOfContents(); }

    void Open() { window = new BookEditWindow(*reader); }

private slots:
    void init() {
        reader = new ReaderWindow(QStringList());
        prompts.Forget();
    }
    void cleanup() {
        delete window;
        delete reader;
    }

    void openingListsTheBookAndLeavesTheReaderWhereItWas() {
        ShowInReader(*reader, "ABCDE", 3);

        Open();

        QCOMPARE(Titles(List(window)), QStringLiteral("A,B,C,D,E"));
        QCOMPARE(List(window)->Selection(), 0);
        QCOMPARE(TitleBoxText(window), QStringLiteral("A"));
        QCOMPARE(ContentBoxText(window), QStringLiteral("A-text"));
        QCOMPARE(Contents()->Selection(), 3);
        QCOMPARE(PaneText(), QStringLiteral("D-text"));
        QCOMPARE(ArticleCaption(*reader), Caption("D"));
    }

    void restoreUsesTheReadersChapterUntilAChapterIsSelectedHere() {
        ShowInReader(*reader, "ABCDE", 3);
        Open();
        Type(window, QStringLiteral("typed"), QStringLiteral("text"));

        Button(window, "还原文章")->click();
        QCOMPARE(TitleBoxText(window), QStringLiteral("D"));
        QCOMPARE(ContentBoxText(window), QStringLiteral("D-text"));
        QCOMPARE(List(window)->Selection(), 0);
        QCOMPARE(Contents()->Selection(), 3);

        UserSelects(List(window), 1);
        Type(window, QStringLiteral("typed"), QStringLiteral("text"));
        Button(window, "还原文章")->click();
        QCOMPARE(TitleBoxText(window), QStringLiteral("B"));
        QCOMPARE(ContentBoxText(window), QStringLiteral("B-text"));
    }

    void selectingAChapterShowsItHereAndInTheReader() {
        ShowInReader(*reader, "ABCDE", 3);
        Open();
        Type(window, QStringLiteral("unsaved"), QStringLiteral("typing"));

        UserSelects(List(window), 2);

        QCOMPARE(TitleBoxText(window), QStringLiteral("C"));
        QCOMPARE(ContentBoxText(window), QStringLiteral("C-text"));
        QCOMPARE(Contents()->Selection(), 2);
        QCOMPARE(PaneText(), QStringLiteral("C-text"));
        QCOMPARE(ArticleCaption(*reader), Caption("C"));
    }

    void modifyStoresTheBoxesIntoTheSelectedChapter_data() {
        QTest::addColumn<QString>("title");
        QTest::newRow("new title") << "X";
        QTest::newRow("empty title") << "";
    }
    void modifyStoresTheBoxesIntoTheSelectedChapter() {
        QFETCH(QString, title);
        ShowInReader(*reader, "ABCDE", 0);
        Open();
        UserSelects(List(window), 2);
        Type(window, title, QStringLiteral("new text"));

        Button(window, "修改本章")->click();

        const QString titles = QStringLiteral("A,B,%1,D,E").arg(title);
        QCOMPARE(Titles(reader->OpenBook()), titles);
        QCOMPARE(Titles(List(window)), titles);
        QCOMPARE(Titles(Contents()), titles);
        QCOMPARE(ShowText(reader->OpenBook().At(2).content), QStringLiteral("new text"));
        QCOMPARE(PaneText(), QStringLiteral("new text"));
        QCOMPARE(ArticleCaption(*reader), QStringLiteral("[文章标题]") + title);
        QCOMPARE(List(window)->Selection(), 2);
        QCOMPARE(Contents()->Selection(), 2);
        QCOMPARE(prompts.MessageTexts(), QStringList{QStringLiteral("本文章修改成功!")});
        QCOMPARE(prompts.messages.front().icon, MessageIcon::Information);
    }

    // Both sides change together; the reader's count caption keeps its figure.
    // "=" stands for the reader's pane or caption as it was before.
    void insertAddAndDeleteOnBothSides_data() {
        QTest::addColumn<QString>("letters");
        QTest::addColumn<int>("selected");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("titles");
        QTest::addColumn<int>("selectedAfter");
        QTest::addColumn<QString>("pane");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("boxTitle");
        QTest::newRow("insert before B") << "ABC" << 1 << "向前插入" << "A,N,B,C" << 1 << "N-text" << "B" << "N";
        QTest::newRow("insert after B") << "ABC" << 1 << "向后插入" << "A,B,N,C" << 2 << "N-text" << "B" << "N";
        QTest::newRow("insert after the last") << "ABC" << 2 << "向后插入" << "A,B,C,N" << 3 << "N-text" << "C"
                                               << "N";
        QTest::newRow("add with B selected") << "ABC" << 1 << "添加文章" << "A,B,C,N" << 3 << "N-text" << "B"
                                             << "N";
        QTest::newRow("add to an empty book") << "" << -1 << "添加文章" << "N" << 0 << "N-text" << "=" << "N";
        QTest::newRow("insert before, empty book") << "" << -1 << "向前插入" << "" << -1 << "=" << "=" << "N";
        QTest::newRow("insert after, empty book") << "" << -1 << "向后插入" << "" << -1 << "=" << "=" << "N";
        QTest::newRow("delete B") << "ABC" << 1 << "删除本章" << "A,C" << 0 << "A-text" << "A" << "A";
        QTest::newRow("delete A") << "ABC" << 0 << "删除本章" << "B,C" << 0 << "B-text" << "B" << "B";
        QTest::newRow("delete C") << "ABC" << 2 << "删除本章" << "A,B" << 1 << "B-text" << "B" << "B";
        QTest::newRow("delete the only chapter") << "A" << 0 << "删除本章" << "" << -1 << "A-text" << "" << "";
        QTest::newRow("delete, empty book") << "" << -1 << "删除本章" << "" << -1 << "=" << "" << "";
    }
    void insertAddAndDeleteOnBothSides() {
        QFETCH(QString, letters);
        QFETCH(int, selected);
        QFETCH(QString, command);
        QFETCH(QString, titles);
        QFETCH(int, selectedAfter);
        QFETCH(QString, pane);
        QFETCH(QString, caption);
        QFETCH(QString, boxTitle);
        ShowInReader(*reader, letters, 0);
        const QString countCaption = CountCaption(*reader);
        Open();
        const QString paneBefore = PaneText();
        const QString captionBefore = ArticleCaption(*reader);
        if (selected >= 0) UserSelects(List(window), selected);
        Type(window, QStringLiteral("N"), QStringLiteral("N-text"));

        Button(window, command.toUtf8().constData())->click();

        QVERIFY(prompts.messages.empty());
        QCOMPARE(Titles(reader->OpenBook()), titles);
        QCOMPARE(Titles(List(window)), titles);
        QCOMPARE(Titles(Contents()), titles);
        for (const qob::Article& article : reader->OpenBook())
            QCOMPARE(article.content, article.title + "-text");
        QCOMPARE(List(window)->Selection(), selectedAfter);
        QCOMPARE(Contents()->Selection(), selectedAfter);
        QCOMPARE(PaneText(), pane == u'=' ? paneBefore : pane);
        QCOMPARE(ArticleCaption(*reader), caption == u'=' ? captionBefore : QStringLiteral("[文章标题]") + caption);
        QCOMPARE(TitleBoxText(window), boxTitle);
        QCOMPARE(CountCaption(*reader), countCaption);
    }

    void saveAsWritesTheChangedBook() {
        ShowInReader(*reader, "AB", 0);
        Open();
        Type(window, QStringLiteral("N"), QStringLiteral("N-text"));
        Button(window, "添加文章")->click();
        const QString path = files.Path(QStringLiteral("changed.qob"));
        prompts.fileAnswers.push_back(path);

        Button(window, "清空本章1")->click();

        QCOMPARE(qob::ReadBook(QFile::encodeName(path).toStdString()).articles, LetterBook("ABN"));
        QCOMPARE(prompts.MessageTexts(), QStringList{QStringLiteral("保存成功!")});
        QVERIFY(window);
        QCOMPARE(Titles(List(window)), QStringLiteral("A,B,N"));
    }

    void clearEmptiesOnlyTheBoxes() {
        ShowInReader(*reader, "AB", 1);
        Open();
        Button(window, "清空本章")->click();
        QCOMPARE(TitleBoxText(window), QString());
        QCOMPARE(ContentBoxText(window), QString());
        QCOMPARE(reader->OpenBook(), LetterBook("AB"));
        QCOMPARE(PaneText(), QStringLiteral("B-text"));
    }

    // No chapter to address: the book, both lists and the reader's pane stay
    // as they were, and no message claims a change.
    void commandsWithoutAChapterChangeNothing_data() {
        QTest::addColumn<QString>("command");
        QTest::newRow("modify") << "修改本章";
        QTest::newRow("restore") << "还原文章";
        QTest::newRow("insert before") << "向前插入";
        QTest::newRow("insert after") << "向后插入";
    }
    void commandsWithoutAChapterChangeNothing() {
        QFETCH(QString, command);
        ShowInReader(*reader, "A", 0);
        Open();
        Button(window, "删除本章")->click();
        Type(window, QStringLiteral("typed"), QStringLiteral("text"));

        Button(window, command.toUtf8().constData())->click();

        QVERIFY(prompts.messages.empty());
        QVERIFY(reader->OpenBook().Empty());
        QCOMPARE(Contents()->Count(), 0);
        QCOMPARE(PaneText(), QStringLiteral("A-text"));
        QCOMPARE(TitleBoxText(window), QStringLiteral("typed"));
    }

    void restoreWithoutAReaderSelectionChangesNothing() {
        ShowInReader(*reader, "AB", 1);
        Contents()->SetSelection(-1);
        Open();
        Type(window, QStringLiteral("typed"), QStringLiteral("text"));
        Button(window, "还原文章")->click();
        QCOMPARE(TitleBoxText(window), QStringLiteral("typed"));
    }

    // After a failed load the reader lists titles of a book it no longer
    // holds: the window opens empty, and no command touches those titles as
    // if they were chapters.
    void staleReaderOpensAnEmptyWindowAndRefusesChapterCommands_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("boxTitle");
        QTest::newRow("modify") << "修改本章" << "typed";
        QTest::newRow("restore") << "还原文章" << "typed";
        QTest::newRow("insert before") << "向前插入" << "typed";
        QTest::newRow("insert after") << "向后插入" << "typed";
        QTest::newRow("delete") << "删除本章" << "";
    }
    void staleReaderOpensAnEmptyWindowAndRefusesChapterCommands() {
        QFETCH(QString, command);
        QFETCH(QString, boxTitle);
        MakeStale(*reader, "ABC", 1);
        Open();
        QCOMPARE(List(window)->Count(), 0);
        QCOMPARE(TitleBoxText(window), QString());
        QCOMPARE(ContentBoxText(window), QString());
        Type(window, QStringLiteral("typed"), QStringLiteral("text"));

        Button(window, command.toUtf8().constData())->click();

        QVERIFY(prompts.messages.empty());
        QVERIFY(reader->OpenBook().Empty());
        QCOMPARE(Titles(Contents()), QStringLiteral("A,B,C"));
        QCOMPARE(PaneText(), QStringLiteral("B-text"));
        QCOMPARE(TitleBoxText(window), boxTitle);
    }

    // A chapter added to the empty book of a stale reader takes position 0
    // on both sides, so that the reader's first entry names it.
    void addingInTheStaleStateKeepsPositionsAligned() {
        MakeStale(*reader, "ABC", 1);
        Open();
        Type(window, QStringLiteral("N"), QStringLiteral("N-text"));

        Button(window, "添加文章")->click();

        QCOMPARE(Titles(reader->OpenBook()), QStringLiteral("N"));
        QCOMPARE(Titles(Contents()), QStringLiteral("N,A,B,C"));
        QCOMPARE(Contents()->Selection(), 0);
        QCOMPARE(List(window)->Selection(), 0);
    }

    void theReaderOpensItModally() {
        ShowInReader(*reader, "ABC", 2);
        QString shownTitle;
        bool modal = false;
        WhenModalOpens([&](QWidget* opened) {
            modal = opened->objectName() == QStringLiteral("BookEditWindow") && opened->isModal();
            shownTitle = TitleBoxText(opened);
            opened->close();
        });

        reader->OpenBookEditWindow();

        QVERIFY(modal);
        QCOMPARE(shownTitle, QStringLiteral("A"));
        QCOMPARE(reader->findChild<BookEditWindow*>(), nullptr);
    }
};

QTEST_MAIN(BookEditWindowTest)
#include "book_edit_window_test.moc"
