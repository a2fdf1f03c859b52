#pragma once

#include <QString>
#include <initializer_list>
#include <utility>

#include "article.h"

class QLineEdit;
class QGroupBox;
class ReaderWindow;

// Books for the reader tests, written through the book library.
qob::ArticleList MakeBook(std::initializer_list<std::pair<const char*, const char*>> articles);
// A book of `count` articles titled "T0", "T1", … with contents "c0", "c1", ….
qob::ArticleList NumberedBook(int count);
void WriteTestBook(const QString& path, const qob::ArticleList& book);
void WriteRawFile(const QString& path, const QByteArray& bytes);
QByteArray ReadRawFile(const QString& path);
qob::ArticleList ReadBackBook(const QString& path);

// The reader's controls by their form names.
QLineEdit* PathBox(const ReaderWindow& window);
QGroupBox* ContentsGroup(const ReaderWindow& window);
QGroupBox* ArticleGroup(const ReaderWindow& window);
// The list's entries, as shown.
QStringList ListedTitles(const ReaderWindow& window);
