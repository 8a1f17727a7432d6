// The puzzles the player has solved, kept between runs in a small text file of one position per
// line, placement and side as the rules library writes them ("4k4/9/… w"). A puzzle is known by
// its position rather than by its row, so an edited or reordered puzzle file mixes nothing up.
#pragma once

#include <filesystem>
#include <set>
#include <string>
#include <string_view>

namespace tarvelle {

// The position of a FEN text as the record keeps it: placement and side, without the counters.
// Empty when the text is not a complete position of ten ranks and a side.
std::string PuzzlePositionKey(std::string_view fen);

// Where the record is kept: solved.txt in the user's state folder, $XDG_STATE_HOME/tarvelle
// (~/.local/state/tarvelle when that variable is unset, empty or not absolute); empty when neither
// variable gives a folder. The values are null when unset.
std::filesystem::path SolvedPuzzlesFile(const char* xdgStateHome, const char* home);

class SolvedPuzzles {
public:
    // Reads the record. A missing or unreadable file counts as empty, and lines that are not a
    // position are left out, so a damaged file never stops the program. Without a file (an empty
    // path) the record lasts for this run only.
    explicit SolvedPuzzles(std::filesystem::path file);

    bool Contains(std::string_view fen) const;

    // Records the puzzle of `fen` and writes the file anew: a temporary file beside it, renamed
    // over it, so a crash or a full disk never leaves half a record. Returns false when the file
    // could not be written; the puzzle still counts as solved for this run.
    bool Add(std::string_view fen);

private:
    std::filesystem::path file_;
    std::set<std::string> positions_;
};

}  // namespace tarvelle
