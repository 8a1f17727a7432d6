// The frame every window of the program shares: a title bar with the system menu, minimize and
// close buttons but no maximize button, a size that cannot change, and a place in the middle of
// the screen.
#pragma once

#include <QSize>
#include <QWidget>

namespace tarvelle {

// Gives `window` that frame with `clientSize` as its fixed size (all of the window inside its
// frame) and centres its outer frame on the screen. `designOuterSize` is the size the window is
// designed to have with its frame; it stands in for the frame until the window system has shown
// one of ours with its real frame.
void SetFixedFrame(QWidget& window, QSize clientSize, QSize designOuterSize);

}  // namespace tarvelle
