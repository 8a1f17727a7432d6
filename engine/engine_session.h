// One engine process reached through the pipe library: starting it with the UCCI greeting, the
// handshake and options, lines to and from it, noticing that its output has ended, and quitting.
// It keeps no engine state; the link decides what the lines mean.
#pragma once

#include <pipe/pipe.h>

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "engine/link_clock.h"

namespace tarvelle {

// The engine program's file: "EEYE.dll" in the program's directory.
std::string EngineCommandLine(const std::filesystem::path& programDirectory);

// Told when the descriptor of the engine's output comes and goes, so that a waiting main loop
// can wake when the engine writes.
class OutputWatch {
public:
    virtual ~OutputWatch() = default;
    // The descriptor to watch from now on; -1 when there is none. Called before it is closed.
    virtual void WatchOutput(int descriptor) = 0;
};

class EngineSession {
public:
    // How long the handshake waits for "ucciok" at most.
    static constexpr int kHandshakeBoundMs = 10000;

    explicit EngineSession(std::string commandLine) : commandLine_(std::move(commandLine)) {}
    ~EngineSession() { Close(); }
    EngineSession(const EngineSession&) = delete;
    EngineSession& operator=(const EngineSession&) = delete;

    // Starts the engine program and sends it "ucci". Any engine already running is closed first.
    // Launching ahead of the handshake lets the engine's start overlap the program's own.
    void Launch();

    // Whether an engine process is connected.
    bool Launched() const { return channel_.connection != nullptr; }

    // Waits for the line "ucciok", ignoring every other line, then sends the engine options.
    // Gives up when the engine's output ends or after kHandshakeBoundMs; false then, and nothing
    // is sent. Blocks on the engine's output between lines and handles no window events.
    bool CompleteHandshake(LinkClock& clock);

    // Sends one line. A line break inside the text is sent as a blank, so that no text can split
    // into two commands. Does nothing without a connection.
    void SendLine(std::string_view line);

    // The next complete line the engine wrote, if one is waiting. Never waits.
    std::optional<std::string> TakeLine();

    // Whether the engine's output has ended and every line of it was taken; also true when no
    // engine is connected.
    bool OutputEnded() const { return PipeOutputEnded(&channel_) != 0; }

    // Sends "quit" and closes the connection.
    void Quit();

    // Closes the connection, if there is one, and reaps the engine process.
    void Close();

    // `watch` is told the current descriptor at once and every change after; nullptr detaches.
    void SetOutputWatch(OutputWatch* watch);

private:
    void TellWatch();

    std::string commandLine_;
    EngineChannel channel_{};
    OutputWatch* watch_ = nullptr;
};

}  // namespace tarvelle
