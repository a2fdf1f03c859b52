#include "make_window.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>

#include "book_file.h"
#include "book_text.h"
#include "common_dialog.h"
#include "list_box.h"
#include "prompter.h"
#include "trim.h"

namespace {

MakeWindow* openMakeWindow = nullptr;

// Opening the make window while it is open only brings it to the front,
// with its contents and its modality as they are.
bool BringOpenWindowToFront() {
    if (!openMakeWindow) return false;
    openMakeWindow->BringToFront();
    return true;
}

bool IsEnter(const QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    const int key = static_cast<const QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

}  // namespace

MakeWindow::MakeWindow()
    : EditorWindow("MakeWindow", QStringLiteral("QOB电子书制作"), {698, 564}),
      titles_(AddListBox(AddGroupBox(this, "分组框1", {}, {8, 60, 256, 436}), "列表框", {8, 20, 236, 408})),
      scratch_(AddTitleBox(AddGroupBox(this, "分组框3", QStringLiteral("电子书主目录标题"), {272, 8, 408, 48}),
                           "标题编辑框", {8, 16, 392, 24}),
               AddContentBox(AddGroupBox(this, "分组框2", QStringLiteral("电子书正文内容"), {272, 60, 408, 436}),
                             "内容编辑框", {8, 16, 392, 412})),
      book_(composedBook_, {titles_}),
      dialog_(new CommonDialog(QStringLiteral("制作通用对话框"), scratch_.TitleBox()->parentWidget())) {
    AddButton("添加按钮", QStringLiteral("添加文章"), {8, 6, 56, 24}, &MakeWindow::Add);
    AddButton("修改按钮", QStringLiteral("修改文章"), {72, 6, 56, 24}, &MakeWindow::Modify);
    AddButton("删除按钮", QStringLiteral("删除文章"), {136, 6, 64, 24}, &MakeWindow::Delete);
    AddButton("清空按钮", QStringLiteral("清空文章"), {208, 6, 56, 24}, &MakeWindow::ClearBoxes);
    AddButton("向前插入", QStringLiteral("向前插入"), {8, 38, 56, 24}, &MakeWindow::InsertBefore);
    AddButton("向后插入", QStringLiteral("向后插入"), {72, 38, 56, 24}, &MakeWindow::InsertAfter);
    AddButton("生成电子书按钮", QStringLiteral("生成电子书"), {136, 38, 128, 24}, &MakeWindow::Generate);
    AddCloseButton({298, 503, 96, 32});
    connect(titles_, &ListBox::UserSelected, this, &MakeWindow::ShowEntry);
    scratch_.ContentBox()->installEventFilter(this);
    openMakeWindow = this;
}

// The articles that were not generated go with the window.
MakeWindow::~MakeWindow() {
    if (openMakeWindow == this) openMakeWindow = nullptr;
}

MakeWindow* MakeWindow::Instance() { return openMakeWindow; }

void MakeWindow::OpenModal() {
    if (!BringOpenWindowToFront()) RunModal(new MakeWindow);
}

void MakeWindow::OpenModeless() {
    if (!BringOpenWindowToFront()) (new MakeWindow)->show();
}

void MakeWindow::OpenModalWith(const qob::ArticleList& articles) {
    const bool alreadyOpen = openMakeWindow != nullptr;
    MakeWindow* window = alreadyOpen ? openMakeWindow : new MakeWindow;
    window->AppendArticles(articles);
    if (alreadyOpen) {
        window->BringToFront();
    } else {
        RunModal(window);
    }
}

void MakeWindow::AppendArticles(const qob::ArticleList& articles) {
    for (const qob::Article& article : articles) book_.Insert(book_.Count(), article);
}

bool MakeWindow::TitleGiven() const {
    if (!scratch_.Title().empty()) return true;
    Prompts().Message(QStringLiteral("请输入电子书主目录标题"), MessageIcon::Stop);
    return false;
}

void MakeWindow::StoreAt(int position) {
    book_.Insert(position, scratch_.Read());
    titles_->SetSelection(position);
    FinishListChange();
}

void MakeWindow::FinishListChange() {
    scratch_.TitleBox()->setFocus();
    qob::TrimWorkingSet();
}

void MakeWindow::Add() {
    if (TitleGiven()) StoreAt(book_.Count());
}

void MakeWindow::InsertBefore() {
    if (!TitleGiven()) return;
    const int selected = titles_->Selection();
    if (selected >= 0) {
        StoreAt(selected);
        return;
    }
    titles_->SetSelection(0);
    FinishListChange();
}

void MakeWindow::InsertAfter() {
    if (TitleGiven()) StoreAt(titles_->Selection() + 1);
}

void MakeWindow::Modify() {
    if (!TitleGiven()) return;
    const int selected = titles_->Selection();
    // Nothing to modify: saying it succeeded would be a lie.
    if (!book_.Contains(selected)) return;
    book_.Replace(selected, scratch_.Read());
    scratch_.TitleBox()->setFocus();
    Prompts().Message(QStringLiteral("文章修改成功!"), MessageIcon::Information);
    qob::TrimWorkingSet();
}

void MakeWindow::Delete() {
    const int selected = titles_->Selection();
    book_.Remove(selected);
    SelectAfterRemoval(titles_, selected);
    scratch_.Clear();
    FinishListChange();
}

void MakeWindow::ClearBoxes() {
    scratch_.Clear();
    scratch_.TitleBox()->setFocus();
}

void MakeWindow::ShowEntry(int position) {
    if (book_.Contains(position)) scratch_.Show(book_.At(position));
}

void MakeWindow::Generate() {
    const std::optional<QString> path = dialog_->AskSave(kBookFilter);
    if (!path) return;
    if (qob::WriteBook(PathForLibrary(*path), composedBook_) == qob::WriteOutcome::CannotCreate) {
        Prompts().Message(kCannotWriteMessage, MessageIcon::Stop);
        return;
    }
    Prompts().Message(QStringLiteral("电子书制作完成!"), MessageIcon::Information);
    book_.Clear();
    scratch_.Clear();
    qob::TrimWorkingSet();
}

bool MakeWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched != scratch_.ContentBox() || !IsEnter(event)) return EditorWindow::eventFilter(watched, event);
    const QPointer<QObject> box(watched);
    Generate();
    // The box still gets its Enter and starts a new line, unless it is gone.
    return box.isNull();
}
