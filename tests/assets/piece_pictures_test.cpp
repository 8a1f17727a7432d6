// The committed piece pictures as the program draws them: colour-keyed on white, each plain
// piece drawn over whatever the cell showed before, a selected piece included.
#include <gtest/gtest.h>

#include <QImage>
#include <QImageReader>
#include <QString>
#include <algorithm>
#include <cstdlib>
#include <numbers>
#include <string>
#include <vector>

#include "picture_checks.h"

namespace tarvelle {
namespace {

using testing::Brightness;
using testing::IsWhite;

constexpr int kPictureCount = 30;
constexpr int kSelected = 15;
constexpr int kSize = 56;

std::string PictureName(int number) {
    return "imgPiecesLarge(" + std::to_string(number) + ").gif";
}

std::string CommittedPath(int number) {
    return std::string(TARVELLE_ASSETS_DIR "/pieces/") + PictureName(number);
}

const std::vector<QImage>& Pictures() {
    static const std::vector<QImage> pictures = [] {
        std::vector<QImage> loaded;
        for (int number = 0; number < kPictureCount; ++number) {
            loaded.push_back(QImage(QString::fromStdString(CommittedPath(number)))
                                 .convertToFormat(QImage::Format_RGB32));
        }
        return loaded;
    }();
    return pictures;
}

int NonWhitePixels(const QImage& picture) {
    int count = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x)
            count += IsWhite(picture.pixel(x, y)) ? 0 : 1;
    }
    return count;
}

TEST(PiecePictures, EveryPictureIsA56PixelGif) {
    for (int number = 0; number < kPictureCount; ++number) {
        QImageReader reader(QString::fromStdString(CommittedPath(number)));
        EXPECT_EQ(reader.format(), "gif") << number;
        const QImage picture = reader.read();
        ASSERT_FALSE(picture.isNull()) << number << ": " << reader.errorString().toStdString();
        EXPECT_EQ(picture.size(), QSize(kSize, kSize)) << number;
    }
}

TEST(PiecePictures, EmptyPointIsAllWhite) {
    EXPECT_EQ(NonWhitePixels(Pictures()[0]), 0);
}

// A plain piece is drawn over the cell without repainting it, so it has to hide every pixel
// that any selected picture may have left there.
TEST(PiecePictures, PlainPiecesCoverEverySelectedPicture) {
    for (int plain = 1; plain < kSelected; ++plain) {
        for (int selected = kSelected; selected < kPictureCount; ++selected) {
            for (int y = 0; y < kSize; ++y) {
                for (int x = 0; x < kSize; ++x) {
                    if (IsWhite(Pictures()[static_cast<std::size_t>(selected)].pixel(x, y)))
                        continue;
                    ASSERT_FALSE(IsWhite(Pictures()[static_cast<std::size_t>(plain)].pixel(x, y)))
                        << "picture " << plain << " leaves " << x << "," << y << " of picture "
                        << selected;
                }
            }
        }
    }
}

TEST(PiecePictures, SelectionMarksStandOut) {
    for (int plain = 0; plain < kSelected; ++plain) {
        const QImage& before = Pictures()[static_cast<std::size_t>(plain)];
        const QImage& after = Pictures()[static_cast<std::size_t>(plain + kSelected)];
        int changed = 0;
        for (int y = 0; y < kSize; ++y) {
            for (int x = 0; x < kSize; ++x) {
                const QRgb a = before.pixel(x, y);
                const QRgb b = after.pixel(x, y);
                const int difference = std::abs(qRed(a) - qRed(b)) +
                                       std::abs(qGreen(a) - qGreen(b)) +
                                       std::abs(qBlue(a) - qBlue(b));
                changed += difference >= 120 ? 1 : 0;
            }
        }
        EXPECT_GE(changed, 200) << "picture " << plain;
    }
}

TEST(PiecePictures, PiecesAreDiscsAlmostAsWideAsTheCell) {
    for (int number = 1; number < kPictureCount; ++number) {
        if (number == kSelected) continue;
        const QImage& picture = Pictures()[static_cast<std::size_t>(number)];
        int left = kSize, right = -1, top = kSize, bottom = -1;
        for (int y = 0; y < kSize; ++y) {
            for (int x = 0; x < kSize; ++x) {
                if (IsWhite(picture.pixel(x, y))) continue;
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
        const int width = right - left + 1;
        const int height = bottom - top + 1;
        EXPECT_GE(width, 52) << number;
        EXPECT_LE(width, 55) << number;
        EXPECT_EQ(width, height) << number;
        const double discArea = std::numbers::pi * width * width / 4.0;
        EXPECT_NEAR(NonWhitePixels(picture), discArea, discArea * 0.05) << number;
        EXPECT_TRUE(IsWhite(picture.pixel(0, 0)) && IsWhite(picture.pixel(kSize - 1, kSize - 1)))
            << number;
    }
}

// The edge of the disc is blended against the board's wood; blended against white it would
// leave a light ring around each piece once white is keyed out.
TEST(PiecePictures, EdgesCarryNoLightHalo) {
    for (int number = 1; number < kPictureCount; ++number) {
        const QImage& picture = Pictures()[static_cast<std::size_t>(number)];
        for (int y = 1; y < kSize - 1; ++y) {
            for (int x = 1; x < kSize - 1; ++x) {
                if (IsWhite(picture.pixel(x, y))) continue;
                const bool edge =
                    IsWhite(picture.pixel(x - 1, y)) || IsWhite(picture.pixel(x + 1, y)) ||
                    IsWhite(picture.pixel(x, y - 1)) || IsWhite(picture.pixel(x, y + 1));
                if (edge) {
                    EXPECT_LE(Brightness(picture.pixel(x, y)), 600)
                        << number << " at " << x << "," << y;
                }
            }
        }
    }
}

int PixelsLike(const QImage& picture, bool (*matches)(QRgb)) {
    int count = 0;
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x)
            count += matches(picture.pixel(x, y)) ? 1 : 0;
    }
    return count;
}

bool IsRedInk(QRgb colour) {
    return qRed(colour) > 150 && qGreen(colour) < 90 && qBlue(colour) < 90;
}
bool IsBlackInk(QRgb colour) {
    return Brightness(colour) < 150;
}

TEST(PiecePictures, RedAndBlackPiecesCanBeToldApart) {
    for (int number = 1; number < kSelected; ++number) {
        const QImage& picture = Pictures()[static_cast<std::size_t>(number)];
        const bool red = number <= 7;
        EXPECT_GE(PixelsLike(picture, red ? IsRedInk : IsBlackInk), 60) << number;
        EXPECT_LE(PixelsLike(picture, red ? IsBlackInk : IsRedInk), 5) << number;
    }
    for (int a = 1; a < kSelected; ++a) {
        for (int b = a + 1; b < kSelected; ++b) {
            EXPECT_FALSE(Pictures()[static_cast<std::size_t>(a)] ==
                         Pictures()[static_cast<std::size_t>(b)])
                << a << " and " << b;
        }
    }
}

TEST(PiecePictures, CopiesBesideTheProgramMatchTheCommittedFiles) {
    for (int number = 0; number < kPictureCount; ++number) {
        const std::string copy = std::string(TARVELLE_PROGRAM_DIR "/board/") + PictureName(number);
        const std::vector<std::uint8_t> copied = testing::ReadFileBytes(copy);
        ASSERT_FALSE(copied.empty()) << copy;
        EXPECT_EQ(copied, testing::ReadFileBytes(CommittedPath(number))) << copy;
    }
}

}  // namespace
}  // namespace tarvelle
