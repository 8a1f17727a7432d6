// The engine channel against small shell scripts standing in for engines: line splitting, the
// cap on line length, writing to engines that are gone or stuck, and that closing always leaves no
// process behind.
#include <pipe/pipe.h>

#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <new>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "child_processes.h"

// When set, the next allocation in this process fails, as when memory runs out. The sanitizers
// bring their own allocator, so there the test below is skipped.
#if !defined(__SANITIZE_ADDRESS__)
namespace {
bool failNextAllocation = false;
}  // namespace

void* operator new(std::size_t size) {
    if (std::exchange(failNextAllocation, false)) throw std::bad_alloc();
    if (void* memory = std::malloc(size == 0 ? 1 : size)) return memory;
    throw std::bad_alloc();
}
// The replacements pair malloc with free, which the compiler cannot see once they are inlined.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* memory) noexcept {
    std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept {
    std::free(memory);
}
#pragma GCC diagnostic pop
#endif

namespace {

namespace fs = std::filesystem;
using tarvelle::testing::AllProcesses;
using tarvelle::testing::ChildrenOfThisProcess;
using tarvelle::testing::ProcessEntry;

// A bound for a broken channel, never a measure of speed.
constexpr auto kPatience = std::chrono::seconds(20);

const std::string kCapLine(PIPE_LINE_CAP, 'x');

// Scripts live in a fresh directory with a blank in its name, as the path is never split.
class PipeTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "pipe test XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
    }
    void TearDown() override {
        PipeClose(&channel_);
        fs::remove_all(dir_);
    }

    std::string Script(const std::string& name, const std::string& body, bool executable = true) {
        const fs::path path = dir_ / name;
        std::ofstream(path) << "#!/bin/sh\n" << body << "\n";
        chmod(path.c_str(), executable ? 0755 : 0644);
        return path.string();
    }

    void Open(const std::string& path) { ASSERT_EQ(PipeOpen(&channel_, path.c_str()), 1); }

    // The next line, or nothing once the output has ended.
    std::optional<std::string> NextLine() {
        const auto deadline = std::chrono::steady_clock::now() + kPatience;
        while (std::chrono::steady_clock::now() < deadline) {
            if (const char* line = PipeLineInput(&channel_)) return line;
            if (PipeOutputEnded(&channel_)) return std::nullopt;
            pollfd entry = {PipeOutputDescriptor(&channel_), POLLIN, 0};
            poll(&entry, 1, 100);
        }
        ADD_FAILURE() << "the engine neither wrote a line nor ended its output";
        return std::nullopt;
    }

    std::vector<std::string> AllLines() {
        std::vector<std::string> lines;
        while (auto line = NextLine())
            lines.push_back(*line);
        return lines;
    }

    fs::path dir_;
    EngineChannel channel_ = {};
};

