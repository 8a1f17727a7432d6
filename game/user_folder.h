// Where the user's own files live: the program's folder under an XDG base directory.
#pragma once

#include <filesystem>
#include <string_view>

namespace tarvelle {

// `xdgValue`/tarvelle when that variable's value is an absolute path; otherwise
// `home`/`homeDefault`/tarvelle when home is absolute; empty when neither is, since the XDG scheme
// ignores relative paths. `xdgValue` and `home` are the variables' values, null when unset.
std::filesystem::path UserFolder(const char* xdgValue, const char* home,
                                 std::string_view homeDefault);

}  // namespace tarvelle
