// The reader's ways into the editing windows.
#include "article_edit_window.h"
#include "book_edit_window.h"
#include "make_window.h"
#include "reader_window.h"

void ReaderWindow::EditSelectedArticle() { RunModal(new ArticleEditWindow(*this)); }

void ReaderWindow::OpenMakeWindowModal() { MakeWindow::OpenModal(); }

void ReaderWindow::OpenMakeWindowModeless() { MakeWindow::OpenModeless(); }

void ReaderWindow::OpenBookEditWindow() { RunModal(new BookEditWindow(*this)); }
