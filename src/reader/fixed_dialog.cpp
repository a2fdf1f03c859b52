#include "fixed_dialog.h"

#include <QScreen>
#include <QTimer>

FixedDialog::FixedDialog(const QString& roleName, const QString& title, QSize outerSize)
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      outerSize_(outerSize) {
    setObjectName(roleName);
    setWindowTitle(title);
    setWindowModality(Qt::ApplicationModal);
    setFixedSize(outerSize_);
}

void FixedDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    CentreOnScreen();
    // The window manager reports the frame only once the window is mapped.
    QTimer::singleShot(0, this, [this] {
        FitFrame();
        CentreOnScreen();
    });
}

// The size given is the outer one; where the platform draws a frame, the
// client area is what is left inside it.
void FixedDialog::FitFrame() {
    const QSize frame = frameGeometry().size() - geometry().size();
    if (frame.width() > 0 || frame.height() > 0) setFixedSize(outerSize_ - frame);
}

void FixedDialog::CentreOnScreen() {
    const QScreen* screen = this->screen();
    if (!screen) return;
    QRect outer = frameGeometry();
    outer.moveCenter(screen->availableGeometry().center());
    move(outer.topLeft());
}
