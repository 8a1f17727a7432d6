// Numbers in engine lines and FEN boxes.
#include "position/number_text.h"

#include <gtest/gtest.h>

namespace tarvelle {
namespace {

TEST(NumberText, ReadsLikeADecimalFloatingPointParseThenTruncatesAndClamps) {
    struct Case {
        std::string_view text;
        std::int32_t int32;
        std::int16_t int16;
    };
    const Case cases[] = {
        {"23 pv h2e2", 23, 23},
        {"  \t-17 nodes", -17, -17},
        {"+8", 8, 8},
        {"3.99", 3, 3},
        {"-3.99", -3, -3},
        {".5", 0, 0},
        {"1e3", 1000, 1000},
        {"1.5E2x", 150, 150},
        {"25e-1", 2, 2},
        {"7e", 7, 7},  // no digit after the letter: no exponent
        {"7e+", 7, 7},
        {"12e-9999999", 0, 0},
        {"abc", 0, 0},  // a depth given as letters
        {"", 0, 0},
        {"-", 0, 0},
        {"+-5", 0, 0},
        {"40000", 40000, 32767},
        {"-40000", -40000, -32767},
        {"2147483648", 2147483647, 32767},
        {"-99999999999999999999999", -2147483647, -32767},
        {"1e400", 2147483647, 32767},
        {"0.00001e7", 100, 100},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TextToInt32(c.text), c.int32) << c.text;
        EXPECT_EQ(TextToInt16(c.text), c.int16) << c.text;
    }
}

}  // namespace
}  // namespace tarvelle
