#include "mate/mate_solver.h"

#include "mate/mate_table.h"
#include "mate/proof_search.h"
#include "mate/search_board.h"
#include "mate/search_budget.h"

namespace tarvelle {
namespace {

// One question: the board it walks, its budget and its search over the solver's table.
struct Question {
    Question(const PositionRecord& position, MateTable& table, const SearchLimits& limits,
             bool attackerToMove)
        : board(position),
          budget(limits),
          search(board, table, budget,
                 attackerToMove ? board.SideToMove() : 1 - board.SideToMove()) {
        table.NewSearch();
    }

    SearchBoard board;
    SearchBudget budget;
    ProofSearch search;
};

bool Undecided(const NodeValue& value) {
    return !value.Proven() && !value.Disproven();
}

// The fewest moves that mate from a node proven within `moves`: shorter bounds are tried until
// one is disproven. Nothing when the budget ran out; `witness` then or otherwise is the
// disproof's move under the bound one short of the answer (for the defender: the reply that
// resists longest).
std::optional<int> FewestMoves(ProofSearch& search, int moves, int lowest, MoveValue& witness) {
    witness = 0;
    while (moves > lowest) {
        const NodeValue shorter = search.Refute(moves - 1);
        if (Undecided(shorter)) return std::nullopt;
        if (shorter.Disproven()) {
            witness = shorter.best;
            break;
        }
        moves = shorter.moves;
    }
    return moves;
}

// The main line from the attacker's node on the board, where the fewest moves that mate are
// `moves`: the fastest mating move, the defence that resists longest, and so on. Leaves the board
// as it found it. False when the budget ran out.
bool AppendMainLine(Question& question, int moves, std::vector<MoveValue>& line) {
    int played = 0;
    bool complete = true;
    for (int left = moves; left >= 1; --left) {
        const NodeValue attack = question.search.Prove(left);
        if (!attack.Proven()) {
            complete = false;
            break;
        }
        line.push_back(attack.best);
        question.board.Play(attack.best, false);
        ++played;
        if (left == 1) break;
        // The defender's node mates in exactly left - 1: the disproof under one move less names
        // a reply that holds out that long.
        const NodeValue defence = question.search.Refute(left - 2);
        if (!defence.Disproven()) {
            complete = false;
            break;
        }
        line.push_back(defence.best);
        question.board.Play(defence.best, false);
        ++played;
    }
    for (; played > 0; --played)
        question.board.TakeBack();
    if (!complete) line.clear();
    return complete;
}

// At the defender's node on the board, proven within `moves`: the reply whose proof is longest,
// and that proof's length. Nothing when the budget ran out.
std::optional<int> LongestFoundDefence(Question& question, int moves, MoveValue& longest) {
    MoveBatch replies;
    question.board.LegalMoves(replies);
    int most = 0;
    longest = 0;
    for (int i = 0; i < replies.count; ++i) {
        const MoveValue reply = replies.moves[static_cast<std::size_t>(i)];
        question.board.Play(reply, false);
        const NodeValue defence = question.search.Prove(moves);
        question.board.TakeBack();
        if (!defence.Proven()) return std::nullopt;
        if (longest == 0 || defence.moves > most) {
            most = defence.moves;
            longest = reply;
        }
    }
    return most;
}

// The line of the mate the search found from the attacker's node on the board, proven within
// `moves`: at the attacker's nodes the move that proved it, at the defender's the reply whose
// proof is longest. False when the budget ran out.
bool AppendFoundLine(Question& question, int moves, std::vector<MoveValue>& line) {
    int played = 0;
    bool complete = true;
    for (int left = moves; complete;) {
        const NodeValue attack = question.search.Prove(left);
        complete = attack.Proven();
        if (!complete) break;
        line.push_back(attack.best);
        question.board.Play(attack.best, false);
        ++played;
        if (attack.moves <= 1) break;
        MoveValue longest = 0;
        const std::optional<int> after = LongestFoundDefence(question, attack.moves - 1, longest);
        complete = after.has_value();
        if (!complete) break;
        line.push_back(longest);
        question.board.Play(longest, false);
        ++played;
        left = *after;
    }
    for (; played > 0; --played)
        question.board.TakeBack();
    if (!complete) line.clear();
    return complete;
}

// The line from the defender's node on the board, proven within `moves`: `reply` (or, without
// one, the reply whose proof is longest), then the mate as found after it. False when the budget
// ran out.
bool AppendDefenceLine(Question& question, int moves, std::optional<MoveValue> reply,
                       std::vector<MoveValue>& line) {
    MoveValue defence = reply.value_or(0);
    int after = moves;
    if (!reply) {
        const std::optional<int> longest = LongestFoundDefence(question, moves, defence);
        if (!longest) return false;
        after = *longest;
    }
    line.push_back(defence);
    question.board.Play(defence, false);
    const bool complete = AppendFoundLine(question, after, line);
    question.board.TakeBack();
    return complete;
}

// Every first move from the attacker's node on the board, proven to mate within `root.moves`,
// judged within the fewest moves that mate: the keys go into `keys`, and the fewest moves are
// returned (nothing when the budget ran out). A non-key is refuted under the bound of the fewest,
// which also refutes it under every smaller bound, so that the proof that nothing mates faster
// then costs only the keys' refutations one move short.
std::optional<int> FirstMovesSettled(Question& question, const NodeValue& root,
                                     std::vector<MoveValue>& keys) {
    MoveBatch first;
    question.board.LegalMoves(first);
    int fewest = root.moves;
    for (bool shortened = true; shortened;) {
        shortened = false;
        keys.clear();
        for (int i = 0; i < first.count && !shortened; ++i) {
            const MoveValue move = first.moves[static_cast<std::size_t>(i)];
            question.board.Play(move, false);
            NodeValue reply = question.search.Refute(fewest - 1);
            if (reply.Proven() && reply.moves == fewest - 1 && fewest >= 2) {
                // Proven as found: it may still mate faster.
                const NodeValue faster = question.search.Refute(fewest - 2);
                if (!faster.Disproven()) reply = faster;
            }
            question.board.TakeBack();
            if (Undecided(reply)) return std::nullopt;
            if (!reply.Proven()) continue;
            if (reply.moves + 1 < fewest) {
                fewest = reply.moves + 1;
                shortened = true;
            } else {
                keys.push_back(move);
            }
        }
    }
    return fewest;
}

MateAnswer Unknown(const Question& question) {
    MateAnswer answer;
    answer.nodes = question.budget.Nodes();
    return answer;
}

}  // namespace

MateSolver::MateSolver(std::size_t tableMegabytes)
    : table_(std::make_unique<MateTable>(tableMegabytes)) {}

MateSolver::~MateSolver() = default;

MateAnswer MateSolver::Solve(const PositionRecord& position, int maxMoves,
                             const SearchLimits& limits, MateProof proof) {
    Question question(position, *table_, limits, true);
    if (!question.board.Valid() || maxMoves < 1 || maxMoves > kMaxMateMoves) {
        return Unknown(question);
    }
    const NodeValue root = question.search.Settle(maxMoves);
    if (Undecided(root)) return Unknown(question);
    MateAnswer answer;
    if (root.Disproven()) {
        answer.outcome = MateOutcome::kNoMate;
        answer.moves = maxMoves;
        answer.nodes = question.budget.Nodes();
        return answer;
    }
    if (proof == MateProof::kFound) {
        if (!AppendFoundLine(question, root.moves, answer.line)) return Unknown(question);
        answer.outcome = MateOutcome::kMate;
        // The table may since hold shorter proofs than the root's first one: the line is read
        // from them, and its length is the mate it shows.
        answer.moves = static_cast<int>(answer.line.size() + 1) / 2;
        answer.nodes = question.budget.Nodes();
        return answer;
    }
    const std::optional<int> fewest = FirstMovesSettled(question, root, answer.otherKeys);
    if (!fewest || !AppendMainLine(question, *fewest, answer.line)) return Unknown(question);
    // The line's key is the search's pick among the keys; every other one is listed.
    std::erase(answer.otherKeys, answer.line.front());
    answer.outcome = MateOutcome::kMate;
    answer.moves = *fewest;
    answer.fewest = true;
    answer.nodes = question.budget.Nodes();
    return answer;
}

MateAnswer MateSolver::Defend(const PositionRecord& position, int attackerMoves,
                              const SearchLimits& limits, MateProof proof) {
    Question question(position, *table_, limits, false);
    if (!question.board.Valid() || attackerMoves < 0 || attackerMoves > kMaxMateMoves) {
        return Unknown(question);
    }
    const NodeValue root = question.search.Settle(attackerMoves);
    if (Undecided(root)) return Unknown(question);
    MateAnswer answer;
    if (root.Disproven()) {
        answer.outcome = MateOutcome::kNoMate;
        answer.moves = attackerMoves;
        answer.refutation = root.best;
        answer.nodes = question.budget.Nodes();
        return answer;
    }
    // The mate as first found stands, whatever the rest of the budget allows.
    answer.outcome = MateOutcome::kMate;
    answer.moves = root.moves;
    if (root.moves > 0 && !AppendDefenceLine(question, root.moves, std::nullopt, answer.line)) {
        return Unknown(question);
    }
    answer.moves = static_cast<int>(answer.line.size()) / 2;  // as for Solve's found line
    answer.fewest = root.moves == 0;
    if (proof == MateProof::kFewest && !answer.fewest) {
        MoveValue longest = 0;
        const std::optional<int> fewest = FewestMoves(question.search, root.moves, 0, longest);
        std::vector<MoveValue> line;
        if (fewest && (*fewest == 0 || AppendDefenceLine(question, *fewest, longest, line))) {
            answer.moves = *fewest;
            answer.line = std::move(line);
            answer.fewest = true;
        }
    }
    answer.nodes = question.budget.Nodes();
    return answer;
}

std::optional<std::vector<Refutation>> MateSolver::Refutations(const PositionRecord& position,
                                                               int maxMoves,
                                                               const SearchLimits& limits) {
    Question question(position, *table_, limits, true);
    if (!question.board.Valid() || maxMoves < 1 || maxMoves > kMaxMateMoves) return std::nullopt;
    std::vector<Refutation> refutations;
    MoveBatch first;
    question.board.LegalMoves(first);
    for (int i = 0; i < first.count; ++i) {
        const MoveValue move = first.moves[static_cast<std::size_t>(i)];
        question.board.Play(move, false);
        const NodeValue reply = question.search.Refute(maxMoves - 1);
        question.board.TakeBack();
        if (Undecided(reply)) return std::nullopt;
        refutations.push_back({move, reply.Disproven() ? reply.best : 0});
    }
    return refutations;
}

}  // namespace tarvelle
