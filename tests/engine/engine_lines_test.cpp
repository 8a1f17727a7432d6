// The pure readers of engine lines and writers of search commands, on real engine lines.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/best_move_line.h"
#include "engine/move_text.h"
#include "engine/search_commands.h"
#include "engine/thinking_info.h"

namespace tarvelle {
namespace {

TEST(BestMoveLine, IsReadAtFixedPlaces) {
    struct Case {
        std::string_view line;
        std::string_view move;
        bool hasPonderMove;
        std::string_view ponderMove;
    };
    const Case cases[] = {
        {"bestmove h2e2 ponder h9g7", "h2e2", true, "h9g7"},
        {"bestmove h2e2", "h2e2", false, ""},
        {"bestmove h2e2 draw", "h2e2", false, ""},
        {"bestmove h2e2 ponder ", "h2e2", true, ""},
        {"bestmove h2e2  ponder h9g7", "h2e2", false, ""},
        {"bestmove h2e", "", false, ""},
        {"bestmove ", "", false, ""},
        {"bestmove (none)", "", false, ""},  // a position without legal moves
    };
    for (const Case& c : cases) {
        const BestMoveLine best = ReadBestMoveLine(c.line);
        EXPECT_EQ(best.move, CoordToMove(c.move)) << c.line;
        EXPECT_EQ(best.hasPonderMove, c.hasPonderMove) << c.line;
        EXPECT_EQ(best.ponderMove, CoordToMove(c.ponderMove)) << c.line;
    }
}

TEST(SearchCommands, PositionAndGoLines) {
    const std::string fen = "rnbakabnr/9/1c5c1/p1p1p1p1p/9/9/P1P1P1P1P/1C5C1/9/RNBAKABNR w - - 0 0";
    const std::vector<MoveValue> played = {CoordToMove("h2e2"), CoordToMove("h9g7")};
    const MoveValue pondered = CoordToMove("b0c2");
    EXPECT_EQ(PositionCommand(fen, {}, 0), "position fen " + fen);
    EXPECT_EQ(PositionCommand(fen, {}, pondered), "position fen " + fen + " moves b0c2");
    EXPECT_EQ(PositionCommand(fen, played, 0), "position fen " + fen + " moves h2e2 h9g7");
    EXPECT_EQ(PositionCommand(fen, played, pondered),
              "position fen " + fen + " moves h2e2 h9g7 b0c2");

    EXPECT_EQ(GoCommand(false, NodeBudget(-7)), "go nodes 10077696");
    EXPECT_EQ(GoCommand(true, NodeBudget(-7)), "go ponder nodes 10077696");
    EXPECT_EQ(NodeBudget(-3), 7776);
    EXPECT_EQ(NodeBudget(3), 0);
    EXPECT_GT(NodeBudget(-32767), 0) << "saturates instead of overflowing";
}

TEST(ThinkingInfo, SummaryForTheThinkingBox) {
    const ThinkingContext thinking{
        .nowSeconds = 100, .searchStartSeconds = 100, .pondering = false, .ponderedMoveText = {}};
    const ThinkingContext pondering{.nowSeconds = 100,
                                    .searchStartSeconds = 100,
                                    .pondering = true,
                                    .ponderedMoveText = "B0-C2"};
    struct Case {
        std::string_view line;
        const ThinkingContext& context;
        std::optional<std::string> summary;
    };
    const Case cases[] = {
        {"info depth 5 score 23 pv h2e2 h9g7", thinking,
         "  思考深度：5    得分(23)得分 H2-E2 H9-G7"},
        {"info depth 5 score 23 pv h2e2 h9g7", pondering,
         "  思考深度：5    得分(23)得分 (B0-C2) H2-E2 H9-G7"},
        {"info depth 9 score mate 3 pv h2e2", thinking, "  思考深度：9  得分(9997)得分 H2-E2"},
        {"info depth 9 score mate -3 pv h2e2", thinking, "  思考深度：9 得分(-9997)得分 H2-E2"},
        {"info depth 12 seldepth 20 multipv 1 score cp -86 nodes 76067 pv h6h8 f3f8", thinking,
         " 思考深度：12   得分(-86)得分 H6-H8 F3-F8"},
        {"info depth 100 score -12345 pv h2e2", thinking, "思考深度：100得分(-12345)得分 H2-E2"},
        {"info depth 5 score 23", thinking, "  思考深度：5    得分(23)得分"},
        {"info depth x score 23 pv h2e2 ", thinking, "  思考深度：0    得分(23)得分 H2-E2"},
        // A move cut short still shows, as whatever its bytes make.
        {"info depth 1 score 0 pv h2e2 h9", thinking, "  思考深度：1     得分(0)得分 H2-E2 ><-><"},
        {"info depth 5 nodes 100", thinking, std::nullopt},
        {"info score 23 pv h2e2", thinking, std::nullopt},
        {"info string depth of the book", thinking, std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReadThinkingInfo(c.line, c.context).summaryText, c.summary) << c.line;
}

TEST(ThinkingInfo, ProgressForTheStatusBar) {
    struct Case {
        std::string_view line;
        int startSeconds;
        int nowSeconds;
        std::optional<std::string> progress;
    };
    const Case cases[] = {
        {"info nodes 5000 time 12", 100, 102,
         "思考过程:  nodes(搜索的局面): 5000   思考时间(毫秒): 2000"},
        {"info depth 3 score 5 nodes 99999999999 pv h2e2", 10, 11,
         "思考过程:  nodes(搜索的局面): 2147483647   思考时间(毫秒): 1000"},
        // Started at 23:59:58, reported at 00:00:01.
        {"info nodes 7", 86398, 1, "思考过程:  nodes(搜索的局面): 7   思考时间(毫秒): 3000"},
        // Within the same whole second nothing is shown.
        {"info nodes 7", 500, 500, std::nullopt},
        {"info depth 3 score 5 pv h2e2", 100, 102, std::nullopt},
    };
    for (const Case& c : cases) {
        const ThinkingContext context{.nowSeconds = c.nowSeconds,
                                      .searchStartSeconds = c.startSeconds,
                                      .pondering = false,
                                      .ponderedMoveText = {}};
        EXPECT_EQ(ReadThinkingInfo(c.line, context).progressText, c.progress) << c.line;
    }
}

}  // namespace
}  // namespace tarvelle
