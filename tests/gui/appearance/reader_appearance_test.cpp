// The reading menu's look and clipboard commands on a real reader window.
#include <QApplication>
#include <QClipboard>
#include <QGroupBox>
#include <QImage>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextCursor>
#include <QTimer>

#include "book_text.h"
#include "color_picker.h"
#include "gui_test_support.h"
#include "list_box.h"
#include "pane_look.h"
#include "reader_window.h"

namespace {

struct Reader {
    ScriptedPrompter prompts;
    ReaderWindow window{QStringList()};
    QPlainTextEdit* pane = window.ReadingPane();

    Reader() { window.show(); }

    void Open(const std::vector<qob::Article>& articles) {
        for (const qob::Article& article : articles) {
            window.OpenBook().Append(article);
            window.TableOfContents()->Add(article.title);
        }
        window.TableOfContents()->SetSelection(0);
        window.ShowSelectedArticle();
    }

    void Select(int from, int to) {
        QTextCursor cursor = pane->textCursor();
        cursor.setPosition(from);
        cursor.setPosition(to, QTextCursor::KeepAnchor);
        pane->setTextCursor(cursor);
    }
};

const std::vector<qob::Article> kThreeArticles = {
    {"one", "first text"}, {"two", "second text"}, {"three", "third text"}};

FontChoice RedBoldUnderlined() {
    FontChoice choice;
    choice.face = QStringLiteral("Serif");
    choice.pointSize = 14;
    choice.bold = true;
    choice.underline = true;
    choice.colour = QColor(255, 0, 0);
    return choice;
}

QPushButton* Button(QWidget* window, const char* name) {
    return window->findChild<QPushButton*>(QString::fromUtf8(name));
}

// Acts on the context menu once it has popped up.
void WhenMenuPopsUp(std::function<void(QMenu*)> action) {
    auto* timer = new QTimer(qApp);
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, action] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu) return;
        timer->stop();
        timer->deleteLater();
        action(menu);
    });
    timer->start();
}

QAction* Entry(QMenu* menu, const QString& caption) {
    for (QAction* action : menu->actions())
        if (action->text() == caption) return action;
    return nullptr;
}

}  // namespace

class ReaderAppearanceTest : public QObject {
    Q_OBJECT
private slots:
    void Zoom_data();
    void Zoom();
    void PagingKeepsTheLook();
    void FirstFontDialogCancelled();
    void FontChosenThenCancelledAfterScheme();
    void Schemes_data();
    void Schemes();
    void BackgroundWindow_data();
    void BackgroundWindow();
    void CopyWithNothingSelected();
    void CopyTakesTheSelectionWithItsBreaks();
    void PasteReplacesTheSelection();
    void PasteWithoutTextDeletesTheSelection();
    void CutMovesTheSelection();
    void SelectAll();
    void SelectAllOnAnEmptyPane();
    void ContextMenu_data();
    void ContextMenu();
    void AboutWindowOpensModalAndEscCloses();
};

// Steps: '+' zooms in, '-' zooms out; sizes: the size after each step.
void ReaderAppearanceTest::Zoom_data() {
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QList<int>>("sizes");
    QTest::newRow("in from the start") << "+" << QList<int>{21};
    QTest::newRow("out to the default and back") << "---++" << QList<int>{1, 0, 0, 10, 20};
    QTest::newRow("no upper limit") << "+++++" << QList<int>{21, 31, 41, 51, 61};
}

void ReaderAppearanceTest::Zoom() {
    QFETCH(QString, steps);
    QFETCH(QList<int>, sizes);
    Reader reader;
    QCOMPARE(PaneFontSize(reader.pane), 11);
    for (qsizetype i = 0; i < steps.size(); ++i) {
        if (steps[i] == u'+') reader.window.ZoomIn();
        else reader.window.ZoomOut();
        QCOMPARE(PaneFontSize(reader.pane), sizes[i]);
    }
}

