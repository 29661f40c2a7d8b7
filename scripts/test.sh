#!/usr/bin/env bash
# Installs what is missing, checks the formatting, builds with the sanitizers and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --test
scripts/check-format.sh
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export QT_QPA_PLATFORM=offscreen
# Warnings are errors; the benchmarks are compiled (not run) so that they cannot rot unseen, and
# the fuzz targets' replay programs run over their corpus among the tests.
cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKARVO_SANITIZE=ON -DKARVO_WERROR=ON -DKARVO_BENCH=ON
cmake --build build-test
ctest --test-dir build-test --output-on-failure -j2 --timeout 300
