// Reduction of a drawn picture to the 256 colours the BMP and GIF files can hold.
#pragma once

#include <QImage>

#include "tools/assets/indexed_image.h"

namespace tarvelle::assets {

// giflib's median cut to at most 255 colours. Pure white is the colour key that lets the board
// show through a piece picture, so it is kept as an exact entry of its own (index 0), left out of
// the cut, and no other colour is ever mapped to it. Deterministic.
IndexedImage Quantise(const QImage& picture);

}  // namespace tarvelle::assets
