#include "ui/board_preview.h"

#include <QPaintEvent>
#include <QPainter>
#include <memory>

#include "board/cell_drawing.h"
#include "board/cell_geometry.h"
#include "position/move_list.h"
#include "ui/board_panel.h"

namespace tarvelle {
namespace {

constexpr QSize kFullSize(2 * kGridOrigin + kCellSize * kBoardColumns,
                          2 * kGridOrigin + kCellSize * kBoardRows);
// Three fifths of the main board: a puzzle stays readable beside a list of useful width.
constexpr QSize kShownSize(kFullSize.width() * 3 / 5, kFullSize.height() * 3 / 5);

}  // namespace

BoardPreview::BoardPreview(const PictureFiles& pictures, QWidget* parent)
    : QWidget(parent),
      pixels_(pictures, kFullSize, BoardPicture(), palette().color(QPalette::Window)) {
    setFixedSize(kShownSize);
    setAttribute(Qt::WA_OpaquePaintEvent);
    ShowPixels();
}

void BoardPreview::ShowPosition(const std::string& fen) {
    const auto position = std::make_unique<PositionRecord>();
    if (CchessFen2Board(position.get(), fen.c_str()) == 0) {
        ShowNothing();
        return;
    }
    DrawAllPoints(*this, *position, BoardSide(*position) == kBlackSide);
    ShowPixels();
}

void BoardPreview::ShowNothing() {
    const auto empty = std::make_unique<PositionRecord>();
    DrawAllPoints(*this, *empty, false);
    ShowPixels();
}

void BoardPreview::ClearCell(int x, int y) {
    pixels_.ClearCell(x, y);
}

void BoardPreview::DrawPicture(int x, int y, int pictureNumber) {
    pixels_.DrawPicture(x, y, pictureNumber);
}

void BoardPreview::ShowPixels() {
    shown_ = pixels_.Image().scaled(kShownSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    update();
}

void BoardPreview::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.drawImage(event->rect(), shown_, event->rect());
}

}  // namespace tarvelle
