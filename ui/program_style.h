// The program's style: the desktop's own, but for the icon of the menu bar's overflow button, which
// is drawn instead of read from Qt's picture files. Reading a picture file by name, even a PNG that
// Qt reads itself, makes Qt load every image plugin installed to ask it whether it knows the
// format: the SVG plugin with the Qt SVG library, the JPEG plugin with libjpeg. That was the costliest
// step of building the main window, for a button that never shows in the window's fixed width.
#pragma once

#include <QProxyStyle>

namespace tarvelle {

class ProgramStyle final : public QProxyStyle {
    Q_OBJECT

public:
    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
};

}  // namespace tarvelle
