#pragma once

#include <QColor>
#include <QString>

class QFont;
class QWidget;

// The reading pane's look (font and colours) lives in the pane widget
// itself; nothing else keeps a copy, so paging or opening another book,
// which only replaces the text, cannot lose it.
//
// Font sizes are in points, and 0 means the system's default height: the
// pane then draws at the application font's size but still reads back 0,
// so that zooming from there starts at 0.

// The size in points of the pane's font, 0 for the default height.
int PaneFontSize(const QWidget* pane);
// Sizes below 0 are stored as 0.
void SetPaneFontSize(QWidget* pane, int points);

// Each of these changes one attribute of the pane's current font.
void SetPaneFontFace(QWidget* pane, const QString& face);
void SetPaneFontBold(QWidget* pane, bool bold);
void SetPaneFontItalic(QWidget* pane, bool italic);
void SetPaneFontUnderline(QWidget* pane, bool underline);
void SetPaneFontStrikeOut(QWidget* pane, bool strikeOut);

// A face name that the system cannot take (empty, or 32 bytes or longer in
// the book code page) becomes the default Song face.
QString UsableFace(const QString& face);
inline const QString kDefaultFace = QStringLiteral("宋体");

// The point size drawn for the default height.
int DefaultPointSize();

QColor PaneTextColor(const QWidget* pane);
QColor PaneBackgroundColor(const QWidget* pane);
void SetPaneTextColor(QWidget* pane, const QColor& colour);
void SetPaneBackgroundColor(QWidget* pane, const QColor& colour);
