// The position editor's logic: its board and piece palette, the piece picked with the mouse, the
// FEN text of the edited position and the buttons that set the position from a FEN text or
// change the side to move. Editing checks no rules: any piece goes on any point, and a position
// without kings is accepted.
#pragma once

#include <cstdint>
#include <string>

#include "board/board_surface.h"
#include "position/position_record.h"

namespace tarvelle {

// What the editor keeps from one opening to the next.
struct EditorRecord {
    PositionRecord position{};
    // The text last written into the editor's FEN box by the editor itself or applied from it.
    std::string fenText;
    // The number that ends the editor's FEN texts; only applying a FEN text changes it.
    std::int16_t moveNumber = 0;
};

// The editor window's controls other than its two panels. The Qt editor window implements it;
// tests use a recording fake. Texts are UTF-8.
class EditorScreen {
public:
    virtual ~EditorScreen() = default;
    virtual std::string FenText() const = 0;
    virtual void ShowFenText(const std::string& text) = 0;
    // Checks 红先 for side 0 and 黑先 for side 1, unchecking the other.
    virtual void ShowSideToMove(int side) = 0;
};

class PositionEditor {
public:
    // One per opening of the editor window; `record` outlives it.
    PositionEditor(EditorRecord& record, BoardSurface& board, BoardSurface& palette,
                   EditorScreen& screen);

    // Starts the editor on a copy of the game's position with nothing picked.
    void Open(const PositionRecord& gamePosition);

    // Draws the whole board and palette plain.
    void Redraw();

    // The three mouse actions, by board cell 0..89 and palette entry 0..31.
    void OnPaletteClick(int entry);
    void OnBoardClick(int cell);
    void OnBoardRightClick(int cell);

    // Sets the edited position from the FEN box, unless the box still holds the text the editor
    // last wrote or applied. Only the box's first line counts.
    void ApplyFenBox();

    // Puts the standard opening into the FEN box, without applying it.
    void PutStartFen();

    // Changes the side to move (0 Red, 1 Black) and rewrites the FEN text; nothing when that side
    // is already to move.
    void SetSideToMove(int side);

    // The text a game started from this position begins with: the FEN text as the editor holds
    // it, or the position's own text when that one had to be repaired by the rules library, so
    // that the engine is told the position the board shows.
    std::string GameStartFen() const;

    const PositionRecord& Position() const { return record_.position; }
    const std::string& FenText() const { return record_.fenText; }
    Square SelectedSquare() const { return selectedSquare_; }
    PieceCode SelectedPiece() const { return selectedPiece_; }

private:
    void DrawSquare(Square square, bool selected);
    void DrawPaletteCell(PieceCode code, bool selected);
    void RebuildFenText();
    // Takes `code` off `square` and shows it back in the palette.
    void ReturnToPalette(Square square, PieceCode code);

    EditorRecord& record_;
    BoardSurface& board_;
    BoardSurface& palette_;
    EditorScreen& screen_;
    Square selectedSquare_ = 0;
    PieceCode selectedPiece_ = 0;
};

}  // namespace tarvelle
