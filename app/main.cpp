// Start-up. The engine is started once the main window is up (Program), so that its own start
// does not hold the window back. The program-wide state, with the engine settings the user keeps,
// exists before any window and is released when main returns.
#include <QApplication>
#include <filesystem>
#include <memory>

#include "app/display_check.h"
#include "app/engine_settings_file.h"
#include "app/program.h"
#include "app/shared_state.h"
#include "engine/engine_session.h"
#include "ui/qt_texts.h"

int main(int argc, char** argv) {
    if (!tarvelle::XDisplayAvailable()) return 1;
    const std::filesystem::path programDirectory =
        std::filesystem::read_symlink("/proc/self/exe").parent_path();
    const auto state = std::make_unique<tarvelle::SharedState>();
    state->engine = tarvelle::ReadEngineSettings(tarvelle::UserEngineSettingsFile());
    tarvelle::EngineSession engine(
        tarvelle::EngineCommandLine(programDirectory, state->engine.path));

    QApplication application(argc, argv);
    tarvelle::LoadQtChineseTexts(application);
    tarvelle::Program program(*state, programDirectory, engine);
    return program.Run();
}
