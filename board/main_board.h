// The main board: draws points of the game record into their cells, turns the view, and keeps the
// marks that show the selected piece, the last move and a lost king.
#pragma once

#include <cstdint>

#include "board/board_surface.h"
#include "position/move_list.h"
#include "position/position_record.h"

namespace tarvelle {

// The board's view state, part of the program-wide state; 0 means none for each mark.
struct BoardMarks {
    bool boardFlipped = false;
    // The from-square chosen by the first click of a move.
    std::int16_t selectedSquare = 0;
    // The king of the side that lost, shown until the marks are next refreshed.
    std::int16_t lostKingSquare = 0;
    // The move whose two squares carry the selection pictures.
    MoveValue markedMove = 0;
};

class MainBoard {
public:
    MainBoard(BoardSurface& panel, const PositionRecord& gamePosition, const MoveList& moveList,
              BoardMarks& marks);

    // Draws the point of the game record on `square` into its cell, plain or selected.
    void DrawSquare(Square square, bool selected);

    // Draws all 90 points plain, row by row from the top; marks stay set but are not shown.
    void RedrawBoard();

    // Turns the view by 180 degrees; the background picture does not turn.
    void FlipBoard();

    // Clears the selection, the lost king and the old move marks, then marks the move that led
    // to the position on the board (none at ply 0).
    void RefreshMoveMarks();

    // The square that board cell 0..89 shows in the current view.
    Square SquareOfCell(int cell) const;

private:
    BoardSurface& panel_;
    const PositionRecord& gamePosition_;
    const MoveList& moveList_;
    BoardMarks& marks_;
};

}  // namespace tarvelle
