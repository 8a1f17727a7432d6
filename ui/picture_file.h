// A piece picture as the boards draw it: read from its file, with the pixels the file marks
// transparent and the pure white ones both made fully transparent. Every cell drawn reads its file
// anew. GIF files, which all the pictures are, are decoded by giflib: a full redraw of the main
// board then takes less time than through Qt, and no image plugin is loaded. A file of another
// format is read by Qt, as before.
#pragma once

#include <QImage>

namespace tarvelle {

// ARGB32; a null image when the file is missing or cannot be decoded, or a GIF is larger than any
// picture a cell could show (4096 pixels a side).
QImage ReadColourKeyedPicture(const char* path);

}  // namespace tarvelle
