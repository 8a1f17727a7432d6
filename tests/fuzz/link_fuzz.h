// What the two engine output targets share: arbitrary engine output, cut into lines at LF, which
// the link takes one by one as the main loop does, with the real game flow and rules behind it and
// the user acting between the lines. A line that starts with a byte from 1 to 4 stands for the
// user instead:
//   1 N  plays legal move N (taken modulo the number of legal moves);
//   2    takes back a move;
//   3    the main loop's idle step with the computer to move: a search when the engine is Ready;
//   4    starts a new game from the opening.
// After every line the state must be one of the seven, the game record must be sound (every listed
// move was in the legal list of its turn and the moves lead to the record byte for byte), and
// every line sent to the engine must be a command of its protocol, its moves in the engine's
// move text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

#include "engine/dispatch_rig.h"

namespace tarvelle::fuzz {

// Brings the rig's link to a state the way an engine does, with the engine's lines waiting in the
// channel.
using ReachState = std::function<void(testing::DispatchRig& rig, EngineState state)>;

// The seven states, in the order an input's first byte picks them.
EngineState StateOfByte(std::uint8_t byte);

// Runs one input: `lines` are the engine's output, `state` the state reached by `reach` first.
void RunEngineOutput(std::string_view lines, EngineState state, bool outputEnds,
                     const EngineSettings& settings, const ReachState& reach);

}  // namespace tarvelle::fuzz
