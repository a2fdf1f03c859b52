#include "reader_icons.h"

#include <QPainter>
#include <QPixmap>
#include <array>

namespace reader_icons {
namespace {

// Every picture is drawn on a 16 x 16 grid and scaled to the pixmap size.
using Drawing = void (*)(QPainter&);

const QColor kOutline(60, 60, 60);

void DrawOpenFolder(QPainter& p) {
    p.setPen(QPen(QColor(150, 110, 20), 1));
    p.setBrush(QColor(240, 200, 90));
    p.drawPolygon(QPolygonF({{1.5, 3.5}, {6, 3.5}, {7.5, 5}, {13.5, 5}, {13.5, 13.5}, {1.5, 13.5}}));
    p.setBrush(QColor(255, 225, 130));
    p.drawPolygon(QPolygonF({{3.5, 7.5}, {15, 7.5}, {13, 13.5}, {1.5, 13.5}}));
}

void DrawPencil(QPainter& p) {
    p.translate(8, 8);
    p.rotate(-45);
    p.setPen(QPen(kOutline, 0.8));
    p.setBrush(QColor(250, 190, 40));
    p.drawRect(QRectF(-4, -1.8, 8.5, 3.6));
    p.setBrush(QColor(230, 120, 120));
    p.drawRect(QRectF(4.5, -1.8, 2, 3.6));
    p.setBrush(QColor(240, 220, 180));
    p.drawPolygon(QPolygonF({{-4, -1.8}, {-7, 0}, {-4, 1.8}}));
}

void DrawInformation(QPainter& p) {
    p.setPen(QPen(QColor(20, 70, 160), 1));
    p.setBrush(QColor(60, 130, 220));
    p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(7, 3.5, 2, 2));
    p.drawRect(QRectF(7, 6.5, 2, 6));
}

void DrawArrow(QPainter& p, bool forward) {
    if (!forward) {
        p.translate(16, 0);
        p.scale(-1, 1);
    }
    p.setPen(QPen(QColor(20, 100, 40), 1));
    p.setBrush(QColor(70, 180, 90));
    p.drawPolygon(QPolygonF({{2, 6}, {8, 6}, {8, 2.5}, {14, 8}, {8, 13.5}, {8, 10}, {2, 10}}));
}

void DrawBackArrow(QPainter& p) { DrawArrow(p, false); }
void DrawForwardArrow(QPainter& p) { DrawArrow(p, true); }

void DrawCross(QPainter& p) {
    p.setPen(QPen(QColor(200, 40, 40), 2.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(4, 4), QPointF(12, 12));
    p.drawLine(QPointF(12, 4), QPointF(4, 12));
}

void DrawBook(QPainter& p) {
    p.setPen(QPen(kOutline, 0.8));
    p.setBrush(QColor(180, 40, 40));
    p.drawRoundedRect(QRectF(2.5, 1.5, 11, 13), 1, 1);
    p.setBrush(QColor(250, 245, 230));
    p.drawRect(QRectF(4.5, 3, 8, 10));
    p.setPen(QPen(QColor(120, 120, 120), 0.7));
    for (double y = 5; y < 12; y += 2) p.drawLine(QPointF(6, y), QPointF(11, y));
}

void DrawFloppy(QPainter& p) {
    p.setPen(QPen(QColor(20, 40, 100), 1));
    p.setBrush(QColor(50, 90, 180));
    p.drawPolygon(QPolygonF({{1.5, 1.5}, {12.5, 1.5}, {14.5, 3.5}, {14.5, 14.5}, {1.5, 14.5}}));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(220, 220, 220));
    p.drawRect(QRectF(4, 2, 7, 4.5));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(3.5, 9, 9, 5));
}

constexpr std::array<Drawing, kImageCount> kDrawings = {
    DrawOpenFolder, DrawPencil, DrawInformation, DrawBackArrow,
    DrawForwardArrow, DrawCross, DrawBook, DrawFloppy,
};

QPixmap Paint(Drawing drawing, int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 16.0, size / 16.0);
    drawing(painter);
    return pixmap;
}

}  // namespace

QIcon ToolbarImage(int index) {
    if (index < 0 || index >= kImageCount) return {};
    return QIcon(Paint(kDrawings[static_cast<std::size_t>(index)], kImageSize));
}

QIcon WindowIcon() {
    QIcon icon(Paint(DrawBook, kWindowIconSize));
    icon.addPixmap(Paint(DrawBook, kImageSize));
    return icon;
}

}  // namespace reader_icons
