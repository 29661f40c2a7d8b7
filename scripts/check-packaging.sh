#!/usr/bin/env bash
# Checks the files the package gives the desktop: the launcher (desktop-file-validate), the
# AppStream metainfo (appstreamcli, without the network) and the manual page (groff, every
# warning on). Also that the metainfo's newest release, the Debian changelog and the manual page
# name the version of CMakeLists.txt, since all three are written by hand.
#   scripts/check-packaging.sh     (the tools come with scripts/install-deps.sh --test)
set -euo pipefail
cd "$(dirname "$0")/.."
app_id=io.github.karvo_app.karvo
metainfo="packaging/$app_id.metainfo.xml"
failed=0
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# The launcher as CMake writes it for the package, under the name the metainfo points at.
sed 's/@KARVO_EXEC@/karvo/' packaging/karvo.desktop.in >"$work/$app_id.desktop"
if ! desktop-file-validate "$work/$app_id.desktop"; then
    echo "check-packaging: the desktop file has errors" >&2
    failed=1
fi
# Warnings fail here as errors do.
if ! appstreamcli validate --no-net "$metainfo"; then
    echo "check-packaging: $metainfo does not validate" >&2
    failed=1
fi
if ! grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo"; then
    echo "check-packaging: $metainfo does not launch $app_id.desktop" >&2
    failed=1
fi
# groff reports a warning and still succeeds: any message fails. -k reads the page's coding line.
LC_ALL=C.UTF-8 groff -k -man -Tutf8 -ww -z packaging/karvo.1 >"$work/groff.log" 2>&1 || true
if [ -s "$work/groff.log" ]; then
    cat "$work/groff.log" >&2
    echo "check-packaging: packaging/karvo.1 does not render cleanly" >&2
    failed=1
fi

version="$(sed -n 's/^project(Karvo VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)"
release="$(grep -o -m 1 '<release version="[^"]*"' "$metainfo" | cut -d '"' -f 2)"
changelog="$(sed -n '1s/^karvo (\([^)]*\)).*/\1/p' packaging/changelog)"
manual="$(sed -n 's/^\.TH KARVO 1 [^ ]* "Karvo \([^"]*\)".*/\1/p' packaging/karvo.1)"
for pair in "metainfo release:$release" "changelog:$changelog" "manual page:$manual"; do
    if [ "${pair#*:}" != "$version" ]; then
        echo "check-packaging: the ${pair%%:*} names version '${pair#*:}', CMakeLists.txt $version" >&2
        failed=1
    fi
done

if [ "$failed" -ne 0 ]; then
    exit 1
fi
echo "packaging: desktop file, metainfo and manual page valid; version $version everywhere"
