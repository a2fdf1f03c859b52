#include "reader_test_support.h"

#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QStringList>
#include <QTest>

#include "book_file.h"
#include "book_text.h"
#include "list_box.h"
#include "reader_window.h"

qob::ArticleList MakeBook(std::initializer_list<std::pair<const char*, const char*>> articles) {
    qob::ArticleList book;
    for (const auto& [title, content] : articles) book.Append({title, content});
    return book;
}

qob::ArticleList NumberedBook(int count) {
    qob::ArticleList book;
    for (int i = 0; i < count; ++i) {
        const std::string number = std::to_string(i);
        book.Append({std::string("T").append(number), std::string("c").append(number)});
    }
    return book;
}

void WriteTestBook(const QString& path, const qob::ArticleList& book) {
    QVERIFY(qob::WriteBook(QFile::encodeName(path).toStdString(), book) == qob::WriteOutcome::Ok);
}

void WriteRawFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray ReadRawFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

qob::ArticleList ReadBackBook(const QString& path) {
    qob::LoadedBook loaded = qob::ReadBook(QFile::encodeName(path).toStdString());
    return loaded.outcome == qob::ReadOutcome::Ok ? loaded.articles : qob::ArticleList();
}

QLineEdit* PathBox(const ReaderWindow& window) { return window.findChild<QLineEdit*>(QStringLiteral("打开文件编辑框")); }

QGroupBox* ContentsGroup(const ReaderWindow& window) {
    return window.findChild<QGroupBox*>(QStringLiteral("目录分组框"));
}

QGroupBox* ArticleGroup(const ReaderWindow& window) { return window.findChild<QGroupBox*>(QStringLiteral("分组框1")); }

QStringList ListedTitles(const ReaderWindow& window) {
    QStringList titles;
    const ListBox* list = window.TableOfContents();
    for (int i = 0; i < list->Count(); ++i) titles << ShowText(list->Text(i));
    return titles;
}
