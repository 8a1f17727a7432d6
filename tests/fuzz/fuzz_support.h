// What every part of the fuzz target shares: stopping with a readable message, comparing records
// and taking values from the input bytes.
#pragma once

#include <cchess/cchess.h>

#include <cstddef>
#include <cstdint>
#include <string>

namespace tarvelle::fuzz {

// Prints what went wrong and the position it went wrong in, then aborts, which both libFuzzer and
// the corpus replay report as a failure.
[[noreturn]] void Fail(const std::string& what, const PositionRecord& record);

inline void Require(bool holds, const char* what, const PositionRecord& record) {
    if (!holds) Fail(what, record);
}

// Fails unless the record passes the independent table check and the library's own.
void RequireSound(const PositionRecord& record, const char* when);

bool SameBytes(const PositionRecord& a, const PositionRecord& b);

bool IsBoardPoint(int square);

// The square of a side's king, 0 when it is off the board. Only meaningful for sound records.
int KingSquare(const PositionRecord& record, int side);

// Hands out the input bytes one by one; once they run out it yields zeros.
class ByteReader {
public:
    ByteReader(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}

    bool AtEnd() const { return m_next >= m_size; }
    std::uint8_t Byte() { return AtEnd() ? 0 : m_data[m_next++]; }
    std::int32_t Int32() {
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i)
            value = value << 8 | Byte();
        return static_cast<std::int32_t>(value);
    }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_next = 0;
};

}  // namespace tarvelle::fuzz
