#include "tools/assets/asset_files.h"

#include <QFile>
#include <QImage>
#include <QList>
#include <cstring>

#include "tools/assets/gif_encoder.h"

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
    const std::vector<std::uint8_t> bytes = EncodeGif(image);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    const auto size = static_cast<qint64>(bytes.size());
    return file.write(reinterpret_cast<const char*>(bytes.data()), size) == size && file.flush();
}

}  // namespace tarvelle::assets
