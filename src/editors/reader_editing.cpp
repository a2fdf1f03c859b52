// The reader's ways into the editing windows.
#include "reader_window.h"

void ReaderWindow::EditSelectedArticle() {}
void ReaderWindow::OpenMakeWindowModal() {}
void ReaderWindow::OpenMakeWindowModeless() {}
void ReaderWindow::OpenBookEditWindow() {}
