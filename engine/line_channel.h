// The engine link's line channel: lines to the engine, lines from it, and the end of it. The
// program's channel is the engine process behind the pipe library (EngineSession); tests and
// fuzzers put a script in its place, so that any line can be fed to the link and every line the
// link sends is seen.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tarvelle {

class LineChannel {
public:
    virtual ~LineChannel() = default;

    // Starts the engine, closing one that runs already. False, with nothing left running, when it
    // could not be started.
    virtual bool Launch() = 0;

    // Whether an engine is connected.
    virtual bool Launched() const = 0;

    // Sends one line. False when it did not reach the engine whole: no later line can follow it,
    // so the engine is as good as gone.
    virtual bool SendLine(std::string_view line) = 0;

    // The next complete line the engine wrote, if one is waiting. Never waits.
    virtual std::optional<std::string> TakeLine() = 0;

    // Whether the engine's output has ended and every line of it was taken; also true when no
    // engine is connected.
    virtual bool OutputEnded() const = 0;

    // Closes the connection, if there is one, and reaps the engine.
    virtual void Close() = 0;
};

}  // namespace tarvelle
