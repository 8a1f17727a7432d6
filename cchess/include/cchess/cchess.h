/* Xiangqi rules library: legality, making and taking back moves, FEN conversion and piece
 * placement.
 *
 * Every function works on a caller-owned PositionRecord passed whole; the library keeps no hidden
 * state per record, so a plain copy of a record carries its own undo history. Any record whose
 * bytes came from this library, or an all-zero record (an empty board, Red to move), is a valid
 * argument. Records with arbitrary bytes never make the library read or write outside the record.
 *
 * Squares: 16 x row + column on a 16 x 16 grid; board points are rows 3..12 (row 3 at the top,
 * Black's home row in the opening) and columns 3..11. A move is from-square + 256 x to-square; 0 is
 * no move.
 *
 * Piece codes: 0 empty, 16..31 Red, 32..47 Black. Offset within a side (code - 16 or code - 32):
 *   0 king, 1-2 advisors, 3-4 elephants, 5-6 horses, 7-8 chariots, 9-10 cannons, 11-15 pawns.
 * Red sits at the bottom and moves up (towards row 3).
 */
#ifndef CCHESS_CCHESS_H
#define CCHESS_CCHESS_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#if defined(CCHESS_BUILDING_LIBRARY)
#define CCHESS_API __attribute__((visibility("default")))
#else
#define CCHESS_API
#endif

/* The 29076-byte block exchanged with every call. The layout is fixed (little-endian, no padding);
 * the offsets are checked at compile time below. Fields libInts1 to libBytes are the library's own
 * working data: callers copy them along and never interpret them. */
typedef struct PositionRecord {
    int32_t side;                /* offset 0: side to move, 0 Red, 1 Black */
    uint8_t squares[256];        /* offset 4: piece code on each square, 0 empty */
    uint8_t pieceSquares[48];    /* offset 260: square of each code 16..47, 0 when off the board */
    int32_t libInts1[4];         /* offset 308 */
    int16_t libShorts1[16];      /* offset 324 */
    int16_t libShorts2[16];      /* offset 356 */
    int32_t libInts2[4];         /* offset 388 */
    int32_t libEntries[1024][6]; /* offset 404 */
    uint8_t libBytes[4096];      /* offset 24980 */
} PositionRecord;

enum {
    CCHESS_RECORD_SIZE = 29076,
    /* No position has more legal moves than this; a buffer of this size always suffices. */
    CCHESS_MAX_MOVES = 128,
    /* Moves a record can take back; making a further move is refused. */
    CCHESS_HISTORY_CAPACITY = 6144
};

/* Status bits of CchessTryMove. */
enum {
    CCHESS_STATUS_CAPTURE = 1, /* the move took a piece */
    CCHESS_STATUS_CHECK = 2,   /* the side now to move is in check */
    CCHESS_STATUS_LOST = 4     /* the side now to move has no legal move: it has lost */
};

/* Prepares the library. Every other function also works without it; returns 1. */
CCHESS_API int CchessInit(int reserved);

/* Sets the whole record to the position of a FEN text (placement, then side to move) with an empty
 * history. Never fails: malformed text is read as far as it makes sense, pieces that no code can
 * hold are dropped, a missing side means Red, and NULL reads as the empty text. Returns 1 when the
 * text was a complete placement of ten ranks of nine points followed by a side, with nothing
 * dropped or skipped; 0 when anything had to be repaired. */
CCHESS_API int CchessFen2Board(PositionRecord* record, const char* fen);

/* Returns the FEN placement and side letter ("w" or "b") of the record, with no further fields. The
 * text lives in a buffer owned by the library (one per thread) until the next call on that thread.
 */
CCHESS_API const char* CchessBoard2Fen(const PositionRecord* record);

/* Makes the move when it is legal for the side to move and returns non-zero; otherwise returns 0
 * and leaves the record unchanged. When status is not NULL it receives the CCHESS_STATUS_ bits of
 * the move (0 for a refused move); passing NULL skips working them out. A move is also refused when
 * the history already holds CCHESS_HISTORY_CAPACITY moves. */
CCHESS_API int CchessTryMove(PositionRecord* record, int* status, int32_t move);

/* Takes back the most recent move made on this record and not yet taken back, restoring the record
 * byte for byte. Returns 1, or 0 with nothing changed when the history is empty. */
CCHESS_API int CchessUndoMove(PositionRecord* record);

/* Puts a piece on a board point (remove == 0) or takes it off (remove != 0), and empties the
 * history. Putting takes any occupant of the square off the board first and moves the piece when it
 * already stands elsewhere. Taking off only acts when that code stands on that square. Returns 1
 * when the record was changed or already held the piece there, 0 when nothing was done: a code
 * outside 16..47, a square that is not a board point, or a piece that is not on the square. */
CCHESS_API int CchessAddPiece(PositionRecord* record, int square, int code, int remove);

/* Writes every legal move of the side to move into moves (at most capacity of them) and returns
 * how many legal moves there are. This is the generator that CchessTryMove agrees with. */
CCHESS_API int CchessLegalMoves(const PositionRecord* record, int32_t* moves, int capacity);

/* Returns 1 when the record is internally consistent: pieces and squares agree, every piece stands
 * on a board point, the side is 0 or 1, and the working data matches. Meant for tests and checks.
 */
CCHESS_API int CchessRecordIsConsistent(const PositionRecord* record);

#ifdef __cplusplus
}
#endif

#ifdef __cplusplus
#include <cstddef>
#include <type_traits>
#define CCHESS_STATIC_ASSERT static_assert
#else
#include <stddef.h>
#define CCHESS_STATIC_ASSERT _Static_assert
#endif

CCHESS_STATIC_ASSERT(sizeof(PositionRecord) == CCHESS_RECORD_SIZE, "record size");
CCHESS_STATIC_ASSERT(offsetof(PositionRecord, side) == 0, "side offset");
CCHESS_STATIC_ASSERT(offsetof(PositionRecord, squares) == 4, "squares offset");
CCHESS_STATIC_ASSERT(offsetof(PositionRecord, pieceSquares) == 260, "pieceSquares offset");
CCHESS_STATIC_ASSERT(offsetof(PositionRecord, libInts1) == 308, "libInts1 offset");
CCHESS_STATIC_ASSERT(offsetof(PositionRecord, libShorts1) == 324, "libShorts1 offset");
CCHESS_STATIC_ASSERT(offsetof(PositionRecord, libShorts2) == 356, "libShorts2 offset");
CCHESS_STATIC_ASSERT(offsetof(PositionRecord, libInts2) == 388, "libInts2 offset");
CCHESS_STATIC_ASSERT(offsetof(PositionRecord, libEntries) == 404, "libEntries offset");
CCHESS_STATIC_ASSERT(offsetof(PositionRecord, libBytes) == 24980, "libBytes offset");
#ifdef __cplusplus
static_assert(std::is_standard_layout_v<PositionRecord>, "record must be standard layout");
static_assert(std::is_trivially_copyable_v<PositionRecord>, "record must copy as plain bytes");
#endif

#undef CCHESS_STATIC_ASSERT

#endif /* CCHESS_CCHESS_H */
