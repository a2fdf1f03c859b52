// Finding a text in the open book: the bar, its hit list, going to a hit
// and the find keys.
#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "book_text.h"
#include "find_bar.h"
#include "gui_test_support.h"
#include "list_box.h"
#include "reader_test_support.h"
#include "reader_window.h"

namespace {

qob::Article Shown(const QString& title, const QString& content) { return {StoreText(title), StoreText(content)}; }

// Four hits for "alpha": article 0's content, article 1's title, and two in
// article 1's content.
qob::ArticleList AlphaBook() {
    qob::ArticleList book;
    book.Append(Shown(QStringLiteral("序章"), QStringLiteral("开头\n说到Alpha的时候")));
    book.Append(Shown(QStringLiteral("Alpha计划"), QStringLiteral("第一行\n这里有alpha和ALPHA两处\n最后")));
    book.Append(Shown(QStringLiteral("尾声"), QStringLiteral("没有")));
    return book;
}

struct Expected {
    int article;
    QString selected;   // the text selected in the pane, empty for a title hit
    int selectionStart;
};

const Expected kAlphaHits[] = {
    {0, QStringLiteral("Alpha"), 5},
    {1, QString(), 0},
    {1, QStringLiteral("alpha"), 7},
    {1, QStringLiteral("ALPHA"), 13},
};

QStringList Entries(const ListBox* list) {
    QStringList entries;
    for (int row = 0; row < list->Count(); ++row) entries << ShowText(list->Text(row));
    return entries;
}

enum class Key { Next, Previous };

}  // namespace

Q_DECLARE_METATYPE(Key)

class FindBarTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<ScriptedPrompter> prompter_;
    std::unique_ptr<TempDir> dir_;
    std::unique_ptr<ReaderWindow> window_;

    ReaderWindow& Window() { return *window_; }
    FindBar& Bar() { return window_->Finder(); }
    QPlainTextEdit* Pane() { return window_->ReadingPane(); }

    void Load(const qob::ArticleList& book) {
        const QString path = dir_->Path(QStringLiteral("book.qob"));
        WriteTestBook(path, book);
        window_->LoadBookIntoReader(path);
    }

    void SearchFor(const QString& text) {
        Bar().NeedleBox()->setText(text);
        Bar().Search();
    }

    void VerifyShown(const Expected& expected) {
        QCOMPARE(Window().TableOfContents()->Selection(), expected.article);
        const qob::Article& article = Window().OpenBook().At(static_cast<std::size_t>(expected.article));
        QCOMPARE(Window().PaneText(), article.content);
        QCOMPARE(ArticleGroup(Window())->title(), QStringLiteral("[文章标题]") + ShowText(article.title));
        const QTextCursor cursor = Pane()->textCursor();
        QCOMPARE(cursor.selectedText(), expected.selected);
        QCOMPARE(cursor.selectionStart(), expected.selectionStart);
    }

    void Press(Key key, QWidget* target) {
        QTest::keyClick(target, Qt::Key_F3, key == Key::Next ? Qt::NoModifier : Qt::ShiftModifier);
    }

    void Activate(QWidget* window) {
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
    }

