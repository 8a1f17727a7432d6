#include "engine/best_move_line.h"

#include "engine/move_text.h"

namespace tarvelle {

namespace {

constexpr std::string_view::size_type kMoveAt = 9;
constexpr std::string_view::size_type kPonderWordAt = 13;
constexpr std::string_view kPonderWord = " ponder ";
constexpr std::string_view::size_type kPonderMoveAt = 21;

}  // namespace

BestMoveLine ReadBestMoveLine(std::string_view line) {
    BestMoveLine best;
    if (line.size() <= kMoveAt) return best;
    best.move = CoordToMove(line.substr(kMoveAt));
    best.hasPonderMove = line.size() >= kPonderMoveAt &&
                         line.substr(kPonderWordAt, kPonderWord.size()) == kPonderWord;
    if (best.hasPonderMove) best.ponderMove = CoordToMove(line.substr(kPonderMoveAt));
    return best;
}

}  // namespace tarvelle
