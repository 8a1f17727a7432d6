// The shipped puzzle collection as the program reads it: GBK text with CR LF lines, numbered rows,
// and positions that could arise in a game. The engine's confirmation of the mates is the slow
// test of tools/puzzles.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "assets/opening_puzzle.h"
#include "cchess/cchess.h"
#include "game/puzzle_list.h"
#include "mate_search.h"

namespace tarvelle {
namespace {

const std::string kCollectionPath = TARVELLE_PUZZLE_COLLECTION;

std::string FileBytes() {
    std::ifstream file(kCollectionPath, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

std::size_t Occurrences(std::string_view text, std::string_view part) {
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string_view::npos;
         at = text.find(part, at + part.size()))
        ++count;
    return count;
}

// Whether a piece of this kind can stand on the point; rows are counted from its own home rank.
bool Reachable(char kind, int ownRow, int column) {
    const bool inPalace = ownRow <= 2 && column >= 3 && column <= 5;
    switch (kind) {
        case 'k':
            return inPalace;
        case 'a':
            return inPalace && (ownRow + column) % 2 == 1;
        case 'b':
            return ownRow <= 4 && ownRow % 2 == 0 && column % 2 == 0 &&
                   (ownRow / 2 + column / 2) % 2 == 1;
        case 'p':
            return ownRow >= 5 || ((ownRow == 3 || ownRow == 4) && column % 2 == 0);
        default:
            return true;
    }
}

// Why the position could not come up in a game, or "" when it could. Expects a FEN the rules
// library reads without repair.
std::string PositionFault(const std::string& fen) {
    std::array<std::array<char, 9>, 10> grid{};
    std::map<char, int> counts;
    int row = 0;
    int column = 0;
    for (const char c : std::string_view(fen).substr(0, fen.find(' '))) {
        if (c == '/') {
            ++row;
            column = 0;
        } else if (c >= '1' && c <= '9') {
            column += c - '0';
        } else {
            const bool red = c >= 'A' && c <= 'Z';
            const char kind = static_cast<char>(red ? c - 'A' + 'a' : c);
            if (!Reachable(kind, red ? 9 - row : row, column))
                return std::string(1, c) + " off its points";
            grid[static_cast<std::size_t>(row)][static_cast<std::size_t>(column++)] = c;
            ++counts[c];
        }
    }
    const std::map<char, int> kStartCounts{{'k', 1}, {'a', 2}, {'b', 2}, {'n', 2},
                                           {'r', 2}, {'c', 2}, {'p', 5}};
    for (const auto& [kind, most] : kStartCounts) {
        const char red = static_cast<char>(kind - 'a' + 'A');
        if (counts[kind] > most || counts[red] > most) return std::string("too many ") + kind;
    }

    PositionRecord record;
    if (CchessFen2Board(&record, fen.c_str()) != 1) return "not read cleanly";
    const int mover = record.side;
    const int moverKing = record.pieceSquares[16 + 16 * mover];
    const int waitingKing = record.pieceSquares[16 + 16 * (1 - mover)];
    if (moverKing == 0 || waitingKing == 0) return "a king is missing";
    if (moverKing % 16 == waitingKing % 16) {
        const int step = moverKing < waitingKing ? 16 : -16;
        int square = moverKing + step;
        while (square != waitingKing && record.squares[square] == 0)
            square += step;
        if (square == waitingKing) return "the kings face each other";
    }
    // Without its own king the side to move has every move of its pieces listed, so a capture of
    // the other king shows even when the capture would be illegal because it is in check itself.
    CchessAddPiece(&record, moverKing, 16 + 16 * mover, 1);
    std::array<int32_t, CCHESS_MAX_MOVES> moves{};
    const int count = CchessLegalMoves(&record, moves.data(), CCHESS_MAX_MOVES);
    for (int i = 0; i < count && i < CCHESS_MAX_MOVES; ++i) {
        if (moves[static_cast<std::size_t>(i)] / 256 == waitingKing)
            return "side not to move in check";
    }
    return "";
}

TEST(PuzzleCollection, IsGbkTextWithCrLfLines) {
    const std::string bytes = FileBytes();
    ASSERT_FALSE(bytes.empty()) << kCollectionPath;
    // Decoding changes the bytes only when they are not UTF-8, and gives U+FFFD only for
    // sequences GBK does not know.
    const std::string text = DecodePuzzleText(bytes);
    EXPECT_NE(text, bytes) << "not GBK, or no Chinese in it";
    EXPECT_EQ(text.find("\xEF\xBF\xBD"), std::string::npos) << "a byte sequence GBK does not know";
    EXPECT_TRUE(bytes.ends_with("\r\n"));
    // Every CR and every LF belongs to a CR LF pair.
    EXPECT_EQ(Occurrences(bytes, "\r\n"), Occurrences(bytes, "\r"));
    EXPECT_EQ(Occurrences(bytes, "\r\n"), Occurrences(bytes, "\n"));
}

TEST(PuzzleCollection, RowsAreNumberedInOrderAndEndWithTheOpeningPuzzle) {
    const std::string text = DecodePuzzleText(FileBytes());
    std::vector<std::string> lines;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = std::min(text.find("\r\n", start), text.size());
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    const std::vector<PuzzleRow> rows = ReadPuzzleFile(kCollectionPath);
    ASSERT_EQ(rows.size(), lines.size()) << "every line is one puzzle";
    ASSERT_GE(rows.size(), 120U);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(lines[i]);
        EXPECT_EQ(std::count(lines[i].begin(), lines[i].end(), ','), 2);
        EXPECT_EQ(rows[i].puzzleNumber, std::to_string(i + 1));
        // A Chinese name: UTF-8 lead bytes of three-byte characters.
        EXPECT_TRUE(std::any_of(rows[i].name.begin(), rows[i].name.end(), [](char c) {
            return (static_cast<unsigned char>(c) & 0xF0) == 0xE0;
        }));
    }
    EXPECT_EQ(rows.back().fen, kOpeningPuzzleFen);
}

TEST(PuzzleCollection, EveryPositionIsLegal) {
    for (const PuzzleRow& row : ReadPuzzleFile(kCollectionPath)) {
        EXPECT_EQ(PositionFault(row.fen), "") << "puzzle " << row.puzzleNumber << ": " << row.fen;
    }
}

// The rules library's exact search, independent of the engine: exactly one first move mates as
// fast as the name says, and none faster. (The verifier takes it to mates in three; that is too
// slow here under the sanitizers.)
TEST(PuzzleCollection, ShortMatesHaveOneKeyMove) {
    const std::pair<std::string_view, int> kLengths[] = {{"一步杀", 1}, {"两步杀", 2}};
    int checked = 0;
    for (const PuzzleRow& row : ReadPuzzleFile(kCollectionPath)) {
        for (const auto& [prefix, length] : kLengths) {
            if (!row.name.starts_with(prefix)) continue;
            PositionRecord record;
            CchessFen2Board(&record, row.fen.c_str());
            const auto keys = MatingFirstMoves(record, length);
            EXPECT_TRUE(keys.size() == 1 && keys[0].second == length)
                << keys.size() << " keys, puzzle " << row.puzzleNumber << ": " << row.fen;
            ++checked;
        }
    }
    EXPECT_GT(checked, 0);
}

TEST(PuzzleCollection, LegalityCheckFindsImpossiblePositions) {
    // Each row is a legal position (the first) changed in one way.
    const struct {
        const char* fen;
        const char* fault;
    } kCases[] = {
        {"3k5/4a4/9/9/9/2p6/9/4B4/4A4/3AK4 w", ""},
        {"3k5/4a4/9/9/9/2p6/9/4B4/4A4/3AK4 b", ""},
        {"3k5/4a4/9/9/9/2p6/9/4B4/4A4/3A4K w", "K off its points"},
        {"3k5/4a4/9/9/4B4/2p6/9/9/4A4/3AK4 w", "B off its points"},
        {"3k5/9/4a4/9/9/2p6/9/4B4/4A4/3AK4 w", "a off its points"},
        {"3k5/4a4/p8/9/9/2p6/9/4B4/4A4/3AK4 w", "p off its points"},
        {"3k5/4a4/9/1p7/9/2p6/9/4B4/4A4/3AK4 w", "p off its points"},
        {"3k5/4a4/9/9/9/ppppp1p2/9/4B4/4A4/3AK4 w", "too many p"},
        {"4k4/9/3a5/9/9/2p6/9/9/9/3AK4 w", "the kings face each other"},
        {"3k5/4a4/9/9/9/3R5/9/4B4/4A4/3AK4 w", "side not to move in check"},
        {"3k5/4a4/9/9/9/9/9/4B4/4A4/3AK2r1 w", ""},
        {"3k5/4a4/9/9/9/9/9/4B4/4A4/3AK2r1 b", "side not to move in check"},
        // Both kings attacked: the side to move could not take the other king legally.
        {"3k5/4a4/9/9/9/3R5/9/4B4/4A4/3AK2r1 w", "side not to move in check"},
        {"3k5/4a4/4N4/9/9/9/9/4B4/4A4/3AK4 w", ""},  // the horse's leg is blocked
        {"3k5/4a4/2N6/9/9/9/9/4B4/4A4/3AK4 w", "side not to move in check"},
        {"3k5/4a4/9/3P5/9/3C5/9/4B4/4A4/3AK4 w", "side not to move in check"},
    };
    for (const auto& c : kCases) {
        EXPECT_EQ(PositionFault(c.fen), c.fault) << c.fen;
    }
}

}  // namespace
}  // namespace tarvelle
