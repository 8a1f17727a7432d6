// Placing and removing single pieces, as a position editor does.
#include <cchess/cchess.h>

#include "geometry.h"
#include "record_fields.h"

using namespace cchess;

extern "C" {

int CchessAddPiece(PositionRecord* record, int square, int code, int remove) {
    if (record == nullptr || !IsPieceCode(code) || !IsBoardPoint(square)) return 0;
    if (remove != 0) {
        if (record->squares[square] != code) return 0;
        LiftPiece(*record, square);
    } else if (record->squares[square] != code) {
        const int elsewhere = record->pieceSquares[code];
        if (IsBoardPoint(elsewhere) && record->squares[elsewhere] == code)
            LiftPiece(*record, elsewhere);
        LiftPiece(*record, square);
        PlacePiece(*record, square, static_cast<std::uint8_t>(code));
    }
    ClearHistory(*record);
    return 1;
}

}  // extern "C"
