#!/usr/bin/env bash
# Installs what is missing, builds and starts Karvo in the user's data folder.
set -euo pipefail
source_dir="$(cd "$(dirname "$0")/.." && pwd)"
"$source_dir/scripts/install-deps.sh"
cmake -S "$source_dir" -B "$source_dir/build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKARVO_TESTS=OFF -DKARVO_BENCH=OFF
cmake --build "$source_dir/build" --target karvo
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "Karvo is a desktop program and needs a graphical session: no display found (DISPLAY is not set)." >&2
    echo "Start it from a desktop session, or under Xvfb: xvfb-run scripts/run.sh" >&2
    exit 1
fi
data_dir="${KARVO_DATA_DIR:-${XDG_DATA_HOME:-$HOME/.local/share}/karvo}"
mkdir -p "$data_dir"
# A desktop launcher that starts the program in the same data folder.
apps_dir="${XDG_DATA_HOME:-$HOME/.local/share}/applications"
mkdir -p "$apps_dir"
sed -e "s|@KARVO_EXEC@|env KARVO_DATA_DIR=\"$data_dir\" \"$source_dir/build/src/app/karvo\"|" \
    "$source_dir/packaging/karvo.desktop.in" > "$apps_dir/karvo.desktop"
cd "$data_dir"
exec "$source_dir/build/src/app/karvo" "$@"
