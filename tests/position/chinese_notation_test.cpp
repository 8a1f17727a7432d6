#include "position/chinese_notation.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "position/fen_text.h"

namespace tarvelle {
namespace {

std::unique_ptr<PositionRecord> RecordOf(std::string_view fen) {
    auto record = std::make_unique<PositionRecord>();
    CchessFen2Board(record.get(), std::string(fen).c_str());
    return record;
}

// "h2e2" in the engine's coordinates.
MoveValue Move(std::string_view text) {
    const auto square = [](char file, char rank) {
        return SquareAt(12 - (rank - '0'), 3 + (file - 'a'));
    };
    return MakeMoveValue(square(text[0], text[1]), square(text[2], text[3]));
}

struct NotationCase {
    const char* fen;
    const char* move;
    const char* text;
};

class ChineseMoveTextTest : public ::testing::TestWithParam<NotationCase> {};

TEST_P(ChineseMoveTextTest, NamesTheMoveAsBooksDo) {
    const NotationCase& c = GetParam();
    EXPECT_EQ(ChineseMoveText(*RecordOf(c.fen), Move(c.move)), c.text) << c.fen << " " << c.move;
}

constexpr const char* kTandemChariots = "4k4/9/9/9/9/4R4/9/4R4/9/3K5 w";
constexpr const char* kRedPawnTrio = "4k4/9/9/2P6/2P6/2P6/9/9/9/4K4 w";
constexpr const char* kBlackPawnTrio = "4k4/9/9/9/2p6/2p6/2p6/9/9/4K4 b";
constexpr const char* kPawnsOnTwoFiles = "4k4/9/9/2P1P4/2P1P4/9/9/9/9/3K5 w";
constexpr const char* kTandemBlackCannons = "3k5/9/4c4/9/4c4/9/9/9/9/4K4 b";
constexpr const char* kRetreats = "3k5/4a4/9/9/9/2N3r2/9/9/4A4/4K4 w";

INSTANTIATE_TEST_SUITE_P(
    Table, ChineseMoveTextTest,
    ::testing::Values(
        // Every kind of piece from the opening, Red counting files from the right in numerals.
        NotationCase{kStartFen.data(), "h2e2", "炮二平五"},
        NotationCase{kStartFen.data(), "h0g2", "马二进三"},
        NotationCase{kStartFen.data(), "c0e2", "相七进五"},
        NotationCase{kStartFen.data(), "f0e1", "仕四进五"},
        NotationCase{kStartFen.data(), "a0a1", "车九进一"},
        NotationCase{kStartFen.data(), "e3e4", "兵五进一"},
        NotationCase{kStartFen.data(), "e0e1", "帅五进一"},
        // Black counts from its own right in digits, and forward is down the board.
        NotationCase{kStartFen.data(), "h9g7", "马8进7"},
        NotationCase{kStartFen.data(), "b7e7", "炮2平5"},
        NotationCase{kStartFen.data(), "e9e8", "将5进1"},
        NotationCase{kStartFen.data(), "g9e7", "象7进5"},
        NotationCase{kStartFen.data(), "c6c5", "卒3进1"},
        // Back: straight pieces count ranks, the others name the file they reach.
        NotationCase{kRetreats, "c4d2", "马七退六"}, NotationCase{kRetreats, "g4g9", "车7退5"},
        NotationCase{kRetreats, "e8d9", "士5退4"}, NotationCase{kRetreats, "e1f0", "仕五退四"},
        // Tandem pieces are told apart by place, front first from the mover's side.
        NotationCase{kTandemChariots, "e4e6", "前车进二"},
        NotationCase{kTandemChariots, "e2d2", "后车平六"},
        NotationCase{kTandemBlackCannons, "e5e1", "前炮进4"},
        NotationCase{kTandemBlackCannons, "e7a7", "后炮平1"},
        NotationCase{kRedPawnTrio, "c6c7", "前兵进一"},
        NotationCase{kRedPawnTrio, "c5b5", "中兵平八"},
        NotationCase{kRedPawnTrio, "c4c5", "后兵进一"},
        NotationCase{kBlackPawnTrio, "c3c2", "前卒进1"},
        NotationCase{kBlackPawnTrio, "c4d4", "中卒平4"},
        NotationCase{kBlackPawnTrio, "c5c4", "后卒进1"},
        // With tandem pawns on two files the place word comes with the file.
        NotationCase{kPawnsOnTwoFiles, "c6c7", "前七进一"},
        NotationCase{kPawnsOnTwoFiles, "e5d5", "后五平六"},
        // An empty from-square names no move.
        NotationCase{kStartFen.data(), "e5e6", ""}));

TEST(ChineseMoveLine, NumbersEachRedMoveWithBlacksReply) {
    const std::vector<MoveValue> line = {Move("h2e2"), Move("h9g7"), Move("h0g2")};
    EXPECT_EQ(ChineseMoveLine(*RecordOf(kStartFen), line), "1. 炮二平五 马8进7 2. 马二进三");
}

TEST(ChineseMoveLine, ALineBlackBeginsHasAnEmptyRedHalfFirst) {
    const std::vector<MoveValue> line = {Move("h9g7"), Move("h2e2")};
    EXPECT_EQ(ChineseMoveLine(
                  *RecordOf("rnbakabnr/9/1c5c1/p1p1p1p1p/9/9/P1P1P1P1P/1C5C1/9/RNBAKABNR b"), line),
              "1. … 马8进7 2. 炮二平五");
}

TEST(ChineseMoveLine, EndsBeforeAMoveTheRulesRefuse) {
    const std::vector<MoveValue> line = {Move("h2e2"), Move("h9h5"), Move("h0g2")};
    EXPECT_EQ(ChineseMoveLine(*RecordOf(kStartFen), line), "1. 炮二平五");
}

}  // namespace
}  // namespace tarvelle
