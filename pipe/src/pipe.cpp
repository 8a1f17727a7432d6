// The C interface: one PipeConnection per open channel, tying the process to its two pipes.
#include <pipe/pipe.h>
#include <unistd.h>

#include <memory>
#include <string>

#include "child_process.h"
#include "line_reader.h"
#include "line_writer.h"

using engine_pipe::ChildProcess;
using engine_pipe::LineReader;
using engine_pipe::WriteOutcome;

struct PipeConnection {
    ChildProcess child;
    LineReader reader;
    // Set once a write failed in a way that leaves the engine's input unusable: its reader is gone,
    // or a line went out only in part, so anything sent after it would be read as its continuation.
    bool inputBroken = false;
};

namespace {

constexpr int kWriteTimeoutMs = 2000;

PipeConnection* ConnectionOf(const EngineChannel* channel) {
    return channel != nullptr ? channel->connection : nullptr;
}

// No C++ exception may leave a function of the C interface: a caller in C, or behind any other
// language's binding, could not catch it. What allocates (the connection, a line) is run through
// here, and a failure to allocate becomes the function's failure result.
template <typename Result, typename Body>
Result WithoutExceptions(Result failure, Body body) noexcept {
    try {
        return body();
    } catch (...) {
        return failure;
    }
}

}  // namespace

extern "C" int PipeOpen(EngineChannel* channel, const char* commandLine) {
    if (channel == nullptr) return 0;
    PipeClose(channel);
    if (commandLine == nullptr) return 0;
    // Allocated before the process starts, so that nothing can fail once it runs.
    std::unique_ptr<PipeConnection> connection = WithoutExceptions(
        std::unique_ptr<PipeConnection>(), [] { return std::make_unique<PipeConnection>(); });
    if (!connection || !engine_pipe::StartChild(commandLine, &connection->child)) return 0;
    channel->connection = connection.release();
    return 1;
}

extern "C" int PipeLineOutput(EngineChannel* channel, const char* line) {
    PipeConnection* connection = ConnectionOf(channel);
    if (connection == nullptr || line == nullptr || connection->inputBroken) return 0;
    return WithoutExceptions(0, [&] {
        std::string text = line;
        text += '\n';
        const WriteOutcome outcome =
            engine_pipe::WriteAll(connection->child.toChild, text, kWriteTimeoutMs);
        if (outcome == WriteOutcome::kBroken) connection->inputBroken = true;
        return outcome == WriteOutcome::kWritten ? 1 : 0;
    });
}

extern "C" const char* PipeLineInput(EngineChannel* channel) {
    PipeConnection* connection = ConnectionOf(channel);
    if (connection == nullptr) return nullptr;
    // A line that could not be copied out stays buffered for the next call.
    return WithoutExceptions<const char*>(
        nullptr, [&] { return connection->reader.Next(connection->child.fromChild); });
}

extern "C" int PipeOutputEnded(const EngineChannel* channel) {
    const PipeConnection* connection = ConnectionOf(channel);
    return connection == nullptr || connection->reader.Ended() ? 1 : 0;
}

extern "C" int PipeOutputDescriptor(const EngineChannel* channel) {
    const PipeConnection* connection = ConnectionOf(channel);
    return connection != nullptr ? connection->child.fromChild : -1;
}

extern "C" int PipeClose(EngineChannel* channel) {
    PipeConnection* connection = ConnectionOf(channel);
    if (connection == nullptr) return 0;
    // The end of its input is the engine's cue to quit by itself, so that goes first.
    close(connection->child.toChild);
    close(connection->child.fromChild);
    engine_pipe::StopChild(connection->child.pid, PIPE_CLOSE_GRACE_MS);
    delete connection;
    channel->connection = nullptr;
    return 1;
}
