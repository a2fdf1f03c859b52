#include "book_edit_window.h"

#include <QGroupBox>
#include <QLineEdit>

#include "common_dialog.h"
#include "list_box.h"
#include "prompter.h"
#include "reader_window.h"
#include "trim.h"

BookEditWindow::BookEditWindow(ReaderWindow& reader)
    : EditorWindow("BookEditWindow", QStringLiteral("QOB 电子书修改"), {726, 586}),
      reader_(reader),
      titles_(AddListBox(AddGroupBox(this, "分组框1", {}, {4, 72, 268, 440}), "列表框", {8, 16, 248, 416})),
      scratch_(AddTitleBox(AddGroupBox(this, "分组框3", QStringLiteral("电子书主目录:"), {280, 8, 432, 48}),
                           "主目录编辑框", {4, 16, 420, 24}),
               AddContentBox(AddGroupBox(this, "分组框2", QStringLiteral("电子书正文"), {280, 60, 432, 452}),
                             "正文编辑框", {4, 16, 420, 428})),
      book_(reader.OpenBook(), {titles_, reader.TableOfContents()}) {
    AddButton("还原文章", QStringLiteral("还原本章"), {16, 6, 56, 32}, &BookEditWindow::Restore);
    AddButton("清空本章", QStringLiteral("清空本章"), {80, 6, 56, 32}, &BookEditWindow::ClearBoxes);
    AddButton("清空本章1", QStringLiteral("另存电子书"), {144, 8, 56, 32}, &BookEditWindow::SaveAs);
    AddButton("修改本章", QStringLiteral("修改本章"), {208, 6, 64, 32}, &BookEditWindow::Modify);
    AddButton("删除本章", QStringLiteral("删除本章"), {16, 44, 56, 32}, &BookEditWindow::Delete);
    AddButton("添加文章", QStringLiteral("添加文章"), {80, 44, 56, 32}, &BookEditWindow::Add);
    AddButton("向前插入", QStringLiteral("向前插入"), {144, 44, 56, 32}, &BookEditWindow::InsertBefore);
    AddButton("向后插入", QStringLiteral("向后插入"), {208, 44, 56, 32}, &BookEditWindow::InsertAfter);
    AddCloseButton({312, 521, 96, 32});
    // Part of the form, though no command of this window uses it.
    new CommonDialog(QStringLiteral("通用对话框"), scratch_.TitleBox()->parentWidget());
    connect(titles_, &ListBox::UserSelected, this, &BookEditWindow::ShowChapter);
    Fill();
}

ListBox* BookEditWindow::ReaderTitles() const { return reader_.TableOfContents(); }

// Selects chapter 0 here but leaves the reader on the chapter it shows.
void BookEditWindow::Fill() {
    if (ReaderTitles()->Count() == 0) return;
    titles_->Reset(TitlesOf(book_.Articles()));
    titles_->SetSelection(0);
    // The reader may list titles of a book that failed to load; then there
    // is no chapter to show.
    if (book_.Contains(0)) scratch_.Show(book_.At(0));
}

void BookEditWindow::ShowChapter(int position) {
    if (!book_.Contains(position)) {
        scratch_.Clear();
        return;
    }
    const qob::Article& chapter = book_.At(position);
    scratch_.Show(chapter);
    ReaderTitles()->SetSelection(position);
    reader_.SetPaneText(chapter.content);
    reader_.SetArticleCaption(scratch_.Title());
}

// From the reader's selection, which differs from this list's only between
// opening and the first change of selection.
void BookEditWindow::Restore() {
    const int chapter = ReaderTitles()->Selection();
    if (book_.Contains(chapter)) scratch_.Show(book_.At(chapter));
}

void BookEditWindow::ClearBoxes() { scratch_.Clear(); }

void BookEditWindow::Modify() {
    const int selected = titles_->Selection();
    if (!book_.Contains(selected)) return;
    const qob::Article chapter = scratch_.Read();
    book_.Replace(selected, chapter);
    ReaderTitles()->SetSelection(selected);
    reader_.SetPaneText(chapter.content);
    reader_.SetArticleCaption(chapter.title);
    Prompts().Message(kArticleModifiedMessage, MessageIcon::Information);
}

void BookEditWindow::Delete() {
    const int selected = titles_->Selection();
    book_.Remove(selected);
    SelectAfterRemoval(titles_, selected);
    ShowChapter(titles_->Selection());
    ReaderTitles()->SetSelection(titles_->Selection());
    reader_.ShowSelectedArticle();
    reader_.SetArticleCaption(scratch_.Title());
    qob::TrimWorkingSet();
}

// The reader's caption keeps naming the chapter it showed before.
void BookEditWindow::StoreAt(int position) {
    const qob::Article chapter = scratch_.Read();
    book_.Insert(position, chapter);
    titles_->SetSelection(position);
    ReaderTitles()->SetSelection(position);
    reader_.SetPaneText(chapter.content);
    qob::TrimWorkingSet();
}

void BookEditWindow::Add() { StoreAt(book_.Count()); }

void BookEditWindow::InsertBefore() {
    const int selected = titles_->Selection();
    if (book_.Contains(selected)) StoreAt(selected);
}

void BookEditWindow::InsertAfter() {
    const int selected = titles_->Selection();
    if (book_.Contains(selected)) StoreAt(selected + 1);
}

void BookEditWindow::SaveAs() { reader_.SaveBook(); }
