#include "editor_test_support.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringList>

#include "book_text.h"
#include "list_box.h"
#include "reader_window.h"

qob::Article Letter(char title) { return {qob::Text(1, title), qob::Text(1, title) + "-text"}; }

qob::ArticleList LetterBook(const QString& letters) {
    qob::ArticleList book;
    for (QChar letter : letters) book.Append(Letter(letter.toLatin1()));
    return book;
}

QString Titles(const ListBox* box) {
    QStringList titles;
    for (int i = 0; i < box->Count(); ++i) titles << ShowText(box->Text(i));
    return titles.join(u',');
}

QString Titles(const qob::ArticleList& book) {
    QStringList titles;
    for (const qob::Article& article : book) titles << ShowText(article.title);
    return titles.join(u',');
}

QString TitleBoxText(const QWidget* window) { return Named<QLineEdit>(window, "主目录编辑框")->text(); }
QString ContentBoxText(const QWidget* window) { return Named<QPlainTextEdit>(window, "正文编辑框")->toPlainText(); }

void Type(QWidget* window, const QString& title, const QString& content) {
    Named<QLineEdit>(window, "主目录编辑框")->setText(title);
    Named<QPlainTextEdit>(window, "正文编辑框")->setPlainText(content);
}

QPushButton* Button(const QObject* window, const char* name) { return Named<QPushButton>(window, name); }

ListBox* List(const QObject* window) { return Named<ListBox>(window, "列表框"); }

void UserSelects(ListBox* box, int row) {
    box->selectionModel()->setCurrentIndex(box->model()->index(row, 0), QItemSelectionModel::ClearAndSelect);
}

void ShowInReader(ReaderWindow& reader, const QString& letters, int shown) {
    reader.OpenBook() = LetterBook(letters);
    std::vector<qob::Text> titles;
    for (const qob::Article& article : reader.OpenBook()) titles.push_back(article.title);
    reader.TableOfContents()->Reset(titles);
    reader.TableOfContents()->SetSelection(shown);
    reader.ShowSelectedArticle();
}

void MakeStale(ReaderWindow& reader, const QString& letters, int selected) {
    ShowInReader(reader, letters, selected);
    reader.OpenBook().Clear();
}

QString ArticleCaption(const ReaderWindow& reader) { return Named<QGroupBox>(&reader, "分组框1")->title(); }

QString CountCaption(const ReaderWindow& reader) { return Named<QGroupBox>(&reader, "目录分组框")->title(); }
