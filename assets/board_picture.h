// The board picture is compiled into the program (target tarvelle_assets) as a Qt resource;
// the main and editor windows load it from this path.
#pragma once

namespace tarvelle {

inline constexpr char kBoardPictureResource[] = ":/tarvelle/board.bmp";

}  // namespace tarvelle
