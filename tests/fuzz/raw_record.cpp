#include "raw_record.h"

#include <cchess/cchess.h>

#include <algorithm>
#include <array>
#include <memory>
#include <string>

#include "fen_grid.h"
#include "fuzz_support.h"

namespace tarvelle::fuzz {

namespace {

constexpr int kMaxSteps = 64;

// Lists the moves into a buffer of the given capacity and fails when anything lands beyond it.
int ListMoves(const PositionRecord& record, std::array<std::int32_t, CCHESS_MAX_MOVES>& moves,
              int capacity) {
    constexpr std::int32_t kUntouched = 0x7EADBEEF;
    std::array<std::int32_t, CCHESS_MAX_MOVES + 8> buffer;
    buffer.fill(kUntouched);
    const int clamped = std::clamp(capacity, -8, int{CCHESS_MAX_MOVES});
    const int count = CchessLegalMoves(&record, buffer.data(), clamped);
    Require(count >= 0 && count <= CCHESS_MAX_MOVES, "the legal move count is out of range",
            record);
    const auto written = static_cast<std::size_t>(std::clamp(std::min(clamped, count), 0, count));
    Require(std::all_of(buffer.begin() + static_cast<std::ptrdiff_t>(written), buffer.end(),
                        [](std::int32_t value) { return value == kUntouched; }),
            "LegalMoves wrote beyond its capacity", record);
    std::copy(buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(written), moves.begin());
    return static_cast<int>(written);
}

void RequireRefusalHarmless(int result, const PositionRecord& before, const PositionRecord& after,
                            const char* what) {
    if (result == 0) Require(SameBytes(before, after), what, before);
}

}  // namespace

void FuzzRawRecord(const std::uint8_t* data, std::size_t size) {
    // Reused by every run, as fresh memory for each would cost more than the run itself.
    static const auto record = std::make_unique<PositionRecord>();
    static const auto saved = std::make_unique<PositionRecord>();
    // The input repeated over the whole record, so every field, the far end of the history
    // included, takes values from it.
    auto* bytes = reinterpret_cast<std::uint8_t*>(record.get());
    for (std::size_t i = 0; i < sizeof *record; ++i)
        bytes[i] = size == 0 ? 0 : data[i % size];

    Require(CchessInit(static_cast<int>(size)) == 1, "CchessInit did not return 1", *record);
    ByteReader in(data, size);
    for (int step = 0; step < kMaxSteps; ++step) {
        const int consistent = CchessRecordIsConsistent(record.get());
        Require(consistent == 0 || consistent == 1,
                "the consistency check answered neither 0 nor 1", *record);
        if (consistent == 1) RequireSound(*record, "a record the library calls consistent");
        Require(StrictGrid(CchessBoard2Fen(record.get())).has_value(),
                "Board2Fen wrote a malformed FEN", *record);
        if (in.AtEnd()) break;

        *saved = *record;
        std::array<std::int32_t, CCHESS_MAX_MOVES> moves{};
        const std::uint8_t op = in.Byte();
        switch (op % 8) {
            case 0:
            case 1: {
                const int listed = ListMoves(*record, moves, static_cast<int>(in.Byte()) - 8);
                const std::uint8_t pick = in.Byte();
                if (listed == 0) break;
                int status = -1;
                const int result = CchessTryMove(record.get(), &status,
                                                 moves[static_cast<std::size_t>(pick % listed)]);
                RequireRefusalHarmless(result, *saved, *record,
                                       "a refused move changed the record");
                break;
            }
            case 2: {
                int status = -1;
                const int result = CchessTryMove(record.get(), &status, in.Int32());
                Require(result != 0 || status == 0, "a refused move reported status bits", *saved);
                RequireRefusalHarmless(result, *saved, *record,
                                       "a refused move changed the record");
                break;
            }
            case 3:
            case 4:
                RequireRefusalHarmless(CchessUndoMove(record.get()), *saved, *record,
                                       "a refused take-back changed the record");
                break;
            case 5:
            case 6: {
                const int square = in.Byte() - (op & 0x80 ? 256 : 0);
                const int code = in.Byte() % 64 - 8;
                const int result = CchessAddPiece(record.get(), square, code, op & 0x40);
                RequireRefusalHarmless(result, *saved, *record,
                                       "AddPiece changed the record but returned 0");
                if (result != 0) {
                    // The history is emptied, so there is nothing left to take back.
                    *saved = *record;
                    Require(CchessUndoMove(record.get()) == 0 && SameBytes(*saved, *record),
                            "a move could be taken back after AddPiece", *saved);
                }
                break;
            }
            default: {
                // An empty text sets every byte, so the damage must be gone, down to the last byte.
                const int clean = CchessFen2Board(record.get(), op & 0x80 ? nullptr : "");
                *saved = PositionRecord{};
                Require(clean == 0 && SameBytes(*saved, *record),
                        "reading an empty FEN did not give the all-zero record", *record);
                break;
            }
        }
    }
}

}  // namespace tarvelle::fuzz
