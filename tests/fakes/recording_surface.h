// A board surface that records every drawing call as text, in order.
#pragma once

#include <string>
#include <vector>

#include "board/board_surface.h"

namespace tarvelle::testing {

class RecordingSurface final : public BoardSurface {
public:
    // "clear X Y" and "draw X Y N".
    std::vector<std::string> calls;

    void ClearCell(int x, int y) override {
        calls.push_back("clear " + std::to_string(x) + " " + std::to_string(y));
    }
    void DrawPicture(int x, int y, int pictureNumber) override {
        calls.push_back("draw " + std::to_string(x) + " " + std::to_string(y) + " " +
                        std::to_string(pictureNumber));
    }
};

}  // namespace tarvelle::testing
