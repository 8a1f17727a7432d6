#include "position/chinese_notation.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <memory>
#include <string_view>
#include <vector>

namespace tarvelle {
namespace {

constexpr int kFirstRow = 3;
constexpr int kLastRow = 12;
constexpr int kFirstColumn = 3;
constexpr int kLastColumn = 11;

// By PieceType: king, advisor, elephant, horse, chariot, cannon, pawn.
constexpr std::array<std::string_view, 7> kRedNames = {"帅", "仕", "相", "马", "车", "炮", "兵"};
constexpr std::array<std::string_view, 7> kBlackNames = {"将", "士", "象", "马", "车", "炮", "卒"};
constexpr std::array<std::string_view, 9> kChineseNumerals = {"一", "二", "三", "四", "五",
                                                              "六", "七", "八", "九"};

int SideOf(PieceCode piece) {
    return IsRedPiece(piece) ? kRedSide : kBlackSide;
}

// Files run from the mover's right: Red sits at the bottom, Black at the top.
int FileOf(int column, int side) {
    return side == kRedSide ? kLastColumn + 1 - column : column - kFirstColumn + 1;
}

std::string Numeral(int number, int side) {
    if (side == kRedSide)
        return std::string(kChineseNumerals[static_cast<std::size_t>(number - 1)]);
    return std::to_string(number);
}

// Rows towards the opponent count as forward.
bool IsForward(int fromRow, int toRow, int side) {
    return side == kRedSide ? toRow < fromRow : toRow > fromRow;
}

bool MovesStraight(PieceType type) {
    return type == kKingType || type == kChariotType || type == kCannonType || type == kPawnType;
}

bool IsSameKind(PieceCode a, PieceCode b) {
    return a != 0 && b != 0 && SideOf(a) == SideOf(b) && PieceTypeOf(a) == PieceTypeOf(b);
}

// The rows holding a piece of the kind of `piece` on `column`, front first for its side.
std::vector<int> RowsOfKind(const PositionRecord& position, PieceCode piece, int column) {
    std::vector<int> rows;
    for (int row = kFirstRow; row <= kLastRow; ++row) {
        if (IsSameKind(position.squares[SquareAt(row, column)], piece)) rows.push_back(row);
    }
    if (SideOf(piece) == kBlackSide) std::reverse(rows.begin(), rows.end());
    return rows;
}

// 前/后, 前/中/后, then 前/二/三/…/后 for the index-th of `count` pieces counted from the front.
std::string_view PlaceWord(std::size_t index, std::size_t count) {
    constexpr std::array<std::string_view, 4> kMiddles = {"二", "三", "四", "五"};
    if (index == 0) return "前";
    if (index + 1 == count) return "后";
    if (count == 3) return "中";
    return kMiddles[index - 1];
}

bool PawnsShareAnotherFile(const PositionRecord& position, PieceCode pawn, int column) {
    for (int other = kFirstColumn; other <= kLastColumn; ++other) {
        if (other != column && RowsOfKind(position, pawn, other).size() > 1) return true;
    }
    return false;
}

std::string PieceAndFile(const PositionRecord& position, PieceCode piece, Square from) {
    const int side = SideOf(piece);
    const PieceType type = PieceTypeOf(piece);
    const std::string name(side == kRedSide ? kRedNames[type] : kBlackNames[type]);
    const std::string file = Numeral(FileOf(SquareColumn(from), side), side);
    const std::vector<int> rows = RowsOfKind(position, piece, SquareColumn(from));
    if (rows.size() < 2) return name + file;
    const auto index = static_cast<std::size_t>(
        std::find(rows.begin(), rows.end(), SquareRow(from)) - rows.begin());
    const std::string place(PlaceWord(index, rows.size()));
    if (type == kPawnType && PawnsShareAnotherFile(position, piece, SquareColumn(from)))
        return place + file;
    return place + name;
}

}  // namespace

std::string ChineseMoveText(const PositionRecord& position, MoveValue move) {
    const Square from = MoveFrom(move);
    const Square to = MoveTo(move);
    const PieceCode piece = position.squares[from];
    if (piece == 0 || !IsBoardPoint(from) || !IsBoardPoint(to)) return {};
    const int side = SideOf(piece);
    std::string text = PieceAndFile(position, piece, from);
    if (MovesStraight(PieceTypeOf(piece)) && SquareRow(from) == SquareRow(to)) {
        return text + "平" + Numeral(FileOf(SquareColumn(to), side), side);
    }
    text += IsForward(SquareRow(from), SquareRow(to), side) ? "进" : "退";
    if (MovesStraight(PieceTypeOf(piece)))
        return text + Numeral(std::abs(SquareRow(to) - SquareRow(from)), side);
    return text + Numeral(FileOf(SquareColumn(to), side), side);
}

std::string ChineseMoveLine(const PositionRecord& start, std::span<const MoveValue> line) {
    auto position = std::make_unique<PositionRecord>(start);
    std::string text;
    int moveNumber = 0;
    for (const MoveValue move : line) {
        const std::string moveText = ChineseMoveText(*position, move);
        const bool red = position->side == kRedSide;
        if (moveText.empty() || CchessTryMove(position.get(), nullptr, move) == 0) break;
        if (red || moveNumber == 0) {
            if (!text.empty()) text += ' ';
            text += std::to_string(++moveNumber) + ".";
            if (!red) text += " …";
        }
        text += ' ' + moveText;
    }
    return text;
}

}  // namespace tarvelle
