#pragma once

#include "fixed_dialog.h"

// "关于": the program's name, a short help, how books are enciphered, the
// change log and what the program is built with. "确定" or Esc closes it.
class AboutWindow : public FixedDialog {
    Q_OBJECT
public:
    AboutWindow();
};
