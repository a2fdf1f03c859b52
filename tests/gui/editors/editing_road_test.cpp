#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

#include "book_edit_window.h"
#include "book_file.h"
#include "book_text.h"
#include "codec.h"
#include "editor_test_support.h"
#include "gui_test_support.h"
#include "list_box.h"
#include "make_window.h"
#include "reader_window.h"

namespace {

void Type(QWidget* window, const char* titleBox, const char* contentBox, const QString& title,
          const QString& content) {
    Named<QLineEdit>(window, titleBox)->setText(title);
    Named<QPlainTextEdit>(window, contentBox)->setPlainText(content);
}

}  // namespace

// A book made from nothing, opened, changed in both editing windows, saved
// and read back, with Chinese texts and line breaks on the whole way.
class EditingRoadTest : public QObject {
    Q_OBJECT
private slots:
    void composeGenerateOpenEditSaveAndReadBack() {
        ScriptedPrompter prompts;
        TempDir files;
        const QString made = files.Path(QStringLiteral("新书.qob"));
        const QString saved = files.Path(QStringLiteral("saved.qob"));

        auto* make = new MakeWindow;
        Type(make, "标题编辑框", "内容编辑框", QStringLiteral("第一章"), QStringLiteral("第一行\n第二行"));
        Button(make, "添加按钮")->click();
        Type(make, "标题编辑框", "内容编辑框", QStringLiteral("第二章"), QStringLiteral("正文"));
        Button(make, "添加按钮")->click();
        prompts.fileAnswers.push_back(made);
        Button(make, "生成电子书按钮")->click();
        delete make;

        ReaderWindow reader{QStringList()};
        reader.LoadBookIntoReader(made);
        QCOMPARE(Titles(reader.TableOfContents()), QStringLiteral("第一章,第二章"));

        auto* edit = new BookEditWindow(reader);
        UserSelects(List(edit), 1);
        Type(edit, "主目录编辑框", "正文编辑框", QStringLiteral("第二章(改)"), QStringLiteral("新的正文"));
        Button(edit, "修改本章")->click();
        delete edit;

        UserSelects(reader.TableOfContents(), 0);
        WhenModalOpens([](QWidget* window) {
            Type(window, "主目录编辑框", "正文编辑框", QStringLiteral("序"), QStringLiteral("第一行\n改过"));
            Button(window, "修改本文章")->click();
        });
        reader.EditSelectedArticle();

        prompts.fileAnswers.push_back(saved);
        reader.SaveBook();

        const qob::ArticleList book = qob::ReadBook(QFile::encodeName(saved).toStdString()).articles;
        QCOMPARE(Titles(book), QStringLiteral("序,第二章(改)"));
        QCOMPARE(ShowText(book.At(0).content), QStringLiteral("第一行\n改过"));
        QCOMPARE(book.At(0).content, qob::Utf8ToGb18030("第一行\r\n改过"));
        QCOMPARE(ShowText(book.At(1).content), QStringLiteral("新的正文"));
        QCOMPARE(prompts.MessageTexts(), (QStringList{QStringLiteral("电子书制作完成!"), QStringLiteral("本文章修改成功!"),
                                                     QStringLiteral("本文章修改成功!"), QStringLiteral("保存成功!")}));
    }
};

QTEST_MAIN(EditingRoadTest)
#include "editing_road_test.moc"
