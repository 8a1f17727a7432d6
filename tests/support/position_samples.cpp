#include "position_samples.h"

#include <memory>

namespace tarvelle::testing {

namespace {

int SquareOf(int row, int column) {
    return 16 * (row + 3) + column + 3;
}

// A random point of the region a piece of this kind keeps to in a game: the palace for kings and
// advisors, the own half for elephants. -1 for the other kinds, which roam everywhere.
int HomePoint(SampleRandom& random, int side, int offset) {
    const int firstRow = side == 0 ? 7 : 0;
    if (offset <= 2) return SquareOf(firstRow + random.Below(3), 3 + random.Below(3));
    if (offset <= 4) return SquareOf((side == 0 ? 5 : 0) + random.Below(5), random.Below(9));
    return -1;
}

void PlaceRandomly(SampleRandom& random, PositionRecord& record, int code, bool atHome) {
    const int side = code < 32 ? 0 : 1;
    const int offset = code - (side == 0 ? 16 : 32);
    for (int attempt = 0; attempt < 8; ++attempt) {
        int square = atHome ? HomePoint(random, side, offset) : -1;
        if (square < 0) square = SquareOf(random.Below(10), random.Below(9));
        if (record.squares[square] == 0) {
            CchessAddPiece(&record, square, code, 0);
            return;
        }
    }
}

}  // namespace

int SampleRandom::Below(int bound) {
    m_state ^= m_state >> 12;
    m_state ^= m_state << 25;
    m_state ^= m_state >> 27;
    const std::uint64_t value = (m_state * 0x2545F4914F6CDD1Dull) >> 33;
    return static_cast<int>(value % static_cast<std::uint64_t>(bound));
}

std::string MoveName(std::int32_t move) {
    std::string name;
    for (const int square : {move & 0xFF, (move >> 8) & 0xFF}) {
        name += static_cast<char>('a' + (square & 15) - 3);
        name += static_cast<char>('0' + 12 - (square >> 4));
    }
    return name;
}

const char* const kOpeningFen = "rnbakabnr/9/1c5c1/p1p1p1p1p/9/9/P1P1P1P1P/1C5C1/9/RNBAKABNR w";

const std::vector<const char*>& MiddleGameFens() {
    static const std::vector<const char*> fens = {
        "r1bakab1r/9/1cn3n2/p1p1p3p/6p2/2P6/P3P1P1P/1C2C1N2/9/RNBAKAB1R w",
        "2bakab2/9/2n1c1n2/p1p1C1p1p/9/2P3P2/P3P3P/2N1C1N2/4A4/2B1KAB2 b",
        "3akab2/9/4b1n2/p3p1R1p/2p6/6P2/P1r1P3P/4C1N2/4A4/2BK1AB2 w",
        "r2akab2/4n4/1cn1b2c1/p1p1p1R1p/9/2P3p2/P3P3P/1CN1B1NC1/4A4/R2AK1B2 b",
    };
    return fens;
}

void RandomArrangement(SampleRandom& random, PositionRecord& record) {
    record = PositionRecord{};
    const int density = 10 + random.Below(81);
    for (int side = 0; side < 2; ++side) {
        const int base = side == 0 ? 16 : 32;
        if (random.Chance(90)) PlaceRandomly(random, record, base, random.Chance(80));
        for (int offset = 1; offset < 16; ++offset) {
            if (random.Chance(density)) {
                PlaceRandomly(random, record, base + offset, random.Chance(70));
            }
        }
    }
    record.side = random.Below(2);
}

void RandomPlayout(SampleRandom& random, PositionRecord& record, int plies,
                   const std::function<void(const PositionRecord&)>& visit) {
    std::int32_t moves[CCHESS_MAX_MOVES];
    for (int ply = 0; ply < plies; ++ply) {
        visit(record);
        const int count = CchessLegalMoves(&record, moves, CCHESS_MAX_MOVES);
        if (count == 0) return;
        CchessTryMove(&record, nullptr, moves[random.Below(count)]);
    }
    visit(record);
}

void ForEachArrangement(std::uint64_t seed, int count,
                        const std::function<void(const PositionRecord&)>& visit) {
    SampleRandom random(seed);
    auto record = std::make_unique<PositionRecord>();
    for (int i = 0; i < count; ++i) {
        RandomArrangement(random, *record);
        visit(*record);
    }
}

void ForEachPlayedPosition(std::uint64_t seed, int count, const std::vector<const char*>& starts,
                           const std::function<void(const PositionRecord&)>& visit) {
    SampleRandom random(seed);
    auto record = std::make_unique<PositionRecord>();
    int visited = 0;
    for (std::size_t game = 0; visited < count; ++game) {
        CchessFen2Board(record.get(), starts[game % starts.size()]);
        const int plies = 20 + random.Below(180);
        // The starting position itself is visited once, by the first game that starts there.
        bool skipStart = game >= starts.size();
        RandomPlayout(random, *record, plies, [&](const PositionRecord& position) {
            if (skipStart) {
                skipStart = false;
                return;
            }
            if (visited < count) visit(position);
            ++visited;
        });
    }
}

}  // namespace tarvelle::testing
