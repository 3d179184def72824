#!/usr/bin/env bash
# Every C++ file of the tree is formatted as .clang-format says.
set -euo pipefail
cd "$(dirname "$0")/.."
files=$(git ls-files '*.cpp' '*.h' 2>/dev/null || find . -name '*.cpp' -o -name '*.h' | grep -v '^./build')
clang-format --dry-run --Werror $files && echo "format: all files formatted"
