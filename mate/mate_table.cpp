#include "mate/mate_table.h"

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>
#include <new>
#include <tuple>

namespace tarvelle {
namespace {

std::uint32_t SaturatedEffort(std::uint64_t effort) {
    return static_cast<std::uint32_t>(
        std::min<std::uint64_t>(effort, std::numeric_limits<std::uint32_t>::max()));
}

}  // namespace

void MateTable::FreeMemory::operator()(void* memory) const {
    std::free(memory);
}

MateTable::MateTable(std::size_t megabytes) {
    const std::size_t bytes = std::max<std::size_t>(megabytes, 1) << 20;
    clusterCount_ = std::bit_floor(bytes / sizeof(Cluster));
    // calloc, so that pages come from the system zeroed and only when first written (a zero entry
    // is empty): a small search costs little resident memory.
    std::size_t space = clusterCount_ * sizeof(Cluster) + alignof(Cluster);
    memory_.reset(std::calloc(space, 1));
    if (memory_ == nullptr) throw std::bad_alloc();
    void* aligned = memory_.get();
    clusters_ = static_cast<Cluster*>(
        std::align(alignof(Cluster), clusterCount_ * sizeof(Cluster), aligned, space));
}

MateTable::~MateTable() = default;

void MateTable::NewSearch() {
    if (++generation_ == 0) {
        std::memset(static_cast<void*>(clusters_), 0, clusterCount_ * sizeof(Cluster));
        generation_ = 1;
    }
}

MateTable::Cluster& MateTable::ClusterOf(std::uint64_t key) const {
    return clusters_[static_cast<std::size_t>(key >> 20 ^ key) & (clusterCount_ - 1)];
}

NodeValue MateTable::Find(std::uint64_t key, int moves) const {
    const Cluster& cluster = ClusterOf(key);
    const Entry* working = nullptr;
    for (const Entry& entry : cluster.entries) {
        if (entry.key != key || !Live(entry)) continue;
        if (entry.state == EntryState::kProven && entry.moves <= moves) {
            return {0, kInfinite, entry.moves, entry.best, true};
        }
        if (entry.state == EntryState::kDisproven && entry.moves >= moves) {
            return {kInfinite, 0, entry.moves, entry.best, true};
        }
        if (entry.state == EntryState::kWorking && entry.moves == moves) working = &entry;
    }
    if (working == nullptr) return {};
    return {working->pn, working->dn, moves, working->best, true};
}

MateTable::Entry& MateTable::Victim(Cluster& cluster) const {
    const auto rank = [this](const Entry& entry) {
        if (!Live(entry)) return 0;
        switch (entry.state) {
            case EntryState::kWorking:
                return 1;
            case EntryState::kDisproven:
                return 2;
            default:
                return 3;
        }
    };
    // Ties go by what the entries hold, never by where they sit: which slot a new entry takes
    // depends on what earlier searches left, and an answer must not.
    const auto order = [&rank](const Entry& entry) {
        return std::tuple(rank(entry), entry.effort, entry.key, entry.moves);
    };
    Entry* victim = &cluster.entries[0];
    for (Entry& entry : cluster.entries) {
        if (rank(entry) == 0) return entry;
        if (order(entry) < order(*victim)) victim = &entry;
    }
    return *victim;
}

void MateTable::Store(std::uint64_t key, int moves, const NodeValue& value, std::uint64_t effort) {
    Cluster& cluster = ClusterOf(key);
    const std::uint32_t spent = SaturatedEffort(effort);
    EntryState state = EntryState::kWorking;
    if (value.Proven()) {
        state = EntryState::kProven;
        moves = value.moves;
    } else if (value.Disproven()) {
        state = EntryState::kDisproven;
    }
    Entry* slot = nullptr;
    for (Entry& entry : cluster.entries) {
        if (entry.key != key || !Live(entry)) continue;
        const bool settled = (state == EntryState::kProven &&
                              entry.state != EntryState::kDisproven && entry.moves >= moves) ||
                             (state == EntryState::kDisproven &&
                              entry.state != EntryState::kProven && entry.moves <= moves);
        if (state != EntryState::kWorking && settled) {
            entry.state = EntryState::kEmpty;
            continue;
        }
        // Already known as well or better: a shorter proof, a disproof under a greater bound.
        if (entry.state == state && state != EntryState::kWorking) return;
        if (state == EntryState::kWorking && entry.moves == moves &&
            entry.state == EntryState::kWorking) {
            slot = &entry;
        }
    }
    if (slot == nullptr) {
        slot = &Victim(cluster);
        if (state == EntryState::kWorking && Live(*slot) && slot->state != EntryState::kWorking &&
            slot->effort >= spent) {
            return;
        }
    }
    slot->key = key;
    slot->pn = value.pn;
    slot->dn = value.dn;
    slot->effort = spent;
    slot->best = static_cast<std::uint16_t>(value.best);
    slot->moves = static_cast<std::uint8_t>(moves);
    slot->state = state;
    slot->generation = generation_;
}

}  // namespace tarvelle
