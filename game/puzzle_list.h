// The puzzle list file: one puzzle per line as "number,name,FEN", the way users and the shipped
// collection write it, optionally followed by ",solution": the main line in engine move text
// ("h6h8 f3f8 …"), from the key move to the mate; then by ",themes" (the mating patterns,
// "/"-joined, as "马后炮/卧槽马") and ",stars" (the difficulty, 1 to 5).
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvelle {

struct PuzzleRow {
    // The line's number in the file, counting from 1 and counting empty lines too.
    std::string lineNumber;
    std::string puzzleNumber;
    std::string name;
    std::string fen;
    // The fourth field as written; empty when the line has none.
    std::string solution = {};
    // The fifth field as written; empty when the line has none.
    std::string themes = {};
    // The sixth field, 1 to 5; 0 when the line has none or it holds anything else.
    int stars = 0;

    bool operator==(const PuzzleRow&) const = default;
};

// One line's fields as views into the text it was read from, with the line's number.
struct PuzzleLine {
    int lineNumber;
    std::string_view number;
    std::string_view name;
    std::string_view fen;
    std::string_view solution;
    std::string_view themes;
    int stars;

    PuzzleRow Row() const;
};

// The file's bytes as UTF-8. Text that is valid UTF-8, with or without a byte-order mark, is
// taken as it is (without the mark); anything else is read as GBK, and a byte sequence GBK does
// not know becomes U+FFFD, so one bad byte costs one character, not the list.
std::string DecodePuzzleText(std::string_view bytes);

// One row per line that holds at least three fields separated by ","; the fields are kept as they
// are, a fourth is the solution, a fifth the themes, a sixth the stars (blanks around its digit
// allowed), and further fields are ignored. Lines end at CR LF or at a lone
// LF; empty lines and lines with fewer fields give no row.
std::vector<PuzzleRow> ParsePuzzleList(std::string_view text);

// Calls `use` on every line ParsePuzzleList makes a row of, in file order, without copying a field.
void ForEachPuzzleLine(std::string_view text, const std::function<void(const PuzzleLine&)>& use);

// The puzzle file to read, since an installed program's directory is read-only: the user's own,
// fens.txt in the user's data folder (UserFolder), when it exists; otherwise fens.txt in the
// program's directory.
// `xdgDataHome` and `home` are the values of those variables, null when unset. Looks at nothing
// but whether the user's file exists.
std::filesystem::path ChoosePuzzleFile(const std::filesystem::path& programDirectory,
                                       const char* xdgDataHome, const char* home);

// The file's text as UTF-8 (DecodePuzzleText); empty for a missing or unreadable file.
std::string ReadPuzzleText(const std::filesystem::path& file);

// The rows of the file; a missing, unreadable or empty file gives none.
std::vector<PuzzleRow> ReadPuzzleFile(const std::filesystem::path& file);

}  // namespace tarvelle
