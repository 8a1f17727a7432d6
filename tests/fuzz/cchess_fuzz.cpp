// libFuzzer entry of the rules library. The first input byte picks the mode:
//   7 modulo 8: the remaining bytes are a raw record (see raw_record.h);
//   anything else: the remaining bytes are FEN text up to the first zero byte, then operations
//   (see play_session.cpp for their encoding).
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "play_session.h"
#include "raw_record.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::uint8_t mode = data[0];
    const std::uint8_t* rest = data + 1;
    const std::size_t restSize = size - 1;
    if (mode % 8 == 7) {
        tarvelle::fuzz::FuzzRawRecord(rest, restSize);
        return 0;
    }

    const std::uint8_t* fenEnd = std::find(rest, rest + restSize, std::uint8_t{0});
    const std::string fen(rest, fenEnd);
    static tarvelle::fuzz::PlaySession session;
    session.Start(fen);
    const std::size_t opsStart = std::min(restSize, static_cast<std::size_t>(fenEnd - rest) + 1);
    tarvelle::fuzz::ByteReader ops(rest + opsStart, restSize - opsStart);
    session.Run(ops);
    return 0;
}
