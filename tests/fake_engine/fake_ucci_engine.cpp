// A scripted stand-in for a UCCI engine. It logs every line it receives and answers as the
// scenario next to it says, so a test can script the engine's side of an exchange and then read
// back exactly what the program sent.
//
// Its files sit in the directory of argv[0], the path it was started as (a test's symlink), not
// in the directory of the binary itself:
//   scenario.txt  the script; a missing file means no rules
//   received.log  every byte received, appended line by line as it arrives
//
// Scenario: one rule per line; blank lines and lines starting with '#' are skipped.
//   TRIGGER => ACTION | ACTION | ...
// TRIGGER is "start" (fires once at start-up, before any input is read) or a text a received line
// must begin with, compared byte for byte. A leading '*' (not part of the text) makes the rule fire
// on every matching line; without it a rule fires at most once. A received line fires only the
// first rule, in file order, that matches and is not used up. ACTIONs run in order:
//   text          written to stdout as one line
//   !exit         exit at once with status 0
//   !close        close stdout (and stderr), but keep logging input until EOF
//   !sleep N      pause N milliseconds
//   !ignore-term  ignore SIGTERM from now on
//   !hang         stop reading and sleep until killed
// "go =>" with nothing after the arrow fires and does nothing; otherwise every piece between the
// '|' separators is an action, so an empty piece is an empty reply line. Blanks around the trigger
// and around each action are trimmed; to keep one write "\s". "\|" is a literal '|' and "\\" a
// literal '\'; these escapes work in the trigger too.
// A line no rule takes: "quit" exits with status 0, anything else gets no reply. EOF exits with 0.
// A malformed scenario, or a log that cannot be written, ends the engine with status 2 and a
// message on stderr, so a mistyped test fails loudly instead of quietly going unanswered.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

namespace {

struct Action {
    enum class Kind { Reply, Exit, Close, Sleep, IgnoreTerm, Hang };
    Kind kind = Kind::Reply;
    std::string line;      // for Reply, with its LF
    int milliseconds = 0;  // for Sleep
};

struct Rule {
    bool atStart = false;
    bool repeats = false;
    bool used = false;
    std::string prefix;
    std::vector<Action> actions;
};

[[noreturn]] void Fail(const std::string& message) {
    std::cerr << "fake_ucci_engine: " << message << '\n';
    std::exit(2);
}

std::string_view Trim(std::string_view text) {
    constexpr std::string_view kBlanks = " \t";
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

std::string Unescape(std::string_view text) {
    std::string plain;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char next = i + 1 < text.size() ? text[i + 1] : '\0';
        if (text[i] == '\\' && (next == 's' || next == '|' || next == '\\')) {
            plain += next == 's' ? ' ' : next;
            ++i;
        } else {
            plain += text[i];
        }
    }
    return plain;
}

// Splits on every '|' that is not escaped; the escapes stay for Unescape, after trimming, so an
// escaped blank at either end of an action survives the trim.
std::vector<std::string_view> SplitActions(std::string_view text) {
    std::vector<std::string_view> pieces;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\') {
            ++i;
        } else if (text[i] == '|') {
            pieces.push_back(text.substr(start, i - start));
            start = i + 1;
        }
    }
    pieces.push_back(text.substr(start));
    return pieces;
}

Action ParseAction(std::string_view piece) {
    using Kind = Action::Kind;
    if (!piece.starts_with('!')) return {Kind::Reply, Unescape(piece) + '\n', 0};
    constexpr std::pair<std::string_view, Kind> kCommands[] = {{"!exit", Kind::Exit},
                                                               {"!close", Kind::Close},
                                                               {"!ignore-term", Kind::IgnoreTerm},
                                                               {"!hang", Kind::Hang}};
    for (const auto& [name, kind] : kCommands) {
        if (piece == name) return {kind, {}, 0};
    }
    constexpr std::string_view kSleep = "!sleep ";
    if (piece.starts_with(kSleep)) {
        const std::string_view number = Trim(piece.substr(kSleep.size()));
        const char* const end = number.data() + number.size();
        int milliseconds = 0;
        const auto result = std::from_chars(number.data(), end, milliseconds);
        if (result.ec == std::errc() && result.ptr == end && milliseconds >= 0) {
            return {Kind::Sleep, {}, milliseconds};
        }
    }
    throw std::runtime_error("unknown action \"" + std::string(piece) + "\"");
}

