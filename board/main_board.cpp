#include "board/main_board.h"

#include "board/cell_drawing.h"
#include "board/cell_geometry.h"
#include "board/piece_pictures.h"

namespace tarvelle {

MainBoard::MainBoard(BoardSurface& panel, const PositionRecord& gamePosition,
                     const MoveList& moveList, BoardMarks& marks)
    : panel_(panel), gamePosition_(gamePosition), moveList_(moveList), marks_(marks) {}

void MainBoard::DrawSquare(Square square, bool selected) {
    DrawPoint(panel_, gamePosition_, square, marks_.boardFlipped, selected);
}

void MainBoard::RedrawBoard() {
    DrawAllPoints(panel_, gamePosition_, marks_.boardFlipped);
}

void MainBoard::FlipBoard() {
    marks_.boardFlipped = !marks_.boardFlipped;
    RedrawBoard();
}

void MainBoard::RefreshMoveMarks() {
    if (marks_.selectedSquare > 0) {
        DrawSquare(marks_.selectedSquare, false);
        marks_.selectedSquare = 0;
    }
    if (marks_.lostKingSquare > 0) {
        DrawSquare(marks_.lostKingSquare, false);
        marks_.lostKingSquare = 0;
    }
    if (marks_.markedMove != 0) {
        DrawSquare(MoveFrom(marks_.markedMove), false);
        DrawSquare(MoveTo(marks_.markedMove), false);
        marks_.markedMove = 0;
    }
    if (moveList_.currentPly > 0) {
        marks_.markedMove = moveList_.moves[static_cast<std::size_t>(moveList_.currentPly)];
        DrawSquare(MoveFrom(marks_.markedMove), true);
        DrawSquare(MoveTo(marks_.markedMove), true);
    }
}

Square MainBoard::SquareOfCell(int cell) const {
    return tarvelle::SquareOfCell(cell, marks_.boardFlipped);
}

}  // namespace tarvelle
