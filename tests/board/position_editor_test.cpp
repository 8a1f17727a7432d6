// The editor's drawing cost: a click redraws only the cells it changes, never the whole editor.
#include "board/position_editor.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <vector>

#include "board/cell_geometry.h"
#include "fakes/recording_surface.h"

namespace tarvelle {
namespace {

class RecordingEditorScreen final : public EditorScreen {
public:
    std::string FenText() const override { return text_; }
    void ShowFenText(const std::string& text) override { text_ = text; }
    void ShowSideToMove(int) override {}

private:
    std::string text_;
};

// The cells ("X Y") a list of drawing calls touches.
std::set<std::string> CellsTouched(const std::vector<std::string>& calls) {
    std::set<std::string> cells;
    for (const std::string& call : calls) {
        std::istringstream words(call);
        std::string verb, x, y;
        words >> verb >> x >> y;
        cells.insert(x + " " + y);
    }
    return cells;
}

TEST(PositionEditor, EachClickRedrawsAtMostTwoCellsOfEachPanel) {
    const auto cell = [](int row, int column) {
        return CellOfSquare(SquareAt(row, column), false);
    };
    struct Click {
        char kind;  // 'L', 'R' on a board cell, 'P' on a palette entry
        int where;
    };
    const std::vector<std::vector<Click>> cases = {
        {{'L', cell(11, 7)}},
        {{'L', cell(11, 7)}, {'L', cell(3, 6)}},
        {{'L', cell(11, 7)}, {'P', 24}},
        {{'P', 7}, {'L', cell(3, 6)}},
        {{'P', 7}, {'P', 15}},
        {{'P', 7}, {'R', cell(11, 7)}},
        {{'R', cell(12, 7)}},
    };
    for (const auto& clicks : cases) {
        auto game = std::make_unique<PositionRecord>();
        CchessFen2Board(game.get(), "3k5/9/9/9/9/9/9/9/4A4/4K4 w");
        EditorRecord record;
        testing::RecordingSurface board;
        testing::RecordingSurface palette;
        RecordingEditorScreen screen;
        PositionEditor editor(record, board, palette, screen);
        editor.Open(*game);
        for (const Click& click : clicks) {
            board.calls.clear();
            palette.calls.clear();
            if (click.kind == 'L') editor.OnBoardClick(click.where);
            if (click.kind == 'R') editor.OnBoardRightClick(click.where);
            if (click.kind == 'P') editor.OnPaletteClick(click.where);
        }
        EXPECT_LE(CellsTouched(board.calls).size(), 2u) << clicks.size();
        EXPECT_LE(CellsTouched(palette.calls).size(), 2u) << clicks.size();
        EXPECT_FALSE(board.calls.empty() && palette.calls.empty()) << clicks.size();
    }
}

}  // namespace
}  // namespace tarvelle
