#!/usr/bin/env bash
# Installs the Debian packages Karvo needs to build, run and test, for the release it runs on
# (Debian 13 "trixie" or Debian 12 "bookworm", read from /etc/os-release). Safe to run again.
#   install-deps.sh [--test | --package | --fuzz]   installs what is missing
#   install-deps.sh --list [--test | ...]           prints the package list, one a line
# With --test it also makes the UTF-8 locales the tests run under (Greek, German, US English).
set -euo pipefail
list_only=0
extra=""
for arg in "$@"; do
    case "$arg" in
        --list) list_only=1 ;;
        --test | --package | --fuzz) extra="$arg" ;;
        *)
            echo "install-deps.sh: unknown option $arg" >&2
            exit 2
            ;;
    esac
done
# The release decides the list; one that is not known installs nothing rather than half of it.
os_release=/etc/os-release
[ -r "$os_release" ] || os_release=/usr/lib/os-release
release_id="$( (. "$os_release" && echo "${ID:-}") 2>/dev/null || true)"
codename="$( (. "$os_release" && echo "${VERSION_CODENAME:-}") 2>/dev/null || true)"
pretty="$( (. "$os_release" && echo "${PRETTY_NAME:-}") 2>/dev/null || true)"
packages=(build-essential cmake ninja-build pkg-config
          qt6-base-dev qt6-base-dev-tools qt6-charts-dev libgl-dev
          libcurl4-openssl-dev libzip-dev zlib1g-dev
          libgtest-dev libgmock-dev libbenchmark-dev
          fonts-dejavu-core fonts-liberation)
# Qt's OpenGL development files: a package of their own on Debian 12, part of qt6-base-dev on
# Debian 13 (where the old name is only a virtual package, never "installed").
if [ "$codename" = bookworm ]; then
    packages+=(libqt6opengl6-dev)
fi
case "$extra" in
    # The test command also validates the launcher, the metainfo and the manual page.
    # Both releases ship clang-format and clang-tidy 19 (19.1.7), which the format and tidy
    # checks are pinned to.
    --test) packages+=(xvfb xauth clang-format-19 clang-tidy-19 locales appstream desktop-file-utils
                       groff-base) ;;
    --package) packages+=(dpkg-dev file lintian) ;;
    # clang 19 with its sanitizer runtimes (libFuzzer) is on both releases as well.
    --fuzz) packages+=(clang-19 libclang-rt-19-dev) ;;
esac
if [ "$list_only" -eq 1 ]; then
    printf '%s\n' "${packages[@]}" # elsewhere than Debian 12: Debian 13's names
    exit 0
fi
if [ "$release_id" != debian ] || { [ "$codename" != trixie ] && [ "$codename" != bookworm ]; }; then
    echo "install-deps.sh: this system is ${pretty:-unknown}; Karvo's scripts know Debian 13 (trixie)" >&2
    echo "and Debian 12 (bookworm) only. Nothing was installed. On another system, install the" >&2
    echo "packages of 'install-deps.sh --list' (or their equivalents) by hand." >&2
    exit 2
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
# The tests run once more under el_GR.UTF-8, where numbers are written with a decimal comma; a
# number test also switches to de_DE and en_US, whose separators differ again.
if [ "$extra" = "--test" ]; then
    generate=0
    for name in el_GR de_DE en_US; do
        if ! locale -a 2>/dev/null | grep -qix "$name\.utf-\?8"; then
            generate=1
            if grep -q "^# *$name\.UTF-8 UTF-8" /etc/locale.gen; then
                $sudo sed -i "s/^# *$name\.UTF-8 UTF-8/$name.UTF-8 UTF-8/" /etc/locale.gen
            elif ! grep -q "^$name\.UTF-8 UTF-8" /etc/locale.gen; then
                echo "$name.UTF-8 UTF-8" | $sudo tee -a /etc/locale.gen >/dev/null
            fi
        fi
    done
    if [ "$generate" -eq 1 ]; then
        echo "Generating the locales el_GR.UTF-8, de_DE.UTF-8 and en_US.UTF-8"
        $sudo locale-gen
    fi
fi
