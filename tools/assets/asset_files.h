// Writing the generated pictures in the formats the program reads.
#pragma once

#include <QString>

#include "tools/assets/indexed_image.h"

namespace tarvelle::assets {

// An uncompressed 8-bit BMP whose colour table always has all 256 entries. False on failure.
bool WriteBmp(const IndexedImage& image, const QString& path);

// A GIF89a file (see EncodeGif). False on failure.
bool WriteGif(const IndexedImage& image, const QString& path);

}  // namespace tarvelle::assets
