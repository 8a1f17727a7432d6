#include "mate/depth_first_search.h"

#include <algorithm>

namespace tarvelle {
namespace {

constexpr NodeValue Proven(int moves, MoveValue best) {
    return {0, kInfinite, moves, best, true};
}
constexpr NodeValue Disproven(int bound, MoveValue best) {
    return {kInfinite, 0, bound, best, true};
}
bool Decided(const NodeValue& value) {
    return value.Proven() || value.Disproven();
}

}  // namespace

DepthFirstSearch::DepthFirstSearch(SearchBoard& board, MateTable& table, SearchBudget& budget)
    : board_(board), table_(table), budget_(budget) {}

NodeValue DepthFirstSearch::Settle(bool attackerToMove, int moves) {
    return attackerToMove ? Attack(moves) : Defend(moves);
}

NodeValue DepthFirstSearch::MateInOne() {
    MoveBatch batch;
    board_.LegalMoves(batch);
    if (batch.count == 0) return Disproven(kForever, 0);
    for (int i = 0; i < batch.count; ++i) {
        const MoveValue move = batch.moves[static_cast<std::size_t>(i)];
        const int status = board_.Play(move, true);
        budget_.Count();
        board_.TakeBack();
        if ((status & CCHESS_STATUS_LOST) != 0) return Proven(1, move);
    }
    return Disproven(1, 0);
}

NodeValue DepthFirstSearch::Attack(int moves) {
    // Every question that builds a line asks here again and again: once the budget is spent,
    // none of them may expand another node.
    if (moves == 1) return budget_.Exhausted() ? NodeValue{} : MateInOne();
    const std::uint64_t key = board_.Key();
    const NodeValue known = table_.Find(key, moves);
    if (Decided(known) || budget_.Exhausted()) return known;
    const std::uint64_t nodesBefore = budget_.Nodes();
    MoveBatch batch;
    board_.LegalMoves(batch);
    if (batch.count == 0) return Disproven(kForever, 0);
    // Checks first: they leave the defender fewest replies, and most short mates begin with one.
    std::array<MoveValue, CCHESS_MAX_MOVES> ordered;
    int checks = 0;
    int quiet = batch.count;
    for (int i = 0; i < batch.count; ++i) {
        const MoveValue move = batch.moves[static_cast<std::size_t>(i)];
        const int status = board_.Play(move, true);
        budget_.Count();
        board_.TakeBack();
        if ((status & CCHESS_STATUS_LOST) != 0) {
            table_.Store(key, moves, Proven(1, move), budget_.Nodes() - nodesBefore);
            return Proven(1, move);
        }
        if ((status & CCHESS_STATUS_CHECK) != 0) {
            ordered[static_cast<std::size_t>(checks++)] = move;
        } else {
            ordered[static_cast<std::size_t>(--quiet)] = move;
        }
    }
    std::reverse(ordered.begin() + quiet, ordered.begin() + batch.count);
    int weakestBound = kForever;
    NodeValue value;
    for (int i = 0; i < batch.count && !Decided(value); ++i) {
        const MoveValue move = ordered[static_cast<std::size_t>(i)];
        board_.Play(move, false);
        budget_.Count();
        const NodeValue defence = Defend(moves - 1);
        board_.TakeBack();
        if (!Decided(defence)) return defence;
        if (defence.Proven()) value = Proven(defence.moves + 1, move);
        weakestBound = std::min(weakestBound, defence.moves);
    }
    if (!Decided(value)) value = Disproven(std::min(weakestBound + 1, kForever), 0);
    table_.Store(key, moves, value, budget_.Nodes() - nodesBefore);
    return value;
}

NodeValue DepthFirstSearch::Defend(int moves) {
    const std::uint64_t key = board_.Key();
    const NodeValue known = table_.Find(key, moves);
    if (Decided(known) || budget_.Exhausted()) return known;
    const std::uint64_t nodesBefore = budget_.Nodes();
    MoveBatch batch;
    board_.LegalMoves(batch);
    if (batch.count == 0) return Proven(0, 0);
    if (moves == 0) return Disproven(0, batch.moves[0]);
    // Replies that check first: the attacker must then answer the check and has few moves, so a
    // check that holds is the cheapest refutation to prove. Then the reply that held last.
    MoveValue& killer = killers_[static_cast<std::size_t>(moves)];
    std::array<MoveValue, CCHESS_MAX_MOVES> ordered;
    int checks = 0;
    int quiet = batch.count;
    for (int i = 0; i < batch.count; ++i) {
        const MoveValue reply = batch.moves[static_cast<std::size_t>(i)];
        if (moves == 1) {
            ordered[static_cast<std::size_t>(--quiet)] = reply;
            continue;
        }
        const int status = board_.Play(reply, true);
        budget_.Count();
        board_.TakeBack();
        if ((status & CCHESS_STATUS_LOST) != 0) {
            // The attacker is left without a move: no bound saves it.
            const NodeValue value = Disproven(kForever, reply);
            table_.Store(key, moves, value, budget_.Nodes() - nodesBefore);
            return value;
        }
        if ((status & CCHESS_STATUS_CHECK) != 0) {
            ordered[static_cast<std::size_t>(checks++)] = reply;
        } else {
            ordered[static_cast<std::size_t>(--quiet)] = reply;
        }
    }
    std::reverse(ordered.begin() + quiet, ordered.begin() + batch.count);
    MoveValue* const end = ordered.data() + batch.count;
    MoveValue* const found = std::find(ordered.data() + checks, end, killer);
    if (found != end) std::rotate(ordered.data() + checks, found, found + 1);
    int longest = 0;
    NodeValue value;
    for (int i = 0; i < batch.count && !Decided(value); ++i) {
        // Between replies, so that a budget is overrun by at most one node's moves.
        if (budget_.Exhausted()) return known;
        const MoveValue reply = ordered[static_cast<std::size_t>(i)];
        board_.Play(reply, false);
        budget_.Count();
        const NodeValue attack = Attack(moves);
        board_.TakeBack();
        if (!Decided(attack)) return attack;
        if (attack.Disproven()) {
            killer = reply;
            value = Disproven(attack.moves, reply);
        }
        longest = std::max(longest, attack.moves);
    }
    if (!Decided(value)) value = Proven(longest, 0);
    table_.Store(key, moves, value, budget_.Nodes() - nodesBefore);
    return value;
}

}  // namespace tarvelle
