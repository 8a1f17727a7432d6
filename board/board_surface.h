// A drawing panel that keeps its own pixels. The board logic draws through this and nothing else,
// so the Qt panel and the recording fake of the tests are interchangeable.
#pragma once

namespace tarvelle {

class BoardSurface {
public:
    virtual ~BoardSurface() = default;

    // Repaints the cell-sized square whose top-left is (x, y) from the panel's background: the
    // background picture where it covers the square, the panel's background colour elsewhere.
    virtual void ClearCell(int x, int y) = 0;

    // Reads picture `pictureNumber` from its file and draws it with its top-left at (x, y), pure
    // white left transparent. A picture that cannot be read draws nothing.
    virtual void DrawPicture(int x, int y, int pictureNumber) = 0;
};

}  // namespace tarvelle
