#include "engine/uci_protocol.h"

#include <algorithm>
#include <cstddef>

#include "position/number_text.h"

namespace tarvelle {

namespace {

std::vector<std::string_view> Words(std::string_view line) {
    std::vector<std::string_view> words;
    for (std::size_t at = 0; at < line.size();) {
        const std::size_t start = line.find_first_not_of(" \t", at);
        if (start == std::string_view::npos) break;
        const std::size_t end = std::min(line.find_first_of(" \t", start), line.size());
        words.push_back(line.substr(start, end - start));
        at = end;
    }
    return words;
}

bool SameName(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        return lower(x) == lower(y);
    });
}

// The engine's own names for no move at all.
bool IsNoMove(std::string_view word) {
    return word == "(none)" || word == "0000";
}

InfoReport ReadInfo(const std::vector<std::string_view>& words, RankNumbering ranks) {
    InfoReport report;
    // Fields the link does not show, and their values, are stepped over word by word.
    for (std::size_t at = 1; at + 1 < words.size(); ++at) {
        const std::string_view field = words[at];
        if (field == "string") break;
        if (field == "pv") {
            auto& variation = report.principalVariation.emplace();
            for (std::size_t move = at + 1; move < words.size(); ++move) {
                if (const MoveValue value = CoordToMove(words[move], ranks))
                    variation.push_back(value);
            }
            break;
        }
        if (field == "depth") {
            report.depth = TextToInt16(words[++at]);
        } else if (field == "nodes") {
            report.nodes = TextToInt32(words[++at]);
        } else if (field == "time") {
            report.milliseconds = TextToInt32(words[++at]);
        } else if (field == "score" && at + 2 < words.size() &&
                   (words[at + 1] == "cp" || words[at + 1] == "mate")) {
            report.score = InfoScore{.mateInMoves = words[at + 1] == "mate",
                                     .value = TextToInt16(words[at + 2])};
            at += 2;
        }
    }
    return report;
}

EngineEvent ReadBestMove(const std::vector<std::string_view>& words, RankNumbering ranks) {
    if (words.size() < 2) return {};
    if (IsNoMove(words[1])) return EngineEvent::NoMove();
    std::optional<MoveValue> ponderMove;
    if (words.size() >= 4 && words[2] == "ponder" && !IsNoMove(words[3])) {
        if (const MoveValue reply = CoordToMove(words[3], ranks)) ponderMove = reply;
    }
    return EngineEvent::BestMove(CoordToMove(words[1], ranks), ponderMove);
}

}  // namespace

std::optional<OfferedOption> ReadOptionLine(std::string_view line) {
    constexpr std::string_view kName = "option name ";
    if (!line.starts_with(kName)) return std::nullopt;
    line.remove_prefix(kName.size());
    // A name may hold blanks; it runs up to the type.
    const std::size_t typeAt = line.find(" type ");
    OfferedOption option{.name = std::string(line.substr(0, typeAt)), .min = {}, .max = {}};
    if (option.name.empty()) return std::nullopt;
    if (typeAt == std::string_view::npos) return option;
    const std::vector<std::string_view> words = Words(line.substr(typeAt));
    for (std::size_t at = 0; at + 1 < words.size(); ++at) {
        if (words[at] == "min") option.min = TextToInt32(words[at + 1]);
        if (words[at] == "max") option.max = TextToInt32(words[at + 1]);
    }
    return option;
}

const OfferedOption* UciProtocol::Offered(std::string_view name) const {
    const auto found =
        std::find_if(offered_.begin(), offered_.end(),
                     [name](const OfferedOption& o) { return SameName(o.name, name); });
    return found == offered_.end() ? nullptr : &*found;
}

std::vector<std::string> UciProtocol::OptionLines() const {
    std::vector<std::string> lines;
    const auto set = [&lines](const OfferedOption& option, const std::string& value) {
        lines.push_back("setoption name " + option.name + " value " + value);
    };
    // A number out of the offered bounds would be ignored by the engine: the nearest bound is sent.
    const auto setNumber = [&set](const OfferedOption& option, std::int64_t value) {
        if (option.max) value = std::min(value, *option.max);
        if (option.min) value = std::max(value, *option.min);
        set(option, std::to_string(value));
    };
    if (const OfferedOption* variant = Offered("UCI_Variant")) set(*variant, "xiangqi");
    if (const OfferedOption* threads = Offered("Threads"); threads && settings_.threads > 0)
        setNumber(*threads, settings_.threads);
    if (const OfferedOption* hash = Offered("Hash"); hash && settings_.hashMegabytes > 0)
        setNumber(*hash, settings_.hashMegabytes);
    if (const OfferedOption* ponder = Offered("Ponder"))
        set(*ponder, settings_.ponder ? "true" : "false");
    return lines;
}

StartReply UciProtocol::ReadStartLine(std::string_view line) {
    if (answered_) return {.lines = {}, .answered = true, .ready = line == "readyok"};
    if (std::optional<OfferedOption> option = ReadOptionLine(line)) {
        offered_.push_back(std::move(*option));
        return {};
    }
    if (line != "uciok") return {};
    answered_ = true;
    switch (settings_.ranks) {
        case RankChoice::FromZero:
            ranks_ = RankNumbering::FromZero;
            break;
        case RankChoice::FromOne:
            ranks_ = RankNumbering::FromOne;
            break;
        case RankChoice::Auto:
            ranks_ = Offered("UCI_Variant") ? RankNumbering::FromOne : RankNumbering::FromZero;
            break;
    }
    StartReply reply{.lines = OptionLines(), .answered = true, .ready = false};
    reply.lines.emplace_back("isready");
    return reply;
}

std::string UciProtocol::GoCommand(bool ponder, const SearchLimit& limit) const {
    const std::string command = ponder ? "go ponder" : "go";
    if (limit.kind == SearchLimit::Kind::Milliseconds)
        return command + " movetime " + std::to_string(limit.amount);
    return command + " nodes " + std::to_string(limit.amount);
}

EngineEvent UciProtocol::ReadLine(std::string_view line) const {
    const std::vector<std::string_view> words = Words(line);
    if (words.empty()) return {};
    if (words[0] == "bestmove") return ReadBestMove(words, ranks_);
    if (words[0] == "nobestmove") return EngineEvent::NoMove();
    if (words[0] == "info") return EngineEvent::Info(ReadInfo(words, ranks_));
    return {};
}

}  // namespace tarvelle
