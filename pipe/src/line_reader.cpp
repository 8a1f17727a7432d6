#include "line_reader.h"

#include <pipe/pipe.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace engine_pipe {

namespace {

constexpr std::size_t kCap = PIPE_LINE_CAP;
// Up to kCap bytes without an LF can wait for the rest of their line; room for as much again keeps
// reads large even then.
constexpr std::size_t kBufferSize = 2 * kCap;

}  // namespace

LineReader::LineReader() : buffer_(kBufferSize) {}

const char* LineReader::Next(int fd) {
    if (TakeLine()) return line_.c_str();
    if (ended_) return nullptr;
    Fill(fd);
    return TakeLine() ? line_.c_str() : nullptr;
}

void LineReader::SetLine(std::size_t from, std::size_t length) {
    line_.assign(buffer_.data() + from, std::min(length, kCap));
}

bool LineReader::TakeLine() {
    const char* const data = buffer_.data();
    const auto* lf = static_cast<const char*>(std::memchr(data + scanned_, '\n', end_ - scanned_));
    if (skipping_) {
        if (lf == nullptr) {
            begin_ = scanned_ = end_;
            return false;
        }
        skipping_ = false;
        begin_ = scanned_ = static_cast<std::size_t>(lf - data) + 1;
        lf = static_cast<const char*>(std::memchr(data + begin_, '\n', end_ - begin_));
    }
    if (lf != nullptr) {
        const std::size_t at = static_cast<std::size_t>(lf - data);
        const bool cr = at > begin_ && data[at - 1] == '\r';
        SetLine(begin_, at - begin_ - (cr ? 1 : 0));
        begin_ = scanned_ = at + 1;
        return true;
    }
    scanned_ = end_;
    const std::size_t pending = end_ - begin_;
    // Cut now rather than wait for the LF: what is kept stays bounded. A CR among the dropped bytes
    // could only have been the one before the LF, which is dropped anyway.
    if (pending > kCap) {
        SetLine(begin_, kCap);
        begin_ = scanned_ = end_;
        skipping_ = true;
        return true;
    }
    if (ended_ && pending > 0) {
        SetLine(begin_, pending);
        begin_ = scanned_ = end_;
        return true;
    }
    return false;
}

void LineReader::Fill(int fd) {
    std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
    end_ -= begin_;
    scanned_ -= begin_;
    begin_ = 0;
    ssize_t count;
    do {
        count = read(fd, buffer_.data() + end_, buffer_.size() - end_);
    } while (count < 0 && errno == EINTR);
    if (count > 0) {
        end_ += static_cast<std::size_t>(count);
    } else if (count == 0 || (errno != EAGAIN && errno != EWOULDBLOCK)) {
        ended_ = true;
    }
}

}  // namespace engine_pipe
