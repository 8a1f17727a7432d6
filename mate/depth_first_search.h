// The bottom of the proof search: whether the attacker mates within a few moves, settled by a
// plain depth-first search rather than by proof numbers. Near the leaves the proof numbers'
// first estimates keep changing as nodes are expanded, and a df-pn node there would be expanded
// again and again; the direct search expands each node once and leaves a final answer in the
// table, where df-pn above it finds it.
#pragma once

#include <array>

#include "mate/mate_table.h"
#include "mate/search_board.h"
#include "mate/search_budget.h"

namespace tarvelle {

class ShortMates {
public:
    // The attacker's moves left up to which the direct search decides.
    static constexpr int kMostMoves = 2;

    ShortMates(SearchBoard& board, MateTable& table, SearchBudget& budget);

    // Whether a node is this search's: the attacker to move with `moves` up to kMostMoves, or
    // the defender to move with the attacker having fewer than that after the reply.
    static bool Covers(bool attackerToMove, int moves) {
        return attackerToMove ? moves <= kMostMoves : moves < kMostMoves;
    }

    // The node's value, proven or disproven, or neither when the budget ran out first.
    NodeValue Settle(bool attackerToMove, int moves);

private:
    NodeValue MateInOne();
    NodeValue Attack(int moves);
    // The defender to move; the attacker has `moves` moves after the reply.
    NodeValue Defend(int moves);

    SearchBoard& board_;
    MateTable& table_;
    SearchBudget& budget_;
    // The last reply that held at a defender's node, by the attacker's moves left: it usually
    // holds at the next such node too.
    std::array<MoveValue, kMostMoves> killers_{};
};

}  // namespace tarvelle
