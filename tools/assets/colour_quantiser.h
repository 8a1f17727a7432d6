// Reduction of a drawn picture to the 256 colours the BMP and GIF files can hold.
#pragma once

#include <QImage>

#include "tools/assets/indexed_image.h"

namespace tarvelle::assets {

// Exact when the picture has at most 256 colours, otherwise median cut to 256. Pure white is the
// colour key that lets the board show through a piece picture, so it is kept as an exact entry of
// its own (index 0) and no other colour is ever mapped to it. Deterministic.
IndexedImage Quantise(const QImage& picture);

}  // namespace tarvelle::assets
