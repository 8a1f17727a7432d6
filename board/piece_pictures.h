// Which of the 30 piece pictures shows a point, and where the picture files are.
#pragma once

#include <filesystem>
#include <string>

#include "position/position_record.h"

namespace tarvelle {

constexpr int kPictureCount = 30;
// Added to a picture number for the same point drawn selected.
constexpr int kSelectedPictureOffset = 15;

// 0 for an empty point, 1..7 for Red king, paired kinds and pawn, 8..14 for Black's; plus 15
// when selected.
constexpr int PictureNumber(PieceCode piece, bool selected) {
    int base = 0;
    if (piece != 0) base = PieceTypeOf(piece) + (piece < 32 ? 1 : 8);
    return selected ? base + kSelectedPictureOffset : base;
}

// "board/imgPiecesLarge(N).gif": the picture's path relative to a base directory.
std::string PictureFileName(int pictureNumber);

// Finds picture files the way the program looks for them: relative to the current directory
// first, then beside the program, so a program started from elsewhere still shows its pieces.
class PictureFiles {
public:
    explicit PictureFiles(std::filesystem::path programDirectory);

    // The first of the two candidate paths that names an existing file; the current-directory
    // one when neither does, so that loading it fails like any missing picture.
    std::filesystem::path Locate(int pictureNumber) const;

private:
    std::filesystem::path programDirectory_;
};

}  // namespace tarvelle
