#include "prompter.h"

#include <QBoxLayout>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFontDialog>
#include <QFontInfo>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <algorithm>

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

QFont StartFont(const FontChoice& values) {
    QFont font;
    if (!values.face.isEmpty()) font.setFamily(values.face);
    if (values.pointSize > 0) font.setPointSize(values.pointSize);
    font.setBold(values.bold);
    font.setItalic(values.italic);
    font.setUnderline(values.underline);
    font.setStrikeOut(values.strikeOut);
    // The dialog lists real faces only; a substituted name such as "宋体"
    // starts it on the face that actually draws it.
    font.setFamily(QFontInfo(font).family());
    return font;
}

QIcon Swatch(const QColor& colour) {
    QPixmap pixmap(32, 16);
    pixmap.fill(colour);
    return QIcon(pixmap);
}

// The screen fonts with their effects. QFontDialog offers underline and
// strike-out but no colour, so its widget is embedded here above a colour
// row of our own.
class FontDialog final : public QDialog {
public:
    explicit FontDialog(const FontChoice& initial)
        : fonts_(new QFontDialog(StartFont(initial), this)), colourButton_(new QPushButton(this)),
          colour_(initial.colour) {
        setWindowTitle(QStringLiteral("字体"));
        setWindowModality(Qt::ApplicationModal);
        fonts_->setWindowFlags(Qt::Widget);
        fonts_->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
        auto* colourRow = new QHBoxLayout;
        colourRow->addWidget(new QLabel(QStringLiteral("颜色:"), this));
        colourRow->addWidget(colourButton_);
        colourRow->addStretch();
        colourButton_->setIconSize(QSize(32, 16));
        ShowColour();
        connect(colourButton_, &QPushButton::clicked, this, &FontDialog::PickColour);
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
        connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
        connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
        auto* column = new QVBoxLayout(this);
        column->addWidget(fonts_);
        column->addLayout(colourRow);
        column->addWidget(buttons);
    }

    FontChoice Choice() const {
        const QFont font = fonts_->currentFont();
        FontChoice choice;
        choice.face = font.family();
        choice.pointSize = std::max(font.pointSize(), 0);
        choice.bold = font.weight() >= QFont::Bold;
        choice.italic = font.italic();
        choice.underline = font.underline();
        choice.strikeOut = font.strikeOut();
        choice.colour = colour_;
        return choice;
    }

private:
    void ShowColour() { colourButton_->setIcon(Swatch(colour_)); }

    void PickColour() {
        const QColor picked = QColorDialog::getColor(colour_, this);
        if (!picked.isValid()) return;
        colour_ = picked;
        ShowColour();
    }

    QFontDialog* fonts_;
    QPushButton* colourButton_;
    QColor colour_;
};

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
        FontDialog dialog(initial);
        if (dialog.exec() != QDialog::Accepted) return std::nullopt;
        return dialog.Choice();
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
