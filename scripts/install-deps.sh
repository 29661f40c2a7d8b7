#!/usr/bin/env bash
# Installs the Debian 12 packages Karvo needs to build, run and test. Safe to run again.
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
packages=(build-essential cmake ninja-build pkg-config
          qt6-base-dev qt6-base-dev-tools qt6-charts-dev libqt6opengl6-dev libgl-dev
          libcurl4-openssl-dev libzip-dev zlib1g-dev
          libgtest-dev libgmock-dev libbenchmark-dev
          fonts-dejavu-core fonts-liberation)
case "$extra" in
    # The test command also validates the launcher, the metainfo and the manual page.
    --test) packages+=(xvfb xauth clang-format locales appstream desktop-file-utils groff-base) ;;
    --package) packages+=(dpkg-dev file lintian) ;;
    --fuzz) packages+=(clang libclang-rt-14-dev) ;;
esac
if [ "$list_only" -eq 1 ]; then
    printf '%s\n' "${packages[@]}"
    exit 0
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
