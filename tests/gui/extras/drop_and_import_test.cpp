// Files dropped on the reader window, and plain-text files imported into
// the make window.
#include <sys/stat.h>

#include <QAction>
#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTest>
#include <QUrl>
#include <memory>

#include "book_text.h"
#include "codec.h"
#include "common_dialog.h"
#include "gui_test_support.h"
#include "list_box.h"
#include "make_window.h"
#include "reader_test_support.h"
#include "reader_window.h"

namespace {

const QString kNotABook = QStringLiteral("此电子书格式不能识别,请选择后缀为qob的电子书格式文件!");
const QString kCannotOpenText = QStringLiteral("打开文本文件失败,请检查文件是否正常!");
const QString kNotText = QStringLiteral("此文件不是UTF-8或GB18030编码的文本文件,无法导入!");
const QString kNothingToImport = QStringLiteral("文本文件中没有内容,没有可导入的文章!");

const QByteArray kNovel = QStringLiteral("作者的话\n第一章 风起\n　　天色渐晚。\n\n第二章 云涌\n　　远方。\n").toUtf8();

QStringList Titles(const qob::ArticleList& book) {
    QStringList titles;
    for (const qob::Article& article : book) titles << ShowText(article.title);
    return titles;
}

QStringList Contents(const qob::ArticleList& book) {
    QStringList contents;
    for (const qob::Article& article : book) contents << ShowText(article.content);
    return contents;
}

QStringList Entries(const ListBox* list) {
    QStringList entries;
    for (int row = 0; row < list->Count(); ++row) entries << ShowText(list->Text(row));
    return entries;
}

std::unique_ptr<QMimeData> Files(const QStringList& paths) {
    auto data = std::make_unique<QMimeData>();
    QList<QUrl> urls;
    for (const QString& path : paths) urls << (path.contains(u':') ? QUrl(path) : QUrl::fromLocalFile(path));
    data->setUrls(urls);
    return data;
}

// What the window system does for a drop on `target`: an enter event, and
// the drop when the enter was accepted. Returns whether it was.
bool Drop(QWidget* target, const QMimeData* data) {
    const QPointF at(target->width() / 2.0, target->height() / 2.0);
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    if (!enter.isAccepted()) return false;
    QDropEvent drop(at, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    return drop.isAccepted();
}

}  // namespace

class DropAndImportTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<ScriptedPrompter> prompter_;
    std::unique_ptr<TempDir> dir_;
    std::unique_ptr<ReaderWindow> window_;

    ReaderWindow& Window() { return *window_; }

    QString BookFile(const QString& name, const qob::ArticleList& book) {
        const QString path = dir_->Path(name);
        WriteTestBook(path, book);
        return path;
    }

    QString RawFile(const QString& name, const QByteArray& bytes) {
        const QString path = dir_->Path(name);
        WriteRawFile(path, bytes);
        return path;
    }

    QWidget* DropTarget(const QString& name) {
        if (name == "pane") return Window().ReadingPane()->viewport();
        if (name == "table of contents") return Window().TableOfContents()->viewport();
        if (name == "path box") return PathBox(Window());
        return &Window();
    }

    QAction* ImportEntry() {
        for (QAction* menu : Window().menuBar()->actions()) {
            if (menu->text() != QStringLiteral("  文件")) continue;
            for (QAction* entry : menu->menu()->actions()) {
                if (entry->text() == QStringLiteral("导入文本")) return entry;
            }
        }
        return nullptr;
    }

    // Imports `path` and gives the make window's titles and book as they
    // stood while it was open; closes it.
    struct MadeWindow {
        bool opened = false;
        bool modal = false;
        QStringList entries;
        qob::ArticleList composed;
    };
    MadeWindow ImportThroughTheMenu(const QString& path) {
        prompter_->fileAnswers.push_back(path);
        MadeWindow seen;
        WhenModalOpens([&seen](QWidget* modal) {
            auto* window = qobject_cast<MakeWindow*>(modal);
            if (!window) return;
            seen.opened = true;
            seen.modal = window->isModal();
            seen.entries = Entries(window->findChild<ListBox*>(QStringLiteral("列表框")));
            seen.composed = window->ComposedBook();
            window->close();
        });
        ImportEntry()->trigger();
        return seen;
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
        delete MakeWindow::Instance();
        dir_.reset();
        prompter_.reset();
    }

