#include "common_dialog.h"

#include <QFileInfo>

CommonDialog::CommonDialog(const QString& objectName, QObject* parent) : QObject(parent) {
    setObjectName(objectName);
}

std::optional<QString> CommonDialog::AskOpen(const QString& filter) { return Ask(false, filter); }

std::optional<QString> CommonDialog::AskSave(const QString& filter) { return Ask(true, filter); }

std::optional<QString> CommonDialog::Ask(bool save, const QString& filter) {
    FileRequest request;
    request.save = save;
    request.filter = filter;
    request.initialPath = lastPath_;
    request.defaultSuffix = QStringLiteral("qob");
    std::optional<QString> chosen = Prompts().ChooseFile(request);
    if (!chosen || chosen->isEmpty()) return std::nullopt;
    if (save && QFileInfo(*chosen).suffix().isEmpty() && !chosen->endsWith(u'.'))
        *chosen += QStringLiteral(".qob");
    lastPath_ = *chosen;
    return chosen;
}

FontChoice CommonDialog::AskFont() {
    if (std::optional<FontChoice> chosen = Prompts().ChooseFont(font_)) font_ = *chosen;
    return font_;
}
