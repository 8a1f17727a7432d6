// The mate solver: can the side to move force mate within N of its own moves, and how? It is
// exact within the bound. A side left without a legal move has lost, stalemated or mated, and no
// repetition rule applies: the answer depends only on the position and the moves left.
//
// The search is a depth-first proof-number search over one table of fixed size (see
// proof_search.h); one solver answers one question at a time, on any thread, and gives the same
// answer and the same line for the same position, bound and budget.
#pragma once

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "position/position_record.h"

namespace tarvelle {

class MateTable;

// The most moves of the attacker a question may ask about.
constexpr int kMaxMateMoves = 15;

// What one question may spend. Zero means no limit. The stop flag may be set from another thread;
// the search then ends within a few thousand positions.
struct SearchLimits {
    std::uint64_t nodes = 0;
    std::chrono::milliseconds time{0};
    const std::atomic<bool>* stop = nullptr;
};

enum class MateOutcome {
    kMate,     // the attacker forces mate within the bound
    kNoMate,   // the defender holds out past the bound
    kUnknown,  // the budget ran out, or the stop flag was set, before the answer was proven
};

// How much a mate answer proves beyond the mate itself.
enum class MateProof {
    // The fewest moves that mate, and on the main line the fastest mates and the defences that
    // resist longest; Solve also proves every other first move right or wrong within them.
    kFewest,
    // A mate within the bound as the search first proved it: `moves` is that proof's length, which
    // may be more than the fewest, and on the line each defence is the one that proof found
    // longest. Proving that nothing is faster can cost many times more than finding the mate.
    kFound,
};

struct MateAnswer {
    MateOutcome outcome = MateOutcome::kUnknown;
    // kMate: the moves of the attacker that force mate (the fewest when `fewest`). kNoMate: the
    // bound asked.
    int moves = 0;
    // kMate: `moves` is proven the fewest.
    bool fewest = false;
    // kMate: the main line from the position asked, down to mate: the attacker's fastest mate,
    // the defence that resists longest, and so on. From a position with the defender to move it
    // starts with that defence.
    std::vector<MoveValue> line;
    // Solve under MateProof::kFewest: every other first move that also mates within `moves`, in
    // the order of the rules library's move list.
    std::vector<MoveValue> otherKeys;
    // Defend, kNoMate: a reply after which the attacker no longer mates within the bound.
    MoveValue refutation = 0;
    // Positions the search looked at for this answer.
    std::uint64_t nodes = 0;
};

// A first move of the attacker and the defender's reply that refutes it (0: the move mates).
struct Refutation {
    MoveValue move = 0;
    MoveValue reply = 0;

    bool operator==(const Refutation&) const = default;
};

class MateSolver {
public:
    // A solver with a table of `tableMegabytes` (at least 1), allocated once; its memory never
    // grows past that.
    explicit MateSolver(std::size_t tableMegabytes = 64);
    ~MateSolver();
    MateSolver(const MateSolver&) = delete;
    MateSolver& operator=(const MateSolver&) = delete;

    // Can the side to move mate within `maxMoves` (1..kMaxMateMoves) of its moves? A mate answer
    // has the moves n, the key (line[0]) and the main line, and under kFewest every other first
    // move that mates within n (otherKeys). Any other bound, or a position the rules library
    // cannot hold, gives kUnknown.
    MateAnswer Solve(const PositionRecord& position, int maxMoves, const SearchLimits& limits,
                     MateProof proof = MateProof::kFewest);

    // The defender is to move, and the attacker has `attackerMoves` (0..kMaxMateMoves) moves
    // left. kMate: the attacker still mates, in `moves`; under kFewest, when the budget allows,
    // those are the fewest and the line starts with the defence that resists longest, followed by
    // the mate as found; otherwise the answer is the mate as found (and `fewest` is false): the
    // budget never turns a proven mate into kUnknown. kNoMate: `refutation` holds out. A defender
    // without a legal move is mated in 0.
    MateAnswer Defend(const PositionRecord& position, int attackerMoves, const SearchLimits& limits,
                      MateProof proof = MateProof::kFewest);

    // For each first move of the side to move, in the order of the rules library's move list, a
    // reply that keeps it from mating within `maxMoves`, or 0 for a move that mates. Nothing when
    // the budget ran out first.
    std::optional<std::vector<Refutation>> Refutations(const PositionRecord& position, int maxMoves,
                                                       const SearchLimits& limits);

private:
    std::unique_ptr<MateTable> table_;
};

}  // namespace tarvelle
