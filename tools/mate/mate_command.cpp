#include "tools/mate/mate_command.h"

#include <charconv>
#include <memory>

#include "engine/move_text.h"

namespace tarvelle {
namespace {

template <class Number>
bool ReadNumber(std::string_view text, Number& number) {
    const auto* end = text.data() + text.size();
    const auto [stop, fault] = std::from_chars(text.data(), end, number);
    return fault == std::errc() && stop == end;
}

bool ReadSeconds(std::string_view text, std::chrono::milliseconds& time) {
    double seconds = 0;
    if (!ReadNumber(text, seconds) || !(seconds > 0) || seconds > 1e9) return false;
    time = std::chrono::milliseconds(static_cast<std::int64_t>(seconds * 1000 + 0.5));
    return time.count() > 0;
}

std::string Moves(const std::vector<MoveValue>& moves) {
    std::string text;
    for (const MoveValue move : moves) {
        text += ' ';
        text += MoveToCoord(move);
    }
    return text;
}

MateCommandAnswer ErrorAnswer(std::string_view what, std::string_view detail) {
    MateCommandAnswer answer;
    answer.line = "error ";
    answer.line += what;
    answer.line += ": ";
    answer.line += detail;
    return answer;
}

}  // namespace

const char* const kMateCommandUsage =
    "usage: tarvelle-mate [--max N] [--nodes N] [--seconds S] [--table MB] [--first] [--stats] "
    "[FEN [N]]";

std::optional<MateCommandOptions> ParseMateCommand(const std::vector<std::string_view>& arguments,
                                                   std::string& error) {
    MateCommandOptions options;
    std::vector<std::string_view> positional;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view name = arguments[i];
        if (name == "--first") {
            options.firstKeyOnly = true;
            continue;
        }
        if (name == "--stats") {
            options.stats = true;
            continue;
        }
        if (!name.starts_with("--")) {
            positional.push_back(name);
            continue;
        }
        if (i + 1 == arguments.size()) {
            error = "tarvelle-mate: " + std::string(name) + " needs a value";
            return std::nullopt;
        }
        const std::string_view value = arguments[++i];
        bool good = false;
        if (name == "--max") {
            good = ReadNumber(value, options.maxMoves) && options.maxMoves >= 1 &&
                   options.maxMoves <= kMaxMateMoves;
        } else if (name == "--nodes") {
            good = ReadNumber(value, options.nodes) && options.nodes > 0;
        } else if (name == "--seconds") {
            good = ReadSeconds(value, options.time);
        } else if (name == "--table") {
            good = ReadNumber(value, options.tableMegabytes) && options.tableMegabytes >= 1 &&
                   options.tableMegabytes <= 65536;
        } else {
            error = "tarvelle-mate: unknown option " + std::string(name);
            return std::nullopt;
        }
        if (!good) {
            error = "tarvelle-mate: bad value for " + std::string(name) + ": " + std::string(value);
            return std::nullopt;
        }
    }
    if (positional.size() > 2) {
        error = kMateCommandUsage;
        return std::nullopt;
    }
    if (!positional.empty()) {
        std::string line(positional[0]);
        if (positional.size() == 2) {
            line += '\t';
            line += positional[1];
        }
        options.position = line;
    }
    return options;
}

MateCommandAnswer AnswerMateQuestion(MateSolver& solver, const MateCommandOptions& options,
                                     std::string_view input) {
    const std::size_t tab = input.find('\t');
    const std::string fen(input.substr(0, tab));
    int moves = options.maxMoves;
    if (tab != std::string_view::npos &&
        (!ReadNumber(input.substr(tab + 1), moves) || moves < 1 || moves > kMaxMateMoves)) {
        return ErrorAnswer("bad number of moves", input.substr(tab + 1));
    }
    const auto record = std::make_unique<PositionRecord>();
    if (fen.empty() || CchessFen2Board(record.get(), fen.c_str()) != 1) {
        return ErrorAnswer("not a position", fen);
    }
    const auto started = std::chrono::steady_clock::now();
    const MateAnswer answer =
        solver.Solve(*record, moves, {options.nodes, options.time, nullptr},
                     options.firstKeyOnly ? MateProof::kFound : MateProof::kFewest);
    MateCommandAnswer result;
    result.nodes = answer.nodes;
    result.took = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - started);
    switch (answer.outcome) {
        case MateOutcome::kMate:
            result.line = "mate " + std::to_string(answer.moves) + Moves(answer.line);
            if (!answer.otherKeys.empty()) result.line += " |" + Moves(answer.otherKeys);
            break;
        case MateOutcome::kNoMate:
            result.line = "none " + std::to_string(answer.moves);
            break;
        case MateOutcome::kUnknown:
            result.line = "unknown " + std::to_string(answer.nodes);
            break;
    }
    return result;
}

}  // namespace tarvelle
