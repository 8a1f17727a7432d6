#!/usr/bin/env bash
# Builds everything and runs every test twice: in the normal build, then with AddressSanitizer and
# UndefinedBehaviorSanitizer. Fails when any test fails. Tests labelled slow (the exact proof and the
# engine's check of every puzzle) run only on request: ctest --test-dir build-test -L slow.
set -euo pipefail
source "$(dirname "$0")/common.sh"

"$TOP/scripts/ensure-packages.sh" "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}"

jobs="$(nproc)"
build_tree "$TOP/build-test"
ctest --test-dir "$TOP/build-test" --output-on-failure --timeout 900 -j "$jobs" -LE slow

build_tree "$TOP/build-sanitize" -DTARVELLE_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug -DTARVELLE_BUILD_BENCHMARKS=OFF
ctest --test-dir "$TOP/build-sanitize" --output-on-failure --timeout 1800 -j "$jobs" -LE slow
