// libFuzzer entry of the engine link's dispatch for a UCCI engine (see link_fuzz.h). The first byte
// chooses the state the link starts in, one of the seven, and whether the engine's output ends or
// just goes silent after the last line.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "link_fuzz.h"

namespace {

using tarvelle::EngineState;
using tarvelle::testing::DispatchRig;

// Stopping is the wait for the answer to "stop", which reads the engine's lines itself.
void Reach(DispatchRig& rig, EngineState state) {
    if (state != EngineState::Stopping) {
        rig.Reach(state);
        return;
    }
    rig.Reach(EngineState::Thinking);
    rig.game.PlayMove(tarvelle::CoordToMove("b0c2"));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::string_view lines(reinterpret_cast<const char*>(data) + 1, size - 1);
    tarvelle::fuzz::RunEngineOutput(lines, tarvelle::fuzz::StateOfByte(data[0]),
                                    data[0] / 7 % 2 == 0, {}, Reach);
    return 0;
}
