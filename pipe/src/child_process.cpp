#include "child_process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <ctime>

namespace engine_pipe {

namespace {

constexpr int kExecFailed = 127;

void CloseAll(const int (&fds)[4]) {
    for (int fd : fds) {
        if (fd >= 0) close(fd);
    }
}

// A pipe end numbered 0, 1 or 2 (possible when the caller runs with a standard stream closed)
// would be overwritten by the child's dup2 calls or keep FD_CLOEXEC through dup2(fd, fd), so it is
// moved above them first.
int AboveStandardStreams(int fd) {
    if (fd > STDERR_FILENO) return fd;
    const int moved = fcntl(fd, F_DUPFD_CLOEXEC, STDERR_FILENO + 1);
    close(fd);
    return moved;
}

// Both ends are created close-on-exec so that no other child of this program, started on another
// channel, inherits them and keeps the pipe alive after this engine is gone.
bool MakePipe(int (&ends)[2]) {
    if (pipe2(ends, O_CLOEXEC) != 0) return false;
    ends[0] = AboveStandardStreams(ends[0]);
    ends[1] = AboveStandardStreams(ends[1]);
    if (ends[0] >= 0 && ends[1] >= 0) return true;
    if (ends[0] >= 0) close(ends[0]);
    if (ends[1] >= 0) close(ends[1]);
    return false;
}

bool MakeNonBlocking(int fd) {
    const int flags = fcntl(fd, F_GETFL);
    return flags >= 0 && fcntl(fd, F_SETFL, flags | O_NONBLOCK) == 0;
}

// Runs in the forked child, so only async-signal-safe calls: the parent may have other threads
// whose locks were copied in whatever state they were in.
[[noreturn]] void BecomeEngine(char* const argv[], int stdinEnd, int stdoutEnd, pid_t parent,
                               const sigset_t& noSignals) {
    if (dup2(stdinEnd, STDIN_FILENO) < 0 || dup2(stdoutEnd, STDOUT_FILENO) < 0) _exit(kExecFailed);
    // A group of its own lets PipeClose signal the engine together with any helpers it starts,
    // and keeps a Ctrl+C meant for this program away from it.
    setpgid(0, 0);
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    // The parent may have died before prctl took effect; then nobody would ever stop the engine.
    if (getppid() != parent) _exit(kExecFailed);
    // An ignored SIGPIPE and a blocked signal mask survive exec; the engine expects neither.
    struct sigaction defaultAction = {};
    defaultAction.sa_handler = SIG_DFL;
    sigaction(SIGPIPE, &defaultAction, nullptr);
    sigprocmask(SIG_SETMASK, &noSignals, nullptr);
    close_range(STDERR_FILENO + 1, ~0U, 0);
    execv(argv[0], argv);
    _exit(kExecFailed);
}

// Reaps the child if it has exited within timeoutMs. A child someone else already reaped
// (ECHILD) counts as exited.
bool ReapWithin(pid_t pid, int timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    const timespec pause = {0, 2'000'000};
    for (;;) {
        const pid_t result = waitpid(pid, nullptr, WNOHANG);
        if (result == pid || (result < 0 && errno != EINTR)) return true;
        if (std::chrono::steady_clock::now() >= deadline) return false;
        nanosleep(&pause, nullptr);
    }
}

}  // namespace

bool StartChild(const char* path, ChildProcess* child) {
    int toChild[2];
    int fromChild[2];
    if (!MakePipe(toChild)) return false;
    if (!MakePipe(fromChild)) {
        CloseAll({toChild[0], toChild[1], -1, -1});
        return false;
    }
    const int all[4] = {toChild[0], toChild[1], fromChild[0], fromChild[1]};
    if (!MakeNonBlocking(toChild[1]) || !MakeNonBlocking(fromChild[0])) {
        CloseAll(all);
        return false;
    }

    // Everything the child needs is prepared before fork, so the child only makes system calls.
    char* const argv[] = {const_cast<char*>(path), nullptr};
    sigset_t noSignals;
    sigemptyset(&noSignals);
    const pid_t parent = getpid();

    const pid_t pid = fork();
    if (pid < 0) {
        CloseAll(all);
        return false;
    }
    if (pid == 0) BecomeEngine(argv, toChild[0], fromChild[1], parent, noSignals);

    // Also set here, so the group exists before any signal is sent to it, whichever of the two
    // processes runs first; once the child has exec'd this fails harmlessly.
    setpgid(pid, pid);
    close(toChild[0]);
    close(fromChild[1]);
    *child = {pid, toChild[1], fromChild[0]};
    return true;
}

void StopChild(pid_t pid, int graceMs) {
    if (ReapWithin(pid, graceMs)) return;
    kill(-pid, SIGTERM);
    if (ReapWithin(pid, graceMs)) return;
    kill(-pid, SIGKILL);
    while (waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
    }
}

}  // namespace engine_pipe
