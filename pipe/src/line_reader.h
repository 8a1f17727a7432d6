// Splits the engine's output into lines without ever waiting for it.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace engine_pipe {

class LineReader {
public:
    LineReader();

    // The next line from what is buffered, reading fd at most once when no complete line is; NULL
    // when none is complete yet or the output has ended and all of it was taken. The text stays
    // valid until the next call.
    const char* Next(int fd);

    // The output has ended and every line of it has been taken.
    bool Ended() const { return ended_ && begin_ == end_; }

private:
    bool TakeLine();
    void Fill(int fd);
    void SetLine(std::size_t from, std::size_t length);

    // Unread bytes are buffer_[begin_, end_); none of buffer_[begin_, scanned_) is an LF. Between
    // calls no more than PIPE_LINE_CAP bytes without an LF are kept, so the buffer never grows.
    std::vector<char> buffer_;
    std::size_t begin_ = 0;
    std::size_t scanned_ = 0;
    std::size_t end_ = 0;
    bool skipping_ = false;  // the rest of an over-long line is being dropped, up to its LF
    bool ended_ = false;
    std::string line_;
};

}  // namespace engine_pipe
