#pragma once

#include <QRect>
#include <QString>

// The forms place every control at an absolute position and name it with
// its form name; this does both and hands the control back.
template <typename Control>
Control* Placed(Control* control, const char* name, const QRect& place) {
    control->setObjectName(QString::fromUtf8(name));
    control->setGeometry(place);
    return control;
}
