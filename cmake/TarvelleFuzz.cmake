# The fuzz build (clang): everything runs under AddressSanitizer and UndefinedBehaviorSanitizer, so
# any stray access is fatal, and the program's code is instrumented for libFuzzer's coverage. The
# fuzz targets' own checking code is left out of the coverage (tests/fuzz/coverage_ignore.txt): the
# fuzzer steers by what happens in the code under test, not by the checks' branches, which would
# only swell the corpus.
if(TARVELLE_FUZZ)
    set(_tarvelle_fuzz_san -fsanitize=address,undefined -fno-sanitize-recover=all
        -fno-omit-frame-pointer)
    add_compile_options(${_tarvelle_fuzz_san} -fsanitize=fuzzer-no-link
        -fsanitize-coverage-ignorelist=${CMAKE_SOURCE_DIR}/tests/fuzz/coverage_ignore.txt)
    add_link_options(${_tarvelle_fuzz_san})
endif()
