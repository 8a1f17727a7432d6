// A drawing panel that keeps its own pixels, like a window-system panel with a retained bitmap:
// drawing goes into a backing image at once and painting only copies that image to the screen.
#pragma once

#include <QImage>
#include <QWidget>

#include "board/board_surface.h"
#include "board/piece_pictures.h"
#include "ui/board_pixels.h"

namespace tarvelle {

// The board picture built into the program (assets/board_picture.h), in the panel's pixel format.
QImage BoardPicture();

class BoardPanel final : public QWidget, public BoardSurface {
    Q_OBJECT

public:
    // A fixed-size panel that starts out showing `background` at its origin, unscaled and clipped
    // to the panel; where the background does not reach (or with none) it shows the panel's
    // background colour. Pictures are looked up through `pictures`, which must outlive the panel.
    BoardPanel(const PictureFiles& pictures, QSize size, const QImage& background = QImage(),
               QWidget* parent = nullptr);

    void ClearCell(int x, int y) override;
    // Reads the file anew on every call, so a picture replaced on disk shows at the next draw.
    void DrawPicture(int x, int y, int pictureNumber) override;

    // What the panel shows, pixel for pixel.
    const QImage& Pixels() const { return pixels_.Image(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    BoardPixels pixels_;
};

}  // namespace tarvelle
