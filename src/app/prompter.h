#pragma once

#include <QColor>
#include <QString>
#include <optional>

// Every modal question the program asks goes through one Prompter, so that
// tests can answer message boxes and dialogs without a person.

enum class MessageIcon { Stop, Information };

struct FileRequest {
    bool save = false;          // save dialog (asks before replacing) or open dialog (file must exist)
    QString filter;             // "description|pattern", e.g. "qob电子书(*.qob)|*.qob"
    QString initialPath;        // full path chosen last, empty the first time
    QString defaultSuffix;      // without the dot, e.g. "qob"
};

struct FontChoice {
    QString face;               // empty: not chosen yet
    int pointSize = 0;          // 0: the system's default height
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    QColor colour = QColor(0, 0, 0);
};

class Prompter {
public:
    virtual ~Prompter() = default;
    // A modal box captioned "友情提示!" with an OK button only.
    virtual void Message(const QString& text, MessageIcon icon) = 0;
    // The chosen full path, or nothing when the user cancels.
    virtual std::optional<QString> ChooseFile(const FileRequest& request) = 0;
    virtual std::optional<FontChoice> ChooseFont(const FontChoice& initial) = 0;
    virtual std::optional<QColor> ChooseColor(const QColor& initial) = 0;
};

// The prompter in use: the real dialogs unless a test installed its own.
Prompter& Prompts();
// Installs `prompter` (not owned); nullptr goes back to the real dialogs.
void InstallPrompter(Prompter* prompter);

inline const QString kMessageCaption = QStringLiteral("友情提示!");
// What every command that fails to write a file says.
inline const QString kCannotWriteMessage = QStringLiteral("文件写入失败,请检查文件是否正常");
