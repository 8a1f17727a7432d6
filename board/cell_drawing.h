// Drawing cells of any board surface: the main board, the editor board and the palette.
#pragma once

#include "board/board_surface.h"
#include "board/cell_geometry.h"
#include "board/piece_pictures.h"
#include "position/position_record.h"

namespace tarvelle {

// An empty point is repainted from the background before its picture; a piece is drawn over
// whatever the cell showed, which its picture covers.
inline void DrawCell(BoardSurface& surface, int x, int y, int pictureNumber) {
    if (pictureNumber == 0) surface.ClearCell(x, y);
    surface.DrawPicture(x, y, pictureNumber);
}

// Draws the point of `position` on `square` into the cell that shows it, plain or selected.
inline void DrawPoint(BoardSurface& surface, const PositionRecord& position, Square square,
                      bool flipped, bool selected) {
    const int cell = CellOfSquare(square, flipped);
    DrawCell(surface, CellLeft(cell), CellTop(cell),
             PictureNumber(position.squares[square], selected));
}

// Draws all 90 points plain, row by row from the top of the board.
inline void DrawAllPoints(BoardSurface& surface, const PositionRecord& position, bool flipped) {
    for (int row = 3; row <= 12; ++row) {
        for (int column = 3; column <= 11; ++column)
            DrawPoint(surface, position, SquareAt(row, column), flipped, false);
    }
}

}  // namespace tarvelle
