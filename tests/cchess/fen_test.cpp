// FEN reading and writing: exact round trips for clean texts, and for damaged ones a sound record,
// the documented repair and a return value of 0.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <thread>

#include "position_samples.h"
#include "record_invariants.h"
#include "reference_rules.h"

namespace {

using tarvelle::testing::RecordFaults;

const std::string kOpening = tarvelle::testing::kOpeningFen;
const std::string kEmptyBoard = "9/9/9/9/9/9/9/9/9/9 w";

std::string FenOf(const PositionRecord& record) {
    return CchessBoard2Fen(&record);
}

// A record that has been played on, so that every parse starts from a used history.
std::unique_ptr<PositionRecord> PlayedRecord() {
    auto record = std::make_unique<PositionRecord>();
    CchessFen2Board(record.get(), kOpening.c_str());
    std::int32_t moves[CCHESS_MAX_MOVES];
    for (int ply = 0; ply < 6; ++ply) {
        CchessLegalMoves(record.get(), moves, CCHESS_MAX_MOVES);
        CchessTryMove(record.get(), nullptr, moves[ply % 3]);
    }
    return record;
}

TEST(Fen, CleanTextsRoundTripExactly) {
    const char* const fens[] = {
        tarvelle::testing::kOpeningFen,
        "rnbakabnr/9/1c5c1/p1p1p1p1p/9/9/P1P1P1P1P/1C5C1/9/RNBAKABNR b",
        "9/9/9/9/9/9/9/9/9/9 w",
        "9/9/9/9/9/9/9/9/9/9 b",
        "r1bakab1r/9/1cn3n2/p1p1p3p/6p2/2P6/P3P1P1P/1C2C1N2/9/RNBAKAB1R w",
        "3aka3/9/9/9/9/9/4C4/4C4/9/3K5 b",
        // Kings, advisors and elephants off their points, pawns on their own back rank.
        "K7k/B1A6/9/4a4/9/9/b7P/9/1p7/8B b",
        "ppppp4/PPPPP4/rrRR5/nnNN5/ccCC5/bbBB5/aaAA5/kK7/9/9 w",
    };
    for (const char* fen : fens) {
        auto record = PlayedRecord();
        EXPECT_EQ(CchessFen2Board(record.get(), fen), 1) << fen;
        EXPECT_EQ(RecordFaults(*record), "") << fen;
        const std::string text = FenOf(*record);
        EXPECT_EQ(text, fen);
        // Codes are handed out in reading order, so reading the text again gives the very bytes.
        auto again = std::make_unique<PositionRecord>();
        EXPECT_EQ(CchessFen2Board(again.get(), text.c_str()), 1) << fen;
        EXPECT_EQ(std::memcmp(again.get(), record.get(), sizeof *record), 0) << fen;
        EXPECT_EQ(CchessUndoMove(record.get()), 0) << "history survived reading " << fen;
    }
}

// Whatever codes a placement used, its text reads back as the same pieces on the same points.
TEST(Fen, RandomArrangementsRoundTrip) {
    auto parsed = std::make_unique<PositionRecord>();
    tarvelle::testing::ForEachArrangement(555, 500, [&](const PositionRecord& record) {
        const std::string text = FenOf(record);
        ASSERT_EQ(CchessFen2Board(parsed.get(), text.c_str()), 1) << text;
        ASSERT_EQ(RecordFaults(*parsed), "") << text;
        EXPECT_EQ(FenOf(*parsed), text);
        for (int square = 0; square < 256; ++square) {
            const auto a = tarvelle::reference::PieceOfCode(record.squares[square]);
            const auto b = tarvelle::reference::PieceOfCode(parsed->squares[square]);
            ASSERT_TRUE(a.kind == b.kind && a.side == b.side) << text << " at " << square;
        }
    });
}

TEST(Fen, FieldsAndBlanksAroundACompleteText) {
    const std::string placement = kOpening.substr(0, kOpening.size() - 2);
    const struct {
        std::string text;
        std::string expected;
    } cases[] = {
        {kOpening + " - - 0 1", kOpening},
        {"  \t" + kOpening, kOpening},
        {placement + "\tw", kOpening},
        {placement + "\r\n b", placement + " b"},
        {placement + " W", kOpening},
        {placement + " r", kOpening},
        {placement + " R", kOpening},
        {placement + " B", placement + " b"},
        {placement + " b 3 40", placement + " b"},
        {kOpening + " " + std::string(1 << 20, 'x'), kOpening},
    };
    for (const auto& c : cases) {
        auto record = PlayedRecord();
        EXPECT_EQ(CchessFen2Board(record.get(), c.text.c_str()), 1) << c.text.substr(0, 120);
        EXPECT_EQ(FenOf(*record), c.expected);
        EXPECT_EQ(RecordFaults(*record), "");
    }
}

TEST(Fen, ElephantAndHorseAliasesReadAsTheUsualLetters) {
    auto usual = std::make_unique<PositionRecord>();
    ASSERT_EQ(CchessFen2Board(usual.get(), kOpening.c_str()), 1);
    for (const char* alias : {"rheakaehr/9/1c5c1/p1p1p1p1p/9/9/P1P1P1P1P/1C5C1/9/RHEAKAEHR w",
                              "rhbakaenr/9/1c5c1/p1p1p1p1p/9/9/P1P1P1P1P/1C5C1/9/RNEAKABHR w"}) {
        auto record = std::make_unique<PositionRecord>();
        EXPECT_EQ(CchessFen2Board(record.get(), alias), 1) << alias;
        EXPECT_EQ(std::memcmp(record.get(), usual.get(), sizeof *record), 0) << alias;
    }
    // An alias counts against the same codes: a third elephant is one too many however spelt.
    auto record = std::make_unique<PositionRecord>();
    EXPECT_EQ(CchessFen2Board(record.get(), "BEE6/9/9/9/9/9/9/9/9/hnh6 w"), 0);
    EXPECT_EQ(FenOf(*record), "BB7/9/9/9/9/9/9/9/9/nn7 w");
}

// Texts that need repair: the record is rebuilt as far as the text makes sense, and 0 says so.
TEST(Fen, DamagedTextsAreRepairedAsDocumented) {
    const std::string ranks8 = "rnbakabnr/9/1c5c1/p1p1p1p1p/9/9/P1P1P1P1P/1C5C1";
    const struct {
        const char* what;
        std::string text;
        std::string expected;
    } cases[] = {
        {"rank too long by a digit", "rnbakabnr1/" + kOpening.substr(10), kOpening},
        {"rank too long by a piece", "rnbakabnrp/" + kOpening.substr(10), kOpening},
        {"rank too short", "rnbakabn/" + kOpening.substr(10), "rnbakabn1/" + kOpening.substr(10)},
        {"digits past the end of a rank", "99/9/9/9/9/9/9/9/9/9 w", kEmptyBoard},
        {"two ranks run together", "rnbakabnr9/1c5c1/p1p1p1p1p/9/9/P1P1P1P1P/1C5C1/9/RNBAKABNR/9 w",
         "rnbakabnr/1c5c1/p1p1p1p1p/9/9/P1P1P1P1P/1C5C1/9/RNBAKABNR/9 w"},
        {"eleventh rank", ranks8 + "/9/RNBAKABNR/9 w", kOpening},
        {"eleventh rank with pieces", ranks8 + "/9/RNBAKABNR/ppp6 w", kOpening},
        {"separator after the tenth rank", ranks8 + "/9/RNBAKABNR/ w", kOpening},
        {"nine ranks", ranks8 + "/9 w", ranks8 + "/9/9 w"},
        {"unknown letter", ranks8 + "/9/RNBAKXABNR w", kOpening},
        {"punctuation", ranks8 + "/9/RNBA-KABNR w", kOpening},
        {"non-ASCII bytes in a rank", ranks8 + "/9/RNBA\xE5\xB8\x85KABNR w", kOpening},
        {"third chariot", "rrr6/9/9/9/9/9/9/9/9/9 w", "rr7/9/9/9/9/9/9/9/9/9 w"},
        {"third horse among others", "nNnNnN3/9/9/9/9/9/9/9/9/9 w", "nNnN5/9/9/9/9/9/9/9/9/9 w"},
        {"third cannon, advisor and elephant", "9/9/9/9/CCC6/AAA6/BBB6/9/9/9 w",
         "9/9/9/9/CC7/AA7/BB7/9/9/9 w"},
        {"sixth pawn", "pppppp3/9/9/9/9/9/9/9/9/PPPPPP3 w", "ppppp4/9/9/9/9/9/9/9/9/PPPPP4 w"},
        {"second king", "4k4/9/9/9/9/9/9/9/9/3KK1k2 w", "4k4/9/9/9/9/9/9/9/9/3K5 w"},
        {"missing side", kOpening.substr(0, kOpening.size() - 2), kOpening},
        {"blank but no side", kOpening.substr(0, kOpening.size() - 1), kOpening},
        {"non-ASCII side", kOpening.substr(0, kOpening.size() - 1) + "\xC3\xA9", kOpening},
        {"unknown side letter", kOpening.substr(0, kOpening.size() - 1) + "x", kOpening},
        {"empty text", "", kEmptyBoard},
        {"blanks only", " \t\r\n ", kEmptyBoard},
        {"side only", "w", kEmptyBoard},
        {"a megabyte of chariots", std::string(1 << 20, 'r'), "rr7/9/9/9/9/9/9/9/9/9 w"},
        {"a megabyte of separators", std::string(1 << 20, '/'), kEmptyBoard},
        {"a megabyte of digits", std::string(1 << 20, '9'), kEmptyBoard},
        {"a megabyte of high bytes", std::string(1 << 20, '\xFF'), kEmptyBoard},
    };
    for (const auto& c : cases) {
        auto record = PlayedRecord();
        EXPECT_EQ(CchessFen2Board(record.get(), c.text.c_str()), 0) << c.what;
        EXPECT_EQ(RecordFaults(*record), "") << c.what;
        EXPECT_EQ(FenOf(*record), c.expected) << c.what;
        EXPECT_EQ(CchessUndoMove(record.get()), 0) << c.what;
    }
}

TEST(Fen, RandomBytesGiveSoundRecords) {
    tarvelle::testing::SampleRandom random(8);
    auto record = std::make_unique<PositionRecord>();
    // Bytes drawn mostly from FEN's own alphabet, so that the text gets deep into the parser.
    const std::string alphabet = "rnbakcpRNBAKCPeEhH0123456789//// wb\t-\xC3\x80";
    for (int round = 0; round < 2000; ++round) {
        std::string text;
        const int length = random.Below(160);
        for (int i = 0; i < length; ++i) {
            text += random.Chance(90) ? alphabet[static_cast<std::size_t>(
                                            random.Below(static_cast<int>(alphabet.size())))]
                                      : static_cast<char>(random.Below(256));
        }
        const int result = CchessFen2Board(record.get(), text.c_str());
        ASSERT_EQ(RecordFaults(*record), "") << text;
        // A text read as clean must be exactly what the record writes back, up to digit
        // spelling and the fields after the side.
        if (result == 1) {
            auto again = std::make_unique<PositionRecord>();
            ASSERT_EQ(CchessFen2Board(again.get(), FenOf(*record).c_str()), 1) << text;
            EXPECT_EQ(std::memcmp(again.get(), record.get(), sizeof *record), 0) << text;
        }
    }
}

TEST(Fen, NullTextReadsAsEmptyAndNullRecordIsRefused) {
    auto record = PlayedRecord();
    EXPECT_EQ(CchessFen2Board(record.get(), nullptr), 0);
    EXPECT_EQ(RecordFaults(*record), "");
    EXPECT_EQ(FenOf(*record), kEmptyBoard);
    EXPECT_EQ(CchessUndoMove(record.get()), 0);
    EXPECT_EQ(CchessFen2Board(nullptr, kOpening.c_str()), 0);
}

// Digits may be split any way that adds up to the rank; the text written back is canonical.
TEST(Fen, SplitDigitsAreCleanAndComeBackJoined) {
    auto record = std::make_unique<PositionRecord>();
    EXPECT_EQ(CchessFen2Board(record.get(),
                              "rnbakabnr/54/1c23c1/p1p1p1p1p/9/9/P1P1P1P1P/1C5C1/111111111/"
                              "RNBAKABNR w"),
              1);
    EXPECT_EQ(FenOf(*record), kOpening);
}

TEST(Fen, AllZeroRecordIsTheEmptyBoardWithRedToMove) {
    const auto zeroed = std::make_unique<PositionRecord>();
    EXPECT_EQ(FenOf(*zeroed), kEmptyBoard);
    EXPECT_EQ(RecordFaults(*zeroed), "");
    EXPECT_EQ(CchessLegalMoves(zeroed.get(), nullptr, 0), 0);
}

// Each thread writes into a text of its own, so texts made at the same time do not mix.
TEST(Fen, TextsOfDifferentThreadsStayApart) {
    const std::string texts[2] = {kOpening, tarvelle::testing::MiddleGameFens()[1]};
    int mixed[2] = {0, 0};
    auto work = [&](int index) {
        auto record = std::make_unique<PositionRecord>();
        CchessFen2Board(record.get(), texts[index].c_str());
        for (int round = 0; round < 20000; ++round) {
            const char* text = CchessBoard2Fen(record.get());
            if (texts[index] != text) ++mixed[index];
        }
    };
    std::thread other(work, 1);
    work(0);
    other.join();
    EXPECT_EQ(mixed[0], 0);
    EXPECT_EQ(mixed[1], 0);
}

}  // namespace
