#include "tools/assets/asset_files.h"

#include <gif_lib.h>

#include <QFile>
#include <QImage>
#include <QList>
#include <cstdint>
#include <cstring>
#include <vector>

namespace tarvelle::assets {

// Qt's BMP writer stores an Indexed8 image as 8 bits per pixel with its whole colour table, but
// drops to 4 bits for a table of 16 colours or fewer: padding the table to 256 keeps the format.
bool WriteBmp(const IndexedImage& image, const QString& path) {
    QImage picture(image.width, image.height, QImage::Format_Indexed8);
    // The writer copies whole scan lines, padding included, and QImage leaves the padding
    // uninitialised: cleared, the file's bytes depend on the picture alone.
    std::memset(picture.bits(), 0, static_cast<std::size_t>(picture.sizeInBytes()));
    QList<QRgb> table(256, qRgb(0, 0, 0));
    for (std::size_t i = 0; i < image.palette.size() && i < 256; ++i) {
        table[static_cast<qsizetype>(i)] = 0xFF000000u | image.palette[i];
    }
    picture.setColorTable(table);
    for (int y = 0; y < image.height; ++y) {
        uchar* line = picture.scanLine(y);
        for (int x = 0; x < image.width; ++x) {
            line[x] =
                image.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(image.width) +
                             static_cast<std::size_t>(x)];
        }
    }
    return picture.save(path, "BMP");
}

bool WriteGif(const IndexedImage& image, const QString& path) {
    // giflib wants a colour table of a power of two entries, two at least.
    int tableSize = 2;
    while (tableSize < static_cast<int>(image.palette.size()))
        tableSize *= 2;
    std::vector<GifColorType> table(static_cast<std::size_t>(tableSize), GifColorType{0, 0, 0});
    for (std::size_t i = 0; i < image.palette.size(); ++i) {
        const std::uint32_t rgb = image.palette[i];
        table[i] = {static_cast<GifByteType>(rgb >> 16), static_cast<GifByteType>(rgb >> 8),
                    static_cast<GifByteType>(rgb)};
    }
    std::vector<GifPixelType> pixels(image.pixels.begin(), image.pixels.end());

    int error = 0;
    GifFileType* gif = EGifOpenFileName(QFile::encodeName(path).constData(), false, &error);
    if (gif == nullptr) return false;
    ColorMapObject* colours = GifMakeMapObject(tableSize, table.data());
    // The screen takes a copy of the table; the whole picture goes in as one line.
    const bool written =
        colours != nullptr &&
        EGifPutScreenDesc(gif, image.width, image.height, 8, 0, colours) == GIF_OK &&
        EGifPutImageDesc(gif, 0, 0, image.width, image.height, false, nullptr) == GIF_OK &&
        EGifPutLine(gif, pixels.data(), static_cast<int>(pixels.size())) == GIF_OK;
    GifFreeMapObject(colours);
    return EGifCloseFile(gif, &error) == GIF_OK && written;
}

}  // namespace tarvelle::assets
