// A line channel with no process behind it: the test queues the engine's lines and reads back
// every line the link sent. A send can be made to fail, as a broken or stuck pipe does.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/line_channel.h"

namespace tarvelle::testing {

class ScriptedChannel final : public LineChannel {
public:
    // The engine's lines, taken in order.
    std::deque<std::string> incoming;
    // Whether the engine's output ends once `incoming` is empty; otherwise it just stays silent.
    bool endsWhenEmpty = false;
    // Every line that reached the engine.
    std::vector<std::string> sent;
    // The first line beginning with this fails to go out, and so does every line after it.
    std::optional<std::string> failFrom;

    bool Launch() override {
        open_ = true;
        broken_ = false;
        return true;
    }
    bool Launched() const override { return open_; }
    bool SendLine(std::string_view line) override {
        if (failFrom && line.starts_with(*failFrom)) broken_ = true;
        if (!open_ || broken_) return false;
        sent.emplace_back(line);
        return true;
    }
    std::optional<std::string> TakeLine() override {
        if (!open_ || incoming.empty()) return std::nullopt;
        std::string line = std::move(incoming.front());
        incoming.pop_front();
        return line;
    }
    bool OutputEnded() const override { return !open_ || (endsWhenEmpty && incoming.empty()); }
    void Close() override { open_ = false; }

private:
    bool open_ = false;
    bool broken_ = false;
};

}  // namespace tarvelle::testing
