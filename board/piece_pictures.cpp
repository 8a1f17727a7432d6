#include "board/piece_pictures.h"

#include <system_error>
#include <utility>

namespace tarvelle {

std::string PictureFileName(int pictureNumber) {
    return "board/imgPiecesLarge(" + std::to_string(pictureNumber) + ").gif";
}

PictureFiles::PictureFiles(std::filesystem::path programDirectory)
    : programDirectory_(std::move(programDirectory)) {}

std::filesystem::path PictureFiles::Locate(int pictureNumber) const {
    const std::filesystem::path relative = PictureFileName(pictureNumber);
    std::error_code error;
    if (std::filesystem::is_regular_file(relative, error)) return relative;
    const std::filesystem::path besideProgram = programDirectory_ / relative;
    if (!programDirectory_.empty() && std::filesystem::is_regular_file(besideProgram, error)) {
        return besideProgram;
    }
    return relative;
}

}  // namespace tarvelle
