// The puzzle file as users write it: GBK or UTF-8, Windows or Linux line ends, stray lines.
#include "game/puzzle_list.h"

#include <gtest/gtest.h>

#include "game/puzzle_solution.h"

#include <cstdio>
#include <fstream>
#include <vector>

namespace tarvelle {

void PrintTo(const PuzzleRow& row, std::ostream* out) {
    *out << "{" << row.lineNumber << "|" << row.puzzleNumber << "|" << row.name << "|" << row.fen
         << "|" << row.solution << "|" << row.themes << "|" << row.stars << "}";
}

namespace {

using Rows = std::vector<PuzzleRow>;

TEST(PuzzleList, RowsKeepTheirLineNumbersAndFieldsAsWritten) {
    struct Case {
        const char* what;
        std::string_view text;
        Rows rows;
    };
    const Case cases[] = {
        {"an empty line between two puzzles",
         "1,A,fa w - - 0 0\r\n\r\n2,B,fb b - - 0 1\r\n",
         {{"1", "1", "A", "fa w - - 0 0"}, {"3", "2", "B", "fb b - - 0 1"}}},
        {"lone line feeds and no break after the last line",
         "1,A,fa\n2,B,fb",
         {{"1", "1", "A", "fa"}, {"2", "2", "B", "fb"}}},
        {"a lone carriage return stays in its line", "1,A,f\ra\r\n", {{"1", "1", "A", "f\ra"}}},
        {"short lines are skipped", "1,A\r\njust text\r\n3,C,fc\r\n", {{"3", "3", "C", "fc"}}},
        {"the solution, the themes and the stars; further fields are ignored, blanks kept",
         " 7 , name ,fen x, h2e2 , 马后炮/卧槽马 , 3 ,more",
         {{"1", " 7 ", " name ", "fen x", " h2e2 ", " 马后炮/卧槽马 ", 3}}},
        {"stars other than a digit from 1 to 5 are none",
         "1,A,f,,,6\n2,B,f,,,3星\n3,C,f,,,0",
         {{"1", "1", "A", "f"}, {"2", "2", "B", "f"}, {"3", "3", "C", "f"}}},
        {"empty fields count", ",,\r\n", {{"1", "", "", ""}}},
        {"only breaks", "\r\n\n\r\n", {}},
        {"nothing", "", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParsePuzzleList(c.text), c.rows) << c.what;
}

// The solution is read up to its first word that is not a legal move, so that a fourth field
// written as a comment, or a line gone wrong, is not taken for more than it is.
TEST(PuzzleList, ASolutionIsItsLegalMovesFromThePuzzle) {
    struct Case {
        const char* solution;
        std::size_t moves;
        std::optional<int> length;
    };
    const Case cases[] = {
        {"e3d3", 1, 1},           {" e3d3\t d9e9 ", 1, 1},  // the mate: nothing after it is legal
        {"e1f0 g5i7 e3d3", 3, 2}, {"e3d3x", 0, std::nullopt}, {"see the book", 0, std::nullopt},
        {"", 0, std::nullopt},
    };
    for (const Case& c : cases) {
        const std::vector<MoveValue> moves =
            SolutionMoves({"1", "1", "", "3k5/9/9/3N5/6b2/9/4C4/3AK4/4A4/9 w - - 0 0", c.solution});
        EXPECT_EQ(moves.size(), c.moves) << c.solution;
        EXPECT_EQ(NamedLength(moves), c.length) << c.solution;
    }
}

TEST(PuzzleList, GbkAndUtf8FilesBothReadAsUtf8) {
    struct Case {
        const char* what;
        std::string_view bytes;
        std::string_view text;
    };
    const Case cases[] = {
        {"GBK", "1,\xC8\xFD\xB2\xBD\xC9\xB1,f", "1,三步杀,f"},
        {"UTF-8", "1,三步杀,f", "1,三步杀,f"},
        {"UTF-8 with a byte-order mark",
         "\xEF\xBB\xBF"
         "1,车马,f",
         "1,车马,f"},
        {"GBK whose bytes happen to form one UTF-8 character is still GBK when the rest is not",
         "\xC3\xA9\xB3\xB5", "茅车"},
        {"a byte GBK does not know",
         "a\xFF"
         "b",
         "a\xEF\xBF\xBD"
         "b"},
        {"a GBK lead byte cut off at the end", "a\xB3", "a\xEF\xBF\xBD"},
        {"plain ASCII", "1,x,f", "1,x,f"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DecodePuzzleText(c.bytes), c.text) << c.what;
}

TEST(PuzzleList, AFileThatCannotBeReadGivesNoRows) {
    const std::filesystem::path folder = testing::TempDir();
    EXPECT_TRUE(ReadPuzzleFile(folder / "no-such-puzzles.txt").empty());
    EXPECT_TRUE(ReadPuzzleFile(folder).empty()) << "a folder in the file's place";

    const std::filesystem::path file = folder / "puzzle_list_test.txt";
    { std::ofstream(file, std::ios::binary) << "12,\xB2\xE2\xCA\xD4,fen w - - 0 0\r\n"; }
    EXPECT_EQ(ReadPuzzleFile(file), (Rows{{"1", "12", "测试", "fen w - - 0 0"}}));
    { std::ofstream(file, std::ios::binary | std::ios::trunc); }
    EXPECT_TRUE(ReadPuzzleFile(file).empty());
    std::filesystem::remove(file);
}

TEST(PuzzleList, TheUsersOwnFileComesBeforeTheShippedOne) {
    const std::filesystem::path top = std::filesystem::path(testing::TempDir()) / "puzzle_choice";
    const std::filesystem::path program = top / "program";
    const std::filesystem::path home = top / "home";
    const std::filesystem::path shipped = program / "fens.txt";
    const std::string homeText = home.string();
    const std::string dataText = (top / "data").string();
    std::filesystem::remove_all(top);

    EXPECT_EQ(ChoosePuzzleFile(program, nullptr, homeText.c_str()), shipped) << "no user file";
    std::filesystem::create_directories(top / "data/tarvelle/fens.txt");
    EXPECT_EQ(ChoosePuzzleFile(program, dataText.c_str(), nullptr), shipped) << "a folder";

    std::filesystem::create_directories(home / ".local/share/tarvelle");
    { std::ofstream(home / ".local/share/tarvelle/fens.txt") << "1,A,fen\n"; }
    const std::filesystem::path inHome = home / ".local/share/tarvelle/fens.txt";
    EXPECT_EQ(ChoosePuzzleFile(program, nullptr, homeText.c_str()), inHome);
    EXPECT_EQ(ChoosePuzzleFile(program, "", homeText.c_str()), inHome);
    EXPECT_EQ(ChoosePuzzleFile(program, "relative/data", homeText.c_str()), inHome);
    EXPECT_EQ(ChoosePuzzleFile(program, dataText.c_str(), homeText.c_str()), shipped)
        << "a set XDG_DATA_HOME without the file leaves the home one aside";
    EXPECT_EQ(ChoosePuzzleFile(program, nullptr, nullptr), shipped);
    std::filesystem::remove_all(top);
}

}  // namespace
}  // namespace tarvelle
