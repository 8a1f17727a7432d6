#include "record_invariants.h"

namespace tarvelle::testing {

namespace {

bool OnBoard(int square) {
    const int row = square / 16;
    const int column = square % 16;
    return row >= 3 && row <= 12 && column >= 3 && column <= 11;
}

bool SquareSound(const PositionRecord& r, int square) {
    const int code = r.squares[square];
    return code == 0 ||
           (OnBoard(square) && code >= 16 && code <= 47 && r.pieceSquares[code] == square);
}

bool PieceSound(const PositionRecord& r, int code) {
    const int square = r.pieceSquares[code];
    return square == 0 || (code >= 16 && OnBoard(square) && r.squares[square] == code);
}

// What is wrong with a square that is not sound.
std::string SquareFault(const PositionRecord& r, int square) {
    const int code = r.squares[square];
    const bool pieceCode = code >= 16 && code <= 47;
    const std::string where =
        "square " + std::to_string(square) + " holds code " + std::to_string(code);
    if (!OnBoard(square)) return where + " off the board";
    if (!pieceCode) return where + ", not a piece code";
    return where + " but that code's square is " + std::to_string(r.pieceSquares[code]);
}

// What is wrong with a piece code's square that is not sound.
std::string PieceFault(const PositionRecord& r, int code) {
    const int square = r.pieceSquares[code];
    const std::string where =
        "code " + std::to_string(code) + " is at square " + std::to_string(square);
    if (code < 16) return where + ", but codes below 16 are no pieces";
    if (!OnBoard(square)) return where + ", not a board point";
    return where + ", which holds " + std::to_string(r.squares[square]);
}

}  // namespace

std::string RecordFaults(const PositionRecord& record) {
    if (record.side != 0 && record.side != 1) return "side is " + std::to_string(record.side);
    // The messages are put together only for a fault: this runs after every step of the fuzzer.
    for (int square = 0; square < 256; ++square) {
        if (!SquareSound(record, square)) return SquareFault(record, square);
    }
    for (int code = 0; code < 48; ++code) {
        if (!PieceSound(record, code)) return PieceFault(record, code);
    }
    if (CchessRecordIsConsistent(&record) != 1)
        return "the library finds its working data inconsistent";
    return {};
}

}  // namespace tarvelle::testing
