# One switch puts the whole tree under AddressSanitizer and UndefinedBehaviorSanitizer, so the same
# tests run in both builds. Any finding aborts the process and so fails the test.
if(TARVELLE_SANITIZE)
    set(_tarvelle_san -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    add_compile_options(${_tarvelle_san})
    add_link_options(${_tarvelle_san})
endif()
