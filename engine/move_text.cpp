#include "move_text.h"

#include <optional>

namespace tarvelle {

namespace {

constexpr int kFileBase = 94;         // 'a' is column 3
constexpr int kDisplayFileBase = 62;  // 'A' is column 3
constexpr int kRankBase = 60;         // '9' is row 3, '0' row 12
constexpr int kRankOneRow = 12;       // counting from one, rank 1 is row 12 and rank 10 row 3

int ByteCode(std::string_view text, std::size_t index) {
    return static_cast<unsigned char>(text[index]);
}

char DisplayFileChar(Square square) {
    return static_cast<char>(kDisplayFileBase + SquareColumn(square));
}
char RankChar(Square square) {
    return static_cast<char>(kRankBase - SquareRow(square));
}

MoveValue CoordToMoveFromZero(std::string_view text) {
    if (text.size() < 4) return 0;
    const int from = 16 * (kRankBase - ByteCode(text, 1)) + (ByteCode(text, 0) - kFileBase);
    const int to = 16 * (kRankBase - ByteCode(text, 3)) + (ByteCode(text, 2) - kFileBase);
    if (from < 0 || from > 255 || to < 0 || to > 255) return 0;
    return MakeMoveValue(from, to);
}

// Reads a square counted from one at the front of `text` and drops it from there.
std::optional<Square> TakeSquareFromOne(std::string_view& text) {
    if (text.size() < 2 || text[0] < 'a' || text[0] > 'i' || text[1] < '1' || text[1] > '9')
        return std::nullopt;
    int rank = text[1] - '0';
    std::size_t length = 2;
    if (rank == 1 && text.size() > 2 && text[2] == '0') {
        rank = 10;
        length = 3;
    }
    const Square square = SquareAt(kRankOneRow + 1 - rank, text[0] - kFileBase);
    text.remove_prefix(length);
    return square;
}

std::string SquareTextFromOne(Square square) {
    return static_cast<char>(kFileBase + SquareColumn(square)) +
           std::to_string(kRankOneRow + 1 - SquareRow(square));
}

}  // namespace

MoveValue CoordToMove(std::string_view text, RankNumbering ranks) {
    if (ranks == RankNumbering::FromZero) return CoordToMoveFromZero(text);
    const std::optional<Square> from = TakeSquareFromOne(text);
    const std::optional<Square> to = from ? TakeSquareFromOne(text) : std::nullopt;
    return to ? MakeMoveValue(*from, *to) : 0;
}

std::string MoveToCoord(MoveValue move, RankNumbering ranks) {
    if (ranks == RankNumbering::FromOne)
        return SquareTextFromOne(MoveFrom(move)) + SquareTextFromOne(MoveTo(move));
    return SquareCoordText(MoveFrom(move)) + SquareCoordText(MoveTo(move));
}

std::string MoveToDisplayCoord(MoveValue move) {
    const Square from = MoveFrom(move);
    const Square to = MoveTo(move);
    return {DisplayFileChar(from), RankChar(from), '-', DisplayFileChar(to), RankChar(to)};
}

}  // namespace tarvelle
