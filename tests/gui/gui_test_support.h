#pragma once

#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "prompter.h"

class QWidget;

// Answers the program's questions from queues the test fills, and records
// every message shown. An unexpected question fails loudly rather than
// blocking: an empty queue answers "cancel".
class ScriptedPrompter : public Prompter {
public:
    struct Shown {
        QString text;
        MessageIcon icon;
    };

    ScriptedPrompter() { InstallPrompter(this); }
    ~ScriptedPrompter() override { InstallPrompter(nullptr); }

    void Message(const QString& text, MessageIcon icon) override;
    std::optional<QString> ChooseFile(const FileRequest& request) override;
    std::optional<FontChoice> ChooseFont(const FontChoice& initial) override;
    std::optional<QColor> ChooseColor(const QColor& initial) override;

    std::vector<Shown> messages;
    std::vector<FileRequest> fileRequests;
    std::vector<FontChoice> fontRequests;

    std::deque<std::optional<QString>> fileAnswers;      // nullopt: cancel
    std::deque<std::optional<FontChoice>> fontAnswers;   // nullopt: cancel
    std::deque<std::optional<QColor>> colorAnswers;      // nullopt: cancel
    // Runs while a message box would be open (for a test that must act then).
    std::function<void(const QString&)> onMessage;

    QStringList MessageTexts() const;
    void Forget() { messages.clear(); fileRequests.clear(); fontRequests.clear(); }
};

// A fresh directory for one test's files, removed with the object.
class TempDir {
public:
    TempDir();
    ~TempDir();
    QString Path(const QString& name) const;
    QString path;
};

// Runs `action` on the next modal window as soon as the event loop shows
// one (for commands that open a window with exec()).
void WhenModalOpens(std::function<void(QWidget*)> action);