    void droppedBookOpensWhereverItLands_data() {
        QTest::addColumn<QString>("target");
        QTest::newRow("window") << "window";
        QTest::newRow("pane") << "pane";
        QTest::newRow("table of contents") << "table of contents";
        QTest::newRow("path box") << "path box";
    }
    void droppedBookOpensWhereverItLands() {
        QFETCH(QString, target);
        const QString path = BookFile(QStringLiteral("dropped.qob"), MakeBook({{"One", "first"}, {"Two", "second"}}));
        const std::unique_ptr<QMimeData> data = Files({path});
        QVERIFY(Drop(DropTarget(target), data.get()));
        QTRY_COMPARE(ListedTitles(Window()), QStringList({"One", "Two"}));
        QCOMPARE(PathBox(Window())->text(), path);
        QCOMPARE(Window().ReadingPane()->toPlainText(), QStringLiteral("first"));
        QVERIFY(prompter_->messages.empty());
    }

    void droppedFileThatIsNotABookGivesTheMessage() {
        Window().LoadBookIntoReader(BookFile(QStringLiteral("shown.qob"), MakeBook({{"Kept", "text"}})));
        const QString path = RawFile(QStringLiteral("notes.txt"), "just some notes");
        const std::unique_ptr<QMimeData> data = Files({path});
        QVERIFY(Drop(&Window(), data.get()));
        QTRY_COMPARE(prompter_->MessageTexts(), QStringList({kNotABook}));
        QCOMPARE(prompter_->messages[0].icon, MessageIcon::Stop);
        QCOMPARE(PathBox(Window())->text(), path);
        QCOMPARE(ListedTitles(Window()), QStringList({"Kept"}));
        QVERIFY(Window().OpenBook().Empty());
    }

    void severalDroppedFilesOpenTheFirstLocalOne_data() {
        QTest::addColumn<QStringList>("names");
        QTest::newRow("two books") << QStringList{"a.qob", "b.qob"};
        QTest::newRow("a web address first") << QStringList{"https://example.org/c.qob", "a.qob", "b.qob"};
    }
    void severalDroppedFilesOpenTheFirstLocalOne() {
        QFETCH(QStringList, names);
        QStringList paths;
        for (const QString& name : names) {
            if (name.contains(u':')) {
                paths << name;
                continue;
            }
            paths << BookFile(name, MakeBook({{name == "a.qob" ? "A" : "B", "x"}}));
        }
        const std::unique_ptr<QMimeData> data = Files(paths);
        QVERIFY(Drop(&Window(), data.get()));
        QTRY_COMPARE(ListedTitles(Window()), QStringList({"A"}));
    }

    void dragsWithoutAFileAreRefused() {
        QMimeData text;
        text.setText(QStringLiteral("/tmp/some.qob"));
        QVERIFY(!Drop(&Window(), &text));
        const std::unique_ptr<QMimeData> web = Files({QStringLiteral("https://example.org/c.qob")});
        QVERIFY(!Drop(&Window(), web.get()));
        QCoreApplication::processEvents();
        QVERIFY(prompter_->messages.empty());
        QVERIFY(PathBox(Window())->text().isEmpty());
    }

