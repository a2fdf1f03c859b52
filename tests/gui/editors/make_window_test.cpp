#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include "book_file.h"
#include "book_text.h"
#include "common_dialog.h"
#include "editor_test_support.h"
#include "gui_test_support.h"
#include "list_box.h"
#include "make_window.h"
#include "reader_window.h"

namespace {

QLineEdit* TitleBox(const MakeWindow* window) { return Named<QLineEdit>(window, "标题编辑框"); }
QPlainTextEdit* ContentBox(const MakeWindow* window) { return Named<QPlainTextEdit>(window, "内容编辑框"); }

// What the user types into the two boxes.
void Type(MakeWindow* window, const QString& title, const QString& content) {
    TitleBox(window)->setText(title);
    ContentBox(window)->setPlainText(content);
}

// A window holding `letters`, composed with the add button, and `selected`
// chosen by the user (-1: the selection cleared afterwards).
void Compose(MakeWindow* window, const QString& letters, int selected) {
    for (QChar letter : letters) {
        const qob::Article article = Letter(letter.toLatin1());
        Type(window, ShowText(article.title), ShowText(article.content));
        Button(window, "添加按钮")->click();
    }
    if (selected >= 0) {
        UserSelects(List(window), selected);
    } else {
        List(window)->SetSelection(-1);
    }
}

qob::ArticleList Read(const QString& path) { return qob::ReadBook(QFile::encodeName(path).toStdString()).articles; }

QString ContentAt(const MakeWindow* window, int position) {
    if (!window->ComposedBook().Contains(position)) return QStringLiteral("<none>");
    return ShowText(window->ComposedBook().At(static_cast<std::size_t>(position)).content);
}

}  // namespace

class MakeWindowTest : public QObject {
    Q_OBJECT
private:
    ScriptedPrompter prompts;
    TempDir files;
    QPointer<MakeWindow> window;

private slots:
    void init() {
        prompts.Forget();
        window = new MakeWindow;
    }
    void cleanup() { delete window; }

    void emptyTitleIsRefusedByEveryStoringCommand_data() {
        QTest::addColumn<QString>("command");
        QTest::newRow("add") << "添加按钮";
        QTest::newRow("insert before") << "向前插入";
        QTest::newRow("insert after") << "向后插入";
        QTest::newRow("modify") << "修改按钮";
    }
    void emptyTitleIsRefusedByEveryStoringCommand() {
        QFETCH(QString, command);
        Compose(window, "AB", 1);
        Type(window, QString(), QStringLiteral("content without a title"));

        Button(window, command.toUtf8().constData())->click();

        QCOMPARE(prompts.MessageTexts(), QStringList{QStringLiteral("请输入电子书主目录标题")});
        QCOMPARE(prompts.messages.front().icon, MessageIcon::Stop);
        QCOMPARE(Titles(List(window)), QStringLiteral("A,B"));
        QCOMPARE(Titles(window->ComposedBook()), QStringLiteral("A,B"));
        QCOMPARE(ContentAt(window, 1), QStringLiteral("B-text"));
        QCOMPARE(List(window)->Selection(), 1);
    }

    void titleOfOneSpaceAndEmptyContentAreAccepted() {
        Type(window, QStringLiteral(" "), QString());
        Button(window, "添加按钮")->click();
        QVERIFY(prompts.messages.empty());
        QCOMPARE(Titles(window->ComposedBook()), QStringLiteral(" "));
        QCOMPARE(ContentAt(window, 0), QString());
    }

