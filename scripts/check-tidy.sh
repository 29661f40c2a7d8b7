#!/usr/bin/env bash
# Fails when clang-tidy finds anything in the program's own sources: the .cpp files under src/ that
# the build folder's compile_commands.json lists (not the tests, benchmarks, fuzz targets or the
# generated moc files), with the checks of .clang-tidy, each one an error. The headers under src/
# are checked as the sources include them.
#   scripts/check-tidy.sh [build-folder]       (default build-test; after a build, so that the
#                                               generated headers exist)
# clang-tidy 19 is pinned like clang-format, and comes with scripts/install-deps.sh --test.
set -euo pipefail
source_dir="$(cd "$(dirname "$0")/.." && pwd)"
build_dir="$(realpath -m "${1:-$source_dir/build-test}")"
runner=run-clang-tidy-19
tidy=clang-tidy-19
for tool in "$runner" "$tidy"; do
    if ! command -v "$tool" >/dev/null; then
        echo "check-tidy: $tool is missing; scripts/install-deps.sh --test installs it" >&2
        exit 2
    fi
done
if [ ! -f "$build_dir/compile_commands.json" ]; then
    echo "check-tidy: $build_dir has no compile_commands.json; configure and build it first" >&2
    exit 2
fi
# The runner takes the files as a regular expression on their absolute paths: src/ of this
# checkout only, which leaves out a build folder's own src/ of generated files.
src_pattern="^$(printf '%s' "$source_dir/src/" | sed 's/[][\.*^$?+(){}|]/\\&/g').*\.cpp$"
log="$(mktemp)"
trap 'rm -f "$log"' EXIT
start=$SECONDS
# The build folder may have been made by GCC (the test run's is): clang reads its command lines
# but not every warning option of GCC's (-Wno-restrict), which must not end the run; and GCC's
# -Wconversion leaves out the sign conversions that clang's takes in.
status=0
"$runner" -p "$build_dir" -clang-tidy-binary "$(command -v "$tidy")" -j2 -quiet \
    -extra-arg=-Wno-unknown-warning-option -extra-arg=-Wno-sign-conversion "$src_pattern" >"$log" 2>&1 || status=$?
# Each file's command line and clang's count of warnings are left out; what remains are findings.
grep -Ev '^\[ *[0-9]+/[0-9]+\]\[[0-9.]+s\] |^[0-9]+ (warning|error)s? (and [0-9]+ (warning|error)s? )?generated\.$|^Running clang-tidy for |^$' \
    "$log" || true
files="$(sed -n 's/^Running clang-tidy for \([0-9]*\) files.*/\1/p' "$log")"
if [ "$status" -ne 0 ]; then
    echo "check-tidy: findings above (${files:-?} files, $((SECONDS - start)) s)" >&2
    exit 1
fi
if [ "${files:-0}" -eq 0 ]; then
    echo "check-tidy: no source of src/ in $build_dir/compile_commands.json" >&2
    exit 2
fi
echo "tidy: ${files} files checked with $("$tidy" --version | grep -o 'version [0-9.]*') in $((SECONDS - start)) s"
