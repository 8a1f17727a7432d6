#include "mate_search.h"

#include <algorithm>
#include <array>
#include <random>

namespace tarvelle {
namespace {

// The table stops growing here (a few hundred megabytes) and is started afresh.
constexpr std::size_t kMaxRemembered = 6'000'000;

// Random numbers per (piece kind and side, square): pieces of one kind share them, so that two
// chariots swapping places give the same key.
struct KeyTables {
    std::array<std::array<std::uint64_t, 256>, 15> a{};
    std::array<std::array<std::uint64_t, 256>, 15> b{};
    KeyTables() {
        std::mt19937_64 random(20260101);
        for (auto* table : {&a, &b})
            for (auto& kind : *table)
                for (auto& value : kind)
                    value = random();
    }
};
const KeyTables kKeys;

// Offset within a side (0 king, 1-2 advisors, ...) to a kind index 0..6.
constexpr std::array<int, 16> kKindOfOffset{0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 6, 6, 6};

struct Tried {
    int32_t move;
    int status;
};

}  // namespace

std::vector<int32_t> LegalMoves(const PositionRecord& record) {
    std::vector<int32_t> moves(CCHESS_MAX_MOVES);
    const int count = CchessLegalMoves(&record, moves.data(), CCHESS_MAX_MOVES);
    moves.resize(static_cast<std::size_t>(std::min<int>(count, CCHESS_MAX_MOVES)));
    return moves;
}

MateSearch::Key MateSearch::PositionKey() const {
    Key key{record_.side == 0 ? 0U : ~0ULL, 0};
    for (int code = 16; code < 48; ++code) {
        const int square = record_.pieceSquares[code];
        if (square == 0) continue;
        const auto kind = static_cast<std::size_t>(7 * (code / 32) + kKindOfOffset[code % 16]);
        key.a ^= kKeys.a[kind][static_cast<std::size_t>(square)];
        key.b ^= kKeys.b[kind][static_cast<std::size_t>(square)];
    }
    return key;
}

MateSearch::Known& MateSearch::Remembered() {
    if (known_.size() >= kMaxRemembered) known_.clear();
    return known_[PositionKey()];
}

bool MateSearch::AttackerMates(int moves) {
    ++nodes_;
    {
        const Known& known = Remembered();
        if (known.proven <= moves) return true;
        if (known.refuted >= moves) return false;
    }
    // Every move is tried once for its status: a mate in one ends the search at once, and checks,
    // then captures, go first into the deeper search.
    std::vector<Tried> tried;
    for (const int32_t move : LegalMoves(record_)) {
        int status = 0;
        CchessTryMove(&record_, &status, move);
        CchessUndoMove(&record_);
        if ((status & CCHESS_STATUS_LOST) != 0) {
            Remembered().proven = 1;
            return true;
        }
        tried.push_back({move, status});
    }
    bool mates = false;
    if (moves > 1) {
        std::stable_sort(tried.begin(), tried.end(), [](const Tried& x, const Tried& y) {
            const int kOrder = CCHESS_STATUS_CHECK | CCHESS_STATUS_CAPTURE;
            return (x.status & kOrder) > (y.status & kOrder);
        });
        for (const Tried& each : tried) {
            CchessTryMove(&record_, nullptr, each.move);
            mates = DefenderLoses(moves - 1);
            CchessUndoMove(&record_);
            if (mates) break;
        }
    }
    Known& known = Remembered();
    if (mates)
        known.proven = static_cast<std::int8_t>(std::min<int>(known.proven, moves));
    else
        known.refuted = static_cast<std::int8_t>(std::max<int>(known.refuted, moves));
    return mates;
}

bool MateSearch::DefenderLoses(int moves) {
    ++nodes_;
    {
        const Known& known = Remembered();
        if (known.proven <= moves) return true;
        if (known.refuted >= moves) return false;
    }
    // The defence that held here at a shorter distance, or last at this distance elsewhere,
    // often holds again: those go first.
    std::vector<int32_t> replies = LegalMoves(record_);
    int32_t& refutation = refutations_[static_cast<std::size_t>(moves)];
    for (const int32_t first : {refutation, Remembered().defence}) {
        const auto found = std::find(replies.begin(), replies.end(), first);
        if (found != replies.end()) std::rotate(replies.begin(), found, found + 1);
    }
    int32_t held = 0;
    for (const int32_t reply : replies) {
        CchessTryMove(&record_, nullptr, reply);
        const bool mated = AttackerMates(moves);
        CchessUndoMove(&record_);
        if (!mated) {
            held = reply;
            break;
        }
    }
    Known& known = Remembered();
    if (held == 0) {
        known.proven = static_cast<std::int8_t>(std::min<int>(known.proven, moves));
        return true;
    }
    known.refuted = static_cast<std::int8_t>(std::max<int>(known.refuted, moves));
    known.defence = refutation = held;
    return false;
}

std::vector<std::pair<int32_t, int>> MateSearch::MatingFirstMoves(int moves, std::size_t most) {
    std::vector<std::pair<int32_t, int>> found;
    for (const int32_t move : LegalMoves(record_)) {
        if (most != 0 && found.size() == most) break;
        int status = 0;
        CchessTryMove(&record_, &status, move);
        // Deepening one move at a time: the first length that works is the fewest, and the
        // shallower searches fill the table for the deeper ones.
        int fewest = (status & CCHESS_STATUS_LOST) != 0 ? 1 : 0;
        for (int n = 2; fewest == 0 && n <= moves; ++n) {
            if (DefenderLoses(n - 1)) fewest = n;
        }
        CchessUndoMove(&record_);
        if (fewest != 0) found.emplace_back(move, fewest);
    }
    return found;
}

std::string EngineMoveText(int32_t move) {
    std::string text;
    for (const int square : {move % 256, move / 256}) {
        text += static_cast<char>('a' + square % 16 - 3);
        text += std::to_string(10 - (square / 16 - 3));
    }
    return text;
}

}  // namespace tarvelle
