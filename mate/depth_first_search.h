// A plain depth-first search for "the attacker mates within k moves", with the table for memory:
// at the attacker's nodes checks are tried first, at the defender's its checks and then the reply
// that held last at that depth. It serves two purposes beside the proof-number search:
// - at the bottom of that search (kProofNumberFloor moves and fewer), where proof numbers' first
//   estimates keep changing as nodes are expanded and a df-pn node would be expanded again and
//   again, it expands each node once and leaves a final answer;
// - for questions that are mostly disproofs (that no other first move mates, that nothing mates
//   faster), where it goes straight down the refutation the defender used last and, unlike df-pn,
//   never comes back to a node it has left.
#pragma once

#include <array>

#include "mate/mate_solver.h"
#include "mate/mate_table.h"
#include "mate/search_board.h"
#include "mate/search_budget.h"

namespace tarvelle {

class DepthFirstSearch {
public:
    // The attacker's moves left up to which the proof-number search leaves nodes to this one.
    static constexpr int kProofNumberFloor = 2;

    DepthFirstSearch(SearchBoard& board, MateTable& table, SearchBudget& budget);

    // Whether the proof-number search leaves a node to this one: the attacker to move with
    // `moves` up to kProofNumberFloor, or the defender to move with fewer after the reply.
    static bool Below(bool attackerToMove, int moves) {
        return attackerToMove ? moves <= kProofNumberFloor : moves < kProofNumberFloor;
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
    std::array<MoveValue, kMaxMateMoves + 1> killers_{};
};

}  // namespace tarvelle
