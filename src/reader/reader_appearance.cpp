// The reading pane's look, its clipboard commands and the about window.
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <array>

#include "about_window.h"
#include "background_color_window.h"
#include "common_dialog.h"
#include "pane_look.h"
#include "reader_window.h"

namespace {

struct ColorScheme {
    QColor background;
    QColor text;
};

const std::array<ColorScheme, 5> kColorSchemes = {{
    {{214, 166, 107}, {128, 0, 0}},
    {{173, 149, 82}, {255, 255, 255}},
    {{49, 73, 107}, {192, 192, 192}},
    {{205, 192, 176}, {0, 0, 0}},
    {{56, 142, 142}, {255, 255, 255}},
}};

constexpr int kZoomStep = 10;
const QPoint kMenuOffset(3, 3);

// The selection as plain text, with the editor's paragraph marks as line breaks.
QString SelectedText(const QPlainTextEdit* pane) {
    return pane->textCursor().selectedText().replace(QChar::ParagraphSeparator, u'\n');
}

// Replacing the selection bypasses the pane's read-only flag, which only
// stops typing.
void ReplaceSelection(QPlainTextEdit* pane, const QString& text) {
    QTextCursor cursor = pane->textCursor();
    cursor.insertText(text);
    pane->setTextCursor(cursor);
}

void PutOnClipboard(const QString& text) {
    QClipboard* clipboard = QApplication::clipboard();
    clipboard->clear();
    clipboard->setText(text);
}

QString ClipboardText() {
    const QMimeData* data = QApplication::clipboard()->mimeData();
    return data && data->hasText() ? data->text() : QString();
}

void Zoom(QPlainTextEdit* pane, int step) { SetPaneFontSize(pane, PaneFontSize(pane) + step); }

}  // namespace

void ReaderWindow::SelectAllText() {
    QPlainTextEdit* pane = ReadingPane();
    pane->setFocus();
    pane->selectAll();
    pane->ensureCursorVisible();
}

void ReaderWindow::CopySelection() {
    ReadingPane()->setFocus();
    PutOnClipboard(SelectedText(ReadingPane()));
}

void ReaderWindow::PasteClipboard() {
    ReadingPane()->setFocus();
    ReplaceSelection(ReadingPane(), ClipboardText());
}

void ReaderWindow::CutSelection() {
    CopySelection();
    ReplaceSelection(ReadingPane(), QString());
}

// A cancelled dialog applies the stored values all the same.
void ReaderWindow::ChooseReadingFont() {
    const FontChoice values = Dialog().AskFont();
    QPlainTextEdit* pane = ReadingPane();
    SetPaneTextColor(pane, values.colour);
    SetPaneFontFace(pane, values.face);
    SetPaneFontSize(pane, values.pointSize);
    SetPaneFontBold(pane, values.bold);
    SetPaneFontItalic(pane, values.italic);
    SetPaneFontStrikeOut(pane, values.strikeOut);
    SetPaneFontUnderline(pane, values.underline);
}

void ReaderWindow::ChooseBackgroundColor() {
    BackgroundColorWindow window;
    if (window.exec() == QDialog::Accepted) SetPaneBackgroundColor(ReadingPane(), window.Color());
}

void ReaderWindow::ZoomIn() { Zoom(ReadingPane(), kZoomStep); }

void ReaderWindow::ZoomOut() { Zoom(ReadingPane(), -kZoomStep); }

void ReaderWindow::ApplyColorScheme(int scheme) {
    if (scheme < 1 || scheme > static_cast<int>(kColorSchemes.size())) return;
    const ColorScheme& colours = kColorSchemes[static_cast<std::size_t>(scheme - 1)];
    SetPaneBackgroundColor(ReadingPane(), colours.background);
    SetPaneTextColor(ReadingPane(), colours.text);
}

void ReaderWindow::ShowReadingMenu(const QPoint& panePosition) {
    ReadingMenu()->exec(ReadingPane()->mapToGlobal(panePosition) + kMenuOffset);
}

void ReaderWindow::OpenAboutWindow() {
    AboutWindow window;
    window.exec();
}
