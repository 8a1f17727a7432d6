// Start-up. The engine is started once the main window is up (Program), so that its own start
// does not hold the window back. The program-wide state exists before any window and is released
// when main returns.
#include <QApplication>
#include <filesystem>
#include <memory>

#include "app/display_check.h"
#include "app/program.h"
#include "app/shared_state.h"
#include "engine/engine_session.h"
#include "ui/qt_texts.h"

int main(int argc, char** argv) {
    if (!tarvelle::XDisplayAvailable()) return 1;
    const std::filesystem::path programDirectory =
        std::filesystem::read_symlink("/proc/self/exe").parent_path();
    tarvelle::EngineSession engine(tarvelle::EngineCommandLine(programDirectory));

    QApplication application(argc, argv);
    tarvelle::LoadQtChineseTexts(application);
    const auto state = std::make_unique<tarvelle::SharedState>();
    tarvelle::Program program(*state, programDirectory, engine);
    return program.Run();
}
