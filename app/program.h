// The running program: the main window and everything wired to it, from the window's creation to
// the end of the main loop.
#pragma once

#include <filesystem>

#include "app/main_loop.h"
#include "app/qt_event_pump.h"
#include "app/shared_state.h"
#include "app/unloaded_engine.h"
#include "board/main_board.h"
#include "board/piece_pictures.h"
#include "game/game_flow.h"
#include "ui/main_window.h"

namespace tarvelle {

class Program {
public:
    // Creates the main window and loads the puzzle of its FEN box as the game.
    Program(SharedState& state, const std::filesystem::path& programDirectory);

    // Shows the window, waits for its first activation, asks the side question and runs the main
    // loop until the window is closed. Returns the exit code.
    int Run();

    MainWindow& Window() { return window_; }

private:
    void ConnectWindow();
    // Blocks until the main window is first activated or closed; true when it was activated.
    bool WaitForFirstActivation();

    SharedState& state_;
    PictureFiles pictures_;
    MainWindow window_;
    MainBoard board_;
    UnloadedEngine engine_;
    GameFlow game_;
    QtEventPump events_;
    MainLoop loop_;
    bool activated_ = false;
    bool closed_ = false;
};

}  // namespace tarvelle
