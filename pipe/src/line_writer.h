// Writing a line to the engine without SIGPIPE and without waiting on it for long.
#pragma once

#include <string_view>

namespace engine_pipe {

enum class WriteOutcome {
    kWritten,
    kDropped,  // the engine took none of it in time; later lines may still get through
    kBroken,   // the pipe is gone, or part of the line went out: nothing more can be sent
};

// Writes text to the non-blocking fd, waiting for room for at most timeoutMs in all.
WriteOutcome WriteAll(int fd, std::string_view text, int timeoutMs);

}  // namespace engine_pipe
