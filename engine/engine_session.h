// One engine process reached through the pipe library: starting it, lines to and from it, noticing
// that its output has ended, and closing it. It keeps no engine state; the link decides what the
// lines mean.
#pragma once

#include <pipe/pipe.h>

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "engine/line_channel.h"

namespace tarvelle {

// The engine program's file: `path` taken from the program's directory, where an absolute path
// stands as it is and the empty one names "EEYE.dll".
std::string EngineCommandLine(const std::filesystem::path& programDirectory,
                              const std::string& path = {});

// Told when the descriptor of the engine's output comes and goes, so that a waiting main loop
// can wake when the engine writes.
class OutputWatch {
public:
    virtual ~OutputWatch() = default;
    // The descriptor to watch from now on; -1 when there is none. Called before it is closed.
    virtual void WatchOutput(int descriptor) = 0;
};

class EngineSession final : public LineChannel {
public:
    explicit EngineSession(std::string commandLine) : commandLine_(std::move(commandLine)) {}
    ~EngineSession() override { Close(); }
    EngineSession(const EngineSession&) = delete;
    EngineSession& operator=(const EngineSession&) = delete;

    // The engine file started by the next Launch.
    void SetCommandLine(std::string commandLine) { commandLine_ = std::move(commandLine); }

    bool Launch() override;
    bool Launched() const override { return channel_.connection != nullptr; }
    // A line break inside the text is sent as a blank, so that no text can split into two
    // commands. False without a connection.
    bool SendLine(std::string_view line) override;
    std::optional<std::string> TakeLine() override;
    bool OutputEnded() const override { return PipeOutputEnded(&channel_) != 0; }
    void Close() override;

    // `watch` is told the current descriptor at once and every change after; nullptr detaches.
    void SetOutputWatch(OutputWatch* watch);

private:
    void TellWatch();

    std::string commandLine_;
    EngineChannel channel_{};
    OutputWatch* watch_ = nullptr;
};

}  // namespace tarvelle