Rule ParseRule(std::string_view text) {
    const auto arrow = text.find("=>");
    if (arrow == std::string_view::npos) throw std::runtime_error("no \"=>\" after the trigger");
    Rule rule;
    std::string_view trigger = Trim(text.substr(0, arrow));
    rule.atStart = trigger == "start";
    rule.repeats = trigger.starts_with('*');
    if (rule.repeats) trigger.remove_prefix(1);
    rule.prefix = Unescape(trigger);
    const std::string_view actions = Trim(text.substr(arrow + 2));
    if (actions.empty()) return rule;
    for (const std::string_view piece : SplitActions(actions)) {
        rule.actions.push_back(ParseAction(Trim(piece)));
    }
    return rule;
}

std::vector<Rule> LoadScenario(const std::string& path) {
    std::vector<Rule> rules;
    if (!std::filesystem::exists(path)) return rules;
    std::ifstream file(path);
    if (!file) Fail("cannot read " + path);
    std::string text;
    for (int number = 1; std::getline(file, text); ++number) {
        const std::string_view content = Trim(text);
        if (content.empty() || content.starts_with('#')) continue;
        try {
            rules.push_back(ParseRule(content));
        } catch (const std::exception& error) {
            Fail(path + " line " + std::to_string(number) + ": " + error.what());
        }
    }
    return rules;
}

// A reader that has gone away gets nothing more; the caller decides whether that matters.
bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

void Run(const std::vector<Action>& actions) {
    for (const Action& action : actions) {
        switch (action.kind) {
            case Action::Kind::Reply:
                WriteAll(STDOUT_FILENO, action.line);
                break;
            case Action::Kind::Exit:
                std::exit(0);
            case Action::Kind::Close:
                // stderr too, in case the program reads both through one pipe. Nothing is opened
                // after start-up, so the freed descriptors cannot be taken by a file and later
                // replies just fail.
                close(STDOUT_FILENO);
                close(STDERR_FILENO);
                break;
            case Action::Kind::Sleep:
                std::this_thread::sleep_for(std::chrono::milliseconds(action.milliseconds));
                break;
            case Action::Kind::IgnoreTerm:
                std::signal(SIGTERM, SIG_IGN);
                break;
            case Action::Kind::Hang:
                for (;;) {
                    pause();
                }
        }
    }
}

void Respond(std::vector<Rule>& rules, std::string_view line) {
    for (Rule& rule : rules) {
        if (rule.atStart || rule.used || !line.starts_with(rule.prefix)) continue;
        rule.used = !rule.repeats;
        Run(rule.actions);
        return;
    }
    if (line == "quit") std::exit(0);
}

}  // namespace

int main(int /*argc*/, char* argv[]) {
    const std::string_view self = argv[0] != nullptr ? argv[0] : "";
    const auto slash = self.rfind('/');
    const std::string dir =
        slash == std::string_view::npos ? "./" : std::string(self.substr(0, slash + 1));

    const std::string logPath = dir + "received.log";
    const int log = open(logPath.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (log < 0) Fail("cannot open " + logPath);
    std::vector<Rule> rules = LoadScenario(dir + "scenario.txt");
    // Replies to a program that has stopped listening must not kill the engine: what the program
    // sends afterwards still belongs in the log.
    std::signal(SIGPIPE, SIG_IGN);

    for (Rule& rule : rules) {
        if (rule.atStart) Run(rule.actions);
    }
    std::string line;
    while (std::getline(std::cin, line)) {
        // Input that ends without LF is logged as it came, so a test sees the missing LF, but is
        // not a line to answer.
        const bool complete = !std::cin.eof();
        if (!WriteAll(log, complete ? line + '\n' : line)) Fail("cannot write " + logPath);
        if (!complete) break;
        Respond(rules, line);
    }
    return 0;
}