    // The list and ComposedBook change together; the new entry is selected.
    void insertAddAndDelete_data() {
        QTest::addColumn<QString>("letters");
        QTest::addColumn<int>("selected");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("titles");
        QTest::addColumn<int>("selectedAfter");
        QTest::addColumn<bool>("boxesEmptied");
        QTest::newRow("insert before B") << "ABC" << 1 << "向前插入" << "A,N,B,C" << 1 << false;
        QTest::newRow("insert after B") << "ABC" << 1 << "向后插入" << "A,B,N,C" << 2 << false;
        QTest::newRow("insert after the last") << "ABC" << 2 << "向后插入" << "A,B,C,N" << 3 << false;
        QTest::newRow("insert before the first") << "ABC" << 0 << "向前插入" << "N,A,B,C" << 0 << false;
        QTest::newRow("add with B selected") << "ABC" << 1 << "添加按钮" << "A,B,C,N" << 3 << false;
        QTest::newRow("insert before, empty list") << "" << -1 << "向前插入" << "" << -1 << false;
        QTest::newRow("insert before, none selected") << "ABC" << -1 << "向前插入" << "A,B,C" << 0 << false;
        QTest::newRow("insert after, empty list") << "" << -1 << "向后插入" << "N" << 0 << false;
        QTest::newRow("insert after, none selected") << "ABC" << -1 << "向后插入" << "N,A,B,C" << 0 << false;
        QTest::newRow("add, empty list") << "" << -1 << "添加按钮" << "N" << 0 << false;
        QTest::newRow("delete B") << "ABC" << 1 << "删除按钮" << "A,C" << 0 << true;
        QTest::newRow("delete A") << "ABC" << 0 << "删除按钮" << "B,C" << 0 << true;
        QTest::newRow("delete C") << "ABC" << 2 << "删除按钮" << "A,B" << 1 << true;
        QTest::newRow("delete the only entry") << "A" << 0 << "删除按钮" << "" << -1 << true;
        QTest::newRow("delete, none selected") << "ABC" << -1 << "删除按钮" << "A,B,C" << 0 << true;
        QTest::newRow("delete, empty list") << "" << -1 << "删除按钮" << "" << -1 << true;
    }
    void insertAddAndDelete() {
        QFETCH(QString, letters);
        QFETCH(int, selected);
        QFETCH(QString, command);
        QFETCH(QString, titles);
        QFETCH(int, selectedAfter);
        QFETCH(bool, boxesEmptied);
        Compose(window, letters, selected);
        Type(window, QStringLiteral("N"), QStringLiteral("N-text"));

        Button(window, command.toUtf8().constData())->click();

        QVERIFY(prompts.messages.empty());
        QCOMPARE(Titles(List(window)), titles);
        QCOMPARE(Titles(window->ComposedBook()), titles);
        QCOMPARE(List(window)->Selection(), selectedAfter);
        for (int i = 0; i < static_cast<int>(titles.split(u',').size()) && !titles.isEmpty(); ++i)
            QCOMPARE(ContentAt(window, i), titles.split(u',')[i] + QStringLiteral("-text"));
        QCOMPARE(TitleBox(window)->text(), boxesEmptied ? QString() : QStringLiteral("N"));
        QCOMPARE(ContentBox(window)->toPlainText(), boxesEmptied ? QString() : QStringLiteral("N-text"));
    }

    void addingTheSameTitleThriceGivesThreeEntries() {
        for (int i = 0; i < 3; ++i) {
            Type(window, QStringLiteral("same"), QString::number(i));
            Button(window, "添加按钮")->click();
        }
        QCOMPARE(Titles(List(window)), QStringLiteral("same,same,same"));
        QCOMPARE(ContentAt(window, 2), QStringLiteral("2"));
    }

    void modifyChangesTheSelectedEntryInPlace() {
        Compose(window, "ABC", 1);
        Type(window, QStringLiteral("X"), QStringLiteral("X-text"));

        Button(window, "修改按钮")->click();

        QCOMPARE(Titles(List(window)), QStringLiteral("A,X,C"));
        QCOMPARE(Titles(window->ComposedBook()), QStringLiteral("A,X,C"));
        QCOMPARE(ContentAt(window, 1), QStringLiteral("X-text"));
        QCOMPARE(List(window)->Selection(), 1);
        QCOMPARE(prompts.MessageTexts(), QStringList{QStringLiteral("文章修改成功!")});
        QCOMPARE(prompts.messages.front().icon, MessageIcon::Information);
    }

