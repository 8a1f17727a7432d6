#include "board/main_board.h"

#include "board/cell_drawing.h"
#include "board/cell_geometry.h"
#include "board/piece_pictures.h"

namespace tarvelle {

MainBoard::MainBoard(BoardSurface& panel, const PositionRecord& gamePosition,
                     const MoveList& moveList, BoardMarks& marks)
    : panel_(panel), gamePosition_(gamePosition), moveList_(moveList), marks_(marks) {}

void MainBoard::DrawSquare(Square square, bool selected) {
    const int cell = CellOfSquare(square, marks_.boardFlipped);
    DrawCell(panel_, CellLeft(cell), CellTop(cell),
             PictureNumber(gamePosition_.squares[square], selected));
}

void MainBoard::RedrawBoard() {
    for (int row = 3; row <= 12; ++row) {
        for (int column = 3; column <= 11; ++column)
            DrawSquare(SquareAt(row, column), false);
    }
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