private slots:
    void init() {
        prompter_ = std::make_unique<ScriptedPrompter>();
        dir_ = std::make_unique<TempDir>();
        window_ = std::make_unique<ReaderWindow>(QStringList());
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
        Load(AlphaBook());
    }

    void cleanup() {
        window_.reset();
        dir_.reset();
        prompter_.reset();
    }

    void findEntryEndsTheReadingMenuAndCtrlFOpensTheBarToo_data() {
        QTest::addColumn<bool>("byKey");
        QTest::newRow("menu entry") << false;
        QTest::newRow("Ctrl+F") << true;
    }
    void findEntryEndsTheReadingMenuAndCtrlFOpensTheBarToo() {
        QFETCH(bool, byKey);
        QAction* entry = Window().ReadingMenu()->actions().constLast();
        QCOMPARE(entry->text(), QStringLiteral("查找"));
        QVERIFY(entry->shortcut().isEmpty());
        Bar().NeedleBox()->setText(QStringLiteral("old"));
        if (byKey) {
            Activate(&Window());
            QTest::keyClick(&Window(), Qt::Key_F, Qt::ControlModifier);
        } else {
            entry->trigger();
        }
        QVERIFY(Bar().isVisible());
        QVERIFY(Bar().isWindow());
        QCOMPARE(Bar().NeedleBox()->selectedText(), QStringLiteral("old"));
    }

    void theBarIsAToolWindowThatLeavesTheFormAlone() {
        const QSize paneBefore = Pane()->size();
        Window().FindInBook();
        QCOMPARE(Bar().windowFlags() & Qt::WindowType_Mask, Qt::Tool);
        QCOMPARE(Bar().parentWidget(), &Window());
        QCOMPARE(Pane()->size(), paneBefore);
        QTest::keyClick(Bar().NeedleBox(), Qt::Key_Escape);
        QVERIFY(!Bar().isVisible());
        QVERIFY(Window().isVisible());
    }

    void hitsAreListedWithTitleAndSnippet() {
        SearchFor(QStringLiteral("alpha"));
        QCOMPARE(Bar().HitCount(), 4);
        QCOMPARE(Entries(Bar().HitList()), QStringList({
                                               QStringLiteral("【序章】说到Alpha的时候"),
                                               QStringLiteral("【Alpha计划】(标题)"),
                                               QStringLiteral("【Alpha计划】这里有alpha和ALPHA两处"),
                                               QStringLiteral("【Alpha计划】这里有alpha和ALPHA两处"),
                                           }));
        QCOMPARE(Bar().Status(), QStringLiteral("共找到4处"));
        // Searching alone goes nowhere.
        QCOMPARE(Window().TableOfContents()->Selection(), 0);
        QVERIFY(!Pane()->textCursor().hasSelection());
    }

    void snippetsCutFromLongLinesSayWhereTheyWereCut() {
        const QString side(30, QChar(u'字'));  // 60 bytes each side
        qob::ArticleList book;
        book.Append(Shown(QStringLiteral("长"), side + QStringLiteral("中间") + side + QStringLiteral("\n") + side +
                                                    QStringLiteral("中间")));
        Load(book);
        SearchFor(QStringLiteral("中间"));
        const QString twenty(20, QChar(u'字'));
        QCOMPARE(Entries(Bar().HitList()), QStringList({
                                               QStringLiteral("【长】…") + twenty + QStringLiteral("中间") + twenty +
                                                   QStringLiteral("…"),
                                               QStringLiteral("【长】…") + twenty + QStringLiteral("中间"),
                                           }));
    }

    void searchesWithoutHitsSaySo_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("status");
        QTest::newRow("absent") << QStringLiteral("zzz") << QStringLiteral("未找到");
        QTest::newRow("empty") << QString() << QString();
    }
    void searchesWithoutHitsSaySo() {
        QFETCH(QString, text);
        QFETCH(QString, status);
        SearchFor(text);
        QCOMPARE(Bar().HitCount(), 0);
        QCOMPARE(Bar().HitList()->Count(), 0);
        QCOMPARE(Bar().Status(), status);
    }

    void goingToAHitSelectsShowsAndHighlightsIt_data() {
        QTest::addColumn<int>("hit");
        for (int hit = 0; hit < 4; ++hit) QTest::addRow("hit %d", hit) << hit;
    }
    void goingToAHitSelectsShowsAndHighlightsIt() {
        QFETCH(int, hit);
        SearchFor(QStringLiteral("alpha"));
        Window().TableOfContents()->SetSelection(2);
        Window().ShowSelectedArticle();
        Bar().GoToHit(hit);
        VerifyShown(kAlphaHits[hit]);
        QCOMPARE(Bar().HitList()->Selection(), hit);
        QVERIFY(prompter_->messages.empty());
    }

    void clickingAHitGoesToIt() {
        Window().FindInBook();
        SearchFor(QStringLiteral("alpha"));
        ListBox* list = Bar().HitList();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(2, 0)).center());
        VerifyShown(kAlphaHits[2]);
    }

    void findKeysStepThroughTheHitsAndWrapAround_data() {
        QTest::addColumn<QList<Key>>("keys");
        QTest::addColumn<QList<int>>("hits");
        QTest::newRow("next from the start") << QList<Key>{Key::Next, Key::Next} << QList<int>{0, 1};
        QTest::newRow("next wraps to the first")
            << QList<Key>{Key::Next, Key::Next, Key::Next, Key::Next, Key::Next} << QList<int>{0, 1, 2, 3, 0};
        QTest::newRow("previous from the start is the last") << QList<Key>{Key::Previous, Key::Previous}
                                                             << QList<int>{3, 2};
        QTest::newRow("previous wraps to the last") << QList<Key>{Key::Next, Key::Previous, Key::Next}
                                                    << QList<int>{0, 3, 0};
    }
    void findKeysStepThroughTheHitsAndWrapAround() {
        QFETCH(QList<Key>, keys);
        QFETCH(QList<int>, hits);
        Bar().NeedleBox()->setText(QStringLiteral("alpha"));
        Activate(&Window());
        for (qsizetype n = 0; n < keys.size(); ++n) {
            Press(keys[n], &Window());
            VerifyShown(kAlphaHits[hits[n]]);
        }
    }

    void findKeysWorkWhileTheBarIsActive() {
        Window().FindInBook();
        Bar().NeedleBox()->setText(QStringLiteral("alpha"));
        Activate(&Bar());
        Press(Key::Next, Bar().NeedleBox());
        Press(Key::Next, Bar().NeedleBox());
        VerifyShown(kAlphaHits[1]);
        Press(Key::Previous, Bar().NeedleBox());
        VerifyShown(kAlphaHits[0]);
    }

    void buttonsStepLikeTheKeys() {
        Window().FindInBook();
        Bar().NeedleBox()->setText(QStringLiteral("alpha"));
        auto* next = Bar().findChild<QPushButton*>(QStringLiteral("下一个按钮"));
        auto* previous = Bar().findChild<QPushButton*>(QStringLiteral("上一个按钮"));
        QTest::mouseClick(next, Qt::LeftButton);
        QTest::mouseClick(next, Qt::LeftButton);
        VerifyShown(kAlphaHits[1]);
        QTest::mouseClick(previous, Qt::LeftButton);
        QTest::mouseClick(previous, Qt::LeftButton);
        VerifyShown(kAlphaHits[3]);
    }

    void enterSearchesAChangedTextAndStepsThroughAnUnchangedOne() {
        Window().FindInBook();
        QLineEdit* box = Bar().NeedleBox();
        box->setText(QStringLiteral("alpha"));
        QTest::keyClick(box, Qt::Key_Return);
        VerifyShown(kAlphaHits[0]);
        QTest::keyClick(box, Qt::Key_Return);
        VerifyShown(kAlphaHits[1]);
        box->setText(QStringLiteral("最后"));
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(Bar().HitCount(), 1);
        VerifyShown({1, QStringLiteral("最后"), 21});
    }

    void findNextWithNothingToFindOpensTheBar() {
        QVERIFY(!Bar().isVisible());
        Window().FindNext();
        QVERIFY(Bar().isVisible());
        QCOMPARE(Window().TableOfContents()->Selection(), 0);
    }

    // The pane counts positions of the shown text; every kind of break and
    // character before the match must land the selection on it.
    void highlightLandsOnTheMatchWhateverComesBefore_data() {
        QTest::addColumn<QByteArray>("before");
        QTest::newRow("\\r\\n breaks") << QByteArray("a\r\nb\r\n");
        QTest::newRow("lone \\n") << QByteArray("a\nb\n");
        QTest::newRow("lone \\r") << QByteArray("a\rb\r");
        QTest::newRow("\\r\\r\\n") << QByteArray("a\r\r\nb");
        QTest::newRow("four-byte character beyond the BMP") << QByteArray("\x95\x32\x82\x36");  // U+20000
        QTest::newRow("bytes that are not text") << QByteArray("\x80\xFF" "a");
        QTest::newRow("Chinese") << QByteArray("\xD6\xD0\xCE\xC4");
        QTest::newRow("nothing") << QByteArray();
    }
    void highlightLandsOnTheMatchWhateverComesBefore() {
        QFETCH(QByteArray, before);
        qob::ArticleList book;
        book.Append({"t", before.toStdString() + "XY" + "\r\nrest"});
        Load(book);
        SearchFor(QStringLiteral("xy"));
        QCOMPARE(Bar().HitCount(), 1);
        Bar().GoToHit(0);
        QCOMPARE(Pane()->textCursor().selectedText(), QStringLiteral("XY"));
    }

    void hitsOfAChangedBookAreSearchedAgain() {
        SearchFor(QStringLiteral("alpha"));
        qob::ArticleList other;
        other.Append(Shown(QStringLiteral("新书"), QStringLiteral("只有一个alpha")));
        Load(other);
        Bar().GoToHit(2);
        QCOMPARE(Bar().HitCount(), 1);
        QVERIFY(Bar().Status().startsWith(QStringLiteral("书已改动,已重新查找:")));
        QCOMPARE(Entries(Bar().HitList()), QStringList({QStringLiteral("【新书】只有一个alpha")}));
        Bar().GoToHit(0);
        VerifyShown({0, QStringLiteral("alpha"), 4});
    }

    void hitsOfAClosedBookGoNowhere() {
        SearchFor(QStringLiteral("alpha"));
        Window().CloseBook();
        Bar().GoToHit(0);
        QCOMPARE(Bar().HitCount(), 0);
        QCOMPARE(Window().TableOfContents()->Selection(), -1);
        QVERIFY(prompter_->messages.empty());
    }

    void aLongHitListIsCappedAndSaysSo() {
        qob::ArticleList book;
        book.Append({"many", std::string(10001, 'a')});
        Load(book);
        SearchFor(QStringLiteral("a"));
        QCOMPARE(Bar().HitCount(), 10000);
        QCOMPARE(Bar().Status(), QStringLiteral("超过10000处,只列出前10000处"));
    }
};

QTEST_MAIN(FindBarTest)
#include "find_bar_test.moc"