    // Only an empty list, or one whose selection the user cleared, has no
    // entry to modify: nothing is stored and no success is claimed.
    void modifyWithoutSelectionChangesNothing_data() {
        QTest::addColumn<QString>("letters");
        QTest::newRow("empty list") << "";
        QTest::newRow("selection cleared") << "AB";
    }
    void modifyWithoutSelectionChangesNothing() {
        QFETCH(QString, letters);
        Compose(window, letters, -1);
        Type(window, QStringLiteral("X"), QStringLiteral("X-text"));

        Button(window, "修改按钮")->click();

        QVERIFY(prompts.messages.empty());
        QCOMPARE(Titles(window->ComposedBook()), Titles(LetterBook(letters)));
        QCOMPARE(Titles(List(window)), Titles(LetterBook(letters)));
    }

    // The user goes on typing the next title after every list change.
    void commandsLeaveTheFocusInTheTitleBox_data() {
        QTest::addColumn<QString>("command");
        QTest::newRow("add") << "添加按钮";
        QTest::newRow("insert before") << "向前插入";
        QTest::newRow("insert after") << "向后插入";
        QTest::newRow("modify") << "修改按钮";
        QTest::newRow("delete") << "删除按钮";
        QTest::newRow("clear") << "清空按钮";
    }
    void commandsLeaveTheFocusInTheTitleBox() {
        QFETCH(QString, command);
        Compose(window, "AB", 1);
        Type(window, QStringLiteral("N"), QStringLiteral("N-text"));
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
        ContentBox(window)->setFocus();

        Button(window, command.toUtf8().constData())->click();

        QCOMPARE(QApplication::focusWidget(), TitleBox(window));
    }

    void selectingAnEntryReplacesTheBoxes() {
        Compose(window, "ABC", 0);
        Type(window, QStringLiteral("unsaved"), QStringLiteral("typing"));

        UserSelects(List(window), 2);

        QCOMPARE(TitleBox(window)->text(), QStringLiteral("C"));
        QCOMPARE(ContentBox(window)->toPlainText(), QStringLiteral("C-text"));
    }

    void clearEmptiesOnlyTheBoxes() {
        Compose(window, "AB", 1);
        Button(window, "清空按钮")->click();
        QCOMPARE(TitleBox(window)->text(), QString());
        QCOMPARE(ContentBox(window)->toPlainText(), QString());
        QCOMPARE(Titles(window->ComposedBook()), QStringLiteral("A,B"));
        QCOMPARE(List(window)->Selection(), 1);
    }

    void generateWritesTheComposedArticlesAndEmptiesTheWindow() {
        Compose(window, "AB", 0);
        Type(window, QStringLiteral("not added"), QStringLiteral("not added either"));
        const QString path = files.Path(QStringLiteral("made.qob"));
        prompts.fileAnswers.push_back(path);

        Button(window, "生成电子书按钮")->click();

        QCOMPARE(prompts.fileRequests.size(), std::size_t{1});
        QVERIFY(prompts.fileRequests[0].save);
        QCOMPARE(prompts.fileRequests[0].filter, QStringLiteral("qob电子书(*.qob)|*.qob"));
        QCOMPARE(Read(path), LetterBook("AB"));
        QCOMPARE(prompts.MessageTexts(), QStringList{QStringLiteral("电子书制作完成!")});
        QCOMPARE(prompts.messages.front().icon, MessageIcon::Information);
        QCOMPARE(List(window)->Count(), 0);
        QCOMPARE(List(window)->Selection(), -1);
        QVERIFY(window->ComposedBook().Empty());
        QCOMPARE(TitleBox(window)->text(), QString());
        QCOMPARE(ContentBox(window)->toPlainText(), QString());
    }

