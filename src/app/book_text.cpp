#include "book_text.h"

#include <QByteArray>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVariant>

#include "codec.h"

namespace {

constexpr const char* kBytesProperty = "qobBytes";
constexpr const char* kShownProperty = "qobShown";

void Remember(QObject* box, const qob::Text& bytes, const QString& shown) {
    box->setProperty(kBytesProperty, QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
    box->setProperty(kShownProperty, shown);
}

qob::Text Recall(const QObject* box, const QString& now) {
    const QVariant shown = box->property(kShownProperty);
    if (shown.isValid() && shown.toString() == now) {
        const QByteArray bytes = box->property(kBytesProperty).toByteArray();
        return qob::Text(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    }
    return StoreText(now);
}

}  // namespace

QString ShowText(std::string_view bytes) {
    return QString::fromStdString(qob::CrlfToLf(qob::Gb18030ToUtf8(bytes)));
}

qob::Text StoreText(const QString& shown) {
    return qob::Utf8ToGb18030(qob::LfToCrlf(shown.toStdString()));
}

std::string PathForLibrary(const QString& path) { return QFile::encodeName(path).toStdString(); }

void SetBoxText(QPlainTextEdit* box, const qob::Text& bytes) {
    const QString shown = ShowText(bytes);
    box->setPlainText(shown);
    Remember(box, bytes, box->toPlainText());
}

qob::Text BoxText(const QPlainTextEdit* box) { return Recall(box, box->toPlainText()); }

void SetBoxText(QLineEdit* box, const qob::Text& bytes) {
    box->setText(ShowText(bytes));
    Remember(box, bytes, box->text());
}

qob::Text BoxText(const QLineEdit* box) { return Recall(box, box->text()); }
