#pragma once

#include "fixed_dialog.h"

class ColorPicker;

// "设置背景颜色": one colour picker, starting at white, and OK / cancel.
// exec() returns Accepted for OK; Color() is then the picked colour.
class BackgroundColorWindow : public FixedDialog {
    Q_OBJECT
public:
    BackgroundColorWindow();

    QColor Color() const;
    ColorPicker* Picker() const { return picker_; }

private:
    ColorPicker* picker_;
};
