#include "gui_test_support.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

namespace {

// An empty queue answers "cancel".
template <typename T>
std::optional<T> TakeAnswer(std::deque<std::optional<T>>& answers) {
    if (answers.empty()) return std::nullopt;
    const bool given = answers.front().has_value();
    T value = given ? std::move(*answers.front()) : T();
    answers.pop_front();
    if (!given) return std::nullopt;
    return value;
}

}  // namespace

void ScriptedPrompter::Message(const QString& text, MessageIcon icon) {
    messages.push_back({text, icon});
    if (onMessage) onMessage(text);
}

std::optional<QString> ScriptedPrompter::ChooseFile(const FileRequest& request) {
    fileRequests.push_back(request);
    return TakeAnswer(fileAnswers);
}

std::optional<FontChoice> ScriptedPrompter::ChooseFont(const FontChoice& initial) {
    fontRequests.push_back(initial);
    return TakeAnswer(fontAnswers);
}

std::optional<QColor> ScriptedPrompter::ChooseColor(const QColor&) {
    return TakeAnswer(colorAnswers);
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
