#include "background_color_window.h"

#include <QPushButton>

#include "color_picker.h"

namespace {

QPushButton* Button(const QString& name, const QString& caption, const QRect& place, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setGeometry(place);
    button->setAutoDefault(false);
    return button;
}

}  // namespace

BackgroundColorWindow::BackgroundColorWindow()
    : FixedDialog(QStringLiteral("BackgroundColorWindow"), QStringLiteral("设置背景颜色"), QSize(380, 250)),
      picker_(new ColorPicker(this)) {
    picker_->setObjectName(QStringLiteral("颜色选择器1"));
    picker_->setGeometry(120, 56, 128, 32);
    picker_->SetColor(Qt::white);
    QPushButton* cancel = Button(QStringLiteral("取消按钮"), QStringLiteral("取消"), QRect(72, 136, 80, 32), this);
    QPushButton* ok = Button(QStringLiteral("确定按钮"), QStringLiteral("确定"), QRect(184, 136, 80, 32), this);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

QColor BackgroundColorWindow::Color() const { return picker_->Color(); }
