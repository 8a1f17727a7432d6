# One switch puts the whole tree under AddressSanitizer and UndefinedBehaviorSanitizer, so the same
# tests run in both builds. Any finding aborts the process and so fails the test. -O1 keeps the
# instrumented tests quick without hiding much from the sanitizers.
if(TARVELLE_SANITIZE)
    set(_tarvelle_san -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    add_compile_options(${_tarvelle_san} -O1)
    add_link_options(${_tarvelle_san})
endif()
