// Starting the engine process and making sure it is gone again.
#pragma once

#include <sys/types.h>

namespace engine_pipe {

struct ChildProcess {
    pid_t pid;
    int toChild;    // write end of the child's standard input, non-blocking
    int fromChild;  // read end of the child's standard output, non-blocking
};

// Forks and executes path with no arguments but its own name. Returns false, with nothing left
// open, only when the pipes or the process could not be created; a failed exec shows as a child
// that exits at once with status 127.
bool StartChild(const char* path, ChildProcess* child);

// Ends the child whose pipes the caller has already closed: lets it exit on its own, then sends
// SIGTERM and finally SIGKILL to its process group, each after graceMs, and reaps it.
void StopChild(pid_t pid, int graceMs);

}  // namespace engine_pipe
