// Start-up. The engine is started once the main window is up (Program), so that its own start
// does not hold the window back. The program-wide state, with the engine settings the user keeps,
// exists before any window and is released when main returns.
#include <fontconfig/fontconfig.h>

#include <QApplication>
#include <filesystem>
#include <memory>
#include <thread>

#include "app/display_check.h"
#include "app/engine_settings_file.h"
#include "app/program.h"
#include "app/session_bus.h"
#include "app/shared_state.h"
#include "engine/engine_session.h"
#include "ui/program_style.h"
#include "ui/qt_texts.h"

int main(int argc, char** argv) {
    if (!tarvelle::XDisplayAvailable()) return 1;
    // Reading the font configuration is the largest part of the first text the window lays out, and
    // none of Qt's own start needs it: on a second core it is done by the time the window is built.
    const std::jthread fontConfiguration([] { FcInit(); });
    const std::filesystem::path programDirectory =
        std::filesystem::read_symlink("/proc/self/exe").parent_path();
    const auto state = std::make_unique<tarvelle::SharedState>();
    state->engine = tarvelle::ReadEngineSettings(tarvelle::UserEngineSettingsFile());
    tarvelle::EngineSession engine(
        tarvelle::EngineCommandLine(programDirectory, state->engine.path));

    // The menu belongs in the window, above the board, where the window's fixed layout puts it; a
    // desktop's global menu bar would take it out, and asking the desktop for one costs a D-Bus
    // round trip at start-up.
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
    tarvelle::KeepNoSessionBusAutolaunched();
    QApplication application(argc, argv);
    QApplication::setStyle(new tarvelle::ProgramStyle);
    tarvelle::LoadQtChineseTexts(application);
    tarvelle::Program program(*state, programDirectory, engine);
    return program.Run();
}
