// Where the 90 board cells lie on a 520 x 576 board panel, and which square each one shows.
#pragma once

#include "position/position_record.h"

namespace tarvelle {

constexpr int kCellSize = 56;
constexpr int kGridOrigin = 8;
constexpr int kBoardColumns = 9;
constexpr int kBoardRows = 10;
constexpr int kBoardCells = kBoardColumns * kBoardRows;

// Top-left pixel of cell 0..89 (reading order from the top-left of the panel).
constexpr int CellLeft(int cell) {
    return kGridOrigin + kCellSize * (cell % kBoardColumns);
}
constexpr int CellTop(int cell) {
    return kGridOrigin + kCellSize * (cell / kBoardColumns);
}

// The cell that shows a board square; flipped turns the view by 180 degrees.
constexpr int CellOfSquare(Square square, bool flipped) {
    return flipped ? 9 * (12 - SquareRow(square)) + (11 - SquareColumn(square))
                   : 9 * (SquareRow(square) - 3) + (SquareColumn(square) - 3);
}

// The board square that cell 0..89 shows.
constexpr Square SquareOfCell(int cell, bool flipped) {
    const int row = cell / kBoardColumns;
    const int column = cell % kBoardColumns;
    return flipped ? SquareAt(12 - row, 11 - column) : SquareAt(row + 3, column + 3);
}

// The cell under panel pixel (x, y), or -1 in the margins no cell covers.
constexpr int CellAtPixel(int x, int y) {
    const int right = kGridOrigin + kCellSize * kBoardColumns;
    const int bottom = kGridOrigin + kCellSize * kBoardRows;
    if (x < kGridOrigin || x >= right || y < kGridOrigin || y >= bottom) return -1;
    return kBoardColumns * ((y - kGridOrigin) / kCellSize) + (x - kGridOrigin) / kCellSize;
}

// The piece palette: one cell per piece code, entry = code - 16. Red's sixteen fill the lower half
// from the bottom row up, Black's the upper half from the top row down, four to a row.
constexpr int kPaletteEntries = 32;
constexpr int kPaletteColumns = 4;

constexpr int PaletteCellLeft(int entry) {
    return kGridOrigin + kCellSize * (entry % kPaletteColumns);
}
constexpr int PaletteCellTop(int entry) {
    constexpr int kRedBottomRowTop = 400;
    return entry < 16 ? kRedBottomRowTop - kCellSize * (entry / kPaletteColumns)
                      : kGridOrigin + kCellSize * ((entry - 16) / kPaletteColumns);
}

}  // namespace tarvelle
