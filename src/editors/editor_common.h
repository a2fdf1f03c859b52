#pragma once

#include <QPushButton>
#include <QRect>
#include <QString>
#include <QWidget>
#include <vector>

#include "article.h"

class ListBox;
class QGroupBox;
class QLineEdit;
class QPlainTextEdit;

// What the reader's two editing windows say once an article is stored.
inline const QString kArticleModifiedMessage = QStringLiteral("本文章修改成功!");

// The frame the three editing windows share: a top-level window with a fixed
// border, a minimise box and a close box, centred on the screen, closed by
// Esc and deleted once closed. Children are placed at absolute positions.
class EditorWindow : public QWidget {
    Q_OBJECT
public:
    // Shows the window restored and in front of the others.
    void BringToFront();

protected:
    // `outer` is the size including border and caption, as the forms give it.
    EditorWindow(const char* roleName, const QString& title, QSize outer);

    // A button of this window that runs `command` when clicked.
    template <typename Window>
    void AddButton(const char* name, const QString& caption, const QRect& place, void (Window::*command)()) {
        connect(NewButton(name, caption, place), &QPushButton::clicked, static_cast<Window*>(this), command);
    }
    // The "关闭" button every editing window has.
    void AddCloseButton(const QRect& place);

private:
    QPushButton* NewButton(const char* name, const QString& caption, const QRect& place);
};

// Shows `window` modally and returns once it has been closed; every other
// window of the program is blocked meanwhile.
void RunModal(EditorWindow* window);

// Form controls at absolute positions inside `parent`, named `name`.
QGroupBox* AddGroupBox(QWidget* parent, const char* name, const QString& caption, const QRect& place);
QLineEdit* AddTitleBox(QWidget* parent, const char* name, const QRect& place);
// Multi-line, with a vertical scroll bar, in the content font.
QPlainTextEdit* AddContentBox(QWidget* parent, const char* name, const QRect& place);
ListBox* AddListBox(QWidget* parent, const char* name, const QRect& place);

// The two edit boxes where an article waits until a command stores it.
class ScratchArea {
public:
    ScratchArea(QLineEdit* titleBox, QPlainTextEdit* contentBox);

    qob::Article Read() const;
    qob::Text Title() const;
    void Show(const qob::Article& article);
    void Clear();

    QLineEdit* TitleBox() const { return titleBox_; }
    QPlainTextEdit* ContentBox() const { return contentBox_; }

private:
    QLineEdit* titleBox_;
    QPlainTextEdit* contentBox_;
};

// An article list together with the list boxes that show its titles. Every
// change goes to the list and to each box at the same position, so entry i
// of every box keeps showing the title of article i. Positions outside the
// list change nothing.
class TitledArticles {
public:
    TitledArticles(qob::ArticleList& articles, std::vector<ListBox*> boxes);

    const qob::ArticleList& Articles() const { return articles_; }
    int Count() const { return static_cast<int>(articles_.Count()); }
    bool Contains(long long position) const { return articles_.Contains(position); }
    const qob::Article& At(long long position) const;

    // Positions 0..Count(); Count() appends.
    void Insert(long long position, const qob::Article& article);
    void Remove(long long position);
    void Replace(long long position, const qob::Article& article);
    void Clear();

private:
    qob::ArticleList& articles_;
    std::vector<ListBox*> boxes_;
};

// After the entry at `removed` was deleted: the entry before it, or else the
// first one.
void SelectAfterRemoval(ListBox* box, int removed);
