// A GIF89a writer: one image, a global colour table, LZW-compressed pixels, no extensions.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/assets/indexed_image.h"

namespace tarvelle::assets {

// The complete file. Throws std::invalid_argument when the image is empty or wider or taller than
// 65535, its palette is empty or longer than 256, its pixel count does not match its size, or a
// pixel indexes past the palette: such an image has no faithful GIF.
std::vector<std::uint8_t> EncodeGif(const IndexedImage& image);

}  // namespace tarvelle::assets
