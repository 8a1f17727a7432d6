#!/usr/bin/env bash
# Redraws the board picture and the 30 piece pictures in assets/ with the generator in
# tools/assets. The pictures are committed, so commit what changed afterwards.
set -euo pipefail
source "$(dirname "$0")/common.sh"

# fonts-wqy-zenhei is among the build packages: the generator refuses to run without it.
"$TOP/scripts/ensure-packages.sh" "${BUILD_PACKAGES[@]}"

# The same build tree and options as scripts/run.sh, but only the generator is built.
build="$TOP/build"
if [ ! -f "$build/build.ninja" ]; then
    cmake -S "$TOP" -B "$build" -G Ninja -DTARVELLE_WERROR=ON \
        -DTARVELLE_BUILD_TESTS=OFF -DTARVELLE_BUILD_BENCHMARKS=OFF
fi
cmake --build "$build" --target make_assets

"$build/bin/make_assets" "$TOP/assets"
echo "Pictures written to $TOP/assets; see git status assets/ for what changed."