// Whether every process of the group has died within the patience. Helpers the engine started are
// reaped by whoever inherits them, if at all, so their zombies do not count.
bool GroupDies(int group) {
    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    for (;;) {
        const auto processes = AllProcesses();
        if (std::none_of(processes.begin(), processes.end(), [group](const ProcessEntry& p) {
                return p.group == group && p.state != 'Z';
            })) {
            return true;
        }
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

void ExpectNoConnection(EngineChannel* channel) {
    EXPECT_EQ(channel->connection, nullptr);
    EXPECT_EQ(PipeOutputDescriptor(channel), -1);
    EXPECT_EQ(PipeOutputEnded(channel), 1);
    EXPECT_EQ(PipeLineInput(channel), nullptr);
    EXPECT_EQ(PipeLineOutput(channel, "quit"), 0);
    EXPECT_EQ(PipeClose(channel), 0);
}

TEST_F(PipeTest, SplitsOutputIntoLines) {
    // Writes that many x bytes.
    const auto xs = [](int count) {
        return "head -c " + std::to_string(count) + " /dev/zero | tr '\\0' x; ";
    };
    const std::string shortEnd = "printf '\\nshort\\n'";
    const struct {
        const char* name;
        std::string body;
        std::vector<std::string> lines;
    } cases[] = {
        {"line ends", "printf 'a\\r\\nb\\n\\r\\nc\\r\\r\\nlast'", {"a", "b", "", "c\r", "last"}},
        {"no output", "exit 3", {}},
        {"line of the cap", "printf '%s\\r\\nnext\\n' " + kCapLine, {kCapLine, "next"}},
        {"over-long line", xs(PIPE_LINE_CAP + 100000) + shortEnd, {kCapLine, "short"}},
        // Most likely read in two parts, the second taking the line past the cap up to its LF.
        {"over-long line, paused",
         xs(PIPE_LINE_CAP - 10) + "sleep 0.2; printf '" + std::string(20, 'x') + "\\nshort\\n'",
         {kCapLine, "short"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Open(Script(c.name, c.body));
        EXPECT_EQ(AllLines(), c.lines);
        EXPECT_EQ(PipeOutputEnded(&channel_), 1);
        EXPECT_EQ(PipeLineInput(&channel_), nullptr);
        EXPECT_EQ(PipeClose(&channel_), 1);
    }
}

TEST_F(PipeTest, ProgramThatCannotRunEndsItsOutput) {
    const std::string paths[] = {(dir_ / "no such engine").string(),
                                 Script("not executable", "echo ran", false)};
    for (const auto& path : paths) {
        SCOPED_TRACE(path);
        Open(path);
        EXPECT_EQ(AllLines(), std::vector<std::string>());
        EXPECT_EQ(PipeClose(&channel_), 1);
    }
}

TEST_F(PipeTest, LinesRoundTrip) {
    Open(Script("echo", "while IFS= read -r line; do printf 'got %s\\n' \"$line\"; done"));
    for (const char* line : {"hello world", "", "position startpos"}) {
        ASSERT_EQ(PipeLineOutput(&channel_, line), 1);
        EXPECT_EQ(NextLine(), "got " + std::string(line));
    }
}

TEST_F(PipeTest, WritingToAnExitedProcessFailsQuietly) {
    Open(Script("gone", "exit 0"));
    // Its pipes are released only once it is a zombie, so wait for that without reaping it.
    const auto children = ChildrenOfThisProcess();
    ASSERT_EQ(children.size(), 1u);
    siginfo_t info = {};
    ASSERT_EQ(waitid(P_PID, static_cast<id_t>(children[0].pid), &info, WEXITED | WNOWAIT), 0);
    EXPECT_EQ(PipeLineOutput(&channel_, "go"), 0);
    EXPECT_EQ(PipeLineOutput(&channel_, "go"), 0);

    // Still here, and the signal setup is as it was: no SIGPIPE left pending, blocked or ignored.
    sigset_t pending;
    sigset_t mask;
    sigpending(&pending);
    pthread_sigmask(SIG_SETMASK, nullptr, &mask);
    struct sigaction action = {};
    sigaction(SIGPIPE, nullptr, &action);
    EXPECT_FALSE(sigismember(&pending, SIGPIPE));
    EXPECT_FALSE(sigismember(&mask, SIGPIPE));
    EXPECT_EQ(action.sa_handler, SIG_DFL);
}

TEST_F(PipeTest, WritingToAProcessThatStopsReadingGivesUp) {
    // It reads nothing until the file "go" appears next to it.
    Open(Script("deaf",
                "echo ready\nwhile [ ! -e \"$(dirname \"$0\")/go\" ]; do sleep 0.05; done\n"
                "exec cat >/dev/null"));
    ASSERT_EQ(NextLine(), "ready");
    // More than a pipe holds, so only part of it goes out.
    EXPECT_EQ(PipeLineOutput(&channel_, std::string(1 << 20, 'y').c_str()), 0);
    // Once it reads again, a further line would land on the end of that fragment: it is refused.
    std::ofstream(dir_ / "go").put('\n');
    EXPECT_EQ(PipeLineOutput(&channel_, "stop"), 0);
}

TEST_F(PipeTest, CloseLeavesNoProcessBehind) {
    const struct {
        const char* name;
        const char* body;
    } cases[] = {
        {"quits at end of input", "echo ready\nwhile read -r line; do :; done"},
        {"needs SIGTERM", "echo ready\nwhile :; do sleep 100; done"},
        {"needs SIGKILL", "trap '' TERM\necho ready\nwhile :; do sleep 100; done"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Open(Script(c.name, c.body));
        ASSERT_EQ(NextLine(), "ready");
        const auto children = ChildrenOfThisProcess();
        ASSERT_EQ(children.size(), 1u);
        EXPECT_EQ(children[0].group, children[0].pid);
        EXPECT_EQ(PipeClose(&channel_), 1);
        ExpectNoConnection(&channel_);
        EXPECT_TRUE(ChildrenOfThisProcess().empty());
        EXPECT_TRUE(GroupDies(children[0].pid));
    }
}

TEST_F(PipeTest, OpeningAgainReplacesTheProcess) {
    Open(Script("first", "echo first\nwhile :; do sleep 100; done"));
    ASSERT_EQ(NextLine(), "first");
    Open(Script("second", "echo second\nwhile read -r line; do :; done"));
    EXPECT_EQ(NextLine(), "second");
    EXPECT_EQ(ChildrenOfThisProcess().size(), 1u);
    EXPECT_EQ(PipeClose(&channel_), 1);
    EXPECT_TRUE(ChildrenOfThisProcess().empty());
}

// No C++ exception may come out through the C interface: running out of memory is a failure.
TEST_F(PipeTest, RunningOutOfMemoryFailsInsteadOfThrowing) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizer's allocator cannot be made to fail";
#else
    const std::string echo =
        Script("echo", "while IFS= read -r line; do printf 'got %s\\n' \"$line\"; done");
    // Longer than a string holds without allocating.
    const std::string line(40, 'z');

    failNextAllocation = true;
    const int opened = PipeOpen(&channel_, echo.c_str());
    EXPECT_EQ(opened, 0);
    EXPECT_EQ(channel_.connection, nullptr);
    EXPECT_TRUE(ChildrenOfThisProcess().empty());

    Open(echo);
    failNextAllocation = true;
    const int sent = PipeLineOutput(&channel_, line.c_str());
    EXPECT_EQ(sent, 0) << "the line is dropped";
    ASSERT_EQ(PipeLineOutput(&channel_, line.c_str()), 1) << "and the next goes out";
    pollfd entry = {PipeOutputDescriptor(&channel_), POLLIN, 0};
    ASSERT_EQ(poll(&entry, 1, 20000), 1);
    failNextAllocation = true;
    const char* taken = PipeLineInput(&channel_);
    EXPECT_EQ(taken, nullptr);
    EXPECT_EQ(NextLine(), "got " + line) << "the line waits for the next call";
#endif
}

TEST(PipeWithoutConnection, ReportsNothingOpen) {
    EngineChannel channel = {};
    ExpectNoConnection(&channel);
}

}  // namespace
