// The processes this test process has started and not yet reaped, read from /proc, for tests
// that no engine outlives its connection, running or as a zombie.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace tarvelle::testing {

struct ProcessEntry {
    int pid = 0;
    char state = 0;  // 'Z' for a zombie
    int parent = 0;
    int group = 0;
};

inline std::vector<ProcessEntry> AllProcesses() {
    std::vector<ProcessEntry> processes;
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
        std::ifstream stat(entry.path() / "stat");
        std::string text;
        if (!std::getline(stat, text)) continue;
        // "pid (name) state ppid pgrp ...": the name may hold blanks and parentheses.
        const auto nameEnd = text.rfind(')');
        if (nameEnd == std::string::npos) continue;
        ProcessEntry process{std::atoi(text.c_str()), 0, 0, 0};
        std::istringstream(text.substr(nameEnd + 1)) >> process.state >> process.parent >>
            process.group;
        processes.push_back(process);
    }
    return processes;
}

// Zombies included: a child that was never reaped is a fault too.
inline std::vector<ProcessEntry> ChildrenOfThisProcess() {
    std::vector<ProcessEntry> children;
    for (const ProcessEntry& process : AllProcesses()) {
        if (process.parent == getpid()) children.push_back(process);
    }
    return children;
}

}  // namespace tarvelle::testing
