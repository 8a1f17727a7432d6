// Writing to the user's small record files: the bytes all reach the file, or the call says so.
#pragma once

#include <string_view>

namespace tarvelle {

// Writes every byte to the open descriptor, however many writes that takes. False on the first
// failed write.
bool WriteAll(int descriptor, std::string_view bytes);

}  // namespace tarvelle
