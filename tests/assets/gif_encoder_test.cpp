// The GIF writer against Qt's GIF reader, the decoder the program draws its pieces with.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QImage>
#include <cstdint>
#include <random>
#include <stdexcept>
#include <vector>

#include "tools/assets/gif_encoder.h"

namespace tarvelle::assets {
namespace {

IndexedImage RandomImage(int width, int height, int colours, std::uint32_t seed) {
    std::mt19937 random(seed);
    IndexedImage image{width, height, {}, {}};
    for (int i = 0; i < colours; ++i)
        image.palette.push_back(random() & 0xFFFFFFu);
    std::uniform_int_distribution<int> index(0, colours - 1);
    for (int i = 0; i < width * height; ++i) {
        image.pixels.push_back(static_cast<std::uint8_t>(index(random)));
    }
    return image;
}

// Decodes the encoded image with Qt and compares every pixel's colour with the palette entry
// it was given.
void ExpectRoundTrip(const IndexedImage& image) {
    const std::vector<std::uint8_t> bytes = EncodeGif(image);
    const QImage decoded = QImage::fromData(QByteArray(reinterpret_cast<const char*>(bytes.data()),
                                                       static_cast<qsizetype>(bytes.size())),
                                            "GIF");
    ASSERT_FALSE(decoded.isNull());
    ASSERT_EQ(decoded.width(), image.width);
    ASSERT_EQ(decoded.height(), image.height);
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const std::uint8_t index =
                image.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(image.width) +
                             static_cast<std::size_t>(x)];
            const QRgb expected = 0xFF000000u | image.palette[index];
            ASSERT_EQ(decoded.pixel(x, y), expected) << "at " << x << "," << y;
        }
    }
}

TEST(GifEncoder, RoundTripsEveryColourTableSize) {
    // Table sizes around each power of two change both the table and the first code width.
    for (const int colours : {1, 2, 3, 4, 5, 8, 9, 16, 17, 128, 129, 255, 256}) {
        SCOPED_TRACE(colours);
        ExpectRoundTrip(RandomImage(97, 61, colours, static_cast<std::uint32_t>(colours)));
    }
}

TEST(GifEncoder, RoundTripsNoiseThatFillsTheCodeTableManyTimes) {
    ExpectRoundTrip(RandomImage(300, 200, 256, 7));
    ExpectRoundTrip(RandomImage(211, 173, 4, 8));
}

TEST(GifEncoder, RoundTripsLongRunsAndRepeats) {
    IndexedImage flat{400, 300, {0x123456, 0xFFFFFF}, {}};
    flat.pixels.assign(400 * 300, 1);
    ExpectRoundTrip(flat);

    IndexedImage stripes{256, 64, {}, {}};
    for (int i = 0; i < 256; ++i)
        stripes.palette.push_back(static_cast<std::uint32_t>(i * 0x010101));
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 256; ++x)
            stripes.pixels.push_back(static_cast<std::uint8_t>((x / (y + 1)) & 0xFF));
    }
    ExpectRoundTrip(stripes);
}

TEST(GifEncoder, RoundTripsSinglePixelsAndLines) {
    ExpectRoundTrip(RandomImage(1, 1, 1, 1));
    ExpectRoundTrip(RandomImage(1, 1, 256, 2));
    ExpectRoundTrip(RandomImage(1, 50, 3, 3));
    ExpectRoundTrip(RandomImage(50, 1, 200, 4));
}

TEST(GifEncoder, RejectsImagesThatHaveNoFaithfulGif) {
    IndexedImage pastPalette = RandomImage(4, 4, 3, 6);
    pastPalette.pixels[5] = 3;
    EXPECT_THROW(EncodeGif(pastPalette), std::invalid_argument);

    IndexedImage noPalette = RandomImage(4, 4, 1, 6);
    noPalette.palette.clear();
    EXPECT_THROW(EncodeGif(noPalette), std::invalid_argument);

    IndexedImage tooManyColours = RandomImage(4, 4, 256, 6);
    tooManyColours.palette.push_back(0);
    EXPECT_THROW(EncodeGif(tooManyColours), std::invalid_argument);

    IndexedImage shortPixels = RandomImage(4, 4, 2, 6);
    shortPixels.pixels.pop_back();
    EXPECT_THROW(EncodeGif(shortPixels), std::invalid_argument);

    EXPECT_THROW(EncodeGif(IndexedImage{0, 0, {0}, {}}), std::invalid_argument);
    IndexedImage tooWide{70000, 1, {0}, {}};
    tooWide.pixels.assign(70000, 0);
    EXPECT_THROW(EncodeGif(tooWide), std::invalid_argument);
}

}  // namespace
}  // namespace tarvelle::assets
