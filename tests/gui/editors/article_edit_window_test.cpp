#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QtTest>

#include "article_edit_window.h"
#include "book_text.h"
#include "editor_test_support.h"
#include "gui_test_support.h"
#include "list_box.h"
#include "reader_window.h"

class ArticleEditWindowTest : public QObject {
    Q_OBJECT
private:
    ScriptedPrompter prompts;
    ReaderWindow* reader = nullptr;
    QPointer<ArticleEditWindow> window;

    QString PaneText() const { return reader->ReadingPane()->toPlainText(); }
    ListBox* Contents() const { return reader->TableOfContents(); }
    void Open() { window = new ArticleEditWindow(*reader); }
    // What the reader's paste command does to its pane.
    void PasteIntoPane(const QString& text) {
        reader->ReadingPane()->moveCursor(QTextCursor::End);
        reader->ReadingPane()->insertPlainText(text);
    }
    bool Closed() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return window.isNull();
    }

private slots:
    void init() {
        reader = new ReaderWindow(QStringList());
        prompts.Forget();
    }
    void cleanup() {
        delete window;
        delete reader;
    }

    void doubleClickOpensTheSelectedArticleModally() {
        ShowInReader(*reader, "ABCD", 2);
        QString listed, title, content;
        bool modal = false;
        WhenModalOpens([&](QWidget* opened) {
            modal = opened->objectName() == QStringLiteral("ArticleEditWindow") && opened->isModal();
            listed = Titles(List(opened));
            title = TitleBoxText(opened);
            content = ContentBoxText(opened);
            opened->close();
        });

        reader->EditSelectedArticle();

        QVERIFY(modal);
        QCOMPARE(listed, QStringLiteral("C"));
        QCOMPARE(title, QStringLiteral("C"));
        QCOMPARE(content, QStringLiteral("C-text"));
        QCOMPARE(reader->OpenBook(), LetterBook("ABCD"));
    }

    void pastedPaneTextArrivesAndRestoreBringsBackTheStoredOne() {
        ShowInReader(*reader, "ABC", 1);
        PasteIntoPane(QStringLiteral(" pasted"));

        Open();
        QCOMPARE(ContentBoxText(window), QStringLiteral("B-text pasted"));

        Button(window, "还原文章")->click();
        QCOMPARE(TitleBoxText(window), QStringLiteral("B"));
        QCOMPARE(ContentBoxText(window), QStringLiteral("B-text"));
    }

    void modifyStoresThePastedText() {
        ShowInReader(*reader, "ABC", 1);
        PasteIntoPane(QStringLiteral(" pasted"));
        Open();

        Button(window, "修改本文章")->click();

        QCOMPARE(ShowText(reader->OpenBook().At(1).content), QStringLiteral("B-text pasted"));
    }

    void modifyRenamesTheEntryInPlaceAndCloses_data() {
        QTest::addColumn<QString>("title");
        QTest::newRow("new title") << "X";
        QTest::newRow("empty title") << "";
    }
    void modifyRenamesTheEntryInPlaceAndCloses() {
        QFETCH(QString, title);
        ShowInReader(*reader, "ABC", 1);
        Open();
        Type(window, title, QStringLiteral("new text"));

        Button(window, "修改本文章")->click();

        const QString titles = QStringLiteral("A,%1,C").arg(title);
        QCOMPARE(Titles(Contents()), titles);
        QCOMPARE(Titles(reader->OpenBook()), titles);
        QCOMPARE(ShowText(reader->OpenBook().At(1).content), QStringLiteral("new text"));
        QCOMPARE(Contents()->Selection(), 1);
        QCOMPARE(PaneText(), QStringLiteral("new text"));
        QCOMPARE(ArticleCaption(*reader), QStringLiteral("[文章标题]") + title);
        QCOMPARE(prompts.MessageTexts(), QStringList{QStringLiteral("本文章修改成功!")});
        QCOMPARE(prompts.messages.front().icon, MessageIcon::Information);
        QVERIFY(Closed());
    }

    void clearThenCloseLeavesTheArticle() {
        ShowInReader(*reader, "ABC", 1);
        Open();
        Button(window, "清空文章")->click();
        QCOMPARE(TitleBoxText(window), QString());
        QCOMPARE(ContentBoxText(window), QString());

        Button(window, "按钮1")->click();

        QVERIFY(Closed());
        QCOMPARE(reader->OpenBook(), LetterBook("ABC"));
        QCOMPARE(Titles(Contents()), QStringLiteral("A,B,C"));
        QCOMPARE(PaneText(), QStringLiteral("B-text"));
    }

    // Nothing of the book is selected (an empty book) or the reader lists
    // titles of a book it no longer holds: fill shows what the reader shows,
    // and modify and restore leave the book, the reader and the boxes alone.
    void withoutAnArticleModifyAndRestoreChangeNothing_data() {
        QTest::addColumn<bool>("stale");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("filledTitle");
        QTest::newRow("empty book, modify") << false << "修改本文章" << "";
        QTest::newRow("empty book, restore") << false << "还原文章" << "";
        QTest::newRow("stale list, modify") << true << "修改本文章" << "B";
        QTest::newRow("stale list, restore") << true << "还原文章" << "B";
    }
    void withoutAnArticleModifyAndRestoreChangeNothing() {
        QFETCH(bool, stale);
        QFETCH(QString, command);
        QFETCH(QString, filledTitle);
        if (stale) {
            MakeStale(*reader, "ABC", 1);
        } else {
            ShowInReader(*reader, "A", 0);
            ShowInReader(*reader, "", 0);
        }
        const QString pane = PaneText();
        const QString caption = ArticleCaption(*reader);
        const QString listed = Titles(Contents());
        Open();
        QCOMPARE(TitleBoxText(window), filledTitle);
        QCOMPARE(ContentBoxText(window), pane);
        Type(window, QStringLiteral("typed"), QStringLiteral("text"));

        Button(window, command.toUtf8().constData())->click();

        QVERIFY(prompts.messages.empty());
        QVERIFY(reader->OpenBook().Empty());
        QCOMPARE(Titles(Contents()), listed);
        QCOMPARE(PaneText(), pane);
        QCOMPARE(ArticleCaption(*reader), caption);
        QCOMPARE(TitleBoxText(window), QStringLiteral("typed"));
        QVERIFY(!Closed());
    }
};

QTEST_MAIN(ArticleEditWindowTest)
#include "article_edit_window_test.moc"
