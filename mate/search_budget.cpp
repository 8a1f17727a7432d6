#include "mate/search_budget.h"

namespace tarvelle {
namespace {

constexpr std::uint64_t kNodesBetweenClockChecks = 256;

}  // namespace

SearchBudget::SearchBudget(const SearchLimits& limits)
    : limits_(limits), deadline_(std::chrono::steady_clock::now() + limits.time) {}

bool SearchBudget::Exhausted() {
    if (exhausted_) return true;
    if (ceiling_ != 0 && nodes_ >= ceiling_) return true;
    if (limits_.nodes != 0 && nodes_ >= limits_.nodes) exhausted_ = true;
    if (limits_.stop != nullptr && limits_.stop->load(std::memory_order_relaxed)) exhausted_ = true;
    if (limits_.time.count() > 0 && nodes_ >= nextClockCheck_) {
        nextClockCheck_ = nodes_ + kNodesBetweenClockChecks;
        if (std::chrono::steady_clock::now() >= deadline_) exhausted_ = true;
    }
    return exhausted_;
}

}  // namespace tarvelle
