// libFuzzer entry of the engine link's dispatch for a UCI engine (see link_fuzz.h). The first byte
// chooses the state the link starts in, one of the seven, whether the engine's output ends or
// just goes silent after the last line, and whether the engine offers UCI_Variant and so counts
// its ranks from one. The protocol is on auto: the link greets in UCCI, and the engine refuses it,
// except in Unloaded, where the input's own lines answer the greetings.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "link_fuzz.h"

namespace {

using tarvelle::EngineState;
using tarvelle::testing::DispatchRig;

void Reach(DispatchRig& rig, EngineState state, bool ranksFromOne) {
    rig.link.Start();
    if (state == EngineState::Unloaded) return;
    rig.Feed("Unknown command: 'ucci'. Type help for more information.");
    if (ranksFromOne) rig.Feed("option name UCI_Variant type combo default chess var xiangqi");
    rig.Feed("option name Ponder type check default false");
    rig.Feed("uciok");
    rig.Feed("readyok");
    if (state == EngineState::Ready) return;
    rig.link.StartComputerSearch();
    if (state == EngineState::Stopping) {
        rig.game.PlayMove(tarvelle::CoordToMove("b0c2"));
    } else if (state == EngineState::Resting) {
        rig.Feed("bestmove (none)");
    } else if (state == EngineState::Pondering || state == EngineState::PonderDone) {
        rig.Feed(ranksFromOne ? "bestmove h3e3 ponder h10g8" : "bestmove h2e2 ponder h9g7");
        if (state == EngineState::PonderDone)
            rig.Feed(ranksFromOne ? "bestmove b1c3 ponder b10c8" : "bestmove b0c2 ponder b9c7");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::string_view lines(reinterpret_cast<const char*>(data) + 1, size - 1);
    const bool ranksFromOne = data[0] / 14 % 2 == 1;
    tarvelle::fuzz::RunEngineOutput(
        lines, tarvelle::fuzz::StateOfByte(data[0]), data[0] / 7 % 2 == 0, {},
        [ranksFromOne](DispatchRig& rig, EngineState state) { Reach(rig, state, ranksFromOne); });
    return 0;
}
