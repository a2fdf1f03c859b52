#pragma once

#include <QString>
#include <string>
#include <string_view>

#include "article.h"

class QLineEdit;
class QPlainTextEdit;

// Book texts are GB18030 bytes with "\r\n" line breaks; the screen shows
// Unicode with "\n". Conversion happens only here, at the edge.
QString ShowText(std::string_view bytes);
qob::Text StoreText(const QString& shown);

// A path as the book library takes it: in the file system's encoding.
std::string PathForLibrary(const QString& path);

// Edit boxes that give back exactly the bytes they were given while the user
// has not changed their text, so that bytes which are not valid GB18030 (or
// lone "\n" breaks) survive a look in a window.
void SetBoxText(QPlainTextEdit* box, const qob::Text& bytes);
qob::Text BoxText(const QPlainTextEdit* box);
void SetBoxText(QLineEdit* box, const qob::Text& bytes);
qob::Text BoxText(const QLineEdit* box);
