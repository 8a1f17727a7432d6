// The D-Bus session bus, which Qt's accessibility bridge connects to as the first widget is built.
// Without one in the session (a bare X server, Xvfb, ssh -X), libdbus would autolaunch one: Qt's
// main thread waited while it forked and ran dbus-launch, measured at about 7 ms of the start-up,
// and where dbus-launch is installed a bus daemon would be left running after the program, for a
// bus that no screen reader listens on.
#pragma once

namespace tarvelle {

// Unless the session names a bus or has one in $XDG_RUNTIME_DIR/bus, sets DBUS_SESSION_BUS_ADDRESS
// to "disabled:", so that no bus is looked for. Call it before the QApplication is made.
void KeepNoSessionBusAutolaunched();

}  // namespace tarvelle
