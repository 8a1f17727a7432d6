#include "mate/search_board.h"

#include <random>

namespace tarvelle {
namespace {

constexpr int kKinds = 7;

// A random number per (side, piece kind, square), one for the side to move. Seeded, so that keys
// and therefore the order of table entries are the same in every run.
struct KeyNumbers {
    std::array<std::array<std::array<std::uint64_t, 256>, kKinds>, 2> piece{};
    std::uint64_t blackToMove = 0;
    KeyNumbers() {
        std::mt19937_64 random(0x7A2F3C1D5E6B4A99ULL);
        for (auto& side : piece)
            for (auto& kind : side)
                for (auto& number : kind)
                    number = random();
        blackToMove = random();
    }
};
const KeyNumbers kNumbers;

std::uint64_t PieceNumber(PieceCode code, Square square) {
    const auto side = static_cast<std::size_t>(IsRedPiece(code) ? 0 : 1);
    return kNumbers
        .piece[side][static_cast<std::size_t>(PieceTypeOf(code))][static_cast<std::size_t>(square)];
}

}  // namespace

SearchBoard::SearchBoard(const PositionRecord& position)
    : record_(std::make_unique<PositionRecord>()) {
    const std::string fen = CchessBoard2Fen(&position);
    valid_ = CchessFen2Board(record_.get(), fen.c_str()) == 1 &&
             (position.side == 0 || position.side == 1);
    std::uint64_t key = record_->side == kBlackSide ? kNumbers.blackToMove : 0;
    for (int code = 16; code < 48; ++code) {
        const Square square = record_->pieceSquares[code];
        if (square != 0) key ^= PieceNumber(static_cast<PieceCode>(code), square);
    }
    keys_.reserve(64);
    keys_.push_back(key);
}

std::uint64_t SearchBoard::KeyAfter(MoveValue move) const {
    const Square from = MoveFrom(move);
    const Square to = MoveTo(move);
    const PieceCode moving = record_->squares[from];
    const PieceCode captured = record_->squares[to];
    std::uint64_t key =
        Key() ^ kNumbers.blackToMove ^ PieceNumber(moving, from) ^ PieceNumber(moving, to);
    if (captured != 0) key ^= PieceNumber(captured, to);
    return key;
}

void SearchBoard::LegalMoves(MoveBatch& batch) const {
    batch.count = CchessLegalMoves(record_.get(), batch.moves.data(), CCHESS_MAX_MOVES);
}

int SearchBoard::LegalMoveCount() const {
    return CchessLegalMoves(record_.get(), nullptr, 0);
}

int SearchBoard::Play(MoveValue move, bool status) {
    const std::uint64_t key = KeyAfter(move);
    int bits = 0;
    CchessTryMove(record_.get(), status ? &bits : nullptr, move);
    keys_.push_back(key);
    return bits;
}

void SearchBoard::TakeBack() {
    CchessUndoMove(record_.get());
    keys_.pop_back();
}

}  // namespace tarvelle
