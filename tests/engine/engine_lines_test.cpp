// The pure readers of engine lines and writers of search commands of both protocols, on real
// engine lines.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/best_move_line.h"
#include "engine/move_text.h"
#include "engine/search_commands.h"
#include "engine/thinking_info.h"
#include "engine/ucci_protocol.h"
#include "engine/uci_protocol.h"

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

// A UCI protocol past its handshake, its ranks counted as `ranks` says.
struct UciSpeaking {
    explicit UciSpeaking(RankChoice ranks) {
        settings.ranks = ranks;
        protocol.ReadStartLine("uciok");
    }
    EngineSettings settings;
    UciProtocol protocol{settings};
};

TEST(SearchCommands, PositionAndGoLines) {
    const std::string fen = "rnbakabnr/9/1c5c1/p1p1p1p1p/9/9/P1P1P1P1P/1C5C1/9/RNBAKABNR w - - 0 0";
    const std::vector<MoveValue> played = {CoordToMove("h2e2"), CoordToMove("h9g7")};
    const MoveValue pondered = CoordToMove("b0c2");
    const auto zero = RankNumbering::FromZero;
    EXPECT_EQ(PositionCommand(fen, {}, 0, zero), "position fen " + fen);
    EXPECT_EQ(PositionCommand(fen, {}, pondered, zero), "position fen " + fen + " moves b0c2");
    EXPECT_EQ(PositionCommand(fen, played, 0, zero), "position fen " + fen + " moves h2e2 h9g7");
    EXPECT_EQ(PositionCommand(fen, played, pondered, RankNumbering::FromOne),
              "position fen " + fen + " moves h3e3 h10g8 b1c3");

    // UCI's go lines are in its transcripts.
    const EngineSettings defaults;
    const UcciProtocol ucci(defaults);
    const SearchLimit nodes{.kind = SearchLimit::Kind::Nodes, .amount = NodeBudget(-7)};
    const SearchLimit time{.kind = SearchLimit::Kind::Milliseconds, .amount = 2500};
    EXPECT_EQ(ucci.GoCommand(false, nodes), "go nodes 10077696");
    EXPECT_EQ(ucci.GoCommand(true, nodes), "go ponder nodes 10077696");
    EXPECT_EQ(ucci.GoCommand(false, time), "go time 2500 movestogo 1");
    EXPECT_EQ(ucci.GoCommand(true, time), "go ponder time 2500 movestogo 1");
    EXPECT_EQ(NodeBudget(-3), 7776);
    EXPECT_EQ(NodeBudget(3), 0);
    EXPECT_GT(NodeBudget(-32767), 0) << "saturates instead of overflowing";
}

