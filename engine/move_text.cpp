#include "move_text.h"

namespace tarvelle {

namespace {

constexpr int kFileBase = 94;         // 'a' is column 3
constexpr int kDisplayFileBase = 62;  // 'A' is column 3
constexpr int kRankBase = 60;         // '9' is row 3, '0' row 12

int ByteCode(std::string_view text, std::size_t index) {
    return static_cast<unsigned char>(text[index]);
}

char DisplayFileChar(Square square) {
    return static_cast<char>(kDisplayFileBase + SquareColumn(square));
}
char RankChar(Square square) {
    return static_cast<char>(kRankBase - SquareRow(square));
}

}  // namespace

MoveValue CoordToMove(std::string_view text) {
    if (text.size() < 4) return 0;
    const int from = 16 * (kRankBase - ByteCode(text, 1)) + (ByteCode(text, 0) - kFileBase);
    const int to = 16 * (kRankBase - ByteCode(text, 3)) + (ByteCode(text, 2) - kFileBase);
    if (from < 0 || from > 255 || to < 0 || to > 255) return 0;
    return MakeMoveValue(from, to);
}

std::string MoveToCoord(MoveValue move) {
    return SquareCoordText(MoveFrom(move)) + SquareCoordText(MoveTo(move));
}

std::string MoveToDisplayCoord(MoveValue move) {
    const Square from = MoveFrom(move);
    const Square to = MoveTo(move);
    return {DisplayFileChar(from), RankChar(from), '-', DisplayFileChar(to), RankChar(to)};
}

}  // namespace tarvelle
