#include "position/position_record.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

namespace tarvelle {
namespace {

TEST(PieceCodes, OwnershipFollowsTheSideBits) {
    for (int code = 16; code < 32; ++code) {
        const auto piece = static_cast<PieceCode>(code);
        EXPECT_TRUE(IsRedPiece(piece)) << code;
        EXPECT_TRUE(IsOwnPiece(piece, kRedSide)) << code;
        EXPECT_FALSE(IsOwnPiece(piece, kBlackSide)) << code;
    }
    for (int code = 32; code < 48; ++code) {
        const auto piece = static_cast<PieceCode>(code);
        EXPECT_FALSE(IsRedPiece(piece)) << code;
        EXPECT_TRUE(IsOwnPiece(piece, kBlackSide)) << code;
        EXPECT_FALSE(IsOwnPiece(piece, kRedSide)) << code;
    }
    EXPECT_FALSE(IsOwnPiece(0, kRedSide));
    EXPECT_FALSE(IsOwnPiece(0, kBlackSide));
}

TEST(PieceCodes, TypesGroupTheOffsetsOfEachSide) {
    const PieceType byOffset[16] = {kKingType,     kAdvisorType, kAdvisorType, kElephantType,
                                    kElephantType, kHorseType,   kHorseType,   kChariotType,
                                    kChariotType,  kCannonType,  kCannonType,  kPawnType,
                                    kPawnType,     kPawnType,    kPawnType,    kPawnType};
    for (int offset = 0; offset < 16; ++offset) {
        EXPECT_EQ(PieceTypeOf(static_cast<PieceCode>(16 + offset)), byOffset[offset]) << offset;
        EXPECT_EQ(PieceTypeOf(static_cast<PieceCode>(32 + offset)), byOffset[offset]) << offset;
    }
}

// The piece types must name the same kinds as the rules library's letters: a record read from a
// FEN holds each letter's kind under the matching type.
TEST(PieceCodes, TypesAgreeWithTheRulesLibrary) {
    auto record = std::make_unique<PositionRecord>();
    CchessFen2Board(record.get(), "4k4/9/9/9/9/9/9/9/9/RNBAKCP2 w");
    const PieceType expected[] = {kChariotType, kHorseType,  kElephantType, kAdvisorType,
                                  kKingType,    kCannonType, kPawnType};
    for (int column = 3; column < 10; ++column) {
        const PieceCode code = record->squares[SquareAt(12, column)];
        ASSERT_NE(code, 0) << column;
        EXPECT_EQ(PieceTypeOf(code), expected[column - 3]) << column;
    }
}

TEST(Squares, CoordinateTextNamesTheCorners) {
    EXPECT_EQ(SquareCoordText(51), "a9");
    EXPECT_EQ(SquareCoordText(203), "i0");
    EXPECT_EQ(SquareCoordText(SquareAt(10, 10)), "h2");
}

TEST(Squares, BoardPointsAreTheNinetyPointsOfTheGrid) {
    int points = 0;
    for (Square square = 0; square < 256; ++square)
        points += IsBoardPoint(square) ? 1 : 0;
    EXPECT_EQ(points, 90);
    EXPECT_TRUE(IsBoardPoint(51));
    EXPECT_TRUE(IsBoardPoint(203));
    EXPECT_FALSE(IsBoardPoint(50));
    EXPECT_FALSE(IsBoardPoint(204));
    EXPECT_FALSE(IsBoardPoint(SquareAt(13, 3)));
}

TEST(Moves, PackFromAndToIntoOneValue) {
    EXPECT_EQ(MakeMoveValue(170, 167), 42922);
    EXPECT_EQ(MoveFrom(42922), 170);
    EXPECT_EQ(MoveTo(42922), 167);
}

// A copy is a value of its own: taking back a move on it leaves the original where it was.
TEST(Records, ACopyCarriesItsOwnHistory) {
    auto original = std::make_unique<PositionRecord>();
    CchessFen2Board(original.get(),
                    "rnbakabnr/9/1c5c1/p1p1p1p1p/9/9/P1P1P1P1P/1C5C1/9/RNBAKABNR w");
    ASSERT_NE(CchessTryMove(original.get(), nullptr, MakeMoveValue(170, 167)), 0);  // h2e2

    auto copy = std::make_unique<PositionRecord>(*original);
    EXPECT_EQ(std::memcmp(copy.get(), original.get(), sizeof(PositionRecord)), 0);
    EXPECT_EQ(CchessUndoMove(copy.get()), 1);
    EXPECT_EQ(copy->squares[170], original->squares[167]);
    EXPECT_EQ(original->side, kBlackSide);
    EXPECT_EQ(copy->side, kRedSide);
    EXPECT_EQ(CchessUndoMove(original.get()), 1);
    EXPECT_EQ(std::memcmp(copy.get(), original.get(), sizeof(PositionRecord)), 0);
}

}  // namespace
}  // namespace tarvelle
