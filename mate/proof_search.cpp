#include "mate/proof_search.h"

#include <algorithm>

namespace tarvelle {
namespace {

// First estimates of a child never searched. A quiet attacking move leaves the defender free, so
// it is taken to be about as hard to prove as a check with ten replies; a quiet defence is
// taken to be harder to disprove than one that checks the attacker.
// The positions each way of settling a question has in its first turn.
constexpr std::uint64_t kFirstShare = 4096;
constexpr std::uint32_t kQuietProofNumber = 10;
constexpr std::uint32_t kQuietDisproofNumber = 4;

std::uint32_t Sum(std::uint32_t a, std::uint32_t b) {
    return static_cast<std::uint32_t>(std::min<std::uint64_t>(std::uint64_t{a} + b, kInfinite - 1));
}

// The 1+ε threshold over the second-best sibling's number, ε = 1/4.
std::uint32_t Widened(std::uint32_t second) {
    if (second >= kInfinite) return kInfinite;
    return Sum(second, std::max<std::uint32_t>(1, second / 4));
}

}  // namespace

struct ProofSearch::Child {
    MoveValue move;
    std::uint64_t key;
    std::uint32_t pn;
    std::uint32_t dn;
};

struct ProofSearch::Totals {
    NodeValue value;
    int best = 0;
    NodeValue bestChild;
    std::uint32_t second = kInfinite;
};

ProofSearch::ProofSearch(SearchBoard& board, MateTable& table, SearchBudget& budget, int attacker)
    : board_(board),
      table_(table),
      budget_(budget),
      attacker_(attacker),
      depthFirst_(board, table, budget) {}

NodeValue ProofSearch::Refute(int moves) {
    return depthFirst_.Settle(board_.SideToMove() == attacker_, moves);
}

NodeValue ProofSearch::Settle(int moves) {
    NodeValue value;
    for (std::uint64_t share = kFirstShare;; share *= 2) {
        for (const bool proofNumbers : {true, false}) {
            budget_.SetCeiling(budget_.Nodes() + share);
            value = proofNumbers ? Prove(moves) : Refute(moves);
            budget_.SetCeiling(0);
            if (value.Proven() || value.Disproven() || budget_.Spent()) return value;
        }
    }
}

NodeValue ProofSearch::Prove(int moves) {
    const bool attackerToMove = board_.SideToMove() == attacker_;
    if (DepthFirstSearch::Below(attackerToMove, moves)) {
        return depthFirst_.Settle(attackerToMove, moves);
    }
    for (;;) {
        const NodeValue value = table_.Find(board_.Key(), moves);
        if (value.Proven() || value.Disproven() || budget_.Exhausted()) return value;
        Search(moves, kInfinite, kInfinite);
    }
}

bool ProofSearch::ExpandAttacker(int moves, Child* children, int& count, NodeValue& settled) {
    MoveBatch batch;
    board_.LegalMoves(batch);
    if (batch.count == 0) {
        settled = {kInfinite, 0, kForever, 0, true};
        return true;
    }
    for (int i = 0; i < batch.count; ++i) {
        const MoveValue move = batch.moves[static_cast<std::size_t>(i)];
        const int status = board_.Play(move, true);
        budget_.Count();
        if ((status & CCHESS_STATUS_LOST) != 0) {
            board_.TakeBack();
            settled = {0, kInfinite, 1, move, true};
            return true;
        }
        if (moves > 1) {
            std::uint32_t pn = kQuietProofNumber;
            if ((status & CCHESS_STATUS_CHECK) != 0) {
                pn = static_cast<std::uint32_t>(std::max(1, board_.LegalMoveCount()));
            }
            children[count++] = {move, board_.Key(), pn, 1};
        }
        board_.TakeBack();
    }
    if (moves > 1) return false;
    settled = {kInfinite, 0, 1, 0, true};
    return true;
}

bool ProofSearch::ExpandDefender(int moves, Child* children, int& count, NodeValue& settled) {
    MoveBatch batch;
    board_.LegalMoves(batch);
    if (batch.count == 0) {
        settled = {0, kInfinite, 0, 0, true};
        return true;
    }
    if (moves == 0) {
        settled = {kInfinite, 0, 0, batch.moves[0], true};
        return true;
    }
    for (int i = 0; i < batch.count; ++i) {
        const MoveValue reply = batch.moves[static_cast<std::size_t>(i)];
        const int status = board_.Play(reply, true);
        budget_.Count();
        if ((status & CCHESS_STATUS_LOST) != 0) {
            // The attacker is left without a move: no bound saves it.
            board_.TakeBack();
            settled = {kInfinite, 0, kForever, reply, true};
            return true;
        }
        const std::uint32_t dn = (status & CCHESS_STATUS_CHECK) != 0 ? 1 : kQuietDisproofNumber;
        children[count++] = {reply, board_.Key(), 1, dn};
        board_.TakeBack();
    }
    return false;
}

ProofSearch::Totals ProofSearch::Combine(bool attackerToMove, int childMoves, const Child* children,
                                         int count) const {
    Totals totals;
    // The attacker's node takes the smallest proof number and sums the disproof numbers; the
    // defender's the other way round. `own` is the number minimised, `other` the one summed.
    std::uint32_t own = kInfinite;
    std::uint32_t other = 0;
    int settledIndex = -1;
    NodeValue settled;
    int weakestBound = kForever;
    int longestProof = 0;
    for (int i = 0; i < count; ++i) {
        NodeValue value = table_.Find(children[i].key, childMoves);
        if (!value.known) {
            value.pn = children[i].pn;
            value.dn = children[i].dn;
        }
        const std::uint32_t mine = attackerToMove ? value.pn : value.dn;
        const std::uint32_t theirs = attackerToMove ? value.dn : value.pn;
        if (mine == 0) {
            // Proven at the attacker's node, disproven at the defender's: the node is decided.
            // A proof keeps the fastest mate; a disproof the first refutation.
            if (settledIndex < 0 || (attackerToMove && value.moves < settled.moves)) {
                settledIndex = i;
                settled = value;
            }
            continue;
        }
        if (theirs == 0) {
            weakestBound = std::min(weakestBound, value.moves);
            longestProof = std::max(longestProof, value.moves);
        }
        other = Sum(other, theirs);
        if (mine < own) {
            totals.second = own;
            own = mine;
            totals.best = i;
            totals.bestChild = value;
        } else if (mine < totals.second) {
            totals.second = mine;
        }
    }
    if (settledIndex >= 0) {
        totals.best = settledIndex;
        const MoveValue move = children[settledIndex].move;
        totals.value = attackerToMove ? NodeValue{0, kInfinite, settled.moves + 1, move, true}
                                      : NodeValue{kInfinite, 0, settled.moves, move, true};
        return totals;
    }
    if (other == 0) {
        // Every child went the other way: disproven at the attacker's node (under the weakest
        // of the children's bounds, one move more), proven at the defender's (by its longest).
        totals.value = attackerToMove
                           ? NodeValue{kInfinite, 0, std::min(weakestBound + 1, kForever), 0, true}
                           : NodeValue{0, kInfinite, longestProof, 0, true};
        return totals;
    }
    totals.value = attackerToMove ? NodeValue{own, other, 0, children[totals.best].move, true}
                                  : NodeValue{other, own, 0, children[totals.best].move, true};
    return totals;
}

void ProofSearch::Search(int moves, std::uint32_t pnThreshold, std::uint32_t dnThreshold) {
    const std::uint64_t key = board_.Key();
    const std::uint64_t nodesBefore = budget_.Nodes();
    const bool attackerToMove = board_.SideToMove() == attacker_;
    if (DepthFirstSearch::Below(attackerToMove, moves)) {
        depthFirst_.Settle(attackerToMove, moves);
        return;
    }
    Child children[CCHESS_MAX_MOVES];
    int count = 0;
    NodeValue settled;
    if (attackerToMove ? ExpandAttacker(moves, children, count, settled)
                       : ExpandDefender(moves, children, count, settled)) {
        table_.Store(key, moves, settled, budget_.Nodes() - nodesBefore);
        return;
    }
    const int childMoves = attackerToMove ? moves - 1 : moves;
    for (;;) {
        const Totals totals = Combine(attackerToMove, childMoves, children, count);
        const NodeValue& value = totals.value;
        if (value.pn == 0 || value.dn == 0 || value.pn >= pnThreshold || value.dn >= dnThreshold ||
            budget_.Exhausted()) {
            table_.Store(key, moves, value, budget_.Nodes() - nodesBefore);
            return;
        }
        std::uint32_t childPn = 0;
        std::uint32_t childDn = 0;
        if (attackerToMove) {
            childPn = std::min(pnThreshold, Widened(totals.second));
            childDn = dnThreshold >= kInfinite ? kInfinite
                                               : dnThreshold - (value.dn - totals.bestChild.dn);
        } else {
            childDn = std::min(dnThreshold, Widened(totals.second));
            childPn = pnThreshold >= kInfinite ? kInfinite
                                               : pnThreshold - (value.pn - totals.bestChild.pn);
        }
        board_.Play(children[totals.best].move, false);
        Search(childMoves, childPn, childDn);
        board_.TakeBack();
    }
}

}  // namespace tarvelle
