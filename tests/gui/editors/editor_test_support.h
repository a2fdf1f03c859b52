#pragma once

#include <QObject>
#include <QString>

#include "article.h"

class ListBox;
class QPushButton;
class QWidget;
class ReaderWindow;

// Books in these tests are written as letters: "ABC" is three articles
// titled "A", "B", "C" with the contents "A-text", "B-text", "C-text".
qob::Article Letter(char title);
qob::ArticleList LetterBook(const QString& letters);

// Titles joined by commas: "A,B,C"; "" for none.
QString Titles(const ListBox* box);
QString Titles(const qob::ArticleList& book);

// A control by its form name; aborts the test run when it is missing, so a
// misnamed control shows at once.
template <typename Control>
Control* Named(const QObject* window, const char* name) {
    auto* control = window->findChild<Control*>(QString::fromUtf8(name));
    if (!control) qFatal("no control named %s", name);
    return control;
}
QPushButton* Button(const QObject* window, const char* name);

// The title box 主目录编辑框 and the content box 正文编辑框 of the book edit
// and article edit windows.
QString TitleBoxText(const QWidget* window);
QString ContentBoxText(const QWidget* window);
void Type(QWidget* window, const QString& title, const QString& content);
ListBox* List(const QObject* window);

// What a mouse click on entry `row` does: a selection change by the user.
void UserSelects(ListBox* box, int row);

// The reader after a load of `letters` with entry `shown` selected and
// shown, as the reader's own commands leave it.
void ShowInReader(ReaderWindow& reader, const QString& letters, int shown);
// The reader after a failed load that followed a load of `letters`: the old
// titles listed, the book empty.
void MakeStale(ReaderWindow& reader, const QString& letters, int selected);
// The caption above the reader's pane and the one above its list.
QString ArticleCaption(const ReaderWindow& reader);
QString CountCaption(const ReaderWindow& reader);
