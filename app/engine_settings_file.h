// The engine settings as the user keeps them, in an INI file read and written with QSettings:
// $XDG_CONFIG_HOME/tarvelle/tarvelle.conf (~/.config/tarvelle/tarvelle.conf without that variable),
// group [engine]:
//   path      the engine file; empty for EEYE.dll beside the program (in double quotes when it
//             holds a comma, as QSettings reads an unquoted comma as a list)
//   protocol  auto | ucci | uci
//   ranks     auto | 0 | 1, the first rank's number in a UCI engine's moves
//   threads   whole number, 0 for the engine's own choice
//   hash      megabytes, 0 for the engine's own choice
//   nodes     positions per move, or
//   seconds   seconds per move (a decimal number); the writer keeps only the one set last, and
//             where a hand-written file has both, seconds counts
//   ponder    true | false
// A file written by hand with these keys works. A missing or damaged file gives the defaults, a
// value that cannot be read its key's default; neither ever stops the program.
#pragma once

#include <filesystem>

#include "engine/engine_settings.h"

namespace tarvelle {

// The file under the user's configuration folder, from XDG_CONFIG_HOME and HOME; empty when
// neither gives an absolute folder.
std::filesystem::path UserEngineSettingsFile();

EngineSettings ReadEngineSettings(const std::filesystem::path& file);

// Writes every key of the [engine] group, creating the folder when it is missing. False when the
// file could not be written.
bool WriteEngineSettings(const std::filesystem::path& file, const EngineSettings& settings);

}  // namespace tarvelle