    // The dialog starts from the path chosen last; an empty list is written
    // as an empty book, not refused.
    void secondGenerateStartsFromTheLastPathAndWritesAnEmptyBook() {
        Compose(window, "A", 0);
        const QString first = files.Path(QStringLiteral("first.qob"));
        const QString second = files.Path(QStringLiteral("second.qob"));
        prompts.fileAnswers = {first, second};

        Button(window, "生成电子书按钮")->click();
        Button(window, "生成电子书按钮")->click();

        QCOMPARE(prompts.fileRequests[0].initialPath, QString());
        QCOMPARE(prompts.fileRequests[1].initialPath, first);
        QCOMPARE(QFileInfo(second).size(), 11);
        QVERIFY(Read(second).Empty());
        QCOMPARE(prompts.MessageTexts().count(QStringLiteral("电子书制作完成!")), 2);
    }

    void aNewWindowsDialogStartsWithNoPath() {
        prompts.fileAnswers.push_back(files.Path(QStringLiteral("kept.qob")));
        Button(window, "生成电子书按钮")->click();
        delete window;
        window = new MakeWindow;

        Button(window, "生成电子书按钮")->click();

        QCOMPARE(prompts.fileRequests.back().initialPath, QString());
    }

    void failedOrCancelledGenerateLeavesEverything_data() {
        QTest::addColumn<bool>("cancel");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("cancelled") << true << QStringList();
        QTest::newRow("unwritable path") << false << QStringList{QStringLiteral("文件写入失败,请检查文件是否正常")};
    }
    void failedOrCancelledGenerateLeavesEverything() {
        QFETCH(bool, cancel);
        QFETCH(QStringList, messages);
        Compose(window, "AB", 1);
        Type(window, QStringLiteral("typed"), QStringLiteral("text"));
        const QString path = files.Path(QStringLiteral("missing-folder/book.qob"));
        prompts.fileAnswers.push_back(cancel ? std::nullopt : std::optional<QString>(path));

        Button(window, "生成电子书按钮")->click();

        QCOMPARE(prompts.MessageTexts(), messages);
        if (!messages.isEmpty()) QCOMPARE(prompts.messages.front().icon, MessageIcon::Stop);
        QVERIFY(!QFile::exists(path));
        QCOMPARE(Titles(List(window)), QStringLiteral("A,B"));
        QCOMPARE(Titles(window->ComposedBook()), QStringLiteral("A,B"));
        QCOMPARE(List(window)->Selection(), 1);
        QCOMPARE(TitleBox(window)->text(), QStringLiteral("typed"));
        QCOMPARE(ContentBox(window)->toPlainText(), QStringLiteral("text"));
    }

