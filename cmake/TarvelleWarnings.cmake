# Warnings every target of ours builds with; third-party headers come in as system includes.
function(tarvelle_warnings target)
    target_compile_options(${target} PRIVATE
        $<$<COMPILE_LANGUAGE:CXX>:-Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wold-style-cast
            -Wnon-virtual-dtor -Woverloaded-virtual -Wnull-dereference -Wimplicit-fallthrough>
        $<$<COMPILE_LANGUAGE:C>:-Wall -Wextra -Wpedantic -Wshadow -Wconversion>)
    if(TARVELLE_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
endfunction()
