#include "ui/picture_file.h"

#include <gif_lib.h>

#include <QFile>

namespace tarvelle {

namespace {

constexpr int kLargestSide = 4096;
constexpr QRgb kWhite = 0x00FFFFFFu;

bool IsWhite(const GifColorType& colour) {
    return colour.Red == 255 && colour.Green == 255 && colour.Blue == 255;
}

// Paints the first image of a slurped GIF into `picture`, which covers its screen.
void PaintFirstImage(GifFileType& gif, QImage& picture) {
    const SavedImage& image = gif.SavedImages[0];
    const GifImageDesc& place = image.ImageDesc;
    const ColorMapObject* colours = place.ColorMap != nullptr ? place.ColorMap : gif.SColorMap;
    if (colours == nullptr) return;
    GraphicsControlBlock control{};
    control.TransparentColor = NO_TRANSPARENT_COLOR;
    DGifSavedExtensionToGCB(&gif, 0, &control);
    for (int y = 0; y < place.Height; ++y) {
        const int row = place.Top + y;
        if (row < 0 || row >= picture.height()) continue;
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(row));
        const GifByteType* indexes =
            image.RasterBits + static_cast<std::ptrdiff_t>(y) * place.Width;
        const int width = picture.width();
        for (int x = 0; x < place.Width; ++x) {
            const int column = place.Left + x;
            const int index = indexes[x];
            if (column < 0 || column >= width || index >= colours->ColorCount ||
                index == control.TransparentColor) {
                continue;
            }
            const GifColorType& colour = colours->Colors[index];
            if (!IsWhite(colour)) line[column] = qRgb(colour.Red, colour.Green, colour.Blue);
        }
    }
}

// A picture Qt reads, with its pure white pixels made fully transparent; pixels the file already
// marks transparent stay so.
QImage ColourKeyed(const QImage& picture) {
    QImage keyed = picture.convertToFormat(QImage::Format_ARGB32);
    const int width = keyed.width();
    for (int y = 0; y < keyed.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(keyed.scanLine(y));
        for (int x = 0; x < width; ++x) {
            if ((line[x] & kWhite) == kWhite) line[x] = 0;
        }
    }
    return keyed;
}

}  // namespace

QImage ReadColourKeyedPicture(const char* path) {
    int error = 0;
    GifFileType* gif = DGifOpenFileName(path, &error);
    if (gif == nullptr) {
        // Not a GIF, or not there at all.
        return error == D_GIF_ERR_NOT_GIF_FILE ? ColourKeyed(QImage(QFile::decodeName(path)))
                                               : QImage();
    }
    QImage picture;
    if (gif->SWidth > 0 && gif->SHeight > 0 && gif->SWidth <= kLargestSide &&
        gif->SHeight <= kLargestSide && DGifSlurp(gif) == GIF_OK && gif->ImageCount > 0) {
        picture = QImage(gif->SWidth, gif->SHeight, QImage::Format_ARGB32);
        picture.fill(Qt::transparent);
        PaintFirstImage(*gif, picture);
    }
    DGifCloseFile(gif, &error);
    return picture;
}

}  // namespace tarvelle
