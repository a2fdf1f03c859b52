#pragma once

#include <QDialog>

// A small window of fixed outer size with a close box and no minimise or
// maximise box, centred on the screen when it opens and closed by Esc.
// Opened parentless with exec(), it blocks every other window.
class FixedDialog : public QDialog {
    Q_OBJECT
public:
    FixedDialog(const QString& roleName, const QString& title, QSize outerSize);
};
