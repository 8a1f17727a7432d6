#include "ui/board_panel.h"

#include <QFile>
#include <QPaintEvent>
#include <QPainter>
#include <cstdint>
#include <cstdlib>

#include "assets/board_picture.h"

namespace tarvelle {

namespace {

std::uint32_t LittleEndian(const uchar* bytes, int count) {
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = value << 8 | bytes[i];
    return value;
}

// An uncompressed 8-bit BMP with its palette, as the built-in board picture is
// (tests/assets/board_picture_test.cpp), read straight into the panel's pixel format; a null
// image for anything else.
QImage DecodeIndexedBmp(const QByteArray& file) {
    const auto* bytes = reinterpret_cast<const uchar*>(file.constData());
    if (file.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M') return {};
    const std::uint32_t pixelOffset = LittleEndian(bytes + 10, 4);
    const std::uint32_t headerSize = LittleEndian(bytes + 14, 4);
    const auto width = static_cast<std::int32_t>(LittleEndian(bytes + 18, 4));
    const auto height = static_cast<std::int32_t>(LittleEndian(bytes + 22, 4));
    std::uint32_t colours = LittleEndian(bytes + 46, 4);
    if (colours == 0) colours = 256;
    const qsizetype rows = std::abs(static_cast<qsizetype>(height));
    const qsizetype stride = (static_cast<qsizetype>(width) + 3) / 4 * 4;
    const qsizetype palette = 14 + static_cast<qsizetype>(headerSize);
    if (headerSize < 40 || width <= 0 || width > 4096 || rows == 0 || rows > 4096 ||
        LittleEndian(bytes + 28, 2) != 8 || LittleEndian(bytes + 30, 4) != 0 || colours > 256 ||
        palette + 4 * static_cast<qsizetype>(colours) > file.size() ||
        static_cast<qsizetype>(pixelOffset) + stride * rows > file.size()) {
        return {};
    }
    QRgb table[256] = {};
    for (std::uint32_t i = 0; i < colours; ++i) {
        const uchar* entry = bytes + palette + 4 * i;
        table[i] = qRgb(entry[2], entry[1], entry[0]);
    }
    QImage image(width, static_cast<int>(rows), QImage::Format_RGB32);
    for (qsizetype y = 0; y < rows; ++y) {
        // Rows are stored bottom-up unless the height is negative.
        const uchar* source = bytes + pixelOffset + (height > 0 ? rows - 1 - y : y) * stride;
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(static_cast<int>(y)));
        for (int x = 0; x < width; ++x)
            line[x] = table[source[x]];
    }
    return image;
}

}  // namespace

QImage BoardPicture() {
    // Read by hand: Qt's reader would first look through the image plugins installed, and then
    // leave a palette picture to be converted.
    QFile file(QString::fromLatin1(kBoardPictureResource));
    const QImage picture =
        file.open(QIODevice::ReadOnly) ? DecodeIndexedBmp(file.readAll()) : QImage();
    return picture.isNull() ? QImage(QString::fromLatin1(kBoardPictureResource)) : picture;
}

BoardPanel::BoardPanel(const PictureFiles& pictures, QSize size, const QImage& background,
                       QWidget* parent)
    : QWidget(parent), pixels_(pictures, size, background, palette().color(QPalette::Window)) {
    setFixedSize(size);
    setCursor(Qt::PointingHandCursor);
    // Every pixel is painted from the backing image, so nothing needs erasing first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void BoardPanel::ClearCell(int x, int y) {
    update(pixels_.ClearCell(x, y));
}

void BoardPanel::DrawPicture(int x, int y, int pictureNumber) {
    const QRect drawn = pixels_.DrawPicture(x, y, pictureNumber);
    if (!drawn.isEmpty()) update(drawn);
}

void BoardPanel::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.drawImage(event->rect(), pixels_.Image(), event->rect());
}

}  // namespace tarvelle
