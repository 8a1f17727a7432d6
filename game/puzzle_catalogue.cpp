#include "game/puzzle_catalogue.h"

#include <algorithm>
#include <array>
#include <limits>
#include <unordered_map>

namespace tarvelle {
namespace {

constexpr std::string_view kMateWord = "步杀";
constexpr std::string_view kTen = "十";
// Index = value; 两 is the other way of writing 2.
constexpr std::array<std::string_view, 10> kNumerals = {"零", "一", "二", "三", "四",
                                                        "五", "六", "七", "八", "九"};
constexpr std::string_view kTwoAlso = "两";
constexpr int kLongestLength = std::numeric_limits<std::uint8_t>::max();

// The value of the numeral `text` ends with, and how many bytes it takes; -1 and 0 for none.
std::pair<int, std::size_t> NumeralAtEnd(std::string_view text) {
    if (text.ends_with(kTwoAlso)) return {2, kTwoAlso.size()};
    if (text.ends_with(kTen)) return {10, kTen.size()};
    for (int value = 0; value < static_cast<int>(kNumerals.size()); ++value) {
        if (text.ends_with(kNumerals[static_cast<std::size_t>(value)]))
            return {value, kNumerals[static_cast<std::size_t>(value)].size()};
    }
    return {-1, 0};
}

// "三", "十二", "二十", "二十三", "两": the Chinese numerals below a hundred.
std::optional<int> ChineseNumber(const std::vector<int>& numerals) {
    if (numerals.size() == 1 && numerals[0] != 10) return numerals[0];
    const auto ten = std::find(numerals.begin(), numerals.end(), 10);
    if (ten == numerals.end() || numerals.size() > 3) return std::nullopt;
    const auto tensAt = static_cast<std::size_t>(ten - numerals.begin());
    if (tensAt > 1 || numerals.size() - tensAt > 2) return std::nullopt;
    const int tens = tensAt == 1 ? numerals[0] : 1;
    const int units = numerals.size() - tensAt == 2 ? numerals.back() : 0;
    if (tens == 0 || tens == 10 || units == 10) return std::nullopt;
    return 10 * tens + units;
}

bool IsMoveWord(std::string_view word) {
    const auto file = [](char c) { return c >= 'a' && c <= 'i'; };
    const auto rank = [](char c) { return c >= '0' && c <= '9'; };
    return word.size() == 4 && file(word[0]) && rank(word[1]) && file(word[2]) && rank(word[3]);
}

}  // namespace

std::optional<int> LengthInName(std::string_view name) {
    const std::size_t mate = name.find(kMateWord);
    if (mate == std::string_view::npos) return std::nullopt;
    std::string_view before = name.substr(0, mate);
    std::size_t digits = 0;
    while (digits < before.size() && digits < 3 && before[before.size() - 1 - digits] >= '0' &&
           before[before.size() - 1 - digits] <= '9') {
        ++digits;
    }
    if (digits > 0) {
        int value = 0;
        for (const char c : before.substr(before.size() - digits))
            value = 10 * value + (c - '0');
        if (value > 0 && value <= kLongestLength) return value;
        return std::nullopt;
    }
    // Read from the end back, so the last numeral comes first.
    std::vector<int> numerals;
    numerals.reserve(4);
    while (numerals.size() <= 3) {
        const auto [value, size] = NumeralAtEnd(before);
        if (size == 0) break;
        numerals.push_back(value);
        before.remove_suffix(size);
    }
    std::reverse(numerals.begin(), numerals.end());
    const std::optional<int> value = numerals.empty() ? std::nullopt : ChineseNumber(numerals);
    return value && *value > 0 ? value : std::nullopt;
}

std::optional<int> LengthOfLine(std::string_view solution) {
    int plies = 0;
    while (!solution.empty()) {
        const std::size_t start = solution.find_first_not_of(' ');
        if (start == std::string_view::npos) break;
        solution.remove_prefix(start);
        const std::size_t end = std::min(solution.find(' '), solution.size());
        if (!IsMoveWord(solution.substr(0, end))) break;
        ++plies;
        solution.remove_prefix(end);
    }
    if (plies == 0) return std::nullopt;
    return std::min((plies + 1) / 2, kLongestLength);
}

PuzzleCatalogue::PuzzleCatalogue(std::string text, const PuzzleMarks& marks, DueCheck due)
    : text_(std::move(text)), marks_(marks), due_(std::move(due)) {
    // Fields are placed by 32-bit offsets: a text beyond that is read up to it.
    const std::string_view whole = std::string_view(text_).substr(
        0, std::min<std::size_t>(text_.size(), std::numeric_limits<std::uint32_t>::max()));
    const auto lines = static_cast<std::size_t>(std::count(whole.begin(), whole.end(), '\n')) + 1;
    rows_.reserve(lines);
    lengths_.reserve(lines);
    themeStarts_.reserve(lines + 1);
    std::unordered_map<std::string_view, std::uint16_t> numbers;
    ForEachPuzzleLine(whole, [&](const PuzzleLine& line) {
        Entry entry{};
        entry.lineNumber = static_cast<std::uint32_t>(line.lineNumber);
        const std::string_view fields[kFieldCount] = {line.number, line.name, line.fen,
                                                      line.solution, line.themes};
        for (int field = 0; field < kFieldCount; ++field) {
            // A field the line lacks points nowhere.
            if (!fields[field].empty())
                entry.starts[field] =
                    static_cast<std::uint32_t>(fields[field].data() - whole.data());
            entry.sizes[field] = static_cast<std::uint32_t>(fields[field].size());
        }
        entry.stars = static_cast<std::uint8_t>(line.stars);
        rows_.push_back(entry);
        std::optional<int> length = LengthInName(line.name);
        if (!length) length = LengthOfLine(line.solution);
        lengths_.push_back(static_cast<std::uint8_t>(length.value_or(0)));
        themeStarts_.push_back(static_cast<std::uint32_t>(themeNumbers_.size()));
        std::string_view themes = line.themes;
        while (!themes.empty()) {
            const std::size_t slash = std::min(themes.find('/'), themes.size());
            const std::string_view theme = themes.substr(0, slash);
            themes.remove_prefix(std::min(slash + 1, themes.size()));
            if (theme.empty()) continue;
            auto found = numbers.find(theme);
            if (found == numbers.end()) {
                // A file with more themes than that is no collection of mating patterns.
                if (themes_.size() > std::numeric_limits<std::uint16_t>::max()) continue;
                found = numbers.emplace(theme, static_cast<std::uint16_t>(themes_.size())).first;
                themes_.emplace_back(theme);
            }
            themeNumbers_.push_back(found->second);
        }
    });
    themeStarts_.push_back(static_cast<std::uint32_t>(themeNumbers_.size()));
    states_.assign(rows_.size(), kStateUnknown);
}

PuzzleRow PuzzleCatalogue::Row(int index) const {
    const Entry& entry = rows_[static_cast<std::size_t>(index)];
    return PuzzleLine{static_cast<int>(entry.lineNumber),
                      Number(index),
                      Name(index),
                      Fen(index),
                      Field(index, kSolution),
                      ThemesOf(index),
                      entry.stars}
        .Row();
}

std::string_view PuzzleCatalogue::Field(int index, FieldNumber field) const {
    const Entry& entry = rows_[static_cast<std::size_t>(index)];
    return std::string_view(text_).substr(entry.starts[field], entry.sizes[field]);
}

std::optional<int> PuzzleCatalogue::Length(int index) const {
    const std::uint8_t length = lengths_[static_cast<std::size_t>(index)];
    return length == 0 ? std::nullopt : std::optional<int>(length);
}

std::vector<int> PuzzleCatalogue::Lengths() const {
    std::array<bool, kLongestLength + 1> seen{};
    for (const std::uint8_t length : lengths_)
        seen[length] = true;
    std::vector<int> lengths;
    for (int length = 1; length <= kLongestLength; ++length) {
        if (seen[static_cast<std::size_t>(length)]) lengths.push_back(length);
    }
    return lengths;
}

int PuzzleCatalogue::ThemeNumber(std::string_view theme) const {
    const auto found = std::find(themes_.begin(), themes_.end(), theme);
    return found == themes_.end() ? -1 : static_cast<int>(found - themes_.begin());
}

bool PuzzleCatalogue::HasTheme(int index, int themeNumber) const {
    const auto row = static_cast<std::size_t>(index);
    const auto first = themeNumbers_.begin() + themeStarts_[row];
    const auto last = themeNumbers_.begin() + themeStarts_[row + 1];
    return std::find(first, last, themeNumber) != last;
}

PuzzleMark PuzzleCatalogue::Mark(int index) const {
    return static_cast<PuzzleMark>(State(index) & ~kDueBit);
}

bool PuzzleCatalogue::Due(int index) const {
    return (State(index) & kDueBit) != 0;
}

std::uint8_t PuzzleCatalogue::State(int index) const {
    std::uint8_t& state = states_[static_cast<std::size_t>(index)];
    if (state == kStateUnknown) {
        const std::string_view fen = Fen(index);
        state = static_cast<std::uint8_t>(marks_.Of(fen));
        if (due_ && due_(fen)) state |= kDueBit;
    }
    return state;
}

}  // namespace tarvelle
