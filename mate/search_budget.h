// What one question to the solver may still spend: positions, time and a stop flag.
#pragma once

#include <chrono>
#include <cstdint>

#include "mate/mate_solver.h"

namespace tarvelle {

class SearchBudget {
public:
    explicit SearchBudget(const SearchLimits& limits);

    void Count() { ++nodes_; }
    std::uint64_t Nodes() const { return nodes_; }

    // True once the positions or the time are used up or the stop flag is set, and from then on;
    // also, for the time being, once the count reaches the ceiling. The clock is read every few
    // hundred positions, which is well within the promised 10 ms.
    bool Exhausted();
    // Whether the question's own budget is used up, whatever the ceiling.
    bool Spent() const { return exhausted_; }

    // A count at which Exhausted() turns true until the ceiling is lifted (0: none): a search may
    // give one way of answering a share of the budget this way.
    void SetCeiling(std::uint64_t nodes) { ceiling_ = nodes; }

private:
    SearchLimits limits_;
    std::chrono::steady_clock::time_point deadline_;
    std::uint64_t nodes_ = 0;
    std::uint64_t nextClockCheck_ = 0;
    std::uint64_t ceiling_ = 0;
    bool exhausted_ = false;
};

}  // namespace tarvelle
