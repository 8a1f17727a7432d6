// A scripted stand-in for a UCCI or UCI engine. It logs every line it receives and answers as the
// scenario beside it says, so a test scripts the engine's side of an exchange and then reads back
// exactly what the program sent.
//
// Its files sit in the directory of argv[0], the path it was started as (a test's link), not in
// the directory of the binary itself:
//   scenario.txt  the script; a missing file means no rules
//   received.log  every line received, appended as it arrives
//
// Scenario: one rule per line; blank lines and lines starting with '#' are skipped.
//   TRIGGER => ACTION | ACTION | ...
// TRIGGER is "start" (runs at start-up, before any input is read) or a text a received line must
// begin with. Each rule fires at most once; a received line fires the first unused rule, in file
// order, that it matches. ACTIONs run in order:
//   text     written as one line; blanks around it are trimmed, and "\s" stands for a blank
//   !exit    exit at once
//   !close   close standard output, but go on logging input until it ends
//   !closein close standard input and read no more, but run on after the rule until killed
// "go =>" with nothing after the arrow uses up the rule and answers nothing. A line no rule takes
// gets no answer, except "quit", which ends the engine, as does the end of input. A malformed
// scenario ends the engine with status 2, so that a mistyped test fails loudly.
//
// The scenario line "mode uci" makes it a UCI engine, as Stockfish's kind are: of the lines no rule
// takes, "uci" is answered with "id name fake" and "uciok", every "isready" with "readyok", and a
// line that is no UCI command with "Unknown command: 'LINE'. Type help for more information."
#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

namespace {

struct Rule {
    std::string trigger;
    std::vector<std::string> actions;
    bool used = false;
};

std::string_view Trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string Unescape(std::string_view text) {
    std::string plain;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text.substr(i).starts_with("\\s")) {
            plain += ' ';
            ++i;
        } else {
            plain += text[i];
        }
    }
    return plain;
}

// Set by the scenario line "mode uci".
bool speaksUci = false;

std::vector<Rule> LoadScenario(const std::string& path) {
    std::vector<Rule> rules;
    std::ifstream file(path);
    for (std::string line; std::getline(file, line);) {
        const std::string_view text = Trim(line);
        if (text.empty() || text.starts_with('#')) continue;
        if (text == "mode uci") {
            speaksUci = true;
            continue;
        }
        const auto arrow = text.find("=>");
        if (arrow == std::string_view::npos) {
            std::cerr << "fake_ucci_engine: no \"=>\" in \"" << text << "\"\n";
            std::exit(2);
        }
        Rule rule{std::string(Trim(text.substr(0, arrow))), {}};
        for (std::string_view rest = Trim(text.substr(arrow + 2)); !rest.empty();) {
            const auto bar = rest.find('|');
            rule.actions.push_back(Unescape(Trim(rest.substr(0, bar))));
            rest = bar == std::string_view::npos ? std::string_view() : rest.substr(bar + 1);
        }
        rules.push_back(rule);
    }
    return rules;
}

// Set once standard input is closed: the engine then only waits to be killed.
bool inputClosed = false;

void Run(const std::vector<std::string>& actions) {
    for (const std::string& action : actions) {
        if (action == "!exit") {
            std::exit(0);
        } else if (action == "!close") {
            std::cout.flush();
            close(STDOUT_FILENO);
        } else if (action == "!closein") {
            close(STDIN_FILENO);
            inputClosed = true;
        } else {
            std::cout << action << std::endl;
        }
    }
}

// What a UCI engine says to a line no rule answered.
void AnswerAsUci(const std::string& line) {
    const std::string_view command = std::string_view(line).substr(0, line.find(' '));
    if (command == "uci") {
        Run({"id name fake", "uciok"});
    } else if (command == "isready") {
        Run({"readyok"});
    } else if (command != "setoption" && command != "position" && command != "go" &&
               command != "stop" && command != "ponderhit" && command != "quit" &&
               command != "ucinewgame") {
        Run({"Unknown command: '" + line + "'. Type help for more information."});
    }
}

}  // namespace

int main(int, char* argv[]) {
    const std::string path = argv[0];
    const std::string directory = path.substr(0, path.rfind('/') + 1);
    std::vector<Rule> rules = LoadScenario(directory + "scenario.txt");
    std::ofstream log(directory + "received.log", std::ios::app);

    for (Rule& rule : rules) {
        if (rule.trigger == "start") Run(rule.actions);
    }
    while (inputClosed)
        pause();
    for (std::string line; std::getline(std::cin, line);) {
        log << line << std::endl;
        bool answered = false;
        for (Rule& rule : rules) {
            if (rule.used || rule.trigger == "start" || !line.starts_with(rule.trigger)) continue;
            rule.used = answered = true;
            Run(rule.actions);
            break;
        }
        if (!answered && speaksUci) AnswerAsUci(line);
        while (inputClosed)
            pause();
        if (!answered && line == "quit") break;
    }
    return 0;
}
