#!/usr/bin/env bash
# Installs what is missing, builds a release and makes the Debian package karvo_<version>_<arch>.deb
# in the source folder. Install it with: sudo apt-get install ./karvo_*.deb
set -euo pipefail
source_dir="$(cd "$(dirname "$0")/.." && pwd)"
"$source_dir/scripts/install-deps.sh" --package
cmake -S "$source_dir" -B "$source_dir/build-pkg" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKARVO_TESTS=OFF -DKARVO_BENCH=OFF
cmake --build "$source_dir/build-pkg" --target karvo
(cd "$source_dir/build-pkg" && cpack -G DEB)
cp "$source_dir"/build-pkg/karvo_*.deb "$source_dir/"
ls "$source_dir"/karvo_*.deb
