#pragma once

#include <QSize>

class QWidget;

// The forms give every window's outer size, frame included, but the window
// system reports a window's frame only once the window is on screen. These
// give a window its outer size: the whole size at once, and the client
// area left inside the frame as soon as the frame is known.

enum class WindowBorder { Sizable, Fixed };

// Call once while building the window; the window is centred on the screen
// now and again when its frame is known.
void KeepOuterSize(QWidget* window, QSize outer, WindowBorder border);

void CentreOnScreen(QWidget* window);
