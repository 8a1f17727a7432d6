// libFuzzer entry of the mate solver: any position, a bound and a tiny budget, through each of the
// solver's questions. Input bytes:
//   0     the question: Solve (kFewest, kFound), Defend (kFewest, kFound) or Refutations; bit 3
//         picks how the position is given
//   1     the bound, 1..6 moves (Defend also 0)
//   2..3  the node budget, 1..1024
//   then  FEN text up to a zero byte, or pairs of bytes each placing a piece (code, point)
// Whatever it asks, the solver must not crash, must stay within its budget and its table, must
// answer the same twice, and every decided answer must hold: a mate's line is legal and mates in
// as many moves as it claims, a refutation is a legal reply, and for short bounds the plain search
// of the tests agrees.
#include <malloc.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#define TARVELLE_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TARVELLE_ADDRESS_SANITIZER 1
#endif
#endif
#ifdef TARVELLE_ADDRESS_SANITIZER
// Declared here rather than through <sanitizer/allocator_interface.h>, which GCC does not ship;
// both compilers' sanitizer runtimes define it.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#endif

#include "fuzz/fuzz_support.h"
#include "mate/mate_solver.h"
#include "mate/plain_mate_search.h"

namespace {

// Heap bytes in use, as the allocator counts them: the sanitizers' when they are in, glibc's
// otherwise.
std::size_t HeapBytesInUse() {
#ifdef TARVELLE_ADDRESS_SANITIZER
    return __sanitizer_get_current_allocated_bytes();
#else
    return mallinfo2().uordblks;
#endif
}

// Stopping short of a budget is checked between expansions of at most one node's moves and
// replies, which bounds how far past it a search may go.
constexpr std::uint64_t kOvershoot = 2 * CCHESS_MAX_MOVES;
// What an answer may hold on to after a question: its line and keys. A table or a cache that grew
// with the questions asked would pass this within a few inputs.
constexpr std::size_t kAnswerBytes = 16 * 1024;

std::unique_ptr<PositionRecord> ReadPosition(tarvelle::fuzz::ByteReader& bytes, bool fromText) {
    auto record = std::make_unique<PositionRecord>();
    if (fromText) {
        std::string fen;
        for (std::uint8_t byte = bytes.Byte(); byte != 0; byte = bytes.Byte())
            fen += static_cast<char>(byte);
        CchessFen2Board(record.get(), fen.c_str());
        return record;
    }
    record->side = bytes.Byte() & 1;
    while (!bytes.AtEnd()) {
        const int code = 16 + bytes.Byte() % 32;
        const int point = bytes.Byte() % 90;
        CchessAddPiece(record.get(), 16 * (3 + point / 9) + 3 + point % 9, code, 0);
    }
    return record;
}

// Plays the line on a copy of the position; true when every move is legal and the last mates.
bool LineMates(const PositionRecord& position, const std::vector<tarvelle::MoveValue>& line) {
    auto record = std::make_unique<PositionRecord>(position);
    int status = 0;
    for (const tarvelle::MoveValue move : line) {
        if (!CchessTryMove(record.get(), &status, move)) return false;
    }
    return !line.empty() && (status & CCHESS_STATUS_LOST) != 0;
}

bool SameAnswer(const tarvelle::MateAnswer& a, const tarvelle::MateAnswer& b) {
    return a.outcome == b.outcome && a.moves == b.moves && a.line == b.line &&
           a.otherKeys == b.otherKeys && a.refutation == b.refutation && a.nodes == b.nodes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tarvelle;
    // A small table, so that full clusters and replacement come up within a few thousand nodes.
    static MateSolver solver(1);
    fuzz::ByteReader bytes(data, size);
    const int question = bytes.Byte() % 5;
    const bool fromText = (data != nullptr && size > 0 && (data[0] & 8) != 0);
    const int bound = bytes.Byte() % 7;
    const std::uint64_t budget = 1 + (std::uint64_t{bytes.Byte()} << 8 | bytes.Byte()) % 1024;
    const auto record = ReadPosition(bytes, fromText);
    const SearchLimits limits{budget};

    std::optional<std::vector<Refutation>> refutations;
    const auto ask = [&] {
        switch (question) {
            case 0:
            case 1:
                return solver.Solve(*record, bound, limits,
                                    question == 0 ? MateProof::kFewest : MateProof::kFound);
            case 2:
            case 3:
                return solver.Defend(*record, bound, limits,
                                     question == 2 ? MateProof::kFewest : MateProof::kFound);
            default:
                refutations = solver.Refutations(*record, bound, limits);
                return MateAnswer{};
        }
    };
    const std::size_t heapBefore = HeapBytesInUse();
    const MateAnswer answer = ask();
    const std::optional<std::vector<Refutation>> firstRefutations = refutations;
    fuzz::Require(HeapBytesInUse() <= heapBefore + kAnswerBytes, "memory beyond the table",
                  *record);
    fuzz::Require(SameAnswer(answer, ask()) && refutations == firstRefutations,
                  "a second answer differs", *record);
    fuzz::Require(answer.nodes <= budget + kOvershoot, "past the budget", *record);

    const bool defending = question == 2 || question == 3;
    if (answer.outcome == MateOutcome::kMate) {
        fuzz::Require(answer.moves <= bound, "a mate beyond the bound", *record);
        const std::size_t plies = static_cast<std::size_t>(2 * answer.moves - (defending ? 0 : 1));
        fuzz::Require(answer.line.size() == plies, "a line of the wrong length", *record);
        fuzz::Require(plies == 0 || LineMates(*record, answer.line), "a line that does not mate",
                      *record);
    }
    if (answer.outcome == MateOutcome::kNoMate && defending) {
        auto copy = std::make_unique<PositionRecord>(*record);
        fuzz::Require(CchessTryMove(copy.get(), nullptr, answer.refutation) != 0,
                      "a refutation that is no legal move", *record);
    }
    // The plain search tries every line: two moves only where few pieces keep it quick.
    int pieces = 0;
    for (int code = 16; code < 48; ++code)
        pieces += record->pieceSquares[code] != 0;
    if (answer.outcome != MateOutcome::kUnknown && (bound <= 1 || (bound == 2 && pieces <= 10)) &&
        CchessRecordIsConsistent(record.get())) {
        auto copy = std::make_unique<PositionRecord>(*record);
        testing::PlainMateSearch plain;
        const bool mates =
            defending ? plain.DefenderLoses(*copy, bound) : plain.AttackerMates(*copy, bound);
        fuzz::Require(mates == (answer.outcome == MateOutcome::kMate), "the plain search disagrees",
                      *record);
    }
    return 0;
}
