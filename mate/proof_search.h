// Depth-first proof-number search (df-pn) for "the attacker mates within k moves", after
// Nagai's df-pn (2002) as the tsume-shogi solvers use it, with these choices for Xiangqi:
//
// - Every move counts. A Xiangqi mate need not be a series of checks, so the attacker's nodes
//   (OR) try all legal moves, ordered by first estimates that favour checks: a check's proof
//   number starts at the defender's number of replies, a quiet move's at kQuietProofNumber. The
//   defender's nodes (AND) try all replies; one that checks the attacker starts with a small
//   disproof number, since the attacker then has few moves.
// - A node is a position and the moves the attacker has left. The bound falls by one ply at every
//   move, so the search graph has no cycles: the graph-history problem of df-pn cannot arise, and
//   with no repetition rule the value of a node is the same by every path that reaches it.
// - Thresholds 1+ε (Pawlewicz and Lew, 2007): a child is searched until its number passes the
//   second-best sibling's by a quarter rather than by one, which stops the search from thrashing
//   between two nearly equal children.
// - Mate in one is found when a node is expanded: every attacker move is tried with the rules
//   library's status bits, and one that leaves the defender without a move proves the node at once.
// - The last two moves are left to the depth-first search (depth_first_search.h), which settles
//   them once where df-pn would expand them again and again; the questions that are mostly
//   disproofs go to it whole.
//
// Left out: transposition merging of proof numbers across bounds (a node's numbers are its bound's
// alone), and any pruning that a quiet position could defeat (null moves, threats): the search
// must stay exact, and in Xiangqi a quiet move can leave the defender in zugzwang.
#pragma once

#include <cstdint>

#include "mate/depth_first_search.h"
#include "mate/mate_table.h"
#include "mate/search_board.h"
#include "mate/search_budget.h"

namespace tarvelle {

class ProofSearch {
public:
    // The attacker is `attacker` (0 Red, 1 Black) for the whole search; the board, table and
    // budget must outlive it.
    ProofSearch(SearchBoard& board, MateTable& table, SearchBudget& budget, int attacker);

    // Searches the position on the board until it is proven or disproven with the attacker
    // having `moves` moves left (after the defender's reply, when the defender is to move), or
    // until the budget is spent: then neither number is 0.
    NodeValue Prove(int moves);
    // The same question settled by the depth-first search alone, the better choice when a
    // disproof is expected.
    NodeValue Refute(int moves);
    // The same question when either answer may come: both searches in turn, each given as many
    // positions as the other has had, twice as many every round. It costs at most about twice
    // what the better of the two would have.
    NodeValue Settle(int moves);

private:
    struct Child;
    struct Totals;

    void Search(int moves, std::uint32_t pnThreshold, std::uint32_t dnThreshold);
    // Lists the children of the node on the board, or settles the node at once (a mate in one, a
    // side without moves, no moves left): then returns true with `settled` set.
    bool ExpandAttacker(int moves, Child* children, int& count, NodeValue& settled);
    bool ExpandDefender(int moves, Child* children, int& count, NodeValue& settled);
    Totals Combine(bool attackerToMove, int childMoves, const Child* children, int count) const;

    SearchBoard& board_;
    MateTable& table_;
    SearchBudget& budget_;
    int attacker_;
    DepthFirstSearch depthFirst_;
};

}  // namespace tarvelle
