#!/usr/bin/env bash
# Installs what is missing, builds a release and makes the Debian package for the release it runs
# on, karvo_<version>-1~deb<N>_<arch>.deb in the source folder (N: 13 on trixie, 12 on bookworm),
# then checks it with lintian: an error fails, warnings are shown. Its dependencies are the
# library packages of that release (dpkg-shlibdeps), so it installs there and nowhere else.
# Install it with: sudo apt-get install ./karvo_*~deb<N>_*.deb
set -euo pipefail
source_dir="$(cd "$(dirname "$0")/.." && pwd)"
build_dir="$source_dir/build-pkg"
"$source_dir/scripts/install-deps.sh" --package
# install-deps.sh has refused any system other than Debian 13 or 12.
release="$(. /etc/os-release && echo "$VERSION_ID")"
# Debian's hardening flags (stack protector, fortified C library calls, read-only relocations), as
# a Debian build of the package would get them; CMake takes no CPPFLAGS, so they join CXXFLAGS.
cxxflags="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
ldflags="$(dpkg-buildflags --get LDFLAGS)"
cmake -S "$source_dir" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKARVO_TESTS=OFF -DKARVO_BENCH=OFF \
    "-DKARVO_DEB_RELEASE=1~deb$release" "-DCMAKE_CXX_FLAGS=$cxxflags" "-DCMAKE_EXE_LINKER_FLAGS=$ldflags"
cmake --build "$build_dir" --target karvo karvo-docs
rm -f "$build_dir"/karvo_*.deb
(cd "$build_dir" && cpack -G DEB)
debs=("$build_dir"/karvo_*.deb)
cp "${debs[@]}" "$source_dir/"
deb="$source_dir/$(basename "${debs[0]}")"
echo "== lintian $deb"
lintian --fail-on error --display-info "$deb"
ls "$deb"
