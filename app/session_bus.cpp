#include "app/session_bus.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace tarvelle {

void KeepNoSessionBusAutolaunched() {
    const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS");
    if (address != nullptr && *address != '\0') return;
    // Where a systemd user session keeps its bus, which libdbus finds without the variable.
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    std::error_code error;
    if (runtime != nullptr && *runtime != '\0' &&
        std::filesystem::exists(std::filesystem::path(runtime) / "bus", error)) {
        return;
    }
    setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 1);
}

}  // namespace tarvelle