    // Enter in the content box generates first and then still starts a new
    // line, also in a box that the generate has just emptied.
    void enterInTheContentBoxGenerates_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("complete");
        QTest::addColumn<QString>("contentAfter");
        QTest::addColumn<QString>("titlesAfter");
        QTest::newRow("cancelled") << int(Qt::Key_Return) << false << "typed\n" << "A";
        QTest::newRow("completed") << int(Qt::Key_Return) << true << "\n" << "";
        QTest::newRow("keypad Enter, completed") << int(Qt::Key_Enter) << true << "\n" << "";
    }
    void enterInTheContentBoxGenerates() {
        QFETCH(int, key);
        QFETCH(bool, complete);
        QFETCH(QString, contentAfter);
        QFETCH(QString, titlesAfter);
        Compose(window, "A", 0);
        Type(window, QStringLiteral("A"), QStringLiteral("typed"));
        ContentBox(window)->moveCursor(QTextCursor::End);
        const QString path = files.Path(QStringLiteral("entered.qob"));
        prompts.fileAnswers.push_back(complete ? std::optional<QString>(path) : std::nullopt);

        QTest::keyClick(ContentBox(window), Qt::Key(key));

        QCOMPARE(prompts.fileRequests.size(), std::size_t{1});
        QCOMPARE(ContentBox(window)->toPlainText(), contentAfter);
        QCOMPARE(Titles(List(window)), titlesAfter);
        QCOMPARE(QFile::exists(path), complete);
    }

    void otherKeysAndEnterElsewhereDoNotGenerate() {
        QTest::keyClick(ContentBox(window), Qt::Key_A);
        QTest::keyClick(ContentBox(window), Qt::Key_Tab);
        QTest::keyClick(TitleBox(window), Qt::Key_Return);
        QTest::keyClick(List(window), Qt::Key_Return);
        QVERIFY(prompts.fileRequests.empty());
    }

    void closingDiscardsTheComposedBook() {
        delete window;  // one make window at a time
        MakeWindow::OpenModeless();
        QPointer<MakeWindow> open = MakeWindow::Instance();
        Compose(open, "AB", 0);

        Button(open, "按钮1")->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        QVERIFY(open.isNull());
        QCOMPARE(MakeWindow::Instance(), nullptr);
        MakeWindow::OpenModeless();
        QCOMPARE(List(MakeWindow::Instance())->Count(), 0);
        QVERIFY(MakeWindow::Instance()->ComposedBook().Empty());
        delete MakeWindow::Instance();
    }

    void openingAgainBringsTheSameWindowBackWithItsContents() {
        delete window;  // one make window at a time
        MakeWindow::OpenModeless();
        QPointer<MakeWindow> first = MakeWindow::Instance();
        Compose(first, "AB", 1);
        Type(first, QStringLiteral("typed"), QStringLiteral("text"));
        first->showMinimized();

        // Modal opening of an open window returns at once: nothing blocks.
        MakeWindow::OpenModal();
        MakeWindow::OpenModeless();

        QCOMPARE(MakeWindow::Instance(), first.data());
        QVERIFY(!first->isMinimized());
        QVERIFY(first->isVisible());
        QCOMPARE(first->windowModality(), Qt::NonModal);
        QCOMPARE(Titles(first->ComposedBook()), QStringLiteral("A,B"));
        QCOMPARE(List(first)->Selection(), 1);
        QCOMPARE(TitleBox(first)->text(), QStringLiteral("typed"));
        delete first;
    }

    void modalOpeningBlocksUntilTheWindowCloses() {
        delete window;  // one make window at a time
        bool sawModal = false;
        Qt::WindowModality modalityAfterReopen = Qt::NonModal;
        WhenModalOpens([&](QWidget* modal) {
            sawModal = modal == MakeWindow::Instance() && modal->objectName() == QStringLiteral("MakeWindow");
            MakeWindow::OpenModeless();
            modalityAfterReopen = modal->windowModality();
            modal->close();
        });

        MakeWindow::OpenModal();

        QVERIFY(sawModal);
        QCOMPARE(modalityAfterReopen, Qt::ApplicationModal);
        QCOMPARE(MakeWindow::Instance(), nullptr);
    }

    // Runs in the application's own loop, which ends when the last window
    // has closed: closing the reader must not end it, closing the make
    // window then must.
    void aModelessWindowOutlivesTheReader() {
        delete window;  // one make window at a time
        auto* reader = new ReaderWindow(QStringList());
        reader->show();
        reader->OpenMakeWindowModeless();
        QPointer<MakeWindow> made = MakeWindow::Instance();
        QVERIFY(made);
        QCOMPARE(made->parent(), nullptr);
        QSignalSpy lastWindowClosed(qApp, &QGuiApplication::lastWindowClosed);
        bool outlived = false;
        QTimer::singleShot(0, qApp, [&] {
            reader->close();
            delete reader;
            QCoreApplication::processEvents();
            outlived = made && made->isVisible() && lastWindowClosed.isEmpty();
            made->close();
        });
        QTimer safetyNet;
        safetyNet.setSingleShot(true);
        connect(&safetyNet, &QTimer::timeout, qApp, &QCoreApplication::quit);
        safetyNet.start(10000);

        QApplication::exec();

        QVERIFY(safetyNet.isActive());
        QVERIFY(outlived);
        QCOMPARE(lastWindowClosed.count(), 1);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(made.isNull());
    }
};

QTEST_MAIN(MakeWindowTest)
#include "make_window_test.moc"
