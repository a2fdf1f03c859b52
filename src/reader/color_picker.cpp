#include "color_picker.h"

#include <QFrame>
#include <QGridLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QStyleOptionFrame>
#include <QToolButton>
#include <QVBoxLayout>

#include "prompter.h"

namespace {

constexpr int kPaletteColumns = 8;
constexpr int kSwatchSize = 16;
constexpr int kArrowWidth = 16;
constexpr int kInset = 4;

QString ColourName(const QColor& colour) {
    return QStringLiteral("(%1, %2, %3)").arg(colour.red()).arg(colour.green()).arg(colour.blue());
}

QToolButton* Swatch(const QColor& colour, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setFixedSize(kSwatchSize + kInset, kSwatchSize + kInset);
    button->setAutoRaise(true);
    QPixmap pixmap(kSwatchSize, kSwatchSize);
    pixmap.fill(colour);
    button->setIcon(QIcon(pixmap));
    button->setIconSize(pixmap.size());
    button->setToolTip(ColourName(colour));
    button->setAccessibleName(ColourName(colour));
    return button;
}

void DrawArrow(QPainter& painter, const QRect& box, const QColor& colour) {
    const QPoint centre = box.center();
    const QPolygon arrow({centre + QPoint(-4, -2), centre + QPoint(4, -2), centre + QPoint(0, 2)});
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawPolygon(arrow);
}

}  // namespace

ColorPicker::ColorPicker(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(ColourName(colour_));
}

const QList<QColor>& ColorPicker::CommonColors() {
    static const QList<QColor> colours = {
        {255, 128, 128}, {255, 255, 128}, {128, 255, 128}, {0, 255, 128},
        {128, 255, 255}, {0, 128, 255},   {255, 128, 192}, {255, 128, 255},
        {255, 0, 0},     {255, 255, 0},   {128, 255, 0},   {0, 255, 64},
        {0, 255, 255},   {0, 128, 192},   {128, 128, 192}, {255, 0, 255},
        {128, 64, 64},   {255, 128, 64},  {0, 255, 0},     {0, 128, 128},
        {0, 64, 128},    {128, 128, 255}, {128, 0, 64},    {255, 0, 128},
        {128, 0, 0},     {255, 128, 0},   {0, 128, 0},     {0, 128, 64},
        {0, 0, 255},     {0, 0, 160},     {128, 0, 128},   {128, 0, 255},
        {64, 0, 0},      {128, 64, 0},    {0, 64, 0},      {0, 64, 64},
        {0, 0, 128},     {0, 0, 64},      {64, 0, 64},     {64, 0, 128},
        {0, 0, 0},       {128, 128, 0},   {128, 128, 64},  {128, 128, 128},
        {64, 128, 128},  {192, 192, 192}, {64, 64, 64},    {255, 255, 255},
    };
    return colours;
}

void ColorPicker::SetColor(const QColor& colour) {
    colour_ = colour;
    setAccessibleName(ColourName(colour_));
    update();
}

void ColorPicker::OpenPalette() {
    if (!palette_) palette_ = BuildPalette();
    palette_->move(mapToGlobal(QPoint(0, height())));
    palette_->show();
}

QFrame* ColorPicker::BuildPalette() {
    auto* popup = new QFrame(this, Qt::Popup);
    popup->setFrameShape(QFrame::StyledPanel);
    auto* column = new QVBoxLayout(popup);
    column->setContentsMargins(kInset, kInset, kInset, kInset);
    auto* grid = new QGridLayout;
    grid->setSpacing(0);
    const QList<QColor>& colours = CommonColors();
    for (int i = 0; i < colours.size(); ++i) {
        QToolButton* swatch = Swatch(colours[i], popup);
        connect(swatch, &QToolButton::clicked, this, [this, colour = colours[i]] { Choose(colour); });
        grid->addWidget(swatch, i / kPaletteColumns, i % kPaletteColumns);
    }
    column->addLayout(grid);
    auto* other = new QPushButton(kOtherColorCaption, popup);
    connect(other, &QPushButton::clicked, this, &ColorPicker::ChooseOther);
    column->addWidget(other);
    return popup;
}

void ColorPicker::Choose(const QColor& colour) {
    palette_->hide();
    SetColor(colour);
    emit ColorChosen(colour);
}

void ColorPicker::ChooseOther() {
    palette_->hide();
    if (std::optional<QColor> chosen = Prompts().ChooseColor(colour_)) Choose(*chosen);
}

void ColorPicker::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QStyleOptionFrame frame;
    frame.initFrom(this);
    frame.frameShape = QFrame::StyledPanel;
    frame.state |= QStyle::State_Sunken;
    style()->drawPrimitive(QStyle::PE_PanelButtonCommand, &frame, &painter, this);
    const QRect inside = rect().adjusted(kInset, kInset, -kInset, -kInset);
    const QRect swatch = inside.adjusted(0, 0, -kArrowWidth, 0);
    painter.fillRect(swatch, colour_);
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(swatch.adjusted(0, 0, -1, -1));
    DrawArrow(painter, QRect(swatch.right(), inside.top(), kArrowWidth, inside.height()),
              palette().color(QPalette::ButtonText));
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = inside.adjusted(-2, -2, 2, 2);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}

void ColorPicker::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) OpenPalette();
    else QWidget::mousePressEvent(event);
}

void ColorPicker::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key == Qt::Key_Space || key == Qt::Key_Down || key == Qt::Key_Return || key == Qt::Key_Enter)
        OpenPalette();
    else QWidget::keyPressEvent(event);
}
