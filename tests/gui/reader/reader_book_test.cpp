// Opening, showing, paging, closing and saving books in the reader window.
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QDir>
#include <QPlainTextEdit>
#include <QTest>
#include <QToolBar>
#include <memory>

#include "book_text.h"
#include "common_dialog.h"
#include "gui_test_support.h"
#include "list_box.h"
#include "reader_test_support.h"
#include "reader_window.h"

namespace {

const QString kCannotOpen = QStringLiteral("打开电子书失败,请检查文件是否正常!");
const QString kNotABook = QStringLiteral("此电子书格式不能识别,请选择后缀为qob的电子书格式文件!");
const QString kFirstChapter = QStringLiteral("已经到了第一章了,不能再后退了");
const QString kLastChapter = QStringLiteral("已经到底了,无法再往下");
const QString kCannotWrite = QStringLiteral("文件写入失败,请检查文件是否正常");

enum class Paging { Previous, Next };

}  // namespace

Q_DECLARE_METATYPE(Paging)

class ReaderBookTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<ScriptedPrompter> prompter_;
    std::unique_ptr<TempDir> dir_;
    std::unique_ptr<ReaderWindow> window_;

    ReaderWindow& Window() { return *window_; }
    ListBox* List() { return window_->TableOfContents(); }
    QString Pane() { return window_->ReadingPane()->toPlainText(); }

    QString BookFile(const QString& name, const qob::ArticleList& book) {
        const QString path = dir_->Path(name);
        WriteTestBook(path, book);
        return path;
    }

    void Load(const QString& path) {
        window_->LoadBookIntoReader(path);
    }

    // The toolbar's action (`menu` empty) or the menu entry with this caption.
    QAction* FindAction(const QString& menu, const QString& caption) {
        QList<QAction*> actions;
        if (menu.isEmpty()) {
            actions = window_->findChild<QToolBar*>(QStringLiteral("工具条1"))->actions();
        } else {
            for (const QMenu* each : window_->findChildren<QMenu*>()) {
                if (each->title() == menu) actions = each->actions();
            }
        }
        for (QAction* action : actions) {
            if (action->text() == caption) return action;
        }
        return nullptr;
    }

    // A user's click on entry `row` of the table of contents.
    void ClickEntry(int row) {
        ListBox* list = List();
        const QRect entry = list->visualRect(list->model()->index(row, 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, entry.center());
    }

private slots:
    void init() {
        prompter_ = std::make_unique<ScriptedPrompter>();
        dir_ = std::make_unique<TempDir>();
        window_ = std::make_unique<ReaderWindow>(QStringList());
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    }

    void cleanup() {
        window_.reset();
        dir_.reset();
        prompter_.reset();
    }

    void loadingShowsTitlesFirstArticleAndCaptions() {
        const QString path = BookFile("three.qob", MakeBook({{"One", "first"}, {"Two", "second"}, {"Three", "third"}}));
        Load(path);
        QCOMPARE(ListedTitles(Window()), QStringList({"One", "Two", "Three"}));
        QCOMPARE(List()->Selection(), 0);
        QCOMPARE(Pane(), QStringLiteral("first"));
        QCOMPARE(ArticleGroup(Window())->title(), QStringLiteral("[文章标题]One"));
        QCOMPARE(ArticleGroup(Window())->font().pointSize(), 10);
        QCOMPARE(Window().ReadingPane()->font().pointSize(), 11);
        QCOMPARE(ContentsGroup(Window())->title(), QStringLiteral("[文章目录列表] 3 篇"));
        QCOMPARE(PathBox(Window())->text(), path);
        QCOMPARE(Window().OpenBook().Count(), 3u);
        QVERIFY(prompter_->messages.empty());
    }

    void loadingTwiceDoesNotDoubleTheBook() {
        const QString path = BookFile("three.qob", NumberedBook(3));
        Load(path);
        Load(path);
        QCOMPARE(List()->Count(), 3);
        QCOMPARE(Window().OpenBook().Count(), 3u);
    }

    void captionShowsTitleTextLiterally() {
        Load(BookFile("amp.qob", MakeBook({{"Tom & Jerry", "x"}})));
        QCOMPARE(ArticleGroup(Window())->title().replace(QStringLiteral("&&"), QStringLiteral("&")),
                 QStringLiteral("[文章标题]Tom & Jerry"));
        QVERIFY(ArticleGroup(Window())->title().contains(QStringLiteral("&&")));
    }

    void unchangedPaneGivesBackTheStoredBytes() {
        // Lone "\n" breaks and bytes that are not valid text survive a look.
        const qob::Text content = "line\nnext \xff\xfe end";
        qob::ArticleList book;
        book.Append({"odd", content});
        Load(BookFile("odd.qob", book));
        QCOMPARE(Window().PaneText(), content);
    }

    void emptyBookAfterABookKeepsPaneAndArticleCaption() {
        Load(BookFile("two.qob", MakeBook({{"First", "shown text"}, {"Second", "other"}})));
        Load(BookFile("empty.qob", qob::ArticleList()));
        QCOMPARE(List()->Count(), 0);
        QCOMPARE(List()->Selection(), -1);
        QCOMPARE(Pane(), QStringLiteral("shown text"));
        QCOMPARE(ArticleGroup(Window())->title(), QStringLiteral("[文章标题]First"));
        QCOMPARE(ContentsGroup(Window())->title(), QStringLiteral("[文章目录列表] 0 篇"));
        QVERIFY(Window().OpenBook().Empty());
        QVERIFY(prompter_->messages.empty());
    }

    void failedLoadAfterABookLeavesStaleTitles_data() {
        QTest::addColumn<QByteArray>("bytes");  // empty: no file at all
        QTest::addColumn<QString>("message");
        QTest::newRow("missing file") << QByteArray() << kCannotOpen;
        QTest::newRow("upper-case magic") << QByteArray("QOB\0\0\0\0\0\0\0\0", 11) << kNotABook;
        QTest::newRow("two bytes") << QByteArray("qo") << kNotABook;
    }

    void failedLoadAfterABookLeavesStaleTitles() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        Load(BookFile("good.qob", MakeBook({{"A", "a"}, {"B", "b"}, {"C", "c"}})));
        const QString rejected = dir_->Path("rejected.qob");
        if (!bytes.isEmpty()) WriteRawFile(rejected, bytes);

        Load(rejected);
        QCOMPARE(prompter_->MessageTexts(), QStringList({message}));
        QCOMPARE(prompter_->messages.front().icon, MessageIcon::Stop);
        QCOMPARE(PathBox(Window())->text(), rejected);
        QCOMPARE(ListedTitles(Window()), QStringList({"A", "B", "C"}));
        QCOMPARE(List()->Selection(), 0);
        QCOMPARE(Pane(), QStringLiteral("a"));
        QCOMPARE(ArticleGroup(Window())->title(), QStringLiteral("[文章标题]A"));
        QCOMPARE(ContentsGroup(Window())->title(), QStringLiteral("[文章目录列表] 3 篇"));
        QVERIFY(Window().OpenBook().Empty());

        // Clicking a stale title moves the selection and shows nothing.
        ClickEntry(2);
        QCOMPARE(List()->Selection(), 2);
        QCOMPARE(Pane(), QStringLiteral("a"));
        QCOMPARE(ArticleGroup(Window())->title(), QStringLiteral("[文章标题]A"));

        // Saving writes the empty open book, not the titles on show.
        const QString saved = dir_->Path("stale-save.qob");
        prompter_->fileAnswers.push_back(saved);
        Window().SaveBook();
        QCOMPARE(ReadRawFile(saved).size(), 11);
        QVERIFY(ReadBackBook(saved).Empty());
    }

    void staleStatePagingMovesSelectionOnly() {
        Load(BookFile("good.qob", NumberedBook(3)));
        Load(dir_->Path("missing.qob"));
        prompter_->Forget();
        Window().NextArticle();
        Window().NextArticle();
        QCOMPARE(List()->Selection(), 2);
        QCOMPARE(Pane(), QStringLiteral("c0"));
        QCOMPARE(prompter_->MessageTexts(), QStringList({kLastChapter}));
    }

    void failedLoadWithEmptyListStaysEmpty() {
        Load(dir_->Path("missing.qob"));
        QCOMPARE(List()->Count(), 0);
        QCOMPARE(ContentsGroup(Window())->title(), QString());
        QCOMPARE(ArticleGroup(Window())->title(), QString());
    }

    void userSelectionShowsThatPositionsArticle() {
        Load(BookFile("same.qob", MakeBook({{"Same", "first"}, {"Same", "second"}, {"Other", "third"}})));
        ClickEntry(1);
        QCOMPARE(Pane(), QStringLiteral("second"));
        QCOMPARE(ArticleGroup(Window())->title(), QStringLiteral("[文章标题]Same"));
        ClickEntry(0);
        QCOMPARE(Pane(), QStringLiteral("first"));
    }

    void paging_data() {
        QTest::addColumn<int>("articles");
        QTest::addColumn<int>("start");
        QTest::addColumn<Paging>("command");
        QTest::addColumn<int>("selection");
        QTest::addColumn<QString>("pane");
        QTest::addColumn<QString>("message");
        const Paging next = Paging::Next;
        const Paging previous = Paging::Previous;
        QTest::newRow("next from the first") << 3 << 0 << next << 1 << "c1" << "";
        QTest::newRow("next onto the last") << 3 << 1 << next << 2 << "c2" << kLastChapter;
        QTest::newRow("next on the last shows it again") << 3 << 2 << next << 2 << "c2" << kLastChapter;
        QTest::newRow("next without selection") << 3 << -1 << next << 0 << "c0" << "";
        QTest::newRow("next in a one-article book") << 1 << 0 << next << 0 << "c0" << kLastChapter;
        QTest::newRow("next with an empty list") << 0 << -1 << next << -1 << "untouched" << kLastChapter;
        QTest::newRow("previous from the last") << 3 << 2 << previous << 1 << "c1" << "";
        QTest::newRow("previous on the first") << 3 << 0 << previous << 0 << "untouched" << kFirstChapter;
        QTest::newRow("previous without selection") << 3 << -1 << previous << -1 << "untouched" << "";
        QTest::newRow("previous with an empty list") << 0 << -1 << previous << -1 << "untouched" << "";
    }

    void paging() {
        QFETCH(int, articles);
        QFETCH(int, start);
        QFETCH(Paging, command);
        QFETCH(int, selection);
        QFETCH(QString, pane);
        QFETCH(QString, message);
        Load(BookFile("book.qob", NumberedBook(articles)));
        List()->SetSelection(start);
        Window().SetPaneText("untouched");
        prompter_->Forget();

        if (command == Paging::Next) {
            Window().NextArticle();
        } else {
            Window().PreviousArticle();
        }
        QCOMPARE(List()->Selection(), selection);
        QCOMPARE(Pane(), pane);
        QCOMPARE(prompter_->MessageTexts(), message.isEmpty() ? QStringList() : QStringList({message}));
        if (!message.isEmpty()) QCOMPARE(prompter_->messages.front().icon, MessageIcon::Information);
    }

    void closeEmptiesBookButKeepsCaptions() {
        Load(BookFile("book.qob", NumberedBook(2)));
        Window().CloseBook();
        QCOMPARE(PathBox(Window())->text(), QString());
        QCOMPARE(Pane(), QString());
        QCOMPARE(List()->Count(), 0);
        QCOMPARE(List()->Selection(), -1);
        QVERIFY(Window().OpenBook().Empty());
        QCOMPARE(ArticleGroup(Window())->title(), QStringLiteral("[文章标题]T0"));
        QCOMPARE(ContentsGroup(Window())->title(), QStringLiteral("[文章目录列表] 2 篇"));
        QVERIFY(prompter_->messages.empty());
    }

    void damagedBookLoadsWhatCouldBeReadAndSaysSo() {
        const QString path = BookFile("damaged.qob", NumberedBook(2));
        QByteArray bytes = ReadRawFile(path);
        bytes[3] = 5;  // the header now announces five articles
        WriteRawFile(path, bytes);

        Load(path);
        QCOMPARE(ListedTitles(Window()), QStringList({"T0", "T1"}));
        QCOMPARE(Pane(), QStringLiteral("c0"));
        QCOMPARE(ContentsGroup(Window())->title(), QStringLiteral("[文章目录列表] 2 篇"));
        QCOMPARE(prompter_->MessageTexts(),
                 QStringList({QStringLiteral("电子书文件已损坏,只读出了2篇文章(文件记载共5篇)!")}));
        QCOMPARE(prompter_->messages.front().icon, MessageIcon::Stop);
    }

    void openDialogAsksForABookAndRemembersThePath() {
        const QString path = BookFile("chosen.qob", NumberedBook(2));
        prompter_->fileAnswers.push_back(path);
        Window().OpenBookFromDialog();
        QCOMPARE(List()->Count(), 2);
        QCOMPARE(prompter_->fileRequests.size(), 1u);
        QVERIFY(!prompter_->fileRequests[0].save);
        QCOMPARE(prompter_->fileRequests[0].filter, QStringLiteral("qob电子书(*.qob)|*.qob"));
        QCOMPARE(prompter_->fileRequests[0].initialPath, QString());

        Window().OpenBookFromDialog();  // cancelled: nothing changes
        QCOMPARE(prompter_->fileRequests[1].initialPath, path);
        QCOMPARE(List()->Count(), 2);
        QCOMPARE(PathBox(Window())->text(), path);
        QVERIFY(prompter_->messages.empty());
    }

    void saveRoundTrip_data() {
        QTest::addColumn<bool>("saveAs");
        QTest::addColumn<QString>("message");
        QTest::newRow("save") << false << QStringLiteral("保存成功!");
        QTest::newRow("save as") << true << QStringLiteral("另存成功!");
    }

    void saveRoundTrip() {
        QFETCH(bool, saveAs);
        QFETCH(QString, message);
        const qob::ArticleList book = MakeBook({{"One", "a\r\nb"}, {"Two", ""}, {"", "third"}});
        const QString opened = BookFile("opened.qob", book);
        Load(opened);
        List()->SetSelection(1);
        const QString target = dir_->Path("saved.qob");
        prompter_->fileAnswers.push_back(target);

        saveAs ? Window().SaveBookAs() : Window().SaveBook();
        QCOMPARE(prompter_->fileRequests.size(), 1u);
        QVERIFY(prompter_->fileRequests[0].save);
        QCOMPARE(prompter_->fileRequests[0].filter, QStringLiteral("qob电子书(*.qob)|*.qob"));
        QCOMPARE(prompter_->MessageTexts(), QStringList({message}));
        QCOMPARE(prompter_->messages.front().icon, MessageIcon::Information);
        QVERIFY(ReadBackBook(target) == book);
        // Saving changes nothing in the window.
        QCOMPARE(PathBox(Window())->text(), opened);
        QCOMPARE(List()->Selection(), 1);
        QCOMPARE(Window().Dialog().LastPath(), target);
    }

    void saveDrawsAFreshKeyEachTime() {
        Load(BookFile("book.qob", NumberedBook(2)));
        prompter_->fileAnswers = {dir_->Path("first.qob"), dir_->Path("second.qob")};
        Window().SaveBook();
        Window().SaveBook();
        const QByteArray first = ReadRawFile(dir_->Path("first.qob"));
        const QByteArray second = ReadRawFile(dir_->Path("second.qob"));
        QCOMPARE(first.left(7), second.left(7));
        QVERIFY(first.mid(7) != second.mid(7));
        QVERIFY(ReadBackBook(dir_->Path("first.qob")) == ReadBackBook(dir_->Path("second.qob")));
    }

    void saveWithNothingLoadedWritesAnEmptyBook() {
        const QString target = dir_->Path("empty.qob");
        prompter_->fileAnswers.push_back(target);
        Window().SaveBook();
        QCOMPARE(ReadRawFile(target).size(), 11);
        QCOMPARE(prompter_->MessageTexts(), QStringList({QStringLiteral("保存成功!")}));
    }

    void saveNameWithoutExtensionGetsQob() {
        prompter_->fileAnswers.push_back(dir_->Path("plain"));
        Window().SaveBook();
        QVERIFY(QFile::exists(dir_->Path("plain.qob")));
        QVERIFY(!QFile::exists(dir_->Path("plain")));
    }

    void cancelledSaveWritesNothing() {
        Window().SaveBook();
        QCOMPARE(prompter_->fileRequests.size(), 1u);
        QVERIFY(prompter_->messages.empty());
        QVERIFY(QDir(dir_->path).isEmpty());
    }

    void saveThatCannotWrite_data() {
        QTest::addColumn<bool>("readOnlyFile");
        QTest::newRow("file without write bits") << true;
        QTest::newRow("directory that is a file") << false;
    }

    void saveThatCannotWrite() {
        QFETCH(bool, readOnlyFile);
        Load(BookFile("book.qob", NumberedBook(2)));
        const QString blocker = dir_->Path("blocker.qob");
        WriteRawFile(blocker, "keep me");
        QString target = blocker;
        if (readOnlyFile) {
            QVERIFY(QFile::setPermissions(blocker, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        } else {
            target = blocker + QStringLiteral("/inside.qob");
        }
        prompter_->fileAnswers.push_back(target);
        Window().SaveBook();
        QCOMPARE(prompter_->MessageTexts(), QStringList({kCannotWrite}));
        QCOMPARE(prompter_->messages.front().icon, MessageIcon::Stop);
        QCOMPARE(ReadRawFile(blocker), QByteArray("keep me"));
        QFile::setPermissions(blocker, QFile::ReadOwner | QFile::WriteOwner);
    }

    void savedFileIgnoresTextPastedIntoThePane() {
        const qob::ArticleList book = MakeBook({{"One", "stored"}});
        Load(BookFile("book.qob", book));
        Window().ReadingPane()->setPlainText(QStringLiteral("pasted"));
        prompter_->fileAnswers.push_back(dir_->Path("saved.qob"));
        Window().SaveBook();
        QVERIFY(ReadBackBook(dir_->Path("saved.qob")) == book);
    }

    void commandsRunFromMenuToolbarAndButton_data() {
        QTest::addColumn<QString>("menu");  // empty: the toolbar
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("selection");
        QTest::addColumn<int>("fileRequests");
        QTest::newRow("toolbar next") << "" << "下一章" << 2 << 0;
        QTest::newRow("toolbar previous") << "" << "上一章" << 0 << 0;
        QTest::newRow("toolbar open") << "" << "打开" << 1 << 1;
        QTest::newRow("toolbar save") << "" << "保存" << 1 << 1;
        QTest::newRow("toolbar save as") << "" << "另存" << 1 << 1;
        QTest::newRow("menu next") << "  阅读" << "下一章" << 2 << 0;
        QTest::newRow("menu previous") << "  阅读" << "上一章" << 0 << 0;
        QTest::newRow("menu open") << "  文件" << "打开" << 1 << 1;
        QTest::newRow("menu save") << "  文件" << "保存" << 1 << 1;
        QTest::newRow("menu save as") << "  文件" << "另存" << 1 << 1;
        QTest::newRow("menu close") << "  文件" << "关闭" << -1 << 0;
    }

    void commandsRunFromMenuToolbarAndButton() {
        QFETCH(QString, menu);
        QFETCH(QString, caption);
        QFETCH(int, selection);
        QFETCH(int, fileRequests);
        Load(BookFile("book.qob", NumberedBook(3)));
        List()->SetSelection(1);
        QAction* action = FindAction(menu, caption);
        QVERIFY(action);
        action->trigger();
        QCOMPARE(List()->Selection(), selection);
        QCOMPARE(int(prompter_->fileRequests.size()), fileRequests);
    }

    void browseButtonOpensTheDialog() {
        auto* button = Window().findChild<QPushButton*>(QStringLiteral("打开按钮"));
        QVERIFY(button);
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(prompter_->fileRequests.size(), 1u);
        QVERIFY(!prompter_->fileRequests[0].save);
    }
};

QTEST_MAIN(ReaderBookTest)
#include "reader_book_test.moc"
