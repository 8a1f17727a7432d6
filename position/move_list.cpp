#include "move_list.h"

namespace tarvelle {

bool AppendMove(MoveList& list, MoveValue move) {
    if (list.moveCount >= MoveList::kCapacity) return false;
    ++list.moveCount;
    list.moves[static_cast<std::size_t>(list.moveCount)] = move;
    return true;
}

}  // namespace tarvelle
