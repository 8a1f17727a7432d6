// The real program killed outright, as by the OOM killer or "kill -9": it closes nothing, yet its
// engine must not run on without it.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

#include "child_processes.h"
#include "fake_engine_directory.h"

namespace tarvelle {
namespace {

using Clock = std::chrono::steady_clock;

// The program's child, its engine, once it has one.
int EngineOf(int program) {
    for (const auto deadline = Clock::now() + std::chrono::seconds(8); Clock::now() < deadline;
         std::this_thread::sleep_for(std::chrono::milliseconds(5))) {
        for (const testing::ProcessEntry& process : testing::AllProcesses()) {
            if (process.parent == program) return process.pid;
        }
    }
    return 0;
}

TEST(ProgramKilled, ItsEngineEndsWithinASecond) {
    // An engine that would run on for a minute: it does not end at the end of its input either.
    testing::FakeEngineDirectory directory("");
    const std::filesystem::path engineFile = directory.Path() / "EEYE.dll";
    std::filesystem::remove(engineFile);
    std::ofstream(engineFile) << "#!/bin/sh\nexec sleep 60\n";
    std::filesystem::permissions(engineFile, std::filesystem::perms::owner_all);
    // The program finds its engine beside itself.
    const std::filesystem::path program = directory.Path() / "tarvelle";
    std::filesystem::copy_file(TARVELLE_PROGRAM, program);
    // The orphaned engine is handed to this process, which can then see it end and reap it.
    ASSERT_EQ(prctl(PR_SET_CHILD_SUBREAPER, 1), 0);

    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        // No settings of the user's: the engine is the file beside the program.
        setenv("XDG_CONFIG_HOME", directory.Path().c_str(), 1);
        execl(program.c_str(), program.c_str(), nullptr);
        _exit(127);
    }
    const int engine = EngineOf(pid);
    ASSERT_EQ(kill(pid, SIGKILL), 0);
    ASSERT_EQ(waitpid(pid, nullptr, 0), pid);
    ASSERT_GT(engine, 0) << "the program started no engine";

    bool ended = false;
    for (const auto deadline = Clock::now() + std::chrono::seconds(1);
         !ended && Clock::now() < deadline;
         std::this_thread::sleep_for(std::chrono::milliseconds(1)))
        ended = waitpid(engine, nullptr, WNOHANG) == engine;
    EXPECT_TRUE(ended) << "the engine was still running a second after the program was killed";
    if (!ended) kill(engine, SIGKILL);
}

}  // namespace
}  // namespace tarvelle
