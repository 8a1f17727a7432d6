// Cells, squares and pictures: the mappings every board surface and click relies on.
#include <gtest/gtest.h>

#include <unistd.h>
#include <filesystem>
#include <fstream>

#include "board/cell_geometry.h"
#include "board/piece_pictures.h"

namespace tarvelle {
namespace {

TEST(CellGeometry, CornersInBothViews) {
    EXPECT_EQ(CellOfSquare(51, false), 0);
    EXPECT_EQ(CellOfSquare(203, false), 89);
    EXPECT_EQ(CellOfSquare(51, true), 89);
    EXPECT_EQ(CellOfSquare(203, true), 0);
    EXPECT_EQ(CellLeft(0), 8);
    EXPECT_EQ(CellTop(0), 8);
    EXPECT_EQ(CellLeft(8), 456);
    EXPECT_EQ(CellTop(81), 512);
    EXPECT_EQ(CellLeft(89), 456);
    EXPECT_EQ(CellTop(89), 512);
}

TEST(CellGeometry, CellsReadFromTheTopLeftOfTheBoardAsDrawn) {
    struct Case {
        Square square;
        int plain;
        int flipped;
    };
    const Case cases[] = {
        {51, 0, 89},               // a9
        {59, 8, 81},               // i9
        {195, 81, 8},              // a0
        {203, 89, 0},              // i0
        {SquareAt(7, 7), 40, 49},  // e5: the centre moves one cell under flipping
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CellOfSquare(c.square, false), c.plain) << c.square;
        EXPECT_EQ(CellOfSquare(c.square, true), c.flipped) << c.square;
    }
    bool seen[2][90] = {};
    for (Square square = 0; square < 256; ++square) {
        if (!IsBoardPoint(square)) continue;
        for (int flipped = 0; flipped < 2; ++flipped) {
            const int cell = CellOfSquare(square, flipped != 0);
            ASSERT_GE(cell, 0);
            ASSERT_LT(cell, 90);
            EXPECT_FALSE(seen[flipped][cell]) << "cell " << cell << " used twice";
            seen[flipped][cell] = true;
        }
    }
}

TEST(CellGeometry, CellsAndSquaresAreInverseInBothViews) {
    for (const bool flipped : {false, true}) {
        for (int cell = 0; cell < kBoardCells; ++cell) {
            const Square square = SquareOfCell(cell, flipped);
            ASSERT_TRUE(IsBoardPoint(square)) << cell;
            EXPECT_EQ(CellOfSquare(square, flipped), cell);
            EXPECT_EQ(CellOfSquare(square, !flipped), 89 - cell);
        }
    }
    EXPECT_EQ(SquareOfCell(45, false), 131);
    EXPECT_EQ(SquareOfCell(45, true), 123);
}

TEST(CellGeometry, PixelsMapToCellsOnlyInsideTheGrid) {
    EXPECT_EQ(CellAtPixel(8, 8), 0);
    EXPECT_EQ(CellAtPixel(63, 63), 0);
    EXPECT_EQ(CellAtPixel(64, 8), 1);
    EXPECT_EQ(CellAtPixel(511, 567), 89);
    EXPECT_EQ(CellAtPixel(8, 64), 9);
    EXPECT_EQ(CellAtPixel(4, 4), -1);
    EXPECT_EQ(CellAtPixel(515, 300), -1);
    EXPECT_EQ(CellAtPixel(512, 100), -1);
    EXPECT_EQ(CellAtPixel(100, 568), -1);
    EXPECT_EQ(CellAtPixel(7, 100), -1);
    EXPECT_EQ(CellAtPixel(100, 7), -1);
}

TEST(PictureNumbers, FollowThePieceKindsAndSelection) {
    EXPECT_EQ(PictureNumber(0, false), 0);
    EXPECT_EQ(PictureNumber(0, true), 15);
    EXPECT_EQ(PictureNumber(16, false), 1);
    EXPECT_EQ(PictureNumber(16, true), 16);
    EXPECT_EQ(PictureNumber(47, false), 14);
    EXPECT_EQ(PictureNumber(47, true), 29);
    EXPECT_EQ(PictureNumber(32, false), 8);
    for (const int pair : {17, 19, 21, 23, 25, 33, 35, 37, 39, 41}) {
        EXPECT_EQ(PictureNumber(static_cast<PieceCode>(pair), false),
                  PictureNumber(static_cast<PieceCode>(pair + 1), false));
    }
    EXPECT_EQ(PictureNumber(17, false), 2);
    EXPECT_EQ(PictureNumber(26, false), 6);
    EXPECT_EQ(PictureNumber(42, false), 13);
    for (PieceCode pawn = 27; pawn <= 31; ++pawn)
        EXPECT_EQ(PictureNumber(pawn, false), 7);
    for (PieceCode pawn = 43; pawn <= 47; ++pawn)
        EXPECT_EQ(PictureNumber(pawn, false), 14);
}

TEST(PictureFiles, NamesAndLookUpOrder) {
    EXPECT_EQ(PictureFileName(14), "board/imgPiecesLarge(14).gif");
    EXPECT_EQ(PictureFileName(0), "board/imgPiecesLarge(0).gif");

    namespace fs = std::filesystem;
    const fs::path root =
        fs::temp_directory_path() / ("tarvelle-pictures-" + std::to_string(::getpid()));
    const fs::path workDir = root / "work";
    const fs::path programDir = root / "program";
    fs::create_directories(workDir / "board");
    fs::create_directories(programDir / "board");
    std::ofstream(programDir / PictureFileName(3)) << "x";
    std::ofstream(programDir / PictureFileName(4)) << "x";
    std::ofstream(workDir / PictureFileName(4)) << "x";
    const fs::path previous = fs::current_path();
    fs::current_path(workDir);

    const PictureFiles files(programDir);
    EXPECT_EQ(files.Locate(4), fs::path(PictureFileName(4)));
    EXPECT_EQ(files.Locate(3), programDir / PictureFileName(3));
    EXPECT_EQ(files.Locate(5), fs::path(PictureFileName(5)));
    EXPECT_EQ(PictureFiles({}).Locate(3), fs::path(PictureFileName(3)));

    fs::current_path(previous);
    fs::remove_all(root);
}

}  // namespace
}  // namespace tarvelle
