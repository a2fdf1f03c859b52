#pragma once

#include <QObject>
#include <QString>
#include <optional>

#include "prompter.h"

// A window's common dialog control: one object that remembers the full path
// chosen last (the next initial file name) and, in font mode, the font
// dialog values. Every use sets the mode and the filter first.
class CommonDialog : public QObject {
    Q_OBJECT
public:
    explicit CommonDialog(const QString& objectName, QObject* parent = nullptr);

    // The chosen full path, nothing when the user cancels. AskSave appends
    // ".qob" to a name given without an extension.
    std::optional<QString> AskOpen(const QString& filter);
    std::optional<QString> AskSave(const QString& filter);

    QString LastPath() const { return lastPath_; }

    // Font mode: shows the font dialog starting from the stored values and
    // stores the choice when the user closes it with OK. Returns the values
    // as they now stand, whichever way the dialog was closed.
    FontChoice AskFont();
    const FontChoice& FontValues() const { return font_; }

private:
    std::optional<QString> Ask(bool save, const QString& filter);

    QString lastPath_;
    FontChoice font_;
};

inline const QString kBookFilter = QStringLiteral("qob电子书(*.qob)|*.qob");