TEST(UciLines, BestMovesAndNoMoves) {
    using Kind = EngineEvent::Kind;
    const UciSpeaking fromZero(RankChoice::FromZero);
    const UciSpeaking fromOne(RankChoice::FromOne);
    struct Case {
        const UciSpeaking& engine;
        std::string_view line;
        Kind kind;
        std::string_view move;
        std::optional<std::string_view> ponderMove;
    };
    const Case cases[] = {
        {fromZero, "bestmove h2e2 ponder h9g7", Kind::BestMove, "h2e2", "h9g7"},
        {fromOne, "bestmove h3e3 ponder h10g8", Kind::BestMove, "h2e2", "h9g7"},
        {fromOne, "bestmove  b10c8\tponder  c4c5 ", Kind::BestMove, "b9c7", "c3c4"},
        {fromOne, "bestmove a10a9", Kind::BestMove, "a9a8", std::nullopt},
        {fromOne, "bestmove h3e3 ponder (none)", Kind::BestMove, "h2e2", std::nullopt},
        {fromOne, "bestmove h3e3 ponder j1k1", Kind::BestMove, "h2e2", std::nullopt},
        {fromOne, "bestmove h2e", Kind::BestMove, "", std::nullopt},  // unreadable: refused
        {fromOne, "bestmove (none)", Kind::NoMove, "", std::nullopt},
        {fromZero, "bestmove 0000", Kind::NoMove, "", std::nullopt},
        {fromZero, "nobestmove", Kind::NoMove, "", std::nullopt},
        {fromZero, "bestmove", Kind::None, "", std::nullopt},
        {fromZero, "readyok", Kind::None, "", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        const EngineEvent event = c.engine.protocol.ReadLine(c.line);
        EXPECT_EQ(event.kind, c.kind);
        EXPECT_EQ(event.move, CoordToMove(c.move));
        EXPECT_EQ(event.ponderMove,
                  c.ponderMove ? std::optional(CoordToMove(*c.ponderMove)) : std::nullopt);
    }
}

TEST(ThinkingInfo, SummaryForTheThinkingBox) {
    const ThinkingContext thinking{
        .nowSeconds = 100, .searchStartSeconds = 100, .pondering = false, .ponderedMoveText = {}};
    const ThinkingContext pondering{.nowSeconds = 100,
                                    .searchStartSeconds = 100,
                                    .pondering = true,
                                    .ponderedMoveText = "B0-C2"};
    const EngineSettings defaults;
    const UcciProtocol ucci(defaults);
    const UciSpeaking fromOne(RankChoice::FromOne);
    const UciSpeaking fromZero(RankChoice::FromZero);
    struct Case {
        const EngineProtocol& protocol;
        std::string_view line;
        const ThinkingContext& context;
        std::optional<std::string> summary;
    };
    const Case cases[] = {
        {ucci, "info depth 5 score 23 pv h2e2 h9g7", thinking,
         "  思考深度：5    得分(23)得分 H2-E2 H9-G7"},
        {ucci, "info depth 5 score 23 pv h2e2 h9g7", pondering,
         "  思考深度：5    得分(23)得分 (B0-C2) H2-E2 H9-G7"},
        {ucci, "info depth 9 score mate 3 pv h2e2", thinking,
         "  思考深度：9  得分(9997)得分 H2-E2"},
        {ucci, "info depth 9 score mate -3 pv h2e2", thinking,
         "  思考深度：9 得分(-9997)得分 H2-E2"},
        {ucci, "info depth 12 seldepth 20 multipv 1 score cp -86 nodes 76067 pv h6h8 f3f8",
         thinking, " 思考深度：12   得分(-86)得分 H6-H8 F3-F8"},
        {ucci, "info depth 100 score -12345 pv h2e2", thinking,
         "思考深度：100得分(-12345)得分 H2-E2"},
        {ucci, "info depth 5 score 23", thinking, "  思考深度：5    得分(23)得分"},
        {ucci, "info depth x score 23 pv h2e2 ", thinking, "  思考深度：0    得分(23)得分 H2-E2"},
        // A move cut short still shows, as whatever its bytes make.
        {ucci, "info depth 1 score 0 pv h2e2 h9", thinking,
         "  思考深度：1     得分(0)得分 H2-E2 ><-><"},
        {ucci, "info depth 5 nodes 100", thinking, std::nullopt},
        {ucci, "info score 23 pv h2e2", thinking, std::nullopt},
        {ucci, "info string depth of the book", thinking, std::nullopt},
        // UCI: the same texts from the engine's words, its ranks shown as UCCI's.
        {fromOne.protocol,
         "info depth 12 seldepth 20 multipv 1 score cp -86 nodes 76067 pv h7h9 f4f9", thinking,
         " 思考深度：12   得分(-86)得分 H6-H8 F3-F8"},
        {fromOne.protocol, "info depth 7 score cp 31 lowerbound pv b1c3 b10c8", pondering,
         "  思考深度：7    得分(31)得分 (B0-C2) B0-C2 B9-C7"},
        {fromZero.protocol, "info depth 9 score mate 3 pv h2e2", thinking,
         "  思考深度：9   得分(杀3)得分 H2-E2"},
        {fromZero.protocol, "info depth 9 score mate -12 pv h2e2", thinking,
         "  思考深度：9得分(被杀12)得分 H2-E2"},
        {fromOne.protocol, "info depth 3 score cp 5 pv h3e3 zz h10g8", thinking,
         "  思考深度：3     得分(5)得分 H2-E2 H9-G7"},
        {fromOne.protocol, "info depth 3 score cp 5", thinking, "  思考深度：3     得分(5)得分"},
        {fromOne.protocol, "info depth 3 score", thinking, std::nullopt},
        {fromOne.protocol, "info string depth 3 score cp 5", thinking, std::nullopt},
    };
    for (const Case& c : cases) {
        const EngineEvent event = c.protocol.ReadLine(c.line);
        ASSERT_EQ(event.kind, EngineEvent::Kind::Info) << c.line;
        EXPECT_EQ(ThinkingTexts(event.info, c.context).summaryText, c.summary) << c.line;
    }
}

TEST(ThinkingInfo, ProgressForTheStatusBar) {
    struct Case {
        const EngineProtocol& protocol;
        std::string_view line;
        int startSeconds;
        int nowSeconds;
        std::optional<std::string> progress;
    };
    const EngineSettings defaults;
    const UcciProtocol ucci(defaults);
    const UciSpeaking uci(RankChoice::Auto);
    const Case cases[] = {
        {ucci, "info nodes 5000 time 12", 100, 102,
         "思考过程:  nodes(搜索的局面): 5000   思考时间(毫秒): 2000"},
        {ucci, "info depth 3 score 5 nodes 99999999999 pv h2e2", 10, 11,
         "思考过程:  nodes(搜索的局面): 2147483647   思考时间(毫秒): 1000"},
        // Started at 23:59:58, reported at 00:00:01.
        {ucci, "info nodes 7", 86398, 1, "思考过程:  nodes(搜索的局面): 7   思考时间(毫秒): 3000"},
        // Within the same whole second nothing is shown.
        {ucci, "info nodes 7", 500, 500, std::nullopt},
        {ucci, "info depth 3 score 5 pv h2e2", 100, 102, std::nullopt},
        // A UCI engine's own time is shown, to the millisecond.
        {uci.protocol, "info nodes 5000 time 12", 100, 102,
         "思考过程:  nodes(搜索的局面): 5000   思考时间(毫秒): 12"},
        {uci.protocol, "info nodes 5000 time 0", 100, 102, std::nullopt},
        {uci.protocol, "info nodes 5000", 100, 102,
         "思考过程:  nodes(搜索的局面): 5000   思考时间(毫秒): 2000"},
    };
    for (const Case& c : cases) {
        const ThinkingContext context{.nowSeconds = c.nowSeconds,
                                      .searchStartSeconds = c.startSeconds,
                                      .pondering = false,
                                      .ponderedMoveText = {}};
        EXPECT_EQ(ThinkingTexts(c.protocol.ReadLine(c.line).info, context).progressText, c.progress)
            << c.line;
    }
}

}  // namespace
}  // namespace tarvelle
