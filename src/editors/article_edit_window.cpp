#include "article_edit_window.h"

#include <QGroupBox>
#include <QLineEdit>

#include "common_dialog.h"
#include "list_box.h"
#include "prompter.h"
#include "reader_window.h"

ArticleEditWindow::ArticleEditWindow(ReaderWindow& reader)
    : EditorWindow("ArticleEditWindow", QStringLiteral("QOB电子书文章修改"), {529, 445}),
      reader_(reader),
      titles_(AddListBox(AddGroupBox(this, "分组框1", {}, {4, 40, 208, 328}), "列表框", {4, 8, 194, 312})),
      scratch_(AddTitleBox(AddGroupBox(this, "分组框3", QStringLiteral("电子书主目录:"), {216, 8, 304, 48}),
                           "主目录编辑框", {4, 16, 292, 24}),
               AddContentBox(AddGroupBox(this, "分组框2", QStringLiteral("电子书正文"), {216, 60, 304, 308}),
                             "正文编辑框", {4, 16, 288, 284})) {
    AddButton("修改本文章", QStringLiteral("修改本文章"), {8, 8, 88, 32}, &ArticleEditWindow::Modify);
    AddButton("清空文章", QStringLiteral("清空"), {104, 8, 48, 32}, &ArticleEditWindow::ClearBoxes);
    AddButton("还原文章", QStringLiteral("还原"), {160, 8, 48, 32}, &ArticleEditWindow::Restore);
    AddCloseButton({213, 378, 96, 32});
    // Part of the form, though no command of this window uses it.
    new CommonDialog(QStringLiteral("通用对话框"), scratch_.TitleBox()->parentWidget());
    Fill();
}

int ArticleEditWindow::EditedPosition() const { return reader_.TableOfContents()->Selection(); }

// The pane's current text, so that what was pasted into it arrives here.
void ArticleEditWindow::Fill() {
    const qob::Text title = reader_.TableOfContents()->Text(EditedPosition());
    titles_->Add(title);
    scratch_.Show({title, reader_.PaneText()});
    titles_->SetSelection(0);
}

void ArticleEditWindow::ClearBoxes() { scratch_.Clear(); }

void ArticleEditWindow::Restore() {
    const int position = EditedPosition();
    if (reader_.OpenBook().Contains(position)) scratch_.Show(reader_.OpenBook().At(position));
}

// Without an article of the book selected there is nothing to store into:
// the reader is left exactly as it was and the window stays open.
void ArticleEditWindow::Modify() {
    const int position = EditedPosition();
    if (!reader_.OpenBook().Contains(position)) return;
    const qob::Article article = scratch_.Read();
    reader_.TableOfContents()->SetText(position, article.title);
    reader_.SetPaneText(article.content);
    reader_.OpenBook().At(position) = article;
    reader_.SetArticleCaption(article.title);
    titles_->SetText(titles_->Selection(), article.title);
    Prompts().Message(kArticleModifiedMessage, MessageIcon::Information);
    close();
}
