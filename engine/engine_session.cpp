#include "engine/engine_session.h"

#include <algorithm>

namespace tarvelle {

std::string EngineCommandLine(const std::filesystem::path& programDirectory,
                              const std::string& path) {
    return (programDirectory / (path.empty() ? "EEYE.dll" : path)).string();
}

bool EngineSession::Launch() {
    Close();
    if (PipeOpen(&channel_, commandLine_.c_str()) == 0) return false;
    TellWatch();
    return true;
}

bool EngineSession::SendLine(std::string_view line) {
    std::string text(line);
    std::replace_if(
        text.begin(), text.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
    return PipeLineOutput(&channel_, text.c_str()) == 1;
}

std::optional<std::string> EngineSession::TakeLine() {
    const char* line = PipeLineInput(&channel_);
    if (line == nullptr) return std::nullopt;
    return std::string(line);
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
