// How long the trainer's verdicts take over a puzzle file, headless: for each puzzle, the
// question the trainer's worker is asked after each move of the stored main line but the mate, and
// after one wrong first move (the first legal move in the rules library's order that is not the
// key), timed from the question to the answer taken on the asking thread. The worker is the
// program's: its table size (unless --table says otherwise), its 2 s budget, one worker for the
// whole file. Prints a table by length and the process's peak resident memory.
//
// usage: verdict_bench [--table MB] [PUZZLE_FILE]   (default: fens.txt beside the program)
#include <algorithm>
#include <array>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "game/move_judge.h"
#include "game/puzzle_list.h"
#include "game/puzzle_solution.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using tarvelle::MateAnswer;
using tarvelle::MateOutcome;
using tarvelle::MoveValue;

struct Timing {
    double ms = 0;
    MateOutcome outcome = MateOutcome::kUnknown;
    // Whether the answer is the one the stored line says it must be.
    bool expected = false;
};

struct LengthRow {
    int puzzles = 0;
    int notAsked = 0;
    std::vector<Timing> mainLine;
    std::vector<Timing> wrongFirst;
};

// The worker, and a wait for its answer on this thread.
class TimedWorker {
public:
    explicit TimedWorker(std::size_t tableMegabytes)
        : worker_(tableMegabytes, {.time = tarvelle::kTrainerQuestionTime}, [this] {
              const std::lock_guard lock(mutex_);
              answered_ = true;
              condition_.notify_all();
          }) {}

    // Times the trainer's question after the player's move that led to `position`.
    Timing Defend(const PositionRecord& position, int attackerMoves, MateOutcome expected) {
        const Clock::time_point asked = Clock::now();
        worker_.AskDefence(position, attackerMoves);
        std::unique_lock lock(mutex_);
        condition_.wait(lock, [this] { return answered_; });
        answered_ = false;
        lock.unlock();
        const std::optional<MateAnswer> answer = worker_.TakeAnswer();
        const double ms = std::chrono::duration<double, std::milli>(Clock::now() - asked).count();
        const MateOutcome outcome = answer ? answer->outcome : MateOutcome::kUnknown;
        return {ms, outcome, outcome == expected};
    }

private:
    std::mutex mutex_;
    std::condition_variable condition_;
    bool answered_ = false;
    tarvelle::SolverWorker worker_;
};

double Percentile(std::vector<double> values, double fraction) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const auto index =
        static_cast<std::size_t>(fraction * static_cast<double>(values.size() - 1) + 0.5);
    return values[std::min(index, values.size() - 1)];
}

void PrintRow(const std::string& label, int puzzles, const std::vector<Timing>& timings) {
    std::vector<double> ms;
    int right = 0;
    int wrong = 0;
    int unknown = 0;
    int unexpected = 0;
    for (const Timing& timing : timings) {
        ms.push_back(timing.ms);
        right += timing.outcome == MateOutcome::kMate ? 1 : 0;
        wrong += timing.outcome == MateOutcome::kNoMate ? 1 : 0;
        unknown += timing.outcome == MateOutcome::kUnknown ? 1 : 0;
        unexpected += !timing.expected && timing.outcome != MateOutcome::kUnknown ? 1 : 0;
    }
    std::printf("| %s | %d | %zu | %d | %d | %d | %d | %.0f | %.0f | %.0f |\n", label.c_str(),
                puzzles, timings.size(), right, wrong, unknown, unexpected, Percentile(ms, 0.5),
                Percentile(ms, 0.95), Percentile(ms, 1.0));
}

// The first legal move in the rules library's order other than `key`.
MoveValue WrongFirstMove(PositionRecord& position, MoveValue key) {
    std::array<MoveValue, CCHESS_MAX_MOVES> moves{};
    const int count = CchessLegalMoves(&position, moves.data(), CCHESS_MAX_MOVES);
    for (int i = 0; i < count; ++i) {
        if (moves[static_cast<std::size_t>(i)] != key) return moves[static_cast<std::size_t>(i)];
    }
    return 0;
}

long PeakResidentKilobytes() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmHWM:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::size_t table = tarvelle::kTrainerTableMegabytes;
    fs::path file = fs::read_symlink("/proc/self/exe").parent_path() / "fens.txt";
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--table" && i + 1 < argc) {
            table = std::strtoul(argv[++i], nullptr, 10);
        } else {
            file = argument;
        }
    }
    CchessInit(0);
    TimedWorker worker(table);
    std::map<int, LengthRow> rows;
    for (const tarvelle::PuzzleRow& row : tarvelle::ReadPuzzleFile(file)) {
        const std::vector<MoveValue> line = tarvelle::SolutionMoves(row);
        const std::optional<int> length = tarvelle::NamedLength(line);
        if (!length) continue;
        LengthRow& lengthRow = rows[*length];
        ++lengthRow.puzzles;
        const auto position = std::make_unique<PositionRecord>();
        CchessFen2Board(position.get(), row.fen.c_str());
        const MoveValue wrong = WrongFirstMove(*position, line.front());
        // The last move of the line mates: no question follows it.
        for (std::size_t ply = 1; ply < line.size(); ply += 2) {
            CchessTryMove(position.get(), nullptr, line[ply - 1]);
            const int left = tarvelle::AttackerMovesLeft(*length, static_cast<int>(ply));
            if (left > tarvelle::kMaxMateMoves) {
                ++lengthRow.notAsked;
            } else {
                lengthRow.mainLine.push_back(worker.Defend(*position, left, MateOutcome::kMate));
            }
            CchessTryMove(position.get(), nullptr, line[ply]);
        }
        CchessFen2Board(position.get(), row.fen.c_str());
        const int left = tarvelle::AttackerMovesLeft(*length, 1);
        if (wrong == 0 || left > tarvelle::kMaxMateMoves) continue;
        CchessTryMove(position.get(), nullptr, wrong);
        lengthRow.wrongFirst.push_back(worker.Defend(*position, left, MateOutcome::kNoMate));
    }

    std::printf("table %zu MB, budget %lld ms a question\n\n", table,
                static_cast<long long>(tarvelle::kTrainerQuestionTime.count()));
    std::printf(
        "| Length | Puzzles | Questions | Right | Wrong | Unknown | Unexpected | Median ms "
        "| p95 ms | Max ms |\n| --- | --- | --- | --- | --- | --- | --- | --- | --- | --- |\n");
    std::vector<Timing> mainLine;
    std::vector<Timing> wrongFirst;
    int puzzles = 0;
    int notAsked = 0;
    for (const auto& [length, row] : rows) {
        std::vector<Timing> all = row.mainLine;
        all.insert(all.end(), row.wrongFirst.begin(), row.wrongFirst.end());
        PrintRow(std::to_string(length), row.puzzles, all);
        mainLine.insert(mainLine.end(), row.mainLine.begin(), row.mainLine.end());
        wrongFirst.insert(wrongFirst.end(), row.wrongFirst.begin(), row.wrongFirst.end());
        puzzles += row.puzzles;
        notAsked += row.notAsked;
    }
    PrintRow("main line", puzzles, mainLine);
    PrintRow("wrong first move", puzzles, wrongFirst);
    std::vector<Timing> all = mainLine;
    all.insert(all.end(), wrongFirst.begin(), wrongFirst.end());
    PrintRow("all", puzzles, all);
    std::printf("\nnot asked (more than %d moves left): %d\npeak resident memory: %ld KB\n",
                tarvelle::kMaxMateMoves, notAsked, PeakResidentKilobytes());
    return 0;
}
