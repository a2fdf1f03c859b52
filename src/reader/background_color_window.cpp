#include "background_color_window.h"

#include <QPushButton>

#include "color_picker.h"
#include "form_control.h"

namespace {

QPushButton* Button(const char* name, const QString& caption, const QRect& place, QWidget* parent) {
    auto* button = Placed(new QPushButton(caption, parent), name, place);
    button->setAutoDefault(false);
    return button;
}

}  // namespace

BackgroundColorWindow::BackgroundColorWindow()
    : FixedDialog(QStringLiteral("BackgroundColorWindow"), QStringLiteral("设置背景颜色"), QSize(380, 250)),
      picker_(Placed(new ColorPicker(this), "颜色选择器1", QRect(120, 56, 128, 32))) {
    picker_->SetColor(Qt::white);
    QPushButton* cancel = Button("取消按钮", QStringLiteral("取消"), QRect(72, 136, 80, 32), this);
    QPushButton* ok = Button("确定按钮", QStringLiteral("确定"), QRect(184, 136, 80, 32), this);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

QColor BackgroundColorWindow::Color() const { return picker_->Color(); }
