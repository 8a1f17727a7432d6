// Plays on a record read from FEN text, driven by the input bytes, and checks after every step that
// the library kept its promises.
#pragma once

#include <cchess/cchess.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "fuzz_support.h"

namespace tarvelle::fuzz {

// One session serves every run of a process: its records are reused rather than allocated anew,
// which kept the fuzzer busy with fresh memory pages.
class PlaySession {
public:
    // Starts over on the FEN read into a fresh record, and checks the reading and its round trip.
    void Start(const std::string& fen);

    // Runs operations until the bytes run out or the step limit is reached.
    void Run(ByteReader& in);

private:
    void Step(ByteReader& in);
    // Tries the move and checks the outcome against the legal list, which is worked out unless
    // given.
    void TryMove(std::int32_t move, const std::vector<std::int32_t>* legal = nullptr);
    void CheckMoveResult(std::int32_t move, int status);
    void TakeBack();
    void Place(int square, int code, int remove);
    void TryEveryMove(int capacity);
    void CheckFenRoundTrip();
    std::vector<std::int32_t> LegalMoves(const PositionRecord& record) const;

    std::unique_ptr<PositionRecord> m_record = std::make_unique<PositionRecord>();
    // The record before the step being checked, and one more for side calculations.
    std::unique_ptr<PositionRecord> m_saved = std::make_unique<PositionRecord>();
    std::unique_ptr<PositionRecord> m_other = std::make_unique<PositionRecord>();
    // The exact record before each move not yet taken back, the latest last.
    std::vector<PositionRecord> m_beforeMove;
    // Whether the step being run made a move or placed a piece.
    bool m_changed = false;
    int m_sweeps = 0;
};

}  // namespace tarvelle::fuzz
