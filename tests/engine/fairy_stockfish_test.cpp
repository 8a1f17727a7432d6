// The engine link against the real default engine, Fairy-Stockfish, as a new user meets it, and
// spoken to in UCI as the settings may choose: it answers the handshake, ignores the options it does
// not know, searches, ponders and stops.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "child_processes.h"
#include "link_harness.h"
#include "position/fen_text.h"

namespace tarvelle {
namespace {

bool IsDisplayMove(std::string_view text) {
    const auto file = [](char c) { return c >= 'A' && c <= 'I'; };
    const auto rank = [](char c) { return c >= '0' && c <= '9'; };
    return text.size() == 5 && file(text[0]) && rank(text[1]) && text[2] == '-' && file(text[3]) &&
           rank(text[4]);
}

// Depth, score and a principal variation of at least one move, with the pondered move in
// parentheses before it or not.
bool IsThinkingSummary(const std::string& text) {
    std::istringstream split(text);
    std::vector<std::string> words;
    for (std::string word; split >> word;)
        words.push_back(word);
    if (words.size() < 3 || !words[0].starts_with("思考深度：") || !words[1].starts_with("得分(") ||
        !words[1].ends_with(")得分")) {
        return false;
    }
    std::size_t next = 2;
    const std::string& first = words[next];
    if (first.size() == 7 && first.front() == '(' && first.back() == ')' &&
        IsDisplayMove(std::string_view(first).substr(1, 5))) {
        ++next;
    }
    return next < words.size() &&
           std::all_of(words.begin() + static_cast<std::ptrdiff_t>(next), words.end(),
                       [](const std::string& word) { return IsDisplayMove(word); });
}

class FairyStockfishTest : public ::testing::TestWithParam<ProtocolChoice> {
protected:
    void SetUp() override {
        if (std::string_view(TARVELLE_DEFAULT_ENGINE).empty()) {
            GTEST_SKIP() << "fairy-stockfish is not installed (Debian package fairy-stockfish); "
                            "the tests against the real engine are skipped";
        }
        game =
            std::make_unique<testing::LinkHarness>(TARVELLE_DEFAULT_ENGINE, clock, kStartFen, true);
        // 6^5 = 7776 nodes: a real search that ends in moments.
        game->settings.searchLevel = -3;
        game->settings.paceFactor = 0;
        game->engineSettings.protocol = GetParam();
        ASSERT_TRUE(game->StartEngine());
        // On auto it is found to speak UCCI; in UCI it offers UCI_Variant and counts ranks from 1.
        EXPECT_EQ(game->link.EngineRanks(), GetParam() == ProtocolChoice::Uci
                                                ? RankNumbering::FromOne
                                                : RankNumbering::FromZero);
    }

    // A legal move for the side to move other than `other`.
    MoveValue AnotherLegalMove(MoveValue other) const {
        MoveValue moves[CCHESS_MAX_MOVES];
        const int count = CchessLegalMoves(&game->position, moves, CCHESS_MAX_MOVES);
        for (int k = 0; k < count; ++k) {
            if (moves[k] != other) return moves[k];
        }
        return 0;
    }

    SystemClock clock;
    std::unique_ptr<testing::LinkHarness> game;
};

TEST_P(FairyStockfishTest, QuitLeavesNoEngineProcess) {
    EXPECT_EQ(testing::ChildrenOfThisProcess().size(), 1u);
    game->link.Quit();
    EXPECT_EQ(game->link.State(), EngineState::Unloaded);
    EXPECT_TRUE(testing::ChildrenOfThisProcess().empty());
}

TEST_P(FairyStockfishTest, PlaysItsMovePondersTakesThePonderHitAndStopsOnAnotherMove) {
    ASSERT_TRUE(game->RunUntilMoves(1));
    EXPECT_EQ(game->screen.fenText, GameFenText(game->position));
    EXPECT_TRUE(IsThinkingSummary(game->screen.thinkingText)) << game->screen.thinkingText;

    ASSERT_EQ(game->link.State(), EngineState::Pondering);
    ASSERT_TRUE(game->game.PlayMove(game->link.PonderedMove()));
    EXPECT_EQ(game->link.State(), EngineState::Thinking);
    ASSERT_TRUE(game->RunUntilMoves(3));

    ASSERT_EQ(game->link.State(), EngineState::Pondering);
    ASSERT_TRUE(game->game.PlayMove(AnotherLegalMove(game->link.PonderedMove())));
    EXPECT_EQ(game->link.State(), EngineState::Ready);
    ASSERT_TRUE(game->RunUntilMoves(5));
    EXPECT_TRUE(IsThinkingSummary(game->screen.thinkingText)) << game->screen.thinkingText;
}

INSTANTIATE_TEST_SUITE_P(Protocols, FairyStockfishTest,
                         ::testing::Values(ProtocolChoice::Auto, ProtocolChoice::Uci),
                         [](const ::testing::TestParamInfo<ProtocolChoice>& tested) {
                             return tested.param == ProtocolChoice::Uci ? "Uci" : "Auto";
                         });

}  // namespace
}  // namespace tarvelle
