// The reading pane's look, its clipboard commands and the about window.
#include "reader_window.h"

void ReaderWindow::SelectAllText() {}
void ReaderWindow::CopySelection() {}
void ReaderWindow::PasteClipboard() {}
void ReaderWindow::CutSelection() {}
void ReaderWindow::ChooseReadingFont() {}
void ReaderWindow::ChooseBackgroundColor() {}
void ReaderWindow::ZoomIn() {}
void ReaderWindow::ZoomOut() {}
void ReaderWindow::ApplyColorScheme(int) {}
void ReaderWindow::ShowReadingMenu(const QPoint&) {}
void ReaderWindow::OpenAboutWindow() {}
