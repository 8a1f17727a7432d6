#include "app/display_check.h"

#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace tarvelle {

namespace {

bool IsSet(const char* variable) {
    const char* value = std::getenv(variable);
    return value != nullptr && *value != '\0';
}

}  // namespace

bool XDisplayAvailable() {
    if (IsSet("QT_QPA_PLATFORM") || IsSet("WAYLAND_DISPLAY")) return true;
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    const bool opened = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    if (!opened) {
        const std::string display =
            IsSet("DISPLAY") ? "DISPLAY=" + std::string(std::getenv("DISPLAY")) : "未设 DISPLAY";
        std::fprintf(stderr, "tarvelle：无法打开 X 显示（%s）\n", display.c_str());
    }
    return opened;
}

}  // namespace tarvelle
