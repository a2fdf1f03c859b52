#include "gui_test_support.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

void ScriptedPrompter::Message(const QString& text, MessageIcon icon) {
    messages.push_back({text, icon});
    if (onMessage) onMessage(text);
}

std::optional<QString> ScriptedPrompter::ChooseFile(const FileRequest& request) {
    fileRequests.push_back(request);
    if (fileAnswers.empty()) return std::nullopt;
    std::optional<QString> answer = fileAnswers.front();
    fileAnswers.pop_front();
    return answer;
}

std::optional<FontChoice> ScriptedPrompter::ChooseFont(const FontChoice& initial) {
    fontRequests.push_back(initial);
    if (fontAnswers.empty()) return std::nullopt;
    std::optional<FontChoice> answer = fontAnswers.front();
    fontAnswers.pop_front();
    return answer;
}

std::optional<QColor> ScriptedPrompter::ChooseColor(const QColor&) {
    if (colorAnswers.empty()) return std::nullopt;
    std::optional<QColor> answer = colorAnswers.front();
    colorAnswers.pop_front();
    return answer;
}

QStringList ScriptedPrompter::MessageTexts() const {
    QStringList texts;
    for (const Shown& shown : messages) texts << shown.text;
    return texts;
}

TempDir::TempDir() {
    QTemporaryDir dir;
    dir.setAutoRemove(false);
    path = dir.path();
}

TempDir::~TempDir() { QDir(path).removeRecursively(); }

QString TempDir::Path(const QString& name) const { return path + u'/' + name; }

void WhenModalOpens(std::function<void(QWidget*)> action) {
    auto* timer = new QTimer(qApp);
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, action] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) return;
        timer->stop();
        timer->deleteLater();
        action(modal);
    });
    timer->start();
}
