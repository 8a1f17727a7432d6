// plain-mate: the plain search as a command, for the solver's audits to settle a disagreement by a
// search that shares none of the solver's code. One "FEN<TAB>N" a line on standard input; one
// answer a line: "mate n KEY..." with every first move that mates in the fewest moves n, or
// "none N", or "error TEXT". It has no budget: the caller limits its time.
#include <cchess/cchess.h>

#include <iostream>
#include <memory>
#include <string>

#include "engine/move_text.h"
#include "plain_mate_search.h"

namespace {

std::string Answer(const std::string& input) {
    const std::size_t tab = input.find('\t');
    if (tab == std::string::npos) return "error no number of moves";
    int most = 0;
    try {
        most = std::stoi(input.substr(tab + 1));
    } catch (const std::exception&) {
        return "error bad number of moves";
    }
    if (most < 1 || most > 15) return "error bad number of moves";
    const auto record = std::make_unique<PositionRecord>();
    if (CchessFen2Board(record.get(), input.substr(0, tab).c_str()) != 1) {
        return "error not a position";
    }
    tarvelle::testing::PlainMateSearch search;
    const int fewest = search.MateLength(*record, most);
    if (fewest == 0) return "none " + std::to_string(most);
    std::string keys;
    for (const std::int32_t move : tarvelle::testing::AllLegalMoves(*record)) {
        int status = 0;
        CchessTryMove(record.get(), &status, move);
        if ((status & CCHESS_STATUS_LOST) != 0 ||
            (fewest > 1 && search.DefenderLoses(*record, fewest - 1))) {
            keys += ' ' + tarvelle::MoveToCoord(move);
        }
        CchessUndoMove(record.get());
    }
    return "mate " + std::to_string(fewest) + keys;
}

}  // namespace

int main() {
    CchessInit(0);
    std::string line;
    while (std::getline(std::cin, line)) {
        std::cout << Answer(line) << '\n' << std::flush;
    }
    return 0;
}
