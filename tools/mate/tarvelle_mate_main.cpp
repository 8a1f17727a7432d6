#include <cstdio>
#include <iostream>
#include <string>

#include "tools/mate/mate_command.h"

namespace {

void Print(const tarvelle::MateCommandOptions& options, const tarvelle::MateCommandAnswer& answer) {
    std::cout << answer.line << '\n' << std::flush;
    if (options.stats && answer.nodes) {
        std::cerr << "nodes " << *answer.nodes << " ms " << answer.took.count() << '\n';
    }
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string_view> arguments(argv + 1, argv + argc);
    std::string error;
    const auto options = tarvelle::ParseMateCommand(arguments, error);
    if (!options) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 2;
    }
    CchessInit(0);
    tarvelle::MateSolver solver(options->tableMegabytes);
    if (options->position) {
        const tarvelle::MateCommandAnswer answer =
            tarvelle::AnswerMateQuestion(solver, *options, *options->position);
        if (!answer.nodes) {
            // "error TEXT": the one line says only what is wrong.
            std::fprintf(stderr, "tarvelle-mate: %s\n", answer.line.c_str() + 6);
            return 2;
        }
        Print(*options, answer);
        return 0;
    }
    std::string line;
    while (std::getline(std::cin, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        Print(*options, tarvelle::AnswerMateQuestion(solver, *options, line));
    }
    return 0;
}
