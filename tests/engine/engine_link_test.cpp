// The engine link against the scripted fake engine, through the real pipe library and the real
// game flow: every line the engine receives, to the byte, and what the game and the screen show.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "child_processes.h"
#include "fake_engine_directory.h"
#include "link_harness.h"
#include "position/fen_text.h"

namespace tarvelle {
namespace {

using Lines = std::vector<std::string>;

// The link against the fake engine, in a fresh directory, with its own scenario.
struct ScriptedEngine {
    explicit ScriptedEngine(std::string_view scenario) : directory(scenario) {}
    testing::FakeEngineDirectory directory;
    testing::TestClock clock;
};

struct Harness : ScriptedEngine, testing::LinkHarness {
    explicit Harness(std::string_view scenario, bool computerPlaysRed = true)
        : ScriptedEngine(scenario),
          LinkHarness(directory.CommandLine(), clock, kStartFen, computerPlaysRed) {}

    // What the engine received after the handshake and its options, once it has quit.
    Lines Transcript() {
        link.Quit();
        const Lines received = directory.ReceivedLines();
        return received.size() < 10 ? received : Lines(received.begin() + 10, received.end());
    }
};

const std::string kPositionStart = "position fen " + std::string(kStartFen);

TEST(EngineLinkStart, ReadyOnlyOnAnExactUcciokAndThenTheOptionsBeforeAnySearch) {
    struct Case {
        std::string_view name;
        std::string_view scenario;  // empty: no engine file at all
        bool ready;
    };
    const Case cases[] = {
        {"lines before ucciok are ignored",
         "ucci => id name Fake | option hashsize type spin min 0 max 1024 | copyprotection ok "
         "| ucciok",
         true},
        {"ucciok with a blank or in capitals is refused", "ucci => ucciok\\s | UCCIOK | !exit",
         false},
        {"an engine that exits at once", "start => !exit", false},
        {"a missing engine file", "", false},
        {"an engine that stops reading before its ucciok", "ucci => !closein | ucciok", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Harness h(c.scenario);
        if (c.scenario.empty()) std::filesystem::remove(h.directory.Path() / "EEYE.dll");
        EXPECT_EQ(h.StartEngine(), c.ready);
        // A failed start leaves no engine behind, says so, and nothing is read any more.
        EXPECT_EQ(h.session.Launched(), c.ready);
        if (!c.ready) {
            EXPECT_EQ(h.link.State(), EngineState::Unloaded);
            EXPECT_EQ(h.screen.statusTexts[0], "未载引擎");
            EXPECT_FALSE(h.link.PollLine().taken);
            EXPECT_LE(h.directory.ReceivedLines().size(), 1u) << "nothing after ucci";
            continue;
        }
        // The computer, already chosen to play, searches as soon as the engine is Ready.
        ASSERT_TRUE(h.RunUntilState(EngineState::Thinking));
        h.link.Quit();
        EXPECT_EQ(
            h.directory.ReceivedLines(),
            (Lines{"ucci", "setoption usemillisec true", "setoption promotion false",
                   "setoption usebook false", "setoption useegtb false", "setoption hashsize 0",
                   "setoption threads 0", "setoption idle none", "setoption randomness none",
                   "setoption style solid", kPositionStart, "go nodes 10077696", "quit"}));
    }
}

// A silent engine is greeted in UCI after two seconds, and lost at the bound.
TEST(EngineLinkStart, NothingWaitsForASilentEngineAndTheBoundEndsIt) {
    Harness h("ucci =>");
    h.link.Start();
    const std::pair<std::int64_t, std::int64_t> steps[] = {
        // Milliseconds passed since the start, and the milliseconds to the next step then.
        {0, EngineStart::kSilenceMs},
        {EngineStart::kSilenceMs - 1, 1},
        {EngineStart::kSilenceMs, EngineLink::kStartBoundMs - EngineStart::kSilenceMs},
        {EngineLink::kStartBoundMs - 1, 1},
    };
    for (const auto& [elapsed, left] : steps) {
        h.clock.elapsedMs = elapsed;
        h.link.ContinueStart();
        EXPECT_EQ(h.link.StartMillisecondsLeft(), left) << elapsed;
    }
    EXPECT_TRUE(h.session.Launched());
    EXPECT_EQ(h.link.State(), EngineState::Unloaded);
    h.clock.elapsedMs = EngineLink::kStartBoundMs;
    h.link.ContinueStart();
    EXPECT_EQ(h.link.State(), EngineState::Unloaded);
    EXPECT_FALSE(h.link.StartMillisecondsLeft());
    EXPECT_FALSE(h.session.Launched()) << "the engine is closed and reaped";
    EXPECT_EQ(h.screen.statusTexts[0], "未载引擎");
    EXPECT_EQ(h.directory.ReceivedLines(), (Lines{"ucci", "uci"}));
}

struct Scenario {
    std::string_view name;
    std::string_view script;
    std::function<void(Harness&)> play;
    Lines transcript;
    EngineState state;
    Lines moves;
};

void RunScenarios(const std::vector<Scenario>& scenarios, bool computerPlaysRed) {
    for (const Scenario& s : scenarios) {
        SCOPED_TRACE(s.name);
        auto h = std::make_unique<Harness>(std::string("ucci => ucciok\n") + std::string(s.script),
                                           computerPlaysRed);
        ASSERT_TRUE(h->StartEngine());
        s.play(*h);
        EXPECT_EQ(h->link.State(), s.state);
        EXPECT_EQ(h->Moves(), s.moves);
        EXPECT_EQ(h->screen.statusTexts[0], EngineStatusText(h->link.State()));
        EXPECT_EQ(h->Transcript(), s.transcript);
    }
}

TEST(EngineLinkSearch, SearchesPlaysAndPonders) {
    RunScenarios(
        {
            {"a normal search at the start and after moves, without a ponder move",
             "go => info depth 1 score 5 nodes 40 pv h2e2 | bestmove h2e2\n"
             "go => bestmove b0c2\n",
             [](Harness& h) {
                 ASSERT_TRUE(h.RunUntilMoves(1));
                 EXPECT_EQ(h.screen.thinkingText, "  思考深度：1     得分(5)得分 H2-E2");
                 EXPECT_EQ(h.screen.fenText, GameFenText(h.position));
                 ASSERT_TRUE(h.UserPlays("h9g7"));
                 ASSERT_TRUE(h.RunUntilMoves(3));
                 EXPECT_EQ(h.clock.pauses, (std::vector<int>{800, 800}));
             },
             {kPositionStart, "go nodes 10077696", kPositionStart + " moves h2e2 h9g7",
              "go nodes 10077696", "quit"},
             EngineState::Ready,
             {"h2e2", "h9g7", "b0c2"}},
            {"a ponder move starts pondering, and playing it is a ponder hit",
             "go nodes => bestmove h2e2 ponder h9g7\n"
             "go ponder => info depth 7 score 31 pv b0c2 b9c7\n"
             "ponderhit => bestmove b0c2 ponder b9c7\n",
             [](Harness& h) {
                 ASSERT_TRUE(h.RunUntil([&] { return !h.screen.thinkingText.empty(); }));
                 EXPECT_EQ(h.link.State(), EngineState::Pondering);
                 EXPECT_EQ(h.screen.thinkingText,
                           "  思考深度：7    得分(31)得分 (H9-G7) B0-C2 B9-C7");
                 ASSERT_TRUE(h.UserPlays("h9g7"));
                 EXPECT_EQ(h.link.State(), EngineState::Thinking);
                 ASSERT_TRUE(h.RunUntilMoves(3));
             },
             {kPositionStart, "go nodes 10077696", kPositionStart + " moves h2e2 h9g7",
              "go ponder nodes 10077696", "ponderhit",
              kPositionStart + " moves h2e2 h9g7 b0c2 b9c7", "go ponder nodes 10077696", "quit"},
             EngineState::Pondering,
             {"h2e2", "h9g7", "b0c2"}},
            {"another move stops pondering, and the answer to stop is not played",
             "go nodes => bestmove h2e2 ponder h9g7\n"
             "stop => bestmove a9a8\n"
             "go nodes => bestmove b0c2\n",
             [](Harness& h) {
                 ASSERT_TRUE(h.RunUntilState(EngineState::Pondering));
                 ASSERT_TRUE(h.UserPlays("b9c7"));
                 EXPECT_EQ(h.link.State(), EngineState::Ready);
                 ASSERT_TRUE(h.RunUntilMoves(3));
             },
             {kPositionStart, "go nodes 10077696", kPositionStart + " moves h2e2 h9g7",
              "go ponder nodes 10077696", "stop", kPositionStart + " moves h2e2 b9c7",
              "go nodes 10077696", "quit"},
             EngineState::Ready,
             {"h2e2", "b9c7", "b0c2"}},
            {"a ponder search that ends first has its reply played at once on a hit",
             "go nodes => bestmove h2e2 ponder h9g7\n"
             "go ponder => bestmove b0c2 ponder b9c7\n",
             [](Harness& h) {
                 ASSERT_TRUE(h.RunUntilState(EngineState::PonderDone));
                 EXPECT_EQ(h.moveList.moveCount, 1);
                 ASSERT_TRUE(h.UserPlays("h9g7"));
                 EXPECT_EQ(h.clock.pauses, std::vector<int>{800});
                 EXPECT_EQ(h.screen.fenText, GameFenText(h.position));
             },
             {kPositionStart, "go nodes 10077696", kPositionStart + " moves h2e2 h9g7",
              "go ponder nodes 10077696", kPositionStart + " moves h2e2 h9g7 b0c2 b9c7",
              "go ponder nodes 10077696", "quit"},
             EngineState::Pondering,
             {"h2e2", "h9g7", "b0c2"}},
            {"a stored reply is dropped when the user plays another move",
             "go nodes => bestmove h2e2 ponder h9g7\n"
             "go ponder => bestmove b0c2 ponder b9c7\n",
             [](Harness& h) {
                 ASSERT_TRUE(h.RunUntilState(EngineState::PonderDone));
                 ASSERT_TRUE(h.UserPlays("b9c7"));
                 ASSERT_TRUE(h.RunUntilState(EngineState::Thinking));
             },
             {kPositionStart, "go nodes 10077696", kPositionStart + " moves h2e2 h9g7",
              "go ponder nodes 10077696", kPositionStart + " moves h2e2 b9c7", "go nodes 10077696",
              "quit"},
             EngineState::Thinking,
             {"h2e2", "b9c7"}},
        },
        true);
}

TEST(EngineLinkSearch, NoMoveFromTheEngineInEachState) {
    const auto thinkingEnds = [](Harness& h) {
        ASSERT_TRUE(h.RunUntilState(EngineState::Thinking));
        ASSERT_TRUE(h.RunUntil([&] { return h.link.State() != EngineState::Thinking; }));
    };
    const auto ponderingEnds = [](Harness& h) {
        ASSERT_TRUE(h.RunUntilState(EngineState::Pondering));
        ASSERT_TRUE(h.RunUntil([&] { return h.link.State() != EngineState::Pondering; }));
    };
    const auto stopEnds = [](Harness& h) {
        ASSERT_TRUE(h.RunUntilState(EngineState::Thinking));
        ASSERT_TRUE(h.UserPlays("h2e2"));  // the computer's side, entered by hand
    };
    const Lines searched = {kPositionStart, "go nodes 10077696", "quit"};
    const Lines pondered = {kPositionStart, "go nodes 10077696",
                            kPositionStart + " moves h2e2 h9g7", "go ponder nodes 10077696",
                            "quit"};
    const Lines stopped = {kPositionStart, "go nodes 10077696", "stop", "quit"};
    const std::string ponder = "go nodes => bestmove h2e2 ponder h9g7\n";
    RunScenarios(
        {
            {"nobestmove while thinking",
             "go => nobestmove",
             thinkingEnds,
             searched,
             EngineState::Resting,
             {}},
            {"bestmove (none) while thinking",
             "go => bestmove (none)",
             thinkingEnds,
             searched,
             EngineState::Resting,
             {}},
            {"nobestmove while pondering",
             ponder + "go ponder => nobestmove",
             ponderingEnds,
             pondered,
             EngineState::Ready,
             {"h2e2"}},
            {"bestmove (none) while pondering",
             ponder + "go ponder => bestmove (none)",
             ponderingEnds,
             pondered,
             EngineState::PonderDone,
             {"h2e2"}},
            {"nobestmove answering stop",
             "stop => nobestmove",
             stopEnds,
             stopped,
             EngineState::Ready,
             {"h2e2"}},
            {"bestmove (none) answering stop",
             "stop => bestmove (none)",
             stopEnds,
             stopped,
             EngineState::Ready,
             {"h2e2"}},
        },
        true);
}

// A full UCI cycle, exactly as the engine receives it: the handshake, a search, pondering, a ponder
// hit, a stop, a search without a move, quit. Counting ranks from one (offered UCI_Variant, with
// the protocol, the threads, the hash and a time per move set), and from zero (found by itself
// when "ucci" is refused, with nothing set).
TEST(EngineLinkUci, AFullPonderCycleInBothRankNumberings) {
    struct Case {
        std::string_view name;
        EngineSettings settings;
        std::string_view script;
        Lines transcript;
    };
    const Case cases[] = {
        {"ranks from one",
         {.path = {},
          .protocol = ProtocolChoice::Uci,
          .ranks = RankChoice::Auto,
          .threads = 1024,
          .hashMegabytes = 64,
          .limit = SearchLimit{.kind = SearchLimit::Kind::Milliseconds, .amount = 2500},
          .ponder = true},
         "mode uci\n"
         "uci => id name Fairy | option name Hash type spin default 16 min 1 max 1024 "
         "| option name Threads type spin default 1 min 1 max 512 "
         "| option name Ponder type check default false "
         "| option name UCI_Variant type combo default chess var xiangqi | uciok\n"
         "go movetime => info depth 1 score cp 12 nodes 40 pv h3e3 | bestmove h3e3 ponder h10g8\n"
         "go ponder => info depth 5 score mate 4 pv b1c3\n"
         "ponderhit => bestmove b1c3 ponder b10c8\n"
         "stop => bestmove (none)\n"
         "go movetime => bestmove (none)\n",
         {"uci", "setoption name UCI_Variant value xiangqi", "setoption name Threads value 512",
          "setoption name Hash value 64", "setoption name Ponder value true", "isready",
          kPositionStart, "go movetime 2500", kPositionStart + " moves h3e3 h10g8",
          "go ponder movetime 2500", "ponderhit", kPositionStart + " moves h3e3 h10g8 b1c3 b10c8",
          "go ponder movetime 2500", "stop", kPositionStart + " moves h3e3 h10g8 b1c3 a10a9",
          "go movetime 2500", "quit"}},
        {"ranks from zero",
         {},
         "mode uci\n"
         "uci => option name Threads type spin default 1 min 1 max 8 "
         "| option name Ponder type check default false | uciok\n"
         "go nodes => info depth 1 score cp 12 nodes 40 pv h2e2 | bestmove h2e2 ponder h9g7\n"
         "go ponder => info depth 5 score mate 4 pv b0c2\n"
         "ponderhit => bestmove b0c2 ponder b9c7\n"
         "stop => bestmove 0000\n"
         "go nodes => bestmove (none)\n",
         {"ucci", "uci", "setoption name Ponder value true", "isready", kPositionStart,
          "go nodes 10077696", kPositionStart + " moves h2e2 h9g7", "go ponder nodes 10077696",
          "ponderhit", kPositionStart + " moves h2e2 h9g7 b0c2 b9c7", "go ponder nodes 10077696",
          "stop", kPositionStart + " moves h2e2 h9g7 b0c2 a9a8", "go nodes 10077696", "quit"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Harness h(c.script);
        h.engineSettings = c.settings;
        ASSERT_TRUE(h.StartEngine());
        ASSERT_TRUE(h.RunUntil([&] { return !h.screen.thinkingText.empty(); }));
        EXPECT_EQ(h.screen.thinkingText, "  思考深度：1    得分(12)得分 H2-E2");
        ASSERT_TRUE(
            h.RunUntil([&] { return h.screen.thinkingText.find("杀") != std::string::npos; }));
        EXPECT_EQ(h.screen.thinkingText, "  思考深度：5   得分(杀4)得分 (H9-G7) B0-C2");
        ASSERT_TRUE(h.UserPlays("h9g7"));
        ASSERT_TRUE(h.RunUntilMoves(3));
        ASSERT_EQ(h.link.State(), EngineState::Pondering);
        ASSERT_TRUE(h.UserPlays("a9a8"));
        ASSERT_TRUE(h.RunUntilState(EngineState::Resting));
        EXPECT_EQ(h.screen.statusTexts[0], "引擎休息");
        EXPECT_EQ(h.Moves(), (Lines{"h2e2", "h9g7", "b0c2", "a9a8"}));
        h.link.Quit();
        EXPECT_EQ(h.directory.ReceivedLines(), c.transcript);
    }
}

TEST(EngineLinkSearch, UnansweredStopIsGivenUpAfterElevenWholeSeconds) {
    // Started in the middle of the day, and five seconds before midnight.
    for (const int startSeconds : {43200, 86395}) {
        SCOPED_TRACE(startSeconds);
        Harness h("ucci => ucciok\ngo => info depth 1 score 3 pv h2e2");
        ASSERT_TRUE(h.StartEngine());
        ASSERT_TRUE(h.RunUntilState(EngineState::Thinking));
        h.clock.startSecondsOfDay = startSeconds;
        h.clock.running = true;
        ASSERT_TRUE(h.UserPlays("h2e2"));
        EXPECT_EQ(h.clock.elapsedMs, 11000);
        EXPECT_EQ(h.link.State(), EngineState::Ready);
        EXPECT_EQ(h.Transcript(), (Lines{kPositionStart, "go nodes 10077696", "stop", "quit"}));
    }
}

TEST(EngineLinkLoss, TheGameGoesOnWithoutAnEngineThatDies) {
    struct Case {
        std::string_view name;
        std::string_view script;
        bool userMovesWhileThinking;
        Lines transcript;
    };
    const Case cases[] = {
        {"exits in the middle of a search",
         "go => info depth 2 score 7 pv h2e2 | !exit",
         false,
         {kPositionStart, "go nodes 10077696"}},
        {"closes its output but runs on",
         "go => !close",
         false,
         {kPositionStart, "go nodes 10077696"}},
        {"exits while a stop is awaited",
         "stop => !exit",
         true,
         {kPositionStart, "go nodes 10077696", "stop"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Harness h(std::string("ucci => ucciok\n") + std::string(c.script));
        ASSERT_TRUE(h.StartEngine());
        ASSERT_TRUE(h.RunUntilState(EngineState::Thinking));
        if (c.userMovesWhileThinking) {
            ASSERT_TRUE(h.UserPlays("h2e2"));
        } else {
            ASSERT_TRUE(h.RunUntilState(EngineState::Unloaded));
            ASSERT_TRUE(h.UserPlays("h2e2"));
        }
        EXPECT_EQ(h.link.State(), EngineState::Unloaded);
        EXPECT_EQ(h.screen.statusTexts[0], "未载引擎");
        EXPECT_FALSE(h.session.Launched()) << "the engine process is reaped";
        EXPECT_EQ(h.Moves(), Lines{"h2e2"});
        EXPECT_TRUE(h.UserPlays("h9g7"));
        EXPECT_EQ(h.Transcript(), c.transcript);
    }
}

// Measured before: such an engine ran on for good while the program went on sending to it.
TEST(EngineLinkLoss, AnEngineThatStopsReadingIsLostAtTheNextLineAndReaped) {
    Harness h("ucci => ucciok\ngo => !closein | bestmove h2e2 ponder h9g7");
    ASSERT_TRUE(h.StartEngine());
    ASSERT_TRUE(h.RunUntilState(EngineState::Unloaded));
    // Its move is played; the ponder search after it cannot be sent.
    EXPECT_EQ(h.Moves(), Lines{"h2e2"});
    EXPECT_EQ(h.screen.statusTexts[0], "未载引擎");
    EXPECT_FALSE(h.session.Launched());
    EXPECT_TRUE(testing::ChildrenOfThisProcess().empty()) << "the engine is reaped";
    EXPECT_TRUE(h.UserPlays("h9g7"));
    EXPECT_EQ(h.Transcript(), (Lines{kPositionStart, "go nodes 10077696"}));
}

}  // namespace
}  // namespace tarvelle