void ReaderAppearanceTest::PagingKeepsTheLook() {
    Reader reader;
    reader.Open(kThreeArticles);
    reader.window.ZoomIn();
    reader.window.ApplyColorScheme(3);
    SetPaneFontItalic(reader.pane, true);
    reader.window.NextArticle();
    QCOMPARE(reader.window.PaneText(), qob::Text("second text"));
    QCOMPARE(PaneFontSize(reader.pane), 21);
    QVERIFY(reader.pane->font().italic());
    QCOMPARE(PaneTextColor(reader.pane), QColor(192, 192, 192));
    QCOMPARE(PaneBackgroundColor(reader.pane), QColor(49, 73, 107));
    auto* caption = reader.window.findChild<QGroupBox*>(QStringLiteral("分组框1"));
    QCOMPARE(caption->font().pointSize(), 10);
}

void ReaderAppearanceTest::FirstFontDialogCancelled() {
    Reader reader;
    reader.window.ApplyColorScheme(2);
    SetPaneFontBold(reader.pane, true);
    SetPaneFontStrikeOut(reader.pane, true);
    reader.window.ZoomIn();
    reader.prompts.fontAnswers.push_back(std::nullopt);
    reader.window.ChooseReadingFont();

    QCOMPARE(reader.prompts.fontRequests.size(), std::size_t{1});
    QVERIFY(reader.prompts.fontRequests[0].face.isEmpty());
    QCOMPARE(reader.prompts.fontRequests[0].pointSize, 0);
    const QFont font = reader.pane->font();
    QCOMPARE(PaneTextColor(reader.pane), QColor(0, 0, 0));
    QCOMPARE(font.family(), QStringLiteral("宋体"));
    QCOMPARE(PaneFontSize(reader.pane), 0);
    QVERIFY(!font.bold() && !font.italic() && !font.underline() && !font.strikeOut());
    QCOMPARE(PaneBackgroundColor(reader.pane), QColor(173, 149, 82));
}

void ReaderAppearanceTest::FontChosenThenCancelledAfterScheme() {
    Reader reader;
    reader.prompts.fontAnswers = {RedBoldUnderlined(), std::nullopt};
    reader.window.ChooseReadingFont();
    QFont font = reader.pane->font();
    QCOMPARE(PaneTextColor(reader.pane), QColor(255, 0, 0));
    QCOMPARE(font.family(), QStringLiteral("Serif"));
    QCOMPARE(PaneFontSize(reader.pane), 14);
    QVERIFY(font.bold() && font.underline() && !font.italic() && !font.strikeOut());

    reader.window.ApplyColorScheme(2);
    reader.window.ZoomIn();
    QCOMPARE(PaneTextColor(reader.pane), QColor(255, 255, 255));
    reader.window.ChooseReadingFont();
    QCOMPARE(reader.prompts.fontRequests.back().face, QStringLiteral("Serif"));
    QCOMPARE(reader.prompts.fontRequests.back().colour, QColor(255, 0, 0));
    QCOMPARE(PaneTextColor(reader.pane), QColor(255, 0, 0));
    QCOMPARE(PaneFontSize(reader.pane), 14);
    QCOMPARE(PaneBackgroundColor(reader.pane), QColor(173, 149, 82));
}

void ReaderAppearanceTest::Schemes_data() {
    QTest::addColumn<int>("scheme");
    QTest::addColumn<QColor>("background");
    QTest::addColumn<QColor>("text");
    QTest::newRow("方案1") << 1 << QColor(214, 166, 107) << QColor(128, 0, 0);
    QTest::newRow("方案2") << 2 << QColor(173, 149, 82) << QColor(255, 255, 255);
    QTest::newRow("方案3") << 3 << QColor(49, 73, 107) << QColor(192, 192, 192);
    QTest::newRow("方案4") << 4 << QColor(205, 192, 176) << QColor(0, 0, 0);
    QTest::newRow("方案5") << 5 << QColor(56, 142, 142) << QColor(255, 255, 255);
    QTest::newRow("no scheme 0") << 0 << QColor(255, 255, 255) << QColor(0, 0, 0);
    QTest::newRow("no scheme 6") << 6 << QColor(255, 255, 255) << QColor(0, 0, 0);
}

