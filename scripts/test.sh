#!/usr/bin/env bash
# Installs what is missing, checks the formatting and the desktop files (launcher, metainfo, manual
# page), builds with the sanitizers, runs clang-tidy over the sources and runs every test, once in
# the plain UTF-8 locale and once in the Greek one.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --test
scripts/check-format.sh
scripts/check-packaging.sh
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export QT_QPA_PLATFORM=offscreen
# Warnings are errors; the benchmarks are compiled (not run) so that they cannot rot unseen, and
# the fuzz targets' replay programs run over their corpus among the tests.
cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKARVO_SANITIZE=ON -DKARVO_WERROR=ON -DKARVO_BENCH=ON
cmake --build build-test
# Every header and CMake package file the build read must come from the packages installed above.
scripts/check-deps.sh build-test
# clang-tidy over the program's own sources, with the checks of .clang-tidy; any finding fails.
scripts/check-tidy.sh build-test
# The Greek locale writes numbers with a decimal comma and has its own collation and case rules:
# what the program reads and writes must not change with it.
failed=()
for locale in C.UTF-8 el_GR.UTF-8; do
    echo "== Tests under LC_ALL=$locale"
    LC_ALL=$locale LANG=$locale ctest --test-dir build-test --output-on-failure -j2 --timeout 300 \
        || failed+=("$locale")
done
if [ ${#failed[@]} -gt 0 ]; then
    echo "Tests failed under: ${failed[*]}" >&2
    exit 1
fi
