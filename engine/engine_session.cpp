#include "engine/engine_session.h"

#include <algorithm>
#include <array>

namespace tarvelle {

namespace {

// Sent once after the handshake, in this order; no answer is awaited.
constexpr std::array<std::string_view, 9> kEngineOptions = {
    "setoption usemillisec true", "setoption promotion false", "setoption usebook false",
    "setoption useegtb false",    "setoption hashsize 0",      "setoption threads 0",
    "setoption idle none",        "setoption randomness none", "setoption style solid",
};

}  // namespace

std::string EngineCommandLine(const std::filesystem::path& programDirectory) {
    return (programDirectory / "EEYE.dll").string();
}

void EngineSession::Launch() {
    Close();
    PipeOpen(&channel_, commandLine_.c_str());
    TellWatch();
    SendLine("ucci");
}

bool EngineSession::CompleteHandshake(LinkClock& clock) {
    const std::int64_t start = clock.SteadyMilliseconds();
    for (;;) {
        // Checked before every line too, so that an engine that never stops writing cannot hold
        // the program here.
        const std::int64_t waited = clock.SteadyMilliseconds() - start;
        if (waited >= kHandshakeBoundMs) return false;
        if (const std::optional<std::string> line = TakeLine()) {
            if (*line == "ucciok") break;
            continue;
        }
        if (OutputEnded()) return false;
        clock.WaitForInput(PipeOutputDescriptor(&channel_),
                           static_cast<int>(kHandshakeBoundMs - waited));
    }
    for (const std::string_view option : kEngineOptions)
        SendLine(option);
    return true;
}

void EngineSession::SendLine(std::string_view line) {
    std::string text(line);
    std::replace_if(
        text.begin(), text.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
    PipeLineOutput(&channel_, text.c_str());
}

std::optional<std::string> EngineSession::TakeLine() {
    const char* line = PipeLineInput(&channel_);
    if (line == nullptr) return std::nullopt;
    return std::string(line);
}

void EngineSession::Quit() {
    SendLine("quit");
    Close();
}

void EngineSession::Close() {
    if (!Launched()) return;
    if (watch_ != nullptr) watch_->WatchOutput(-1);
    PipeClose(&channel_);
}

void EngineSession::SetOutputWatch(OutputWatch* watch) {
    watch_ = watch;
    TellWatch();
}

void EngineSession::TellWatch() {
    if (watch_ != nullptr) watch_->WatchOutput(PipeOutputDescriptor(&channel_));
}

}  // namespace tarvelle
