#include "line_writer.h"

#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstddef>
#include <ctime>

namespace engine_pipe {

namespace {

// Holds SIGPIPE blocked in this thread while it lives. Writing to a pipe whose reader is gone
// raises SIGPIPE in the writing thread; blocking it here, rather than ignoring it process-wide,
// leaves the program's own signal setup alone. A SIGPIPE the write raised is taken back before the
// old mask returns, unless one was already pending, which then belongs to someone else.
class SigpipeBlock {
public:
    SigpipeBlock() {
        sigemptyset(&sigpipe_);
        sigaddset(&sigpipe_, SIGPIPE);
        pthread_sigmask(SIG_BLOCK, &sigpipe_, &previousMask_);
        sigset_t pending;
        sigpending(&pending);
        wasPending_ = sigismember(&pending, SIGPIPE) == 1;
    }
    ~SigpipeBlock() {
        if (raised_ && !wasPending_) {
            const timespec noWait = {0, 0};
            while (sigtimedwait(&sigpipe_, nullptr, &noWait) < 0 && errno == EINTR) {
            }
        }
        pthread_sigmask(SIG_SETMASK, &previousMask_, nullptr);
    }
    SigpipeBlock(const SigpipeBlock&) = delete;
    SigpipeBlock& operator=(const SigpipeBlock&) = delete;

    void NoteRaised() { raised_ = true; }

private:
    sigset_t sigpipe_;
    sigset_t previousMask_;
    bool wasPending_ = false;
    bool raised_ = false;
};

// Waits until fd takes more bytes or the deadline passes; false on the deadline.
bool WaitForRoom(int fd, std::chrono::steady_clock::time_point deadline) {
    using std::chrono::ceil;
    using std::chrono::milliseconds;
    for (;;) {
        const auto left = ceil<milliseconds>(deadline - std::chrono::steady_clock::now()).count();
        if (left <= 0) return false;
        pollfd entry = {fd, POLLOUT, 0};
        const int ready = poll(&entry, 1, static_cast<int>(left));
        // POLLERR (the reader went away) also ends the wait: the next write reports it.
        if (ready > 0) return true;
        if (ready == 0) return false;
        if (errno != EINTR) return false;
    }
}

}  // namespace

WriteOutcome WriteAll(int fd, std::string_view text, int timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    SigpipeBlock block;
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t count = write(fd, text.data() + done, text.size() - done);
        if (count > 0) {
            done += static_cast<std::size_t>(count);
            continue;
        }
        if (count < 0 && errno == EINTR) continue;
        if (count < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
            if (errno == EPIPE) block.NoteRaised();
            return WriteOutcome::kBroken;
        }
        if (!WaitForRoom(fd, deadline)) {
            return done == 0 ? WriteOutcome::kDropped : WriteOutcome::kBroken;
        }
    }
    return WriteOutcome::kWritten;
}

}  // namespace engine_pipe
