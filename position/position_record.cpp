#include "position_record.h"

namespace tarvelle {

std::string SquareCoordText(Square square) {
    return {static_cast<char>(94 + SquareColumn(square)),
            static_cast<char>(60 - SquareRow(square))};
}

}  // namespace tarvelle
