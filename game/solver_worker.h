// The mate solver on a thread of its own, so that the window stays live while it thinks. It works
// on one question at a time: a new question, or a cancel, gives up the one before, whose search
// then ends within a few milliseconds, and only the answer to the last question asked is handed
// out.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#include "mate/mate_solver.h"
#include "position/position_record.h"

namespace tarvelle {

class SolverWorker {
public:
    // A solver with a table of `tableMegabytes`, bounded by `limits` on every question (its stop
    // flag is the worker's own). `answered` is called on the worker's thread whenever an answer
    // is ready to take; it must be safe to call from any thread.
    SolverWorker(std::size_t tableMegabytes, const SearchLimits& limits,
                 std::function<void()> answered);
    // Gives up the question in hand and waits for the thread to end.
    ~SolverWorker();
    SolverWorker(const SolverWorker&) = delete;
    SolverWorker& operator=(const SolverWorker&) = delete;

    // The attacker is to move in `position`: can it mate within `maxMoves`, and with which key?
    // (MateSolver::Solve, first key only.)
    void AskMate(const PositionRecord& position, int maxMoves);
    // The defender is to move and the attacker has `attackerMoves` left (MateSolver::Defend).
    void AskDefence(const PositionRecord& position, int attackerMoves);
    // Gives up the last question; nothing is answered until the next.
    void Cancel();

    // The answer to the last question, once, when it has come.
    std::optional<MateAnswer> TakeAnswer();

private:
    struct Question {
        std::unique_ptr<PositionRecord> position;
        int moves = 0;
        bool defence = false;
        std::uint64_t number = 0;
    };

    void Ask(const PositionRecord& position, int moves, bool defence);
    void Run();

    MateSolver solver_;
    SearchLimits limits_;
    std::function<void()> answered_;
    std::atomic<bool> stop_{false};

    std::mutex mutex_;
    std::condition_variable asked_;
    // Guarded by mutex_: the question waiting for the thread, the number of the last one asked,
    // the number of the one being searched, and the answer to the last one.
    std::optional<Question> waiting_;
    std::uint64_t lastAsked_ = 0;
    std::uint64_t searching_ = 0;
    std::optional<MateAnswer> answer_;
    bool quit_ = false;

    // Started last, once everything it reads exists.
    std::thread thread_;
};

}  // namespace tarvelle
