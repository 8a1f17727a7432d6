// The engine's start-up handshake, from launching the program to the moment it may be asked to
// search. The protocol set in the settings is greeted at once; with the protocol on auto, "ucci"
// is tried first, and "uci" as well once the engine answers "ucci" with an unknown-command line or
// stays silent for two seconds. Whichever greeting is answered first decides the protocol. The
// whole start must be over within ten seconds.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "engine/engine_protocol.h"
#include "engine/engine_settings.h"
#include "engine/line_channel.h"
#include "engine/link_clock.h"

namespace tarvelle {

// Whether a line the engine wrote before any greeting was answered is its way of refusing an
// unknown command: a line other than an identification or option line that mentions an error,
// an unknown command or an invalid one, in any case ("Unknown command: 'ucci'").
bool IsUnknownCommandLine(std::string_view line);

class EngineStart {
public:
    // How long a started engine has to become ready.
    static constexpr int kBoundMs = 10000;
    // How long an engine greeted with "ucci" may stay silent before "uci" is tried.
    static constexpr int kSilenceMs = 2000;

    enum class Progress : std::int8_t { Starting, Ready, Failed };

    // The references must outlive the start, and the settings the protocol it hands over.
    EngineStart(LineChannel& channel, LinkClock& clock, const EngineSettings& settings);

    // Launches the engine and greets it. Failed when it could not be started or greeted.
    Progress Begin();
    // Acts on one line the engine wrote.
    Progress Read(std::string_view line);
    // Acts on the time passed while no line was waiting. Failed once the bound has run out.
    Progress Wait();
    bool OutOfTime() const { return clock_.SteadyMilliseconds() >= deadline_; }
    // Milliseconds until Wait has something to do: the silence that tries "uci", or the bound.
    std::int64_t MillisecondsToNextCheck() const;

    // Once Ready, the protocol the engine speaks.
    std::unique_ptr<EngineProtocol> TakeProtocol() { return std::move(speaking_); }

private:
    // Sends the lines of a reply from `protocol`, which becomes the one spoken if it answered.
    Progress Follow(std::unique_ptr<EngineProtocol>& protocol, const StartReply& reply);
    bool GreetInUci();
    bool Send(std::string_view line) { return channel_.SendLine(line); }

    LineChannel& channel_;
    LinkClock& clock_;
    // The protocols still in question, until one answers its greeting; then the one spoken.
    std::unique_ptr<EngineProtocol> ucci_;
    std::unique_ptr<EngineProtocol> uci_;
    std::unique_ptr<EngineProtocol> speaking_;
    bool uciGreeted_ = false;
    std::int64_t deadline_ = 0;
    std::int64_t lastHeard_ = 0;
};

}  // namespace tarvelle