void ReaderAppearanceTest::Schemes() {
    QFETCH(int, scheme);
    QFETCH(QColor, background);
    QFETCH(QColor, text);
    Reader reader;
    const QFont before = reader.pane->font();
    reader.window.ApplyColorScheme(scheme);
    QCOMPARE(PaneBackgroundColor(reader.pane), background);
    QCOMPARE(PaneTextColor(reader.pane), text);
    QCOMPARE(reader.pane->font(), before);
}

// How the window is left, and the background it gives the pane after 方案3.
void ReaderAppearanceTest::BackgroundWindow_data() {
    QTest::addColumn<QString>("how");
    QTest::addColumn<QColor>("background");
    QTest::newRow("OK untouched") << "ok" << QColor(255, 255, 255);
    QTest::newRow("OK after picking") << "pick" << QColor(0, 128, 0);
    QTest::newRow("cancel") << "cancel" << QColor(49, 73, 107);
    QTest::newRow("Esc") << "esc" << QColor(49, 73, 107);
}

void ReaderAppearanceTest::BackgroundWindow() {
    QFETCH(QString, how);
    QFETCH(QColor, background);
    Reader reader;
    reader.window.ApplyColorScheme(3);
    bool parentless = false;
    WhenModalOpens([&](QWidget* modal) {
        parentless = modal->objectName() == QStringLiteral("BackgroundColorWindow") && !modal->parentWidget() &&
                     modal->windowModality() == Qt::ApplicationModal;
        if (how == QStringLiteral("esc")) return QTest::keyClick(modal, Qt::Key_Escape);
        if (how == QStringLiteral("cancel")) return QTest::mouseClick(Button(modal, "取消按钮"), Qt::LeftButton);
        if (how == QStringLiteral("pick"))
            modal->findChild<ColorPicker*>(QStringLiteral("颜色选择器1"))->SetColor(QColor(0, 128, 0));
        QTest::mouseClick(Button(modal, "确定按钮"), Qt::LeftButton);
    });
    reader.window.ChooseBackgroundColor();
    QVERIFY(parentless);
    QCOMPARE(PaneBackgroundColor(reader.pane), background);
    QCOMPARE(PaneTextColor(reader.pane), QColor(192, 192, 192));
}

void ReaderAppearanceTest::CopyWithNothingSelected() {
    Reader reader;
    reader.Open(kThreeArticles);
    QApplication::clipboard()->setText(QStringLiteral("left over"));
    reader.window.CopySelection();
    QCOMPARE(QApplication::clipboard()->text(), QString());
    QCOMPARE(reader.window.focusWidget(), reader.pane);
}

void ReaderAppearanceTest::CopyTakesTheSelectionWithItsBreaks() {
    Reader reader;
    reader.Open({{"t", "ab\r\ncd"}});
    reader.Select(1, 4);
    reader.window.CopySelection();
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("b\nc"));
}

void ReaderAppearanceTest::PasteReplacesTheSelection() {
    Reader reader;
    reader.Open(kThreeArticles);
    reader.Select(0, 5);
    QApplication::clipboard()->setText(QStringLiteral("pasted"));
    reader.window.PasteClipboard();
    QCOMPARE(reader.pane->toPlainText(), QStringLiteral("pasted text"));
    QCOMPARE(reader.window.PaneText(), qob::Text("pasted text"));
    QCOMPARE(reader.window.OpenBook().At(0).content, qob::Text("first text"));
    QVERIFY(reader.pane->isReadOnly());
    QTest::keyClicks(reader.pane, QStringLiteral("typed"));
    QCOMPARE(reader.pane->toPlainText(), QStringLiteral("pasted text"));
}

