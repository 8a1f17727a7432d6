// A small picture of a puzzle's position: the main board's own board and piece pictures, drawn
// at full size into pixels of its own and shown scaled down, seen from the side to move.
#pragma once

#include <QImage>
#include <QWidget>
#include <string>

#include "board/board_surface.h"
#include "board/piece_pictures.h"
#include "ui/board_pixels.h"

namespace tarvelle {

class BoardPreview final : public QWidget, private BoardSurface {
    Q_OBJECT

public:
    // `pictures` must outlive the preview.
    explicit BoardPreview(const PictureFiles& pictures, QWidget* parent = nullptr);

    // Draws the position of `fen`, turned round when Black is to move; a FEN the rules library
    // refuses shows the empty board.
    void ShowPosition(const std::string& fen);
    // The empty board.
    void ShowNothing();

    // What the preview shows, pixel for pixel.
    const QImage& Shown() const { return shown_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void ClearCell(int x, int y) override;
    void DrawPicture(int x, int y, int pictureNumber) override;
    void ShowPixels();

    BoardPixels pixels_;
    QImage shown_;
};

}  // namespace tarvelle
