# Warnings every target of ours builds with; third-party headers come in as system includes.
function(tarvelle_warnings target)
    target_compile_options(${target} PRIVATE
        $<$<COMPILE_LANGUAGE:CXX>:-Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wold-style-cast
            -Wnon-virtual-dtor -Woverloaded-virtual -Wnull-dereference -Wimplicit-fallthrough>
        $<$<COMPILE_LANGUAGE:C>:-Wall -Wextra -Wpedantic -Wshadow -Wconversion>)
    # clang's -Wconversion also reports sign changes, which gcc's leaves out; the code is kept clean
    # for gcc's set, so the clang (fuzz) build would otherwise stop on the difference.
    if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
        target_compile_options(${target} PRIVATE -Wno-sign-conversion)
    endif()
    if(TARVELLE_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
endfunction()
