#include "game/user_folder.h"

namespace tarvelle {

std::filesystem::path UserFolder(const char* xdgValue, const char* home,
                                 std::string_view homeDefault) {
    const auto absolute = [](const char* value) {
        return value != nullptr && std::filesystem::path(value).is_absolute();
    };
    if (absolute(xdgValue)) return std::filesystem::path(xdgValue) / "tarvelle";
    if (absolute(home)) return std::filesystem::path(home) / homeDefault / "tarvelle";
    return {};
}

}  // namespace tarvelle
