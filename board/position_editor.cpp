#include "board/position_editor.h"

#include "board/cell_drawing.h"
#include "board/cell_geometry.h"
#include "board/piece_pictures.h"
#include "position/fen_text.h"

namespace tarvelle {
namespace {

constexpr PieceCode kFirstCode = 16;
constexpr PieceCode kLastCode = 47;

PieceCode CodeOfEntry(int entry) {
    return static_cast<PieceCode>(entry + kFirstCode);
}

}  // namespace

PositionEditor::PositionEditor(EditorRecord& record, BoardSurface& board, BoardSurface& palette,
                               EditorScreen& screen)
    : record_(record), board_(board), palette_(palette), screen_(screen) {}

void PositionEditor::Open(const PositionRecord& gamePosition) {
    selectedSquare_ = 0;
    selectedPiece_ = 0;
    record_.position = gamePosition;
    Redraw();
    RebuildFenText();
    screen_.ShowSideToMove(record_.position.side);
}

void PositionEditor::Redraw() {
    DrawAllPoints(board_, record_.position, false);
    for (int code = kFirstCode; code <= kLastCode; ++code)
        DrawPaletteCell(static_cast<PieceCode>(code), false);
}

// The editor board is never shown turned.
void PositionEditor::DrawSquare(Square square, bool selected) {
    DrawPoint(board_, record_.position, square, false, selected);
}

// A palette cell shows its piece only while the piece is off the board.
void PositionEditor::DrawPaletteCell(PieceCode code, bool selected) {
    const bool offBoard = record_.position.pieceSquares[code] == 0;
    int picture = offBoard ? PictureNumber(code, false) : 0;
    if (selected) picture += kSelectedPictureOffset;
    const int entry = code - kFirstCode;
    DrawCell(palette_, PaletteCellLeft(entry), PaletteCellTop(entry), picture);
}

void PositionEditor::RebuildFenText() {
    record_.fenText = EditorFenText(record_.position, record_.moveNumber);
    screen_.ShowFenText(record_.fenText);
}

void PositionEditor::ReturnToPalette(Square square, PieceCode code) {
    CchessAddPiece(&record_.position, square, code, 1);
    DrawPaletteCell(code, false);
}

void PositionEditor::OnPaletteClick(int entry) {
    if (entry < 0 || entry >= kPaletteEntries) return;
    if (selectedSquare_ > 0) {
        // Whichever cell was clicked, the picked board piece goes back to its own cell.
        const Square from = selectedSquare_;
        selectedSquare_ = 0;
        ReturnToPalette(from, record_.position.squares[from]);
        DrawSquare(from, false);
        RebuildFenText();
        return;
    }
    const PieceCode code = CodeOfEntry(entry);
    if (record_.position.pieceSquares[code] != 0) return;  // the cell is empty
    if (selectedPiece_ > 0) DrawPaletteCell(selectedPiece_, false);
    selectedPiece_ = code;
    DrawPaletteCell(code, true);
}

void PositionEditor::OnBoardClick(int cell) {
    if (cell < 0 || cell >= kBoardCells) return;
    const Square square = SquareOfCell(cell, false);
    if (selectedSquare_ == 0 && selectedPiece_ == 0) {
        if (record_.position.squares[square] == 0) return;
        selectedSquare_ = square;
        DrawSquare(square, true);
        return;
    }
    const PieceCode target = record_.position.squares[square];
    PieceCode moving = selectedPiece_;
    if (moving == 0) {
        moving = record_.position.squares[selectedSquare_];
        CchessAddPiece(&record_.position, selectedSquare_, moving, 1);
    }
    // A click on the picked point itself puts its piece back where it was.
    if (target > 0 && square != selectedSquare_) ReturnToPalette(square, target);
    CchessAddPiece(&record_.position, square, moving, 0);
    DrawPaletteCell(moving, false);
    if (selectedSquare_ > 0) DrawSquare(selectedSquare_, false);
    DrawSquare(square, false);
    selectedSquare_ = 0;
    selectedPiece_ = 0;
    RebuildFenText();
}

void PositionEditor::OnBoardRightClick(int cell) {
    if (cell < 0 || cell >= kBoardCells) return;
    const Square square = SquareOfCell(cell, false);
    if (selectedSquare_ > 0) {
        DrawSquare(selectedSquare_, false);
        selectedSquare_ = 0;
    }
    if (selectedPiece_ > 0) {
        DrawPaletteCell(selectedPiece_, false);
        selectedPiece_ = 0;
    }
    const PieceCode target = record_.position.squares[square];
    if (target == 0) return;
    CchessAddPiece(&record_.position, square, target, 1);
    DrawSquare(square, false);
    DrawPaletteCell(target, false);
    RebuildFenText();
}

void PositionEditor::ApplyFenBox() {
    const std::string boxText = screen_.FenText();
    if (boxText == record_.fenText) return;
    const std::string_view firstLine = FirstLine(boxText);
    record_.fenText = std::string(firstLine);
    if (firstLine.size() != boxText.size()) screen_.ShowFenText(record_.fenText);
    CchessFen2Board(&record_.position, record_.fenText.c_str());
    record_.moveNumber = EditorMoveNumber(record_.fenText);
    selectedSquare_ = 0;
    selectedPiece_ = 0;
    Redraw();
    screen_.ShowSideToMove(record_.position.side);
}

void PositionEditor::PutStartFen() {
    screen_.ShowFenText(std::string(kStartFen));
}

void PositionEditor::SetSideToMove(int side) {
    if (record_.position.side == side) return;
    record_.position.side = side;
    RebuildFenText();
}

std::string PositionEditor::GameStartFen() const {
    return StartFenText(record_.position, record_.fenText, record_.moveNumber);
}

}  // namespace tarvelle
