#!/usr/bin/env bash
# Builds Tarvelle as needed and starts it.
set -euo pipefail
source "$(dirname "$0")/common.sh"

"$TOP/scripts/ensure-packages.sh" "${BUILD_PACKAGES[@]}"
build_tree "$TOP/build" -DTARVELLE_BUILD_TESTS=OFF -DTARVELLE_BUILD_BENCHMARKS=OFF
exec "$TOP/build/bin/tarvelle" "$@"
