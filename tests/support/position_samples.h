// Seeded sources of positions for the rules tests: random arrangements that include points no
// piece could reach in a game, and positions reached by random legal play. The same seed gives
// the same positions on every machine, so a failure can always be replayed.
#pragma once

#include <cchess/cchess.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace tarvelle::testing {

// A small generator with a fixed algorithm (xorshift64*), unlike the standard distributions whose
// output differs between library implementations.
class SampleRandom {
public:
    explicit SampleRandom(std::uint64_t seed) : m_state(seed * 0x9E3779B97F4A7C15ull + 1) {}

    // A number in 0..bound-1; bound must be positive.
    int Below(int bound);
    bool Chance(int percent) { return Below(100) < percent; }

private:
    std::uint64_t m_state;
};

// How many of `count` samples to take in this build: all of them normally, a sixth under the
// sanitizers, whose checks make every position many times dearer.
constexpr int SampleCount(int count) {
#if defined(__SANITIZE_ADDRESS__)
    return count / 6;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
    return count / 6;
#else
    return count;
#endif
#else
    return count;
#endif
}

extern const char* const kOpeningFen;

// A move in coordinate text ("h2e2": files a..i from Red's left, ranks 0..9 from Red's side), for
// failure messages.
std::string MoveName(std::int32_t move);

// Hand-picked positions from the middle of real-looking games: open files, pieces tangled around
// both palaces, pawns across the river.
const std::vector<const char*>& MiddleGameFens();

// Replaces the record with random pieces on random points and a random side to move. Kings and
// advisors usually stand in their palace and elephants on their own half, but now and then any
// piece stands anywhere, and either king may be missing.
void RandomArrangement(SampleRandom& random, PositionRecord& record);

// Makes up to `plies` random legal moves on the record (stopping early when the side to move has
// none), calling visit with the record before each move and once more at the end.
void RandomPlayout(SampleRandom& random, PositionRecord& record, int plies,
                   const std::function<void(const PositionRecord&)>& visit);

// Calls visit with `count` random arrangements.
void ForEachArrangement(std::uint64_t seed, int count,
                        const std::function<void(const PositionRecord&)>& visit);

// Calls visit with `count` positions taken from random games, each game starting from the next of
// `starts` (FEN texts, used in turn) and lasting a random number of plies.
void ForEachPlayedPosition(std::uint64_t seed, int count, const std::vector<const char*>& starts,
                           const std::function<void(const PositionRecord&)>& visit);

}  // namespace tarvelle::testing
