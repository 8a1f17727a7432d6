// Qt ends the process with an abort, and so a core dump, when it cannot open its X display. The
// program asks first, so that it can say so in one line and end normally.
#pragma once

namespace tarvelle {

// False, after printing one line to standard error, when Qt would start on X and no X display can
// be opened. With another platform chosen (QT_QPA_PLATFORM) or in a Wayland session Qt's own start
// decides, and this is true.
bool XDisplayAvailable();

}  // namespace tarvelle
