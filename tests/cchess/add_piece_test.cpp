// Placing and removing single pieces, as the position editor does, and positions without kings.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "position_samples.h"
#include "record_invariants.h"
#include "reference_rules.h"

namespace {

using tarvelle::testing::RecordFaults;

constexpr int Square(int row, int column) {
    return 16 * row + column;
}
constexpr int kRedKing = 16;
constexpr int kBlackKing = 32;
constexpr int kE0 = Square(12, 7);  // Red's king in the opening
constexpr int kE9 = Square(3, 7);   // Black's king in the opening
constexpr int kE4 = Square(8, 7);   // an empty point on Red's side of the river

std::unique_ptr<PositionRecord> FromFen(const char* fen) {
    auto record = std::make_unique<PositionRecord>();
    CchessFen2Board(record.get(), fen);
    return record;
}

// The opening again after both sides moved a horse out and back: four moves of history that an
// edit must either keep or empty.
std::unique_ptr<PositionRecord> OpeningWithHistory() {
    auto record = FromFen(tarvelle::testing::kOpeningFen);
    const int redOut = Square(12, 4) + 256 * Square(10, 5);  // b0-c2
    const int blackOut = Square(3, 4) + 256 * Square(5, 5);  // b9-c7
    for (const int move : {redOut, blackOut, (redOut >> 8) + 256 * (redOut & 0xFF),
                           (blackOut >> 8) + 256 * (blackOut & 0xFF)}) {
        EXPECT_EQ(CchessTryMove(record.get(), nullptr, move), 1);
    }
    return record;
}

bool Same(const PositionRecord& a, const PositionRecord& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

TEST(AddPiece, RefusedArgumentsChangeNothing) {
    const struct {
        int square;
        int code;
    } cases[] = {
        {kE4, 0},           {kE4, 15},           {kE4, 48},
        {kE4, -1},          {kE4, 255},          {kE4, 1 << 20},
        {kE0, 0},           {kE0, 48},           {0, 20},
        {-1, 20},           {Square(2, 7), 20},  {Square(13, 7), 20},
        {Square(8, 2), 20}, {Square(8, 12), 20}, {255, 20},
        {256, 20},          {kE4 + 256, 20},     {1 << 30, 20},
    };
    for (const auto& c : cases) {
        for (const int remove : {0, 1, -7}) {
            auto record = OpeningWithHistory();
            const auto before = std::make_unique<PositionRecord>(*record);
            EXPECT_EQ(CchessAddPiece(record.get(), c.square, c.code, remove), 0)
                << c.square << " " << c.code << " " << remove;
            EXPECT_TRUE(Same(*record, *before)) << c.square << " " << c.code << " " << remove;
        }
    }
    EXPECT_EQ(CchessAddPiece(nullptr, kE4, 20, 0), 0);
}

TEST(AddPiece, RemovingWhatIsNotThereChangesNothing) {
    const struct {
        const char* what;
        int square;
        int code;
    } cases[] = {
        {"empty point", kE4, 27},
        {"another piece stands there", kE0, kBlackKing},
        {"the code stands elsewhere", kE0, 17},
    };
    for (const auto& c : cases) {
        auto record = OpeningWithHistory();
        const auto before = std::make_unique<PositionRecord>(*record);
        EXPECT_EQ(CchessAddPiece(record.get(), c.square, c.code, 1), 0) << c.what;
        EXPECT_TRUE(Same(*record, *before)) << c.what;
    }

    // A code that is off the board stands nowhere, so there is nothing to take off.
    auto record = OpeningWithHistory();
    ASSERT_EQ(CchessAddPiece(record.get(), kE0, kRedKing, 1), 1);
    const auto before = std::make_unique<PositionRecord>(*record);
    EXPECT_EQ(CchessAddPiece(record.get(), kE0, kRedKing, 1), 0);
    EXPECT_EQ(CchessAddPiece(record.get(), kE4, kRedKing, 1), 0);
    EXPECT_EQ(CchessAddPiece(record.get(), 0, kRedKing, 1), 0);
    EXPECT_TRUE(Same(*record, *before));
}

TEST(AddPiece, ACodeOffTheBoardComesBack) {
    auto record = FromFen("4k4/9/9/9/9/9/9/9/9/4K4 w");
    EXPECT_EQ(CchessAddPiece(record.get(), kE4, 27, 0), 1);
    EXPECT_EQ(CchessAddPiece(record.get(), Square(7, 3), 44, 0), 1);
    EXPECT_EQ(RecordFaults(*record), "");
    EXPECT_EQ(CchessBoard2Fen(record.get()), std::string("4k4/9/9/9/p8/4P4/9/9/9/4K4 w"));
    EXPECT_EQ(record->pieceSquares[27], kE4);
    EXPECT_EQ(record->pieceSquares[44], Square(7, 3));
}

// The opening built point by point with the codes FEN reading hands out is the very same record,
// working data included.
TEST(AddPiece, BuildingTheOpeningMatchesReadingIt) {
    const auto read = FromFen(tarvelle::testing::kOpeningFen);
    auto built = std::make_unique<PositionRecord>();
    for (int square = 255; square >= 0; --square) {  // any order will do; take a different one
        if (read->squares[square] != 0) {
            EXPECT_EQ(CchessAddPiece(built.get(), square, read->squares[square], 0), 1);
            EXPECT_EQ(RecordFaults(*built), "");
        }
    }
    EXPECT_TRUE(Same(*built, *read));
}

// Each step acts on the opening; the text shows where everything went.
TEST(AddPiece, PuttingAndTakingOffAsDocumented) {
    const char* const opening = tarvelle::testing::kOpeningFen;
    const struct {
        const char* what;
        int square;
        int code;
        int remove;
        const char* expected;
    } cases[] = {
        {"take off Red's king", kE0, kRedKing, 1,
         "rnbakabnr/9/1c5c1/p1p1p1p1p/9/9/P1P1P1P1P/1C5C1/9/RNBA1ABNR w"},
        {"move Red's fourth pawn from g3 to e4", kE4, 30, 0,
         "rnbakabnr/9/1c5c1/p1p1p1p1p/9/4P4/P1P1P3P/1C5C1/9/RNBAKABNR w"},
        {"put Red's king where it stands", kE0, kRedKing, 0, opening},
        {"move Red's king onto an empty point", kE4, kRedKing, 0,
         "rnbakabnr/9/1c5c1/p1p1p1p1p/9/4K4/P1P1P1P1P/1C5C1/9/RNBA1ABNR w"},
        {"move Black's king onto Red's, which goes off", kE0, kBlackKing, 0,
         "rnba1abnr/9/1c5c1/p1p1p1p1p/9/9/P1P1P1P1P/1C5C1/9/RNBAkABNR w"},
        {"put a black chariot code onto its own square", Square(3, 3), 39, 0, opening},
        {"move a black chariot onto Red's chariot", Square(12, 11), 39, 0,
         "1nbakabnr/9/1c5c1/p1p1p1p1p/9/9/P1P1P1P1P/1C5C1/9/RNBAKABNr w"},
    };
    for (const auto& c : cases) {
        auto record = OpeningWithHistory();
        ASSERT_EQ(CchessBoard2Fen(record.get()), std::string(opening));
        EXPECT_EQ(CchessAddPiece(record.get(), c.square, c.code, c.remove), 1) << c.what;
        EXPECT_EQ(RecordFaults(*record), "") << c.what;
        EXPECT_EQ(CchessBoard2Fen(record.get()), std::string(c.expected)) << c.what;
        EXPECT_EQ(CchessUndoMove(record.get()), 0) << c.what << ": the history was kept";
    }
}

// Seeded edits, sometimes with moves between them, against a plain model of squares and codes.
TEST(AddPiece, RandomEditsFollowAPlainModel) {
    tarvelle::testing::SampleRandom random(77);
    auto record = std::make_unique<PositionRecord>();
    std::array<int, 256> codeAt{};  // board points only
    std::array<int, 48> squareOf{};
    for (int step = 0; step < 4000; ++step) {
        if (random.Chance(15)) {
            std::int32_t moves[CCHESS_MAX_MOVES];
            const int count = CchessLegalMoves(record.get(), moves, CCHESS_MAX_MOVES);
            if (count > 0) {
                const std::int32_t move = moves[random.Below(count)];
                ASSERT_EQ(CchessTryMove(record.get(), nullptr, move), 1);
                const int from = move & 0xFF;
                const int to = move >> 8;
                if (codeAt[static_cast<std::size_t>(to)] != 0) {
                    squareOf[static_cast<std::size_t>(codeAt[static_cast<std::size_t>(to)])] = 0;
                }
                codeAt[static_cast<std::size_t>(to)] = codeAt[static_cast<std::size_t>(from)];
                codeAt[static_cast<std::size_t>(from)] = 0;
                squareOf[static_cast<std::size_t>(codeAt[static_cast<std::size_t>(to)])] = to;
            }
        }
        const int row = random.Chance(95) ? 3 + random.Below(10) : random.Below(16);
        const int column = random.Chance(95) ? 3 + random.Below(9) : random.Below(16);
        const int square = Square(row, column);
        const int code = random.Chance(95) ? 16 + random.Below(32) : random.Below(64);
        const bool remove = random.Chance(30);
        const bool onBoard = row >= 3 && row <= 12 && column >= 3 && column <= 11;
        const bool valid = onBoard && code >= 16 && code <= 47;
        const auto& here = codeAt[static_cast<std::size_t>(square)];

        const auto before = std::make_unique<PositionRecord>(*record);
        int expected = 0;
        if (valid && remove && here == code) {
            squareOf[static_cast<std::size_t>(code)] = 0;
            codeAt[static_cast<std::size_t>(square)] = 0;
            expected = 1;
        } else if (valid && !remove) {
            if (here != code) {
                const int old = squareOf[static_cast<std::size_t>(code)];
                if (old != 0) codeAt[static_cast<std::size_t>(old)] = 0;
                if (here != 0) squareOf[static_cast<std::size_t>(here)] = 0;
                codeAt[static_cast<std::size_t>(square)] = code;
                squareOf[static_cast<std::size_t>(code)] = square;
            }
            expected = 1;
        }
        const std::string what = "step " + std::to_string(step) + ": square " +
                                 std::to_string(square) + " code " + std::to_string(code) +
                                 (remove ? " off" : " on");
        ASSERT_EQ(CchessAddPiece(record.get(), square, code, remove ? 1 : 0), expected) << what;
        ASSERT_EQ(RecordFaults(*record), "") << what;
        if (expected == 0) {
            ASSERT_TRUE(Same(*record, *before)) << what;
            continue;
        }
        for (int s = 0; s < 256; ++s) {
            ASSERT_EQ(record->squares[s], codeAt[static_cast<std::size_t>(s)]) << what;
        }
        for (int c = 16; c < 48; ++c) {
            ASSERT_EQ(record->pieceSquares[c], squareOf[static_cast<std::size_t>(c)]) << what;
        }
        ASSERT_EQ(CchessUndoMove(record.get()), 0) << what << ": the history was kept";
    }
}

namespace ref = tarvelle::reference;

// Without a king a side is never in check and nothing binds its pieces, but every other rule
// holds; the library must agree with the reference on all of it and never fail.
TEST(KinglessPositions, MovesAndStatusesFollowTheRules) {
    constexpr int kCapture = CCHESS_STATUS_CAPTURE;
    constexpr int kCheck = CCHESS_STATUS_CHECK;
    constexpr int kLost = CCHESS_STATUS_LOST;
    const struct {
        const char* what;
        const char* fen;
        int moves;
        // How many moves give each status; empty when only the reference's word is checked.
        std::map<int, int> statuses;
    } cases[] = {
        {"opening without kings",
         "rnba1abnr/9/1c5c1/p1p1p1p1p/9/9/P1P1P1P1P/1C5C1/9/RNBA1ABNR w",
         43,
         {}},
        {"Red has nothing left", "4k4/4r4/9/9/9/9/9/9/9/9 b", 18, {{kLost, 18}}},
        {"Black's lone chariot checks the king",
         "9/9/9/9/9/9/9/9/4r4/4K4 w",
         3,
         {{0, 2}, {kCapture | kLost, 1}}},
        // With no black king the chariot may leave the file it would otherwise guard.
        {"chariot before a king facing no king", "9/9/9/p8/9/4R4/9/9/9/4K4 w", 19, {{0, 19}}},
        {"chariot checks a king whose side has no other piece",
         "4k4/9/9/9/9/9/9/9/9/R8 w",
         17,
         {{0, 15}, {kCheck, 2}}},
        {"empty board", "9/9/9/9/9/9/9/9/9/9 b", 0, {}},
    };
    for (const auto& c : cases) {
        auto record = FromFen(c.fen);
        const ref::Position position = ref::FromRecord(*record);
        const std::vector<ref::Move> legal = ref::LegalMoves(position);
        EXPECT_EQ(static_cast<int>(legal.size()), c.moves) << c.what;
        EXPECT_EQ(CchessLegalMoves(record.get(), nullptr, 0), c.moves) << c.what;
        const auto before = std::make_unique<PositionRecord>(*record);
        std::map<int, int> statuses;
        for (const ref::Move& move : legal) {
            int status = -1;
            ASSERT_EQ(CchessTryMove(record.get(), &status, ref::ToLibraryMove(move)), 1) << c.what;
            EXPECT_EQ(status, ref::StatusOf(position, move)) << c.what;
            ++statuses[status];
            EXPECT_EQ(RecordFaults(*record), "") << c.what;
            ASSERT_EQ(CchessUndoMove(record.get()), 1);
            EXPECT_TRUE(Same(*record, *before)) << c.what;
        }
        if (!c.statuses.empty()) {
            EXPECT_EQ(statuses, c.statuses) << c.what;
        }
    }
}

// Taking a king off in the middle of a game frees the piece that was pinned to it.
TEST(KinglessPositions, RemovingTheKingUnpinsItsPieces) {
    // Red's horse on e2 stands between its king and a black chariot.
    auto record = FromFen("3ak4/4a4/9/9/4r4/9/9/3ANN3/9/3RK2c1 w");
    const int horseToD4 = Square(10, 7) + 256 * Square(8, 6);
    EXPECT_EQ(CchessTryMove(record.get(), nullptr, horseToD4), 0);
    ASSERT_EQ(CchessAddPiece(record.get(), kE0, kRedKing, 1), 1);
    int status = -1;
    EXPECT_EQ(CchessTryMove(record.get(), &status, horseToD4), 1);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(RecordFaults(*record), "");
}

// The soundness check every test here leans on must itself notice damage to the public fields.
TEST(RecordConsistency, DamagedTablesAreNoticed) {
    const auto sound = FromFen(tarvelle::testing::kOpeningFen);
    ASSERT_EQ(CchessRecordIsConsistent(sound.get()), 1);
    const struct {
        const char* what;
        void (*damage)(PositionRecord&);
    } cases[] = {
        {"side 2", [](PositionRecord& r) { r.side = 2; }},
        {"side -1", [](PositionRecord& r) { r.side = -1; }},
        {"piece table points at an empty point",
         [](PositionRecord& r) { r.pieceSquares[16] = kE4; }},
        {"piece on a point its code does not name", [](PositionRecord& r) { r.squares[kE4] = 16; }},
        {"a code that is no piece", [](PositionRecord& r) { r.squares[kE0] = 50; }},
        {"a piece off the board",
         [](PositionRecord& r) {
             r.squares[kE0] = 0;
             r.squares[Square(13, 7)] = 16;
             r.pieceSquares[16] = Square(13, 7);
         }},
    };
    for (const auto& c : cases) {
        auto damaged = std::make_unique<PositionRecord>(*sound);
        c.damage(*damaged);
        EXPECT_EQ(CchessRecordIsConsistent(damaged.get()), 0) << c.what;
        EXPECT_NE(RecordFaults(*damaged), "") << c.what;
    }
    EXPECT_EQ(CchessRecordIsConsistent(nullptr), 0);
}

}  // namespace
