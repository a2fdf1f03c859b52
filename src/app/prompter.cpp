#include "prompter.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QMessageBox>

namespace {

// "description|pattern" to Qt's "description (pattern)"; a description that
// already names its pattern in parentheses is used as it stands.
QString QtFilter(const QString& filter) {
    const qsizetype bar = filter.indexOf(u'|');
    if (bar < 0) return filter;
    const QString description = filter.left(bar);
    const QString pattern = filter.mid(bar + 1);
    if (description.endsWith(u'(' + pattern + u')')) return description;
    return description + QStringLiteral(" (") + pattern + u')';
}

class DialogPrompter final : public Prompter {
public:
    void Message(const QString& text, MessageIcon icon) override {
        // No owner window: the box blocks the whole program.
        QMessageBox box(icon == MessageIcon::Stop ? QMessageBox::Critical : QMessageBox::Information,
                        kMessageCaption, text, QMessageBox::Ok);
        box.setWindowModality(Qt::ApplicationModal);
        box.exec();
    }

    std::optional<QString> ChooseFile(const FileRequest& request) override {
        QFileDialog dialog(nullptr, QString(), QString(), QtFilter(request.filter));
        dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        dialog.setFileMode(request.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
        dialog.setDefaultSuffix(request.defaultSuffix);
        dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
        dialog.setOption(QFileDialog::ReadOnly, false);
        if (!request.initialPath.isEmpty()) dialog.selectFile(request.initialPath);
        dialog.setWindowModality(Qt::ApplicationModal);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
        return dialog.selectedFiles().constFirst();
    }

    std::optional<FontChoice> ChooseFont(const FontChoice& initial) override {
        QFont start;
        if (!initial.face.isEmpty()) start.setFamily(initial.face);
        if (initial.pointSize > 0) start.setPointSize(initial.pointSize);
        start.setBold(initial.bold);
        start.setItalic(initial.italic);
        start.setUnderline(initial.underline);
        start.setStrikeOut(initial.strikeOut);
        bool ok = false;
        const QFont font = QFontDialog::getFont(&ok, start, nullptr);
        if (!ok) return std::nullopt;
        FontChoice choice = initial;
        choice.face = font.family();
        choice.pointSize = font.pointSize() > 0 ? font.pointSize() : 0;
        choice.bold = font.weight() >= QFont::Bold;
        choice.italic = font.italic();
        choice.underline = font.underline();
        choice.strikeOut = font.strikeOut();
        return choice;
    }

    std::optional<QColor> ChooseColor(const QColor& initial) override {
        const QColor colour = QColorDialog::getColor(initial, nullptr);
        if (!colour.isValid()) return std::nullopt;
        return colour;
    }
};

DialogPrompter realDialogs;
Prompter* current = &realDialogs;

}  // namespace

Prompter& Prompts() { return *current; }

void InstallPrompter(Prompter* prompter) { current = prompter ? prompter : &realDialogs; }
