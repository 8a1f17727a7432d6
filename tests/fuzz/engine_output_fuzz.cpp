// libFuzzer entry of the engine link's dispatch: the input is what an engine might write, cut into
// lines at LF, which the link takes one by one as the main loop does, with the real game flow and
// rules behind it. The first byte chooses the state the link starts in, one of the seven, and
// whether the engine's output ends or just goes silent after the last line. A line that starts
// with a byte from 1 to 4 stands for the user instead, acting between two engine lines:
//   1 N  plays legal move N (taken modulo the number of legal moves);
//   2    takes back a move;
//   3    the main loop's idle step with the computer to move: a search when the engine is Ready;
//   4    starts a new game from the opening.
// After every line the state must be one of the seven, and the game record must be sound: every
// listed move was in the legal list of its turn and the moves lead to the record byte for byte.
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "engine/dispatch_checks.h"
#include "engine/dispatch_rig.h"
#include "position/fen_text.h"

namespace {

using tarvelle::EngineState;
using tarvelle::testing::DispatchRig;
using tarvelle::testing::IsOneOfTheSevenStates;

constexpr std::array kStates = {
    EngineState::Unloaded, EngineState::Ready,    EngineState::Resting,   EngineState::PonderDone,
    EngineState::Stopping, EngineState::Thinking, EngineState::Pondering,
};

void Check(DispatchRig& rig, tarvelle::testing::GameReplay& replay) {
    const std::string fault = replay.Fault(rig.position, rig.moveList);
    const bool stateSound = IsOneOfTheSevenStates(rig.link.State());
    if (fault.empty() && stateSound && rig.moveList.moveCount == rig.moveList.currentPly) return;
    std::fprintf(stderr, "engine_output_fuzz: %s\n",
                 !stateSound      ? "the state is not one of the seven"
                 : !fault.empty() ? fault.c_str()
                                  : "the move list runs past the board");
    std::abort();
}

// Starts the link in `state` with the engine's lines waiting in the channel. Stopping is the wait
// for the answer to "stop", which reads those lines itself.
void Reach(DispatchRig& rig, EngineState state) {
    if (state != EngineState::Stopping) {
        rig.Reach(state);
        return;
    }
    rig.Reach(EngineState::Thinking);
    rig.game.PlayMove(tarvelle::CoordToMove("b0c2"));
}

void ActAsUser(DispatchRig& rig, std::string_view line) {
    switch (line[0]) {
        case 1: {
            tarvelle::MoveValue legal[CCHESS_MAX_MOVES];
            const int count = CchessLegalMoves(&rig.position, legal, CCHESS_MAX_MOVES);
            const auto pick = line.size() > 1 ? static_cast<unsigned char>(line[1]) : 0;
            if (count > 0) rig.game.PlayMove(legal[pick % count]);
            break;
        }
        case 2:
            rig.game.TakeBackMove();
            break;
        case 3:
            if (rig.link.State() == EngineState::Ready) rig.link.StartComputerSearch();
            break;
        default: {
            PositionRecord opening{};
            CchessFen2Board(&opening, std::string(tarvelle::kStartFen).c_str());
            rig.game.StartFromPosition(opening, std::string(tarvelle::kStartFen));
            break;
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    DispatchRig rig(tarvelle::kStartFen);
    rig.channel.endsWhenEmpty = data[0] / kStates.size() % 2 == 0;
    std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
    while (!rest.empty()) {
        const std::size_t end = std::min(rest.find('\n'), rest.size());
        rig.channel.incoming.emplace_back(rest.substr(0, end));
        rest.remove_prefix(std::min(end + 1, rest.size()));
    }
    tarvelle::testing::GameReplay replay;
    Reach(rig, kStates[data[0] % kStates.size()]);
    Check(rig, replay);
    while (!rig.channel.incoming.empty()) {
        const std::string& next = rig.channel.incoming.front();
        if (!next.empty() && next[0] >= 1 && next[0] <= 4) {
            const std::string line = next;
            rig.channel.incoming.pop_front();
            ActAsUser(rig, line);
        } else if (const tarvelle::PolledLine polled = rig.link.PollLine(); polled.taken) {
            if (polled.engineMove) rig.game.PlayEngineMove(*polled.engineMove);
        } else {
            // No engine is reading: its lines go nowhere, but the user plays on.
            rig.channel.incoming.pop_front();
        }
        Check(rig, replay);
    }
    return 0;
}
