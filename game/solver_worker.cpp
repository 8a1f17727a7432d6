#include "game/solver_worker.h"

#include <utility>

namespace tarvelle {

SolverWorker::SolverWorker(std::size_t tableMegabytes, const SearchLimits& limits,
                           std::function<void()> answered)
    : solver_(tableMegabytes), limits_(limits), answered_(std::move(answered)) {
    limits_.stop = &stop_;
    thread_ = std::thread(&SolverWorker::Run, this);
}

SolverWorker::~SolverWorker() {
    {
        const std::lock_guard lock(mutex_);
        quit_ = true;
        stop_ = true;
    }
    asked_.notify_one();
    thread_.join();
}

void SolverWorker::AskMate(const PositionRecord& position, int maxMoves) {
    Ask(position, maxMoves, false);
}

void SolverWorker::AskDefence(const PositionRecord& position, int attackerMoves) {
    Ask(position, attackerMoves, true);
}

void SolverWorker::Ask(const PositionRecord& position, int moves, bool defence) {
    auto copy = std::make_unique<PositionRecord>(position);
    {
        const std::lock_guard lock(mutex_);
        waiting_ = Question{std::move(copy), moves, defence, ++lastAsked_};
        answer_.reset();
        if (searching_ != 0) stop_ = true;
    }
    asked_.notify_one();
}

void SolverWorker::Cancel() {
    const std::lock_guard lock(mutex_);
    ++lastAsked_;
    waiting_.reset();
    answer_.reset();
    if (searching_ != 0) stop_ = true;
}

std::optional<MateAnswer> SolverWorker::TakeAnswer() {
    const std::lock_guard lock(mutex_);
    return std::exchange(answer_, std::nullopt);
}

void SolverWorker::Run() {
    std::unique_lock lock(mutex_);
    while (true) {
        asked_.wait(lock, [this] { return quit_ || waiting_; });
        if (quit_) return;
        const Question question = std::move(*waiting_);
        waiting_.reset();
        searching_ = question.number;
        stop_ = false;
        lock.unlock();

        MateAnswer answer =
            question.defence
                ? solver_.Defend(*question.position, question.moves, limits_)
                : solver_.Solve(*question.position, question.moves, limits_, MateProof::kFound);

        lock.lock();
        searching_ = 0;
        if (question.number != lastAsked_ || quit_) continue;
        answer_ = std::move(answer);
        lock.unlock();
        answered_();
        lock.lock();
    }
}

}  // namespace tarvelle
