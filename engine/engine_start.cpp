#include "engine/engine_start.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string>

#include "engine/ucci_protocol.h"
#include "engine/uci_protocol.h"

namespace tarvelle {

bool IsUnknownCommandLine(std::string_view line) {
    if (line.starts_with("id ") || line.starts_with("option ")) return false;
    std::string lower(line);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    constexpr std::array<std::string_view, 3> kRefusals = {"unknown", "error", "invalid"};
    return std::any_of(kRefusals.begin(), kRefusals.end(), [&lower](std::string_view word) {
        return lower.find(word) != std::string::npos;
    });
}

EngineStart::EngineStart(LineChannel& channel, LinkClock& clock, const EngineSettings& settings)
    : channel_(channel), clock_(clock) {
    if (settings.protocol != ProtocolChoice::Uci) ucci_ = std::make_unique<UcciProtocol>(settings);
    if (settings.protocol != ProtocolChoice::Ucci) uci_ = std::make_unique<UciProtocol>(settings);
}

EngineStart::Progress EngineStart::Begin() {
    if (!channel_.Launch()) return Progress::Failed;
    deadline_ = clock_.SteadyMilliseconds() + kBoundMs;
    lastHeard_ = clock_.SteadyMilliseconds();
    if (ucci_) return Send(ucci_->Greeting()) ? Progress::Starting : Progress::Failed;
    return GreetInUci() ? Progress::Starting : Progress::Failed;
}

bool EngineStart::GreetInUci() {
    uciGreeted_ = true;
    return Send(uci_->Greeting());
}

EngineStart::Progress EngineStart::Read(std::string_view line) {
    lastHeard_ = clock_.SteadyMilliseconds();
    if (speaking_) return Follow(speaking_, speaking_->ReadStartLine(line));
    if (ucci_) {
        const StartReply reply = ucci_->ReadStartLine(line);
        if (reply.answered) return Follow(ucci_, reply);
    }
    // Lines before "uci" was sent answer "ucci", not it.
    if (uci_ && uciGreeted_) {
        const StartReply reply = uci_->ReadStartLine(line);
        if (reply.answered) return Follow(uci_, reply);
    }
    if (uci_ && !uciGreeted_ && IsUnknownCommandLine(line) && !GreetInUci())
        return Progress::Failed;
    return Progress::Starting;
}

EngineStart::Progress EngineStart::Follow(std::unique_ptr<EngineProtocol>& protocol,
                                          const StartReply& reply) {
    if (!speaking_) {
        speaking_ = std::move(protocol);
        ucci_.reset();
        uci_.reset();
    }
    for (const std::string& line : reply.lines) {
        if (!Send(line)) return Progress::Failed;
    }
    return reply.ready ? Progress::Ready : Progress::Starting;
}

EngineStart::Progress EngineStart::Wait() {
    if (OutOfTime()) return Progress::Failed;
    if (uci_ && !uciGreeted_ && clock_.SteadyMilliseconds() - lastHeard_ >= kSilenceMs &&
        !GreetInUci()) {
        return Progress::Failed;
    }
    return Progress::Starting;
}

std::int64_t EngineStart::MillisecondsToNextCheck() const {
    const std::int64_t now = clock_.SteadyMilliseconds();
    std::int64_t next = deadline_;
    if (uci_ && !uciGreeted_) next = std::min(next, lastHeard_ + kSilenceMs);
    return std::max<std::int64_t>(next - now, 0);
}

}  // namespace tarvelle
