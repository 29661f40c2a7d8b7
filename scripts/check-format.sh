#!/usr/bin/env bash
# Fails when a C++ file of the project differs from what clang-format makes of it.
# The check uses one pinned clang-format, 19, which Debian 13 and Debian 12 both ship (the same
# 19.1.7): their default clang-format versions (19 and 14) lay out some lambdas and braced
# initialisers differently, and a check must give one verdict wherever it runs.
set -euo pipefail
cd "$(dirname "$0")/.."
formatter=clang-format-19
if ! command -v "$formatter" >/dev/null; then
    echo "check-format: $formatter is missing; scripts/install-deps.sh --test installs it" >&2
    exit 2
fi
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    mapfile -t files < <(git ls-files '*.cpp' '*.h')
else
    mapfile -t files < <(find src tests bench fuzz -name '*.cpp' -o -name '*.h' | sort)
fi
"$formatter" --dry-run --Werror "${files[@]}"
echo "format: ${#files[@]} files checked with $("$formatter" --version | grep -o 'version [0-9.]*')"
