// The drawing panel as the board logic uses it: pictures colour-keyed on white over what the
// panel showed, read from their files at every draw, and cells repainted from the background.
#include <gif_lib.h>
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <filesystem>

#include "assets/board_picture.h"
#include "ui/board_panel.h"
#include "ui/board_preview.h"

namespace tarvelle {
namespace {

constexpr QSize kBoardSize(520, 576);
constexpr int kCell = 56;

QString CommittedPicture(int number) {
    return QStringLiteral(TARVELLE_ASSETS_DIR "/pieces/imgPiecesLarge(%1).gif").arg(number);
}

QImage BoardPicture() {
    return QImage(QString::fromLatin1(kBoardPictureResource)).convertToFormat(QImage::Format_RGB32);
}

bool IsWhite(QRgb colour) {
    return (colour & 0xFFFFFFu) == 0xFFFFFFu;
}

// The pictures live beside a program in a temporary directory; the current directory is an empty
// one, so the panel can only find them there.
class BoardPanelTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(temp.isValid());
        ASSERT_TRUE(QDir(temp.path()).mkpath(QStringLiteral("program/board")));
        ASSERT_TRUE(QDir(temp.path()).mkpath(QStringLiteral("elsewhere")));
        previousDirectory = std::filesystem::current_path();
        std::filesystem::current_path(Path("elsewhere"));
    }

    void TearDown() override { std::filesystem::current_path(previousDirectory); }

    std::filesystem::path Path(const char* relative) const {
        return std::filesystem::path(temp.path().toStdString()) / relative;
    }

    QString PictureFile(int number) const {
        return temp.filePath(QStringLiteral("program/board/imgPiecesLarge(%1).gif").arg(number));
    }

    void InstallPicture(int number, int asNumber) {
        QFile::remove(PictureFile(asNumber));
        ASSERT_TRUE(QFile::copy(CommittedPicture(number), PictureFile(asNumber)));
    }

    // Expects the cell at `topLeft` to show `picture` where it is not white and `under`
    // (in panel coordinates) elsewhere.
    static void ExpectCellShows(const QImage& pixels, QPoint topLeft, const QImage& picture,
                                const QImage& under) {
        const QImage shown = picture.convertToFormat(QImage::Format_RGB32);
        int differences = 0;
        for (int y = 0; y < kCell; ++y) {
            for (int x = 0; x < kCell; ++x) {
                const QPoint at = topLeft + QPoint(x, y);
                const QRgb expected =
                    IsWhite(shown.pixel(x, y)) ? under.pixel(at) : shown.pixel(x, y);
                differences += pixels.pixel(at) == expected ? 0 : 1;
            }
        }
        EXPECT_EQ(differences, 0) << "at " << topLeft.x() << "," << topLeft.y();
    }

    QTemporaryDir temp;
    std::filesystem::path previousDirectory;
    PictureFiles pictures{Path("program")};
};

TEST_F(BoardPanelTest, StartsAsTheBoardPictureClippedToThePanel) {
    const QImage board = BoardPicture();
    ASSERT_EQ(board.size(), QSize(521, 577));
    const BoardPanel panel(pictures, kBoardSize, board);
    EXPECT_EQ(panel.size(), kBoardSize);
    EXPECT_EQ(panel.Pixels(), board.copy(QRect(QPoint(0, 0), kBoardSize)));
    EXPECT_EQ(panel.cursor().shape(), Qt::PointingHandCursor);
}

TEST_F(BoardPanelTest, PictureShowsOverTheCellExceptWhereItIsWhite) {
    InstallPicture(1, 1);
    InstallPicture(23, 23);
    const QImage board = BoardPicture();
    BoardPanel panel(pictures, kBoardSize, board);

    panel.DrawPicture(8, 8, 1);
    ExpectCellShows(panel.Pixels(), QPoint(8, 8), QImage(CommittedPicture(1)), board);

    // A second picture goes over the first without the cell being repainted.
    const QImage before = panel.Pixels();
    panel.DrawPicture(8, 8, 23);
    ExpectCellShows(panel.Pixels(), QPoint(8, 8), QImage(CommittedPicture(23)), before);

    // Nothing outside the cell changed.
    QImage outside = panel.Pixels();
    QPainter(&outside).drawImage(QPoint(8, 8), board, QRect(8, 8, kCell, kCell));
    EXPECT_EQ(outside, board.copy(QRect(QPoint(0, 0), kBoardSize)));
}

