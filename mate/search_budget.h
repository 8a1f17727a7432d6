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

    // True once the positions or the time are used up or the stop flag is set, and from then on.
    // The clock is read every few hundred positions, which is well within the promised 10 ms.
    bool Exhausted();

private:
    SearchLimits limits_;
    std::chrono::steady_clock::time_point deadline_;
    std::uint64_t nodes_ = 0;
    std::uint64_t nextClockCheck_ = 0;
    bool exhausted_ = false;
};

}  // namespace tarvelle
