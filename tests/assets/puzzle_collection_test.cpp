// The shipped puzzle collection as the program reads it: GBK text with CR LF lines and numbered
// rows, the opening puzzle last. The puzzle tools' verifier checks the positions, the main lines
// and the mates.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "assets/opening_puzzle.h"
#include "game/puzzle_list.h"

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
    ASSERT_GE(rows.size(), 200U);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(lines[i]);
        // The main line, the mating patterns and the stars ride in fields four to six; the
        // program's reader takes the main line and passes over the rest.
        EXPECT_EQ(std::count(lines[i].begin(), lines[i].end(), ','), 5);
        EXPECT_EQ(rows[i].puzzleNumber, std::to_string(i + 1));
        // A Chinese name: UTF-8 lead bytes of three-byte characters.
        EXPECT_TRUE(std::any_of(rows[i].name.begin(), rows[i].name.end(), [](char c) {
            return (static_cast<unsigned char>(c) & 0xF0) == 0xE0;
        }));
    }
    EXPECT_EQ(rows.back().fen, kOpeningPuzzleFen);
}

}  // namespace
}  // namespace tarvelle
