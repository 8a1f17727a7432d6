#!/usr/bin/env bash
# Formats every C and C++ source of the tree with the committed .clang-format.
set -euo pipefail
cd "$(dirname "$0")/.."
git ls-files -z --cached --others --exclude-standard '*.cpp' '*.h' | xargs -0 clang-format -i
