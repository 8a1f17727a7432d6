// Drawing one cell of any board surface: the main board, the editor board and the palette.
#pragma once

#include "board/board_surface.h"

namespace tarvelle {

// An empty point is repainted from the background before its picture; a piece is drawn over
// whatever the cell showed, which its picture covers.
inline void DrawCell(BoardSurface& surface, int x, int y, int pictureNumber) {
    if (pictureNumber == 0) surface.ClearCell(x, y);
    surface.DrawPicture(x, y, pictureNumber);
}

}  // namespace tarvelle
