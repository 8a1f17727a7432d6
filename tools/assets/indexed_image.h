// A picture of palette indices: what the GIF and BMP writers store.
#pragma once

#include <cstdint>
#include <vector>

namespace tarvelle::assets {

struct IndexedImage {
    int width = 0;
    int height = 0;
    // Colours as 0xRRGGBB; at most 256.
    std::vector<std::uint32_t> palette;
    // Row by row from the top-left, one palette index per pixel.
    std::vector<std::uint8_t> pixels;
};

}  // namespace tarvelle::assets
