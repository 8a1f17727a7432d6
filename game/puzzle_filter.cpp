#include "game/puzzle_filter.h"

#include <algorithm>
#include <string_view>

namespace tarvelle {
namespace {

std::string_view Trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') + 1 - first);
}

// The filter with what it names looked up once in the catalogue, for asking row after row.
class RowTest {
public:
    RowTest(const PuzzleFilter& filter, const PuzzleCatalogue& puzzles)
        : filter_(filter),
          puzzles_(puzzles),
          themeNumber_(filter.theme.empty() ? -1 : puzzles.ThemeNumber(filter.theme)),
          search_(Trimmed(filter.search)) {}

    bool operator()(int index) const {
        if (filter_.length && puzzles_.Length(index) != filter_.length) return false;
        if (filter_.stars && puzzles_.Stars(index) != *filter_.stars) return false;
        if (!filter_.theme.empty() && (themeNumber_ < 0 || !puzzles_.HasTheme(index, themeNumber_)))
            return false;
        if (!search_.empty() && puzzles_.Number(index).find(search_) == std::string_view::npos &&
            puzzles_.Name(index).find(search_) == std::string_view::npos) {
            return false;
        }
        switch (filter_.state) {
            case PuzzleState::kAny:
                return true;
            case PuzzleState::kUnsolved:
                return puzzles_.Mark(index) != PuzzleMark::kClean;
            case PuzzleState::kFailed:
                return puzzles_.Mark(index) == PuzzleMark::kFailed;
            case PuzzleState::kDue:
                return puzzles_.Due(index);
        }
        return true;
    }

private:
    const PuzzleFilter& filter_;
    const PuzzleCatalogue& puzzles_;
    int themeNumber_;
    std::string_view search_;
};

}  // namespace

std::vector<int> PuzzleFilter::Matching(const PuzzleCatalogue& puzzles) const {
    const RowTest passes(*this, puzzles);
    std::vector<int> rows;
    for (int index = 0; index < puzzles.Size(); ++index) {
        if (passes(index)) rows.push_back(index);
    }
    return rows;
}

int PuzzleFilter::Next(const PuzzleCatalogue& puzzles, std::optional<int> current) const {
    const RowTest passes(*this, puzzles);
    const int size = puzzles.Size();
    const int start = current ? std::clamp(*current + 1, 0, size) : 0;
    for (int step = 0; step < size; ++step) {
        const int index = (start + step) % size;
        if (passes(index)) return index;
    }
    return -1;
}

int PuzzleFilter::Previous(const PuzzleCatalogue& puzzles, std::optional<int> current) const {
    const RowTest passes(*this, puzzles);
    const int size = puzzles.Size();
    // The file may have lost rows since the current puzzle was loaded from it.
    const int start = current ? std::clamp(*current, 0, size) - 1 : size - 1;
    for (int step = 0; step < size; ++step) {
        const int index = ((start - step) % size + size) % size;
        if (passes(index)) return index;
    }
    return -1;
}

}  // namespace tarvelle
