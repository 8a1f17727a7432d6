// The solver's memory: one table of a fixed size, in clusters of four entries on two cache lines,
// allocated once and never grown.
//
// An entry belongs to a position (its key, side to move included) and a bound: the moves the
// attacker has left from there. What it says depends on its state:
//   kProven     the attacker mates within `moves` (the length of the proof found, which may be
//               less than the bound it was asked under): true under any bound of at least that;
//   kDisproven  the attacker does not mate within `moves`: true under any bound of at most that,
//               and never a "no mate" under a greater bound;
//   kWorking    the proof and disproof numbers of a search under exactly that bound.
// All bounds of one position share its cluster, so a look-up sees them together and answers
// found under different bounds stay apart by their `moves`.
//
// Replacement: a full cluster gives up, first, an entry of an earlier search (generation); then
// the working entry with the least effort spent under it; only when every entry is final, the
// disproof, and last the proof, with the least effort. A proof or disproof makes the entries of its
// position that it settles (smaller disproofs, larger proofs and working entries it decides)
// free.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "position/position_record.h"

namespace tarvelle {

enum class EntryState : std::uint8_t { kEmpty, kWorking, kProven, kDisproven };

// Proof and disproof numbers: 0 is proven (or disproven), kInfinite the other way round.
constexpr std::uint32_t kInfinite = 0x7FFFFFFF;

struct NodeValue {
    std::uint32_t pn = 1;
    std::uint32_t dn = 1;
    // Proven: the attacker's moves in the proof. Disproven: the bound it holds for.
    int moves = 0;
    // The move that proved or disproved the position, or the one searched last.
    MoveValue best = 0;
    // Whether the value came from the table rather than being a first estimate.
    bool known = false;

    bool Proven() const { return pn == 0; }
    bool Disproven() const { return dn == 0; }
};

// A disproof bound no search reaches: the attacker has no move at all and has already lost.
constexpr int kForever = 255;

class MateTable {
public:
    explicit MateTable(std::size_t megabytes);
    ~MateTable();
    MateTable(const MateTable&) = delete;
    MateTable& operator=(const MateTable&) = delete;

    // Forgets everything, cheaply: entries of earlier searches count as empty.
    void NewSearch();

    // What is known of the position under `moves`; `known` false when nothing is.
    NodeValue Find(std::uint64_t key, int moves) const;

    // Records the outcome of searching the position under `moves`: a proof with value.moves its
    // length, a disproof under `moves`, or working numbers. `effort` is the positions searched.
    void Store(std::uint64_t key, int moves, const NodeValue& value, std::uint64_t effort);

    std::size_t Bytes() const { return clusterCount_ * sizeof(Cluster); }

private:
    struct Entry {
        std::uint64_t key;
        std::uint32_t pn;
        std::uint32_t dn;
        std::uint32_t effort;
        std::uint16_t best;
        std::uint8_t moves;
        EntryState state;
        std::uint8_t generation;
        std::uint8_t unused[7];
    };
    static_assert(sizeof(Entry) == 32);
    static constexpr int kWays = 4;
    struct alignas(64) Cluster {
        Entry entries[kWays];
    };

    Cluster& ClusterOf(std::uint64_t key) const;
    bool Live(const Entry& entry) const {
        return entry.state != EntryState::kEmpty && entry.generation == generation_;
    }
    Entry& Victim(Cluster& cluster) const;

    struct FreeMemory {
        void operator()(void* memory) const;
    };
    std::unique_ptr<void, FreeMemory> memory_;
    Cluster* clusters_ = nullptr;
    std::size_t clusterCount_ = 0;
    std::uint8_t generation_ = 0;
};

}  // namespace tarvelle
