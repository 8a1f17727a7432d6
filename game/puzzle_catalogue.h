// The puzzle file's rows with what a filter asks of each: the keys that cost next to nothing
// (length, themes) worked out once when the catalogue is made, and the state, which costs a
// position lookup, worked out when first asked and kept. No key parses a FEN or plays a line.
// The rows are kept as the file's text and the places of their fields in it, a fraction of the
// memory of a row of strings each.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "game/puzzle_list.h"
#include "game/puzzle_marks.h"

namespace tarvelle {

// The length a puzzle's name gives, "三步杀 双车" or "12步杀": the number before "步杀", in
// Chinese numerals up to 九十九 or in digits; none without one.
std::optional<int> LengthInName(std::string_view name);

// The attacking moves of a stored line as written: its leading words in engine move text ("h2e2"),
// counted without playing them; none when the line does not start with one.
std::optional<int> LengthOfLine(std::string_view solution);

class PuzzleCatalogue {
public:
    // Whether the puzzle of this FEN is due for review.
    using DueCheck = std::function<bool(std::string_view fen)>;

    // The rows of the puzzle file's text (ParsePuzzleList's). `marks` must outlive the
    // catalogue; an empty `due` means nothing is due.
    PuzzleCatalogue(std::string text, const PuzzleMarks& marks, DueCheck due);

    int Size() const { return static_cast<int>(rows_.size()); }
    // Row 0.. of the file, as ParsePuzzleList gives it; the index must be in range, here and below.
    PuzzleRow Row(int index) const;
    std::string_view Number(int index) const { return Field(index, kNumber); }
    std::string_view Name(int index) const { return Field(index, kName); }
    std::string_view Fen(int index) const { return Field(index, kFen); }
    // The themes field as written.
    std::string_view ThemesOf(int index) const { return Field(index, kThemes); }
    int Stars(int index) const { return rows_[static_cast<std::size_t>(index)].stars; }

    // From the name, else from the stored line as written; none when neither gives one.
    std::optional<int> Length(int index) const;
    // Every length some row has, shortest first.
    std::vector<int> Lengths() const;
    // Every theme some row names, in the order the file first names them.
    const std::vector<std::string>& Themes() const { return themes_; }
    // The theme's place in Themes(), or -1 for a theme no row names.
    int ThemeNumber(std::string_view theme) const;
    // Whether row `index` names theme `themeNumber` of Themes().
    bool HasTheme(int index, int themeNumber) const;

    PuzzleMark Mark(int index) const;
    bool Due(int index) const;

private:
    enum FieldNumber { kNumber, kName, kFen, kSolution, kThemes, kFieldCount };
    struct Entry {
        std::uint32_t lineNumber;
        // Where each field starts in the text, and its size.
        std::uint32_t starts[kFieldCount];
        std::uint32_t sizes[kFieldCount];
        std::uint8_t stars;
    };
    std::string_view Field(int index, FieldNumber field) const;

    // What is known of a row's state: a PuzzleMark in the low bits, then whether it is due.
    static constexpr std::uint8_t kStateUnknown = 0xFF;
    static constexpr std::uint8_t kDueBit = 0x10;
    std::uint8_t State(int index) const;

    std::string text_;
    std::vector<Entry> rows_;
    // 0 for none.
    std::vector<std::uint8_t> lengths_;
    std::vector<std::string> themes_;
    // Row k names the themes themeNumbers_[themeStarts_[k]] up to themeStarts_[k + 1].
    std::vector<std::uint32_t> themeStarts_;
    std::vector<std::uint16_t> themeNumbers_;
    const PuzzleMarks& marks_;
    DueCheck due_;
    mutable std::vector<std::uint8_t> states_;
};

}  // namespace tarvelle
