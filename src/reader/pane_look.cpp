#include "pane_look.h"

#include <QApplication>
#include <QFont>
#include <QFontInfo>
#include <QPalette>
#include <QVariant>
#include <QWidget>

#include "book_text.h"

namespace {

// Set while the pane's size is 0: its font then carries the default size,
// which alone cannot tell "0" from a size the user chose.
constexpr const char* kDefaultHeightProperty = "qobDefaultHeight";
constexpr std::size_t kMaxFaceBytes = 31;

template <typename Change>
void ChangePaneFont(QWidget* pane, Change change) {
    QFont font = pane->font();
    change(font);
    pane->setFont(font);
}

void SetPaneColour(QWidget* pane, QPalette::ColorRole role, const QColor& colour) {
    QPalette palette = pane->palette();
    // Every group, so that the colour also shows while the window is
    // inactive and under styles that draw those groups differently.
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        palette.setColor(group, role, colour);
    pane->setPalette(palette);
}

bool DrawsDefaultHeight(const QWidget* pane) {
    return pane->property(kDefaultHeightProperty).toBool() && pane->font().pointSize() == DefaultPointSize();
}

}  // namespace

int DefaultPointSize() { return QFontInfo(QApplication::font()).pointSize(); }

int PaneFontSize(const QWidget* pane) {
    if (DrawsDefaultHeight(pane)) return 0;
    const QFont& font = pane->font();
    return font.pointSize() > 0 ? font.pointSize() : QFontInfo(font).pointSize();
}

void SetPaneFontSize(QWidget* pane, int points) {
    const bool defaultHeight = points <= 0;
    ChangePaneFont(pane, [&](QFont& font) { font.setPointSize(defaultHeight ? DefaultPointSize() : points); });
    pane->setProperty(kDefaultHeightProperty, defaultHeight);
}

QString UsableFace(const QString& face) {
    if (face.isEmpty() || StoreText(face).size() > kMaxFaceBytes) return kDefaultFace;
    return face;
}

void SetPaneFontFace(QWidget* pane, const QString& face) {
    ChangePaneFont(pane, [&](QFont& font) { font.setFamily(UsableFace(face)); });
}

void SetPaneFontBold(QWidget* pane, bool bold) {
    ChangePaneFont(pane, [&](QFont& font) { font.setBold(bold); });
}

void SetPaneFontItalic(QWidget* pane, bool italic) {
    ChangePaneFont(pane, [&](QFont& font) { font.setItalic(italic); });
}

void SetPaneFontUnderline(QWidget* pane, bool underline) {
    ChangePaneFont(pane, [&](QFont& font) { font.setUnderline(underline); });
}

void SetPaneFontStrikeOut(QWidget* pane, bool strikeOut) {
    ChangePaneFont(pane, [&](QFont& font) { font.setStrikeOut(strikeOut); });
}

QColor PaneTextColor(const QWidget* pane) { return pane->palette().color(QPalette::Active, QPalette::Text); }

QColor PaneBackgroundColor(const QWidget* pane) {
    return pane->palette().color(QPalette::Active, QPalette::Base);
}

void SetPaneTextColor(QWidget* pane, const QColor& colour) { SetPaneColour(pane, QPalette::Text, colour); }

void SetPaneBackgroundColor(QWidget* pane, const QColor& colour) {
    SetPaneColour(pane, QPalette::Base, colour);
}
