#pragma once

#include <QColor>
#include <QWidget>

class QFrame;

// A small control showing one colour. A click opens a palette of common
// colours beside it; its last entry, "其他颜色...", asks for any colour
// through the program's colour dialog. There is no transparent choice.
class ColorPicker : public QWidget {
    Q_OBJECT
public:
    explicit ColorPicker(QWidget* parent = nullptr);

    QColor Color() const { return colour_; }
    void SetColor(const QColor& colour);

    // The palette popup, open after a click (null until the first one).
    QFrame* Palette() const { return palette_; }
    void OpenPalette();

    // The common colours offered, row by row.
    static const QList<QColor>& CommonColors();

signals:
    void ColorChosen(const QColor& colour);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QFrame* BuildPalette();
    void Choose(const QColor& colour);
    void ChooseOther();

    QColor colour_ = Qt::white;
    QFrame* palette_ = nullptr;
};

inline const QString kOtherColorCaption = QStringLiteral("其他颜色...");
