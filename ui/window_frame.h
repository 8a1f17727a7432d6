// The frame every window of the program shares: a title bar with the system menu, minimize and
// close buttons but no maximize button, a size that cannot change, and a place in the middle of
// the screen.
#pragma once

#include <QSize>
#include <QWidget>

namespace tarvelle {

// Gives `window` that frame with `size` as its fixed size (all of the window inside its frame).
void SetFixedFrame(QWidget& window, QSize size);

}  // namespace tarvelle
