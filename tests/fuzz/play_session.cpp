#include "play_session.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>

#include "fen_grid.h"

namespace tarvelle::fuzz {

namespace {

// Enough to reach deep into a game while keeping each run quick; every step keeps a record copy.
constexpr int kMaxSteps = 128;
// Trying every move of a position costs as much as dozens of steps; a few per run keep runs short.
constexpr int kMaxSweeps = 4;

constexpr int From(std::int32_t move) {
    return move & 0xFF;
}
constexpr int To(std::int32_t move) {
    return (move >> 8) & 0xFF;
}

int SideOfCode(int code) {
    if (code >= 16 && code < 32) return 0;
    if (code >= 32 && code < 48) return 1;
    return -1;
}

bool Contains(const std::vector<std::int32_t>& moves, std::int32_t move) {
    return std::find(moves.begin(), moves.end(), move) != moves.end();
}

}  // namespace

void PlaySession::Start(const std::string& fen) {
    m_beforeMove.clear();
    m_sweeps = 0;
    // Whatever the record held before must not survive the reading.
    std::memset(m_record.get(), 0xA5, sizeof *m_record);
    const int clean = CchessFen2Board(m_record.get(), fen.c_str());
    RequireSound(*m_record, "after reading the FEN");

    const std::optional<std::string> grid = StrictGrid(fen);
    const bool wellFormed = grid.has_value() && WithinPieceCounts(*grid);
    Require(clean == (wellFormed ? 1 : 0), "Fen2Board misjudged whether the text was complete",
            *m_record);
    Require(m_record->side == SideOfText(fen), "Fen2Board read the wrong side to move", *m_record);
    if (clean == 1) {
        Require(StrictGrid(CchessBoard2Fen(m_record.get())) == grid,
                "a complete FEN did not give its pieces on its points", *m_record);
    }

    // Reading the library's own text again gives the same record, byte for byte.
    const std::string text = CchessBoard2Fen(m_record.get());
    std::memset(m_other.get(), 0x5A, sizeof *m_other);
    Require(CchessFen2Board(m_other.get(), text.c_str()) == 1,
            "the library's own FEN was not read as complete", *m_record);
    Require(SameBytes(*m_other, *m_record), "the FEN round trip changed the record", *m_record);
    CheckFenRoundTrip();
    TakeBack();
}

void PlaySession::Run(ByteReader& in) {
    for (int step = 0; step < kMaxSteps && !in.AtEnd(); ++step) {
        m_changed = false;
        Step(in);
        // A refused step left the record byte for byte as it was, and a take-back restored the
        // bytes of a record checked before: checking them again could find nothing new.
        if (!m_changed) continue;
        RequireSound(*m_record, "after a step");
        CheckFenRoundTrip();
    }
}

void PlaySession::Step(ByteReader& in) {
    switch (in.Byte() % 8) {
        case 0:
        case 1: {
            const std::vector<std::int32_t> legal = LegalMoves(*m_record);
            const std::uint8_t pick = in.Byte();
            if (!legal.empty()) TryMove(legal[pick % legal.size()], &legal);
            return;
        }
        case 2: {
            const int from = in.Byte();
            TryMove(from + 256 * in.Byte());
            return;
        }
        case 3:
            TryMove(in.Int32());
            return;
        case 4:
        case 5:
            TakeBack();
            return;
        case 6: {
            int square = in.Byte();
            int code = in.Byte() % 64 - 8;
            const std::uint8_t flags = in.Byte();
            // Values a byte cannot hold must not wrap around onto a real square or piece.
            if (flags & 2) square -= 512;
            if (flags & 4) square += 256;
            if (flags & 8) code += 256;
            Place(square, code, flags & 1 ? flags : 0);
            return;
        }
        default: {
            const int capacity = static_cast<int>(in.Byte()) - 8;
            if (m_sweeps++ < kMaxSweeps) TryEveryMove(capacity);
            return;
        }
    }
}

std::vector<std::int32_t> PlaySession::LegalMoves(const PositionRecord& record) const {
    std::array<std::int32_t, CCHESS_MAX_MOVES> buffer{};
    const int count = CchessLegalMoves(&record, buffer.data(), CCHESS_MAX_MOVES);
    Require(count >= 0 && count <= CCHESS_MAX_MOVES, "the legal move count is out of range",
            record);
    std::vector<std::int32_t> moves(buffer.begin(), buffer.begin() + count);
    for (const std::int32_t move : moves) {
        Require(move > 0 && move <= 0xFFFF && IsBoardPoint(From(move)) && IsBoardPoint(To(move)),
                "a listed move leaves the board", record);
        Require(SideOfCode(record.squares[From(move)]) == record.side,
                "a listed move does not start on a piece of the side to move", record);
        Require(SideOfCode(record.squares[To(move)]) != record.side,
                "a listed move lands on a piece of its own side", record);
    }
    std::vector<std::int32_t> sorted = moves;
    std::sort(sorted.begin(), sorted.end());
    Require(std::adjacent_find(sorted.begin(), sorted.end()) == sorted.end(),
            "a move is listed twice", record);
    return moves;
}

void PlaySession::TryMove(std::int32_t move, const std::vector<std::int32_t>* legal) {
    const bool acceptable = Contains(legal != nullptr ? *legal : LegalMoves(*m_record), move) &&
                            m_beforeMove.size() < CCHESS_HISTORY_CAPACITY;
    *m_saved = *m_record;
    int status = -1;
    if (CchessTryMove(m_record.get(), &status, move) == 0) {
        Require(!acceptable, "a move from the legal list was refused", *m_saved);
        Require(status == 0, "a refused move reported status bits", *m_saved);
        Require(SameBytes(*m_saved, *m_record), "a refused move changed the record", *m_saved);
        return;
    }
    Require(acceptable, "a move missing from the legal list was accepted", *m_saved);

    // Not asking for the status must not change what the move does.
    *m_other = *m_saved;
    Require(CchessTryMove(m_other.get(), nullptr, move) != 0 && SameBytes(*m_other, *m_record),
            "the move made without a status pointer gave another record", *m_saved);
    CheckMoveResult(move, status);
    m_beforeMove.push_back(*m_saved);
    m_changed = true;
}

// Judges a move just made on m_record from m_saved, and the status it reported.
void PlaySession::CheckMoveResult(std::int32_t move, int status) {
    const PositionRecord& before = *m_saved;
    const PositionRecord& after = *m_record;
    const int from = From(move);
    const int to = To(move);
    for (int square = 0; square < 256; ++square) {
        const int expected = square == to     ? before.squares[from]
                             : square == from ? 0
                                              : before.squares[square];
        Require(after.squares[square] == expected, "the move changed the board wrongly", before);
    }
    const int mover = before.side;
    Require(after.side == 1 - mover, "the move did not pass the turn", before);
    Require((status & ~(CCHESS_STATUS_CAPTURE | CCHESS_STATUS_CHECK | CCHESS_STATUS_LOST)) == 0,
            "unknown status bits", before);
    Require(((status & CCHESS_STATUS_CAPTURE) != 0) == (before.squares[to] != 0),
            "the capture bit is wrong", before);

    const std::vector<std::int32_t> replies = LegalMoves(after);
    Require(((status & CCHESS_STATUS_LOST) != 0) == replies.empty(), "the lost bit is wrong",
            after);
    // A legal move never leaves the mover's king where the reply could take it.
    const int moverKing = KingSquare(after, mover);
    for (const std::int32_t reply : replies) {
        Require(moverKing == 0 || To(reply) != moverKing,
                "a legal move left its own king open to capture", after);
    }

    // If the mover could move again and take the other king, that king is in check. A capture may
    // be held back only to shield the mover's own king, so without one the converse holds as well.
    const int theirKing = KingSquare(after, 1 - mover);
    *m_other = after;
    m_other->side = mover;
    bool canTakeKing = false;
    for (const std::int32_t again : LegalMoves(*m_other)) {
        canTakeKing = canTakeKing || (theirKing != 0 && To(again) == theirKing);
    }
    const bool check = (status & CCHESS_STATUS_CHECK) != 0;
    Require(theirKing != 0 || !check, "check reported against a side without a king", after);
    Require(!canTakeKing || check, "a king that can be taken was not reported in check", after);
    Require(moverKing != 0 || check == canTakeKing, "check reported with no attacker", after);
}

void PlaySession::TakeBack() {
    *m_saved = *m_record;
    const int result = CchessUndoMove(m_record.get());
    if (m_beforeMove.empty()) {
        Require(result == 0, "a move was taken back from an empty history", *m_saved);
        Require(SameBytes(*m_saved, *m_record), "a refused take-back changed the record", *m_saved);
        return;
    }
    Require(result == 1, "taking back a move was refused", *m_saved);
    Require(SameBytes(m_beforeMove.back(), *m_record),
            "taking back did not restore the record's bytes from before the move", *m_saved);
    m_beforeMove.pop_back();
}

void PlaySession::Place(int square, int code, int remove) {
    const bool valid = code >= 16 && code <= 47 && IsBoardPoint(square);
    const bool acts = valid && (remove == 0 || m_record->squares[square] == code);
    *m_saved = *m_record;
    const int result = CchessAddPiece(m_record.get(), square, code, remove);
    Require(result == (acts ? 1 : 0), "AddPiece answered wrongly for its arguments", *m_saved);
    if (result == 0) {
        Require(SameBytes(*m_saved, *m_record), "AddPiece changed the record but returned 0",
                *m_saved);
        return;
    }

    // Only the target square and, when putting, the piece's old square may change.
    const int oldSquare = m_saved->pieceSquares[code];
    for (int at = 0; at < 256; ++at) {
        const int expected = at == square                 ? (remove != 0 ? 0 : code)
                             : at == oldSquare && !remove ? 0
                                                          : m_saved->squares[at];
        Require(m_record->squares[at] == expected, "AddPiece changed the board wrongly", *m_saved);
    }
    Require(m_record->side == m_saved->side, "AddPiece changed the side to move", *m_saved);
    m_changed = true;

    // The history is gone: nothing may be taken back now.
    m_beforeMove.clear();
    TakeBack();
}

// Lists the moves into a buffer of the given capacity, then makes and takes back each one.
void PlaySession::TryEveryMove(int capacity) {
    const std::vector<std::int32_t> legal = LegalMoves(*m_record);
    constexpr std::int32_t kUntouched = 0x7EADBEEF;
    std::array<std::int32_t, CCHESS_MAX_MOVES + 8> buffer;
    buffer.fill(kUntouched);
    const int count = CchessLegalMoves(m_record.get(), buffer.data(), capacity);
    Require(count == static_cast<int>(legal.size()), "the move count depends on the capacity",
            *m_record);
    const int written = std::clamp(std::min(capacity, count), 0, count);
    for (int i = 0; i < static_cast<int>(buffer.size()); ++i) {
        const std::int32_t expected = i < written ? legal[static_cast<std::size_t>(i)] : kUntouched;
        Require(buffer[static_cast<std::size_t>(i)] == expected,
                "LegalMoves wrote outside its capacity or changed its order", *m_record);
    }

    for (const std::int32_t move : legal) {
        const std::size_t depth = m_beforeMove.size();
        TryMove(move, &legal);
        RequireSound(*m_record, "after a move");
        if (m_beforeMove.size() > depth) TakeBack();
    }
}

void PlaySession::CheckFenRoundTrip() {
    const std::string text = CchessBoard2Fen(m_record.get());
    const std::optional<std::string> grid = StrictGrid(text);
    Require(grid.has_value(), "Board2Fen wrote a malformed FEN", *m_record);
    for (int point = 0; point < 90; ++point) {
        const int square = (point / 9 + 3) * 16 + point % 9 + 3;
        Require((*grid)[static_cast<std::size_t>(point)] == LetterOfCode(m_record->squares[square]),
                "Board2Fen wrote a point wrongly", *m_record);
    }
    Require(text.size() > 2 && text[text.size() - 2] == ' ' &&
                text.back() == (m_record->side == 1 ? 'b' : 'w'),
            "Board2Fen did not end with the side to move", *m_record);

    Require(CchessFen2Board(m_other.get(), text.c_str()) == 1,
            "the library's own FEN was not read as complete", *m_record);
    Require(text == CchessBoard2Fen(m_other.get()),
            "reading the library's own FEN gave other squares or another side", *m_record);
}

}  // namespace tarvelle::fuzz