void ReaderAppearanceTest::PasteWithoutTextDeletesTheSelection() {
    Reader reader;
    reader.Open(kThreeArticles);
    reader.Select(5, 10);
    auto* image = new QMimeData;
    image->setImageData(QImage(4, 4, QImage::Format_RGB32));
    QApplication::clipboard()->setMimeData(image);
    reader.window.PasteClipboard();
    QCOMPARE(reader.pane->toPlainText(), QStringLiteral("first"));
}

void ReaderAppearanceTest::CutMovesTheSelection() {
    Reader reader;
    reader.Open(kThreeArticles);
    reader.Select(5, 10);
    reader.window.CutSelection();
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral(" text"));
    QCOMPARE(reader.pane->toPlainText(), QStringLiteral("first"));
    reader.window.CutSelection();
    QCOMPARE(QApplication::clipboard()->text(), QString());
    QCOMPARE(reader.pane->toPlainText(), QStringLiteral("first"));
}

void ReaderAppearanceTest::SelectAll() {
    Reader reader;
    reader.Open({{"t", "ab\r\ncd"}});
    reader.window.SelectAllText();
    QCOMPARE(reader.pane->textCursor().selectedText(), QStringLiteral("ab") + QChar::ParagraphSeparator + "cd");
    QCOMPARE(reader.window.focusWidget(), reader.pane);
}

void ReaderAppearanceTest::SelectAllOnAnEmptyPane() {
    Reader reader;
    reader.window.SelectAllText();
    QVERIFY(!reader.pane->textCursor().hasSelection());
    QCOMPARE(reader.pane->toPlainText(), QString());
}

void ReaderAppearanceTest::ContextMenu_data() {
    QTest::addColumn<Qt::MouseButton>("chooseWith");
    QTest::newRow("left button") << Qt::LeftButton;
    QTest::newRow("right button") << Qt::RightButton;
}

void ReaderAppearanceTest::ContextMenu() {
    QFETCH(Qt::MouseButton, chooseWith);
    Reader reader;
    reader.Open(kThreeArticles);
    QVERIFY(QTest::qWaitForWindowExposed(&reader.window));
    const QPoint press(20, 10);
    QMenu* shown = nullptr;
    QPoint shownAt;
    QStringList schemes;
    WhenMenuPopsUp([&](QMenu* menu) {
        shown = menu;
        shownAt = menu->pos();
        if (QAction* submenu = Entry(menu, QStringLiteral("配色方案")))
            for (QAction* action : submenu->menu()->actions()) schemes << action->text();
        QAction* selectAll = Entry(menu, QStringLiteral("全选"));
        QTest::mouseClick(menu, chooseWith, {}, menu->actionGeometry(selectAll).center());
    });
    QTest::mousePress(reader.pane->viewport(), Qt::RightButton, {}, press);

    QCOMPARE(shown, reader.window.ReadingMenu());
    QCOMPARE(shownAt, reader.pane->viewport()->mapToGlobal(press) + QPoint(3, 3));
    QCOMPARE(schemes, (QStringList{"方案1", "方案2", "方案3", "方案4", "方案5"}));
    QCOMPARE(reader.pane->textCursor().selectedText(), QStringLiteral("first text"));
}

void ReaderAppearanceTest::AboutWindowOpensModalAndEscCloses() {
    Reader reader;
    QString opened;
    WhenModalOpens([&](QWidget* modal) {
        if (!modal->parentWidget()) opened = modal->objectName();
        QTest::keyClick(modal, Qt::Key_Escape);
    });
    reader.window.OpenAboutWindow();
    QCOMPARE(opened, QStringLiteral("AboutWindow"));
}

QTEST_MAIN(ReaderAppearanceTest)
#include "reader_appearance_test.moc"
