// The committed board picture: the file format the windows load, and the layout the program's
// cells are placed on.
#include <gtest/gtest.h>

#include <QImage>
#include <QString>
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "assets/board_picture.h"
#include "picture_checks.h"

namespace tarvelle {
namespace {

using testing::Brightness;

const std::string kBoardPath = TARVELLE_ASSETS_DIR "/board.bmp";
constexpr int kWidth = 521;
constexpr int kHeight = 577;
constexpr std::array<int, 9> kFileX{33, 90, 147, 204, 261, 318, 375, 432, 489};
constexpr std::array<int, 10> kRankY{32, 89, 146, 203, 261, 318, 375, 432, 489, 546};
// The river runs between these two ranks, counted from the top.
constexpr int kRiverTop = 4;
constexpr int kRiverBottom = 5;

const QImage& Board() {
    static const QImage board = QImage(QString::fromStdString(kBoardPath));
    return board;
}

bool IsDark(int x, int y) {
    return Brightness(Board().pixel(x, y)) < 200;
}

// Close to the light wood, (224, 190, 136): no line, mark or label there.
bool IsWood(int x, int y) {
    const QRgb colour = Board().pixel(x, y);
    return std::abs(qRed(colour) - 224) <= 20 && std::abs(qGreen(colour) - 190) <= 20 &&
           std::abs(qBlue(colour) - 136) <= 20;
}

int DarkPixelsIn(int left, int top, int right, int bottom) {
    int count = 0;
    for (int y = top; y <= bottom; ++y) {
        for (int x = left; x <= right; ++x)
            count += IsDark(x, y) ? 1 : 0;
    }
    return count;
}

std::uint32_t LittleEndian(const std::vector<std::uint8_t>& bytes, std::size_t at, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | bytes.at(at + static_cast<std::size_t>(i));
    return value;
}

TEST(BoardPictureFile, IsAnUncompressed8BitBmpWithAFullPalette) {
    const std::vector<std::uint8_t> bytes = testing::ReadFileBytes(kBoardPath);
    ASSERT_GE(bytes.size(), 54u + 1024u);
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(bytes[1], 'M');
    EXPECT_EQ(LittleEndian(bytes, 2, 4), bytes.size());
    const std::uint32_t headerSize = LittleEndian(bytes, 14, 4);
    EXPECT_GE(headerSize, 40u);
    EXPECT_EQ(LittleEndian(bytes, 18, 4), static_cast<std::uint32_t>(kWidth));
    const auto height = static_cast<std::int32_t>(LittleEndian(bytes, 22, 4));
    EXPECT_EQ(std::abs(height), kHeight);
    EXPECT_EQ(LittleEndian(bytes, 26, 2), 1u);  // planes
    EXPECT_EQ(LittleEndian(bytes, 28, 2), 8u);  // bits per pixel
    EXPECT_EQ(LittleEndian(bytes, 30, 4), 0u);  // no compression
    const std::uint32_t coloursUsed = LittleEndian(bytes, 46, 4);
    EXPECT_TRUE(coloursUsed == 0 || coloursUsed == 256) << coloursUsed;
    const std::uint32_t pixelOffset = LittleEndian(bytes, 10, 4);
    EXPECT_GE(pixelOffset, 14 + headerSize + 256 * 4);
    const std::uint32_t rowBytes = (kWidth + 3) / 4 * 4;
    ASSERT_GE(bytes.size(), pixelOffset + rowBytes * kHeight);
    // Row padding holds zeros, not whatever memory the writer had: regenerating the picture
    // gives the same bytes.
    for (std::uint32_t row = 0; row < kHeight; ++row) {
        for (std::uint32_t pad = kWidth; pad < rowBytes; ++pad) {
            ASSERT_EQ(bytes[pixelOffset + row * rowBytes + pad], 0) << "row " << row;
        }
    }
}

TEST(BoardPictureFile, LoadsInQtAsA256ColourPicture) {
    ASSERT_FALSE(Board().isNull());
    EXPECT_EQ(Board().width(), kWidth);
    EXPECT_EQ(Board().height(), kHeight);
    EXPECT_EQ(Board().format(), QImage::Format_Indexed8);
    EXPECT_EQ(Board().colorCount(), 256);
}

TEST(BoardPictureFile, IsBuiltInAsAResource) {
    const QImage resource(QString::fromLatin1(kBoardPictureResource));
    ASSERT_FALSE(resource.isNull());
    EXPECT_TRUE(resource == Board());
}

TEST(BoardPictureLayout, LinesRunDarkBetweenTheirEnds) {
    for (std::size_t file = 0; file < kFileX.size(); ++file) {
        const bool edge = file == 0 || file + 1 == kFileX.size();
        for (int y = kRankY.front(); y <= kRankY.back(); ++y) {
            if (!edge && y > kRankY[kRiverTop] && y < kRankY[kRiverBottom]) continue;
            ASSERT_TRUE(IsDark(kFileX[file], y)) << "file " << file << " at y " << y;
        }
    }
    for (const int y : kRankY) {
        for (int x = kFileX.front(); x <= kFileX.back(); ++x) {
            ASSERT_TRUE(IsDark(x, y)) << "rank at y " << y << ", x " << x;
        }
    }
}

// Counts dark pixels across a line, halfway between two points so that no mark is near.
TEST(BoardPictureLayout, EdgeAndRiverLinesAreDoubled) {
    for (std::size_t file = 0; file < kFileX.size(); ++file) {
        const int expected = file == 0 || file + 1 == kFileX.size() ? 2 : 1;
        for (std::size_t rank = 0; rank + 1 < kRankY.size(); ++rank) {
            if (rank == kRiverTop && expected == 1) continue;
            const int y = (kRankY[rank] + kRankY[rank + 1]) / 2;
            const int x = kFileX[file];
            EXPECT_EQ(DarkPixelsIn(x - 2, y, x + 2, y), expected) << "file " << file << " y " << y;
        }
    }
    for (std::size_t rank = 0; rank < kRankY.size(); ++rank) {
        const bool doubled =
            rank == 0 || rank == kRiverTop || rank == kRiverBottom || rank + 1 == kRankY.size();
        for (std::size_t file = 0; file + 1 < kFileX.size(); ++file) {
            const int x = (kFileX[file] + kFileX[file + 1]) / 2;
            const int y = kRankY[rank];
            EXPECT_EQ(DarkPixelsIn(x, y - 2, x, y + 2), doubled ? 2 : 1) << "rank " << rank;
        }
    }
}

TEST(BoardPictureLayout, FrameRunsThreePixelsOutsideTheEdgeLines) {
    for (int y = 24; y <= 554; ++y) {
        for (const int x : {25, 26, 27, 28, 494, 495, 496, 497})
            ASSERT_TRUE(IsDark(x, y)) << x << "," << y;
    }
    for (int x = 25; x <= 497; ++x) {
        for (const int y : {24, 25, 26, 27, 551, 552, 553, 554})
            ASSERT_TRUE(IsDark(x, y)) << x << "," << y;
    }
    // The gaps between frame and edge lines, sampled away from the corners.
    for (const int y : {60, 240, 300, 520}) {
        for (const int x : {29, 30, 31, 491, 492, 493})
            EXPECT_TRUE(IsWood(x, y)) << x << "," << y;
    }
    for (const int x : {60, 240, 300, 460}) {
        for (const int y : {28, 29, 30, 548, 549, 550})
            EXPECT_TRUE(IsWood(x, y)) << x << "," << y;
    }
    EXPECT_TRUE(IsWood(20, 300));
    EXPECT_TRUE(IsWood(500, 300));
}

TEST(BoardPictureLayout, RiverIsBlankBetweenTheEdgeFiles) {
    for (int y = kRankY[kRiverTop] + 1; y < kRankY[kRiverBottom]; ++y) {
        for (int x = kFileX.front() + 2; x <= kFileX.back() - 2; ++x) {
            ASSERT_TRUE(IsWood(x, y)) << x << "," << y;
        }
    }
}

TEST(BoardPictureLayout, PalacesAloneCarryDiagonals) {
    const auto diagonalDarkness = [](int file, int rank, int dx, int dy) {
        int dark = 0;
        for (int t = 6; t <= 50; ++t)
            dark += IsDark(kFileX[file] + dx * t, kRankY[rank] + dy * t) ? 1 : 0;
        return dark;
    };
    for (const int rank : {0, 7}) {
        EXPECT_EQ(diagonalDarkness(3, rank, 1, 1), 45) << rank;
        EXPECT_EQ(diagonalDarkness(5, rank, -1, 1), 45) << rank;
        EXPECT_EQ(diagonalDarkness(4, rank + 1, 1, 1), 45) << rank;
        EXPECT_EQ(diagonalDarkness(4, rank + 1, -1, 1), 45) << rank;
    }
    EXPECT_EQ(diagonalDarkness(0, 0, 1, 1), 0);
    EXPECT_EQ(diagonalDarkness(2, 0, 1, 1), 0);
    EXPECT_EQ(diagonalDarkness(3, 3, 1, 1), 0);
    EXPECT_EQ(diagonalDarkness(4, 5, -1, 1), 0);
}

TEST(BoardPictureLayout, CellsBetweenTheLinesAreWood) {
    for (std::size_t rank = 0; rank + 1 < kRankY.size(); ++rank) {
        for (std::size_t file = 0; file + 1 < kFileX.size(); ++file) {
            const bool palace = (file == 3 || file == 4) && (rank <= 1 || rank >= 7);
            if (palace) continue;
            const int x = (kFileX[file] + kFileX[file + 1]) / 2;
            const int y = (kRankY[rank] + kRankY[rank + 1]) / 2;
            for (int dy = -12; dy <= 12; ++dy) {
                for (int dx = -12; dx <= 12; ++dx) {
                    ASSERT_TRUE(IsWood(x + dx, y + dy)) << "cell " << file << "," << rank;
                }
            }
        }
    }
}

// Dark pixels in the square beside a point, a few pixels off both its lines.
int MarkPixels(int file, int rank, int dx, int dy) {
    const int x = kFileX[file];
    const int y = kRankY[rank];
    const int nearX = x + dx * 2;
    const int farX = x + dx * 14;
    const int nearY = y + dy * 2;
    const int farY = y + dy * 14;
    return DarkPixelsIn(std::min(nearX, farX), std::min(nearY, farY), std::max(nearX, farX),
                        std::max(nearY, farY));
}

// Every quadrant around every point is checked, except those off the board (where the marks are
// halved) and those in the palaces' diagonal-crossed cells.
TEST(BoardPictureLayout, OnlyCannonAndPawnPointsCarryCornerMarks) {
    for (int file = 0; file <= 8; ++file) {
        for (int rank = 0; rank <= 9; ++rank) {
            const bool cannon = (rank == 2 || rank == 7) && (file == 1 || file == 7);
            const bool pawn = (rank == 3 || rank == 6) && file % 2 == 0;
            for (const int dx : {-1, 1}) {
                for (const int dy : {-1, 1}) {
                    if (file + dx < 0 || file + dx > 8 || rank + dy < 0 || rank + dy > 9) continue;
                    const int cellFile = std::min(file, file + dx);
                    const int cellRank = std::min(rank, rank + dy);
                    const bool palace =
                        (cellFile == 3 || cellFile == 4) && (cellRank <= 1 || cellRank >= 7);
                    if (palace) continue;
                    const int pixels = MarkPixels(file, rank, dx, dy);
                    if (cannon || pawn) {
                        EXPECT_GE(pixels, 12) << file << "," << rank << " towards " << dx << dy;
                    } else {
                        EXPECT_EQ(pixels, 0) << file << "," << rank << " towards " << dx << dy;
                    }
                }
            }
        }
    }
    for (const int gapX : {30, 492})
        EXPECT_EQ(DarkPixelsIn(gapX, 40, gapX, 540), 0) << gapX;
}

TEST(BoardPictureLayout, FilesAndRanksAreLabelledOnAllFourSides) {
    for (const int x : kFileX) {
        EXPECT_GE(DarkPixelsIn(x - 7, 2, x + 7, 22), 4) << "above " << x;
        EXPECT_GE(DarkPixelsIn(x - 7, 556, x + 7, 575), 4) << "below " << x;
    }
    for (const int y : kRankY) {
        EXPECT_GE(DarkPixelsIn(2, y - 8, 22, y + 8), 4) << "left of " << y;
        EXPECT_GE(DarkPixelsIn(499, y - 8, 519, y + 8), 4) << "right of " << y;
    }
}

}  // namespace
}  // namespace tarvelle