TEST_F(BoardPanelTest, ClearCellRestoresTheBoardPicture) {
    InstallPicture(5, 5);
    const QImage board = BoardPicture();
    BoardPanel panel(pictures, kBoardSize, board);
    panel.DrawPicture(456, 512, 5);
    ASSERT_NE(panel.Pixels(), board.copy(QRect(QPoint(0, 0), kBoardSize)));
    panel.ClearCell(456, 512);
    EXPECT_EQ(panel.Pixels(), board.copy(QRect(QPoint(0, 0), kBoardSize)));
}

// Where the background picture does not reach, a cleared cell takes the panel's colour, and
// cells reaching past the panel's edge are cut off there.
TEST_F(BoardPanelTest, ClearCellUsesThePanelColourBeyondTheBackground) {
    QImage background(30, 30, QImage::Format_RGB32);
    background.fill(QColor(10, 120, 200));
    BoardPanel panel(pictures, QSize(100, 80), background);
    const QRgb panelColour = panel.Pixels().pixel(99, 79);
    ASSERT_NE(panelColour, background.pixel(0, 0));

    InstallPicture(7, 7);
    for (int y = 0; y < 80; y += kCell)
        for (int x = 0; x < 100; x += kCell)
            panel.DrawPicture(x, y, 7);
    panel.ClearCell(8, 8);
    panel.ClearCell(60, 50);

    for (const QRect cell : {QRect(8, 8, kCell, kCell), QRect(60, 50, 40, 30)}) {
        for (int y = cell.top(); y <= cell.bottom(); ++y) {
            for (int x = cell.left(); x <= cell.right(); ++x) {
                const QRgb expected = x < 30 && y < 30 ? background.pixel(x, y) : panelColour;
                ASSERT_EQ(panel.Pixels().pixel(x, y), expected) << x << "," << y;
            }
        }
    }
}

TEST_F(BoardPanelTest, PanelWithoutPictureClearsToItsColour) {
    InstallPicture(12, 12);
    BoardPanel panel(pictures, QSize(344, 472));
    const QImage empty = panel.Pixels();
    panel.DrawPicture(176, 176, 12);
    ASSERT_NE(panel.Pixels(), empty);
    panel.ClearCell(176, 176);
    EXPECT_EQ(panel.Pixels(), empty);
}

TEST_F(BoardPanelTest, MissingOrBrokenPictureDrawsNothing) {
    BoardPanel panel(pictures, kBoardSize, BoardPicture());
    const QImage before = panel.Pixels();
    panel.DrawPicture(8, 8, 3);
    QFile broken(PictureFile(4));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("GIF89a and then nothing a decoder can use");
    broken.close();
    panel.DrawPicture(64, 8, 4);
    EXPECT_EQ(panel.Pixels(), before);
}

// No picture is kept between draws: a file changed on disk shows at the next draw.
TEST_F(BoardPanelTest, ReadsThePictureFileAtEveryDraw) {
    const QImage board = BoardPicture();
    BoardPanel panel(pictures, kBoardSize, board);
    InstallPicture(2, 9);
    panel.DrawPicture(232, 232, 9);
    ExpectCellShows(panel.Pixels(), QPoint(232, 232), QImage(CommittedPicture(2)), board);

    InstallPicture(13, 9);
    panel.ClearCell(232, 232);
    panel.DrawPicture(232, 232, 9);
    ExpectCellShows(panel.Pixels(), QPoint(232, 232), QImage(CommittedPicture(13)), board);
}

