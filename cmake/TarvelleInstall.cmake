# Where `cmake --install` puts things. The program's directory holds the program, its two
# libraries, its pictures, its puzzles and its engine file, as the program expects them beside
# itself; Debian keeps a game's private files in lib/<game> and the command in games/.
include(GNUInstallDirs)
set(TARVELLE_PROGRAM_DIR lib/tarvelle)
set(TARVELLE_INSTALLED_ENGINE /usr/games/fairy-stockfish CACHE FILEPATH
    "The engine the installed program's EEYE.dll links to")
# Installed directories are world-readable whatever the umask, as a package needs them.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# tarvelle_install_link(LINK TARGET): installs LINK, a path under the install prefix, as a
# symbolic link to TARGET, a path under the prefix or an absolute one. The link is written
# relative to its folder, so that it resolves the same in the staged tree of a package and wherever
# the prefix lies.
function(tarvelle_install_link link target)
    get_filename_component(folder "${link}" DIRECTORY)
    get_filename_component(name "${link}" NAME)
    install(CODE "
        set(folder \"\${CMAKE_INSTALL_PREFIX}/${folder}\")
        set(target \"${target}\")
        if(NOT IS_ABSOLUTE \"\${target}\")
            set(target \"\${CMAKE_INSTALL_PREFIX}/\${target}\")
        endif()
        file(RELATIVE_PATH relative \"\${folder}\" \"\${target}\")
        file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${folder}\")
        message(STATUS \"Installing: \$ENV{DESTDIR}\${folder}/${name} -> \${relative}\")
        file(CREATE_LINK \"\${relative}\" \"\$ENV{DESTDIR}\${folder}/${name}\" SYMBOLIC)
    ")
endfunction()
