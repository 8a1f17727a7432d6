// tarvelle-mate: the mate solver as a command. One position a line on standard input, "FEN" or
// "FEN<TAB>N", and one answer a line on standard output:
//   mate n KEY LINE... [| OTHER...]   the fewest moves n, the main line from the key down to mate,
//                                     and every other first move that also mates within n
//   none N                            no mate within N
//   unknown NODES                     the budget ran out first
//   error TEXT                        the line is no position, or its N is out of range
// Moves are engine text: files a..i, ranks 0..9 from Red's side. With --first the answer is the
// first mate proven, without the proof that nothing is faster and that no other first move mates:
// n is then that mate's length.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "mate/mate_solver.h"

namespace tarvelle {

struct MateCommandOptions {
    int maxMoves = 9;
    std::uint64_t nodes = 0;
    std::chrono::milliseconds time{0};
    std::size_t tableMegabytes = 64;
    bool firstKeyOnly = false;
    bool stats = false;
    // A position given on the command line instead of standard input.
    std::optional<std::string> position;
};

// Reads the arguments after the program's name. On a bad one, sets `error` to a one-line message
// and returns nothing.
std::optional<MateCommandOptions> ParseMateCommand(const std::vector<std::string_view>& arguments,
                                                   std::string& error);

struct MateCommandAnswer {
    std::string line;
    // The search alone, for --stats; nothing for a line that was no question.
    std::optional<std::uint64_t> nodes;
    std::chrono::milliseconds took{0};
};

// The answer to one input line (without its line end).
MateCommandAnswer AnswerMateQuestion(MateSolver& solver, const MateCommandOptions& options,
                                     std::string_view input);

// The usage line, for the messages of a bad command line.
extern const char* const kMateCommandUsage;

}  // namespace tarvelle
