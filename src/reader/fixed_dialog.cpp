#include "fixed_dialog.h"

#include "window_frame.h"

FixedDialog::FixedDialog(const QString& roleName, const QString& title, QSize outerSize)
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(roleName);
    setWindowTitle(title);
    setWindowModality(Qt::ApplicationModal);
    KeepOuterSize(this, outerSize, WindowBorder::Fixed);
}
