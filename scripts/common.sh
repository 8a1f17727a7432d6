# Shared by the build scripts: the packages each kind of build needs and a configure-and-build step.
# Sourced, not run.

TOP="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

# The CJK font renders the windows' Chinese texts; Fairy-Stockfish is the engine the program plays
# with, linked in beside it by the build. Qt's Chinese translation names Qt's own menus. libxcb
# asks for the X display before Qt would abort without one; fontconfig is read while Qt starts.
# giflib writes the piece pictures, Qt SVG the scalable icon; Qt Charts draws the statistics window,
# and its CMake package needs Qt OpenGL's, which Debian 12 ships apart without a dependency on it.
BUILD_PACKAGES=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-translations-l10n libxcb1-dev
    libfontconfig-dev libgif-dev qt6-svg-dev qt6-charts-dev libqt6opengl6-dev fonts-wqy-zenhei
    fairy-stockfish)
# Xvfb and xdotool drive the real program in a real X window; xclip reads what it shows as text.
TEST_PACKAGES=(libgtest-dev libgmock-dev libbenchmark-dev xvfb xdotool xauth x11-apps xclip python3)

# build_tree DIR [CMAKE_OPTION...]: configures DIR once, then builds whatever changed.
build_tree() {
    local dir="$1"
    shift
    if [ ! -f "$dir/build.ninja" ]; then
        cmake -S "$TOP" -B "$dir" -G Ninja -DTARVELLE_WERROR=ON "$@"
    fi
    cmake --build "$dir"
}
