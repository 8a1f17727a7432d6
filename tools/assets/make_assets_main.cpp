// make_assets ASSETS_DIR: draws the board picture and the 30 piece pictures and writes them as
// ASSETS_DIR/board.bmp and ASSETS_DIR/pieces/imgPiecesLarge(N).gif.
#include <QDir>
#include <QFontInfo>
#include <QGuiApplication>
#include <cstdio>

#include "tools/assets/asset_files.h"
#include "tools/assets/board_painter.h"
#include "tools/assets/colour_quantiser.h"
#include "tools/assets/piece_painter.h"
#include "tools/assets/style.h"
#include "tools/assets/text_outline.h"

namespace {

using namespace tarvelle::assets;

bool Fail(const QString& message) {
    std::fprintf(stderr, "make_assets: %s\n", qPrintable(message));
    return false;
}

// A substituted font would quietly change every character, so a missing one stops the run.
bool FontInstalled() {
    const QString wanted = QString::fromLatin1(style::kFontFamily);
    const QString found = QFontInfo(PictureFont(32)).family();
    if (found == wanted) return true;
    return Fail(QStringLiteral("font \"%1\" not found (got \"%2\"); install fonts-wqy-zenhei")
                    .arg(wanted, found));
}

bool WriteAll(const QDir& assets) {
    const QString boardPath = assets.filePath(QStringLiteral("board.bmp"));
    if (!WriteBmp(Quantise(PaintBoard()), boardPath)) return Fail("cannot write " + boardPath);

    if (!assets.mkpath(QStringLiteral("pieces"))) return Fail("cannot create the pieces folder");
    const QDir pieces(assets.filePath(QStringLiteral("pieces")));
    for (int number = 0; number < kPiecePictureCount; ++number) {
        const QString path = pieces.filePath(QStringLiteral("imgPiecesLarge(%1).gif").arg(number));
        if (!WriteGif(Quantise(PaintPiecePicture(number)), path))
            return Fail("cannot write " + path);
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    // The pictures are drawn off screen; no display is needed or wanted.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_assets ASSETS_DIR\n");
        return 2;
    }
    const QDir assets(QString::fromLocal8Bit(argv[1]));
    if (!assets.exists()) {
        Fail(QStringLiteral("no folder %1").arg(assets.path()));
        return 1;
    }
    return FontInstalled() && WriteAll(assets) ? 0 : 1;
}