    void importedTextFillsTheMakeWindow_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("UTF-8") << kNovel;
        QTest::newRow("UTF-8 with BOM") << QByteArray("\xEF\xBB\xBF") + kNovel;
        QTest::newRow("GB18030") << QByteArray::fromStdString(qob::Utf8ToGb18030(kNovel.toStdString()));
    }
    void importedTextFillsTheMakeWindow() {
        QFETCH(QByteArray, bytes);
        const MadeWindow seen = ImportThroughTheMenu(RawFile(QStringLiteral("novel.txt"), bytes));
        QVERIFY(seen.opened);
        QVERIFY(seen.modal);
        const QStringList titles{"前言", "第一章 风起", "第二章 云涌"};
        QCOMPARE(seen.entries, titles);
        QCOMPARE(Titles(seen.composed), titles);
        QCOMPARE(Contents(seen.composed), QStringList({"作者的话", "　　天色渐晚。", "　　远方。"}));
        QCOMPARE(seen.composed.At(1).content, StoreText(QStringLiteral("　　天色渐晚。")));
        QVERIFY(prompter_->messages.empty());
        QCOMPARE(prompter_->fileRequests.at(0).filter, QStringLiteral("文本文件(*.txt)|*.txt"));
        QVERIFY(!prompter_->fileRequests.at(0).save);
        // The open book is left alone, and the window's articles go with it.
        QVERIFY(Window().OpenBook().Empty());
        QVERIFY(!MakeWindow::Instance());
    }

    void aTextWithoutHeadingsIsNamedAfterItsFile() {
        const MadeWindow seen = ImportThroughTheMenu(RawFile(QStringLiteral("散文.集.txt"), "一段文字。\n"));
        QCOMPARE(seen.entries, QStringList({"散文.集"}));
    }

    void theImportDialogStartsFromTheLastFileChosen() {
        const QString path = RawFile(QStringLiteral("novel.txt"), kNovel);
        ImportThroughTheMenu(path);
        ImportThroughTheMenu(path);
        QCOMPARE(prompter_->fileRequests.size(), 2u);
        QCOMPARE(prompter_->fileRequests[0].initialPath, QString());
        QCOMPARE(prompter_->fileRequests[1].initialPath, path);
        // The reader's own dialog does not take the text file's name.
        QCOMPARE(Window().Dialog().LastPath(), QString());
    }

    void importsThatGiveNoArticlesSayWhy_data() {
        QTest::addColumn<QString>("file");   // "" cancels the dialog
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message");
        QTest::newRow("cancelled") << QString() << QByteArray() << QString();
        QTest::newRow("missing file") << "missing.txt" << QByteArray() << kCannotOpenText;
        QTest::newRow("a directory") << "." << QByteArray() << kCannotOpenText;
        // Neither would ever finish reading.
        QTest::newRow("a FIFO") << "fifo.txt" << QByteArray() << kCannotOpenText;
        QTest::newRow("a device") << "/dev/zero" << QByteArray() << kCannotOpenText;
        QTest::newRow("empty file") << "empty.txt" << QByteArray("") << kNothingToImport;
        QTest::newRow("blank lines only") << "blank.txt" << QByteArray("\n \n　\n") << kNothingToImport;
        QTest::newRow("binary") << "image.txt" << QByteArray("PNG\0\0\x01", 6) << kNotText;
        QTest::newRow("UTF-16") << "wide.txt" << QByteArray("\xFF\xFE\x2D\x4E", 4) << kNotText;
    }
    void importsThatGiveNoArticlesSayWhy() {
        QFETCH(QString, file);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        QString path;
        if (file == ".") {
            path = dir_->path;
        } else if (file.startsWith(u'/')) {
            path = file;
        } else if (file == "fifo.txt") {
            path = dir_->Path(file);
            QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        } else if (!file.isEmpty()) {
            path = dir_->Path(file);
            if (file != "missing.txt") WriteRawFile(path, bytes);
        }
        prompter_->fileAnswers.push_back(file.isEmpty() ? std::nullopt : std::optional<QString>(path));
        ImportEntry()->trigger();
        QCOMPARE(prompter_->MessageTexts(), message.isEmpty() ? QStringList() : QStringList({message}));
        if (!message.isEmpty()) QCOMPARE(prompter_->messages[0].icon, MessageIcon::Stop);
        QVERIFY(!MakeWindow::Instance());
    }

    void importIntoAnOpenMakeWindowKeepsWhatItHolds() {
        Window().OpenMakeWindowModeless();
        MakeWindow* window = MakeWindow::Instance();
        QVERIFY(window);
        window->findChild<QLineEdit*>(QStringLiteral("标题编辑框"))->setText(QStringLiteral("我的文章"));
        window->Add();
        prompter_->fileAnswers.push_back(RawFile(QStringLiteral("novel.txt"), kNovel));
        ImportEntry()->trigger();
        QCOMPARE(MakeWindow::Instance(), window);
        QCOMPARE(Titles(window->ComposedBook()), QStringList({"我的文章", "前言", "第一章 风起", "第二章 云涌"}));
        QCOMPARE(Entries(window->findChild<ListBox*>(QStringLiteral("列表框"))), Titles(window->ComposedBook()));
        QVERIFY(!window->isModal());
    }
};

QTEST_MAIN(DropAndImportTest)
#include "drop_and_import_test.moc"