// A picture that marks its own transparent pixels leaves them out too, white or not.
// A green square on red that the file marks transparent: a GIF with a transparent colour, as
// giflib reads it, and a PNG with an alpha channel under the picture's name, as Qt reads it.
bool WriteGifWithTransparentColour(const QString& path) {
    int error = 0;
    GifFileType* gif = EGifOpenFileName(QFile::encodeName(path).constData(), false, &error);
    if (gif == nullptr) return false;
    GifColorType colours[2] = {{200, 0, 0}, {0, 90, 0}};
    ColorMapObject* map = GifMakeMapObject(2, colours);
    GraphicsControlBlock control{};
    control.TransparentColor = 0;
    GifByteType extension[4];
    const std::size_t length = EGifGCBToExtension(&control, extension);
    bool written = EGifPutScreenDesc(gif, kCell, kCell, 1, 0, map) == GIF_OK &&
                   EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length),
                                    extension) == GIF_OK &&
                   EGifPutImageDesc(gif, 0, 0, kCell, kCell, false, nullptr) == GIF_OK;
    for (int y = 0; y < kCell && written; ++y) {
        GifByteType row[kCell];
        for (int x = 0; x < kCell; ++x)
            row[x] = x >= 10 && x < 20 && y >= 10 && y < 20 ? 1 : 0;
        written = EGifPutLine(gif, row, kCell) == GIF_OK;
    }
    GifFreeMapObject(map);
    return EGifCloseFile(gif, &error) == GIF_OK && written;
}

TEST_F(BoardPanelTest, TransparentPixelsOfThePictureAreLeftOut) {
    for (const bool gif : {true, false}) {
        SCOPED_TRACE(gif ? "GIF" : "PNG");
        if (gif) {
            ASSERT_TRUE(WriteGifWithTransparentColour(PictureFile(6)));
        } else {
            QImage picture(kCell, kCell, QImage::Format_ARGB32);
            picture.fill(qRgba(200, 0, 0, 0));
            for (int y = 10; y < 20; ++y)
                for (int x = 10; x < 20; ++x)
                    picture.setPixel(x, y, qRgba(0, 90, 0, 255));
            ASSERT_TRUE(picture.save(PictureFile(6), "PNG"));
        }
        const QImage board = BoardPicture();
        BoardPanel panel(pictures, kBoardSize, board);
        panel.DrawPicture(64, 64, 6);
        QImage expected = board.copy(QRect(QPoint(0, 0), kBoardSize));
        QPainter(&expected).fillRect(QRect(74, 74, 10, 10), QColor(0, 90, 0));
        EXPECT_EQ(panel.Pixels(), expected);
    }
}

// The program reads the built-in picture by hand: pixel for pixel what Qt reads.
TEST(BuiltInBoardPicture, IsThePictureQtReads) {
    EXPECT_EQ(tarvelle::BoardPicture(), BoardPicture());
}

TEST_F(BoardPanelTest, PaintingShowsTheKeptPixels) {
    InstallPicture(8, 8);
    BoardPanel panel(pictures, kBoardSize, BoardPicture());
    panel.DrawPicture(120, 344, 8);
    EXPECT_EQ(panel.grab().toImage().convertToFormat(QImage::Format_RGB32), panel.Pixels());
}

// The preview draws with the same pictures at three fifths of the size, and turns the board round
// when Black is to move, so that the side to move plays up the board.
TEST_F(BoardPanelTest, PreviewIsSeenFromTheSideToMove) {
    InstallPicture(1, 1);
    InstallPicture(8, 8);
    BoardPreview preview(pictures);
    const QImage empty = preview.Shown();
    const auto shows = [&](int column, int row) {
        const QPoint centre((kCell * column + kCell / 2 + 8) * 3 / 5,
                            (kCell * row + kCell / 2 + 8) * 3 / 5);
        int differences = 0;
        for (int dy = -6; dy < 6; ++dy) {
            for (int dx = -6; dx < 6; ++dx) {
                const QPoint at = centre + QPoint(dx, dy);
                differences += preview.Shown().pixel(at) == empty.pixel(at) ? 0 : 1;
            }
        }
        return differences > 20;
    };
    // Black's king on d9, Red's on e0.
    preview.ShowPosition("3k5/9/9/9/9/9/9/9/9/4K4 w - - 0 1");
    EXPECT_TRUE(shows(3, 0) && shows(4, 9));
    EXPECT_FALSE(shows(5, 9) || shows(4, 0));
    preview.ShowPosition("3k5/9/9/9/9/9/9/9/9/4K4 b - - 0 1");
    EXPECT_TRUE(shows(5, 9) && shows(4, 0));
    EXPECT_FALSE(shows(3, 0) || shows(4, 9));
    preview.ShowPosition("not a position");
    EXPECT_EQ(preview.Shown(), empty);
}

}  // namespace
}  // namespace tarvelle
