// Writing the generated pictures in the formats the program reads.
#pragma once

#include <QString>

#include "tools/assets/indexed_image.h"

namespace tarvelle::assets {

// An uncompressed 8-bit BMP whose colour table always has all 256 entries. False on failure.
bool WriteBmp(const IndexedImage& image, const QString& path);

// A GIF file of one image with a global colour table, written by giflib. False on failure.
bool WriteGif(const IndexedImage& image, const QString& path);

}  // namespace tarvelle::assets
