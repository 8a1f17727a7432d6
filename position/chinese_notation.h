// Moves in the notation of Xiangqi books: "炮二平五", "马8进7". Each side counts the files from its
// own right, Red in Chinese numerals and Black in digits; a move is the piece, its file, the
// direction (进 forward, 退 back, 平 along the rank) and either the ranks moved (pieces that move
// straight) or the file reached (horse, elephant, advisor). Where pieces of one kind share a file,
// 前/后 (前/中/后 for three pawns, 前/二/三/…/后 for more) name them from the front instead of the
// file; when pawns share more than one file, the file follows that word ("前七").
#pragma once

#include <span>
#include <string>

#include "position_record.h"

namespace tarvelle {

// One move of the piece on its from-square in `position`; empty when that square is empty.
std::string ChineseMoveText(const PositionRecord& position, MoveValue move);

// The moves of `line` played in turn from `start`, numbered as books number them:
// "1. 车二进二 将5进1 2. 马三进四". A line that starts with Black has "1. …" first. It ends
// before the first move the rules refuse.
std::string ChineseMoveLine(const PositionRecord& start, std::span<const MoveValue> line);

}  // namespace tarvelle
