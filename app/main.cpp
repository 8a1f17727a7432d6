// Start-up: the program-wide state exists before any window and is released when main returns.
#include <QApplication>
#include <QFile>
#include <memory>

#include "app/program.h"
#include "app/shared_state.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const auto state = std::make_unique<tarvelle::SharedState>();
    const std::filesystem::path programDirectory =
        QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString();
    tarvelle::Program program(*state, programDirectory);
    return program.Run();
}
