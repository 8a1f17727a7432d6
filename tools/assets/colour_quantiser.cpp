#include "tools/assets/colour_quantiser.h"

#include <gif_lib.h>

#include <array>
#include <cstdint>
#include <new>
#include <vector>

namespace tarvelle::assets {
namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF;
// What a cluster whose average came out white would become instead.
constexpr std::uint32_t kNearWhite = 0xFEFEFE;

}  // namespace

IndexedImage Quantise(const QImage& picture) {
    const QImage rgbPicture = picture.convertToFormat(QImage::Format_RGB32);
    IndexedImage result{rgbPicture.width(), rgbPicture.height(), {kWhite}, {}};

    // The cut sees only the drawn pixels, as one long row; white pixels stay at index 0.
    std::vector<GifByteType> red;
    std::vector<GifByteType> green;
    std::vector<GifByteType> blue;
    for (int y = 0; y < rgbPicture.height(); ++y) {
        for (int x = 0; x < rgbPicture.width(); ++x) {
            const QRgb colour = rgbPicture.pixel(x, y);
            if ((colour & kWhite) == kWhite) continue;
            red.push_back(static_cast<GifByteType>(qRed(colour)));
            green.push_back(static_cast<GifByteType>(qGreen(colour)));
            blue.push_back(static_cast<GifByteType>(qBlue(colour)));
        }
    }
    std::vector<GifByteType> drawnIndex(red.size());
    if (!drawnIndex.empty()) {
        std::array<GifColorType, 256> map{};
        int mapSize = 255;
        // It fails only when it runs out of memory.
        if (GifQuantizeBuffer(static_cast<unsigned>(drawnIndex.size()), 1, &mapSize, red.data(),
                              green.data(), blue.data(), drawnIndex.data(), map.data()) != GIF_OK) {
            throw std::bad_alloc();
        }
        for (int i = 0; i < mapSize; ++i) {
            const GifColorType& entry = map[static_cast<std::size_t>(i)];
            const std::uint32_t rgb = static_cast<std::uint32_t>(entry.Red) << 16 |
                                      static_cast<std::uint32_t>(entry.Green) << 8 | entry.Blue;
            result.palette.push_back(rgb == kWhite ? kNearWhite : rgb);
        }
    }

    std::size_t next = 0;
    for (int y = 0; y < rgbPicture.height(); ++y) {
        for (int x = 0; x < rgbPicture.width(); ++x) {
            const bool white = (rgbPicture.pixel(x, y) & kWhite) == kWhite;
            result.pixels.push_back(white ? 0 : static_cast<std::uint8_t>(drawnIndex[next++] + 1));
        }
    }
    return result;
}

}  // namespace tarvelle::assets
