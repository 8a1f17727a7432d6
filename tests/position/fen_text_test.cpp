#include "position/fen_text.h"

#include <gtest/gtest.h>

#include <memory>

namespace tarvelle {
namespace {

std::unique_ptr<PositionRecord> RecordOf(std::string_view fen) {
    auto record = std::make_unique<PositionRecord>();
    CchessFen2Board(record.get(), std::string(fen).c_str());
    return record;
}

TEST(FenText, TheGameBoxEndsInZeroAndABlankWithoutAMoveNumber) {
    auto record = RecordOf(kStartFen);
    ASSERT_NE(CchessTryMove(record.get(), nullptr, MakeMoveValue(170, 167)), 0);  // h2e2
    EXPECT_EQ(GameFenText(*record),
              "rnbakabnr/9/1c5c1/p1p1p1p1p/9/9/P1P1P1P1P/1C2C4/9/RNBAKABNR b - - 0 ");
}

TEST(FenText, TheEditorBoxEndsInTheMoveNumber) {
    auto record = RecordOf("4k4/9/9/9/9/9/9/9/9/4K4 b");
    EXPECT_EQ(EditorFenText(*record, 0), "4k4/9/9/9/9/9/9/9/9/4K4 b - - 0 0");
    EXPECT_EQ(EditorFenText(*record, 17), "4k4/9/9/9/9/9/9/9/9/4K4 b - - 0 17");
}

TEST(FenText, TheStartFenIsTheStandardOpening) {
    auto record = RecordOf(kStartFen);
    EXPECT_EQ(EditorFenText(*record, 0), kStartFen);
}

TEST(FenText, OnlyTheFirstLineIsRead) {
    EXPECT_EQ(FirstLine("a b\r\nc"), "a b");
    EXPECT_EQ(FirstLine("a b\nc\r\nd"), "a b");
    EXPECT_EQ(FirstLine("\r\nc"), "");
    EXPECT_EQ(FirstLine("a\rb"), "a\rb") << "a lone carriage return does not end a line";
    EXPECT_EQ(FirstLine("no break"), "no break");
    EXPECT_EQ(FirstLine(""), "");
}

TEST(FenText, TheMoveNumberFollowsTheFirstTail) {
    struct Case {
        std::string_view text;
        int number;
    };
    const Case cases[] = {
        {"4k4/9/9/9/9/9/9/9/9/4K4 w - - 0 1", 1},
        {"4k4/9/9/9/9/9/9/9/9/4K4 w - - 0 0", 0},
        {"4k4/9/9/9/9/9/9/9/9/4K4 w - - 0 42 trailing", 42},
        {"4k4/9/9/9/9/9/9/9/9/4K4 w - - 0 7 - - 0 9", 7},
        {"4k4/9/9/9/9/9/9/9/9/4K4 w - - 0   12", 12},
        {"4k4/9/9/9/9/9/9/9/9/4K4 w - - 0 3.9", 3},
        {"4k4/9/9/9/9/9/9/9/9/4K4 w - - 0 -3.9", -3},
        {"4k4/9/9/9/9/9/9/9/9/4K4 w - - 0 +5", 5},
        {"4k4/9/9/9/9/9/9/9/9/4K4 w - - 0 1e2", 100},
        {"4k4/9/9/9/9/9/9/9/9/4K4 w - - 0 2.5E1x", 25},
        {"4k4/9/9/9/9/9/9/9/9/4K4 w - - 0 99999999999999999999", 32767},
        {"4k4/9/9/9/9/9/9/9/9/4K4 w - - 0 -40000", -32767},
        {"4k4/9/9/9/9/9/9/9/9/4K4 w - - 0 ", 0},
        {"4k4/9/9/9/9/9/9/9/9/4K4 w - - 0 x1", 0},
        {"4k4/9/9/9/9/9/9/9/9/4K4 w - - 0", 0},
        {"4k4/9/9/9/9/9/9/9/9/4K4 w 1 2", 0},
        {"", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(EditorMoveNumber(c.text), c.number) << c.text;
}

}  // namespace
}  // namespace tarvelle
