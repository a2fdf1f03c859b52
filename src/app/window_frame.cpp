#include "window_frame.h"

#include <QEvent>
#include <QScreen>
#include <QTimer>
#include <QWidget>

namespace {

void SetClientSize(QWidget* window, QSize size, WindowBorder border) {
    if (border == WindowBorder::Fixed) {
        window->setFixedSize(size);
    } else {
        window->resize(size);
    }
}

// Fits the client area once, after the first show has told the frame.
class FrameFitter final : public QObject {
public:
    FrameFitter(QWidget* window, QSize outer, WindowBorder border)
        : QObject(window), window_(window), outer_(outer), border_(border) {
        window->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == window_ && event->type() == QEvent::Show) {
            window_->removeEventFilter(this);
            // The frame is reported after the show has been handled.
            QTimer::singleShot(0, window_, [window = window_, outer = outer_, border = border_] {
                const QSize frame = window->frameGeometry().size() - window->size();
                if (frame != QSize(0, 0)) SetClientSize(window, outer - frame, border);
                CentreOnScreen(window);
            });
            deleteLater();
        }
        return false;
    }

private:
    QWidget* window_;
    QSize outer_;
    WindowBorder border_;
};

}  // namespace

void KeepOuterSize(QWidget* window, QSize outer, WindowBorder border) {
    SetClientSize(window, outer, border);
    CentreOnScreen(window);
    new FrameFitter(window, outer, border);
}

void CentreOnScreen(QWidget* window) {
    const QScreen* screen = window->screen();
    if (!screen) return;
    QRect outer = window->frameGeometry();
    outer.moveCenter(screen->availableGeometry().center());
    window->move(outer.topLeft());
}
