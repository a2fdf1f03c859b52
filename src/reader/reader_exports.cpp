// Writing the open book to the two plain layouts.
#include "book_text.h"
#include "common_dialog.h"
#include "exports.h"
#include "prompter.h"
#include "reader_window.h"
#include "trim.h"

namespace {

using BookWriter = qob::WriteOutcome (*)(const std::string& path, const qob::ArticleList& articles);

void Export(ReaderWindow& reader, const QString& filter, BookWriter write, const QString& doneMessage) {
    const std::optional<QString> path = reader.Dialog().AskSave(filter);
    if (!path) return;
    if (write(PathForLibrary(*path), reader.OpenBook()) != qob::WriteOutcome::Ok) {
        Prompts().Message(kCannotWriteMessage, MessageIcon::Stop);
        return;
    }
    qob::TrimWorkingSet();
    Prompts().Message(doneMessage, MessageIcon::Information);
}

}  // namespace

void ReaderWindow::ExportRux() {
    Export(*this, QStringLiteral("rux电子书(*.rux)|*.rux"), &qob::WriteRux,
           QStringLiteral("保存为RUX格式电子书成功!"));
}

void ReaderWindow::ExportCustomText() {
    Export(*this, QStringLiteral("自定义电子书(*.*)|*.*"), &qob::WriteCustomText,
           QStringLiteral("保存为自定义格式电子书成功!"));
}
