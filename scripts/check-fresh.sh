#!/usr/bin/env bash
# Runs the test command (scripts/test.sh) on Debian systems made from nothing: a minimal root of
# each release from Debian's archive, this checkout copied in, the tests run as root in a chroot.
# It catches an install step that only works because this machine already has some package.
#   scripts/check-fresh.sh [--package] [RELEASE...]     (needs root)
# RELEASE: trixie (Debian 13), bookworm (Debian 12); by default both, one after the other.
# With --package it then builds the package in the same root (scripts/package.sh), installs it with
# apt-get into a second minimal root of that release, and checks the installed program there:
# --version and --help with no display, one "karvo: " line and status 2 for an unknown game with
# an empty environment, and the window staying up for two seconds on the offscreen platform.
# Everything stays in build-fresh/<release>/ for a look afterwards (the roots, test.log and the
# package); the next run removes the roots and starts again from nothing. CI does not run this.
set -euo pipefail
source_dir="$(cd "$(dirname "$0")/.." && pwd)"
package=0
releases=()
for arg in "$@"; do
    case "$arg" in
        --package) package=1 ;;
        trixie | bookworm) releases+=("$arg") ;;
        *)
            echo "check-fresh.sh: unknown argument $arg (releases: trixie, bookworm; option: --package)" >&2
            exit 2
            ;;
    esac
done
[ ${#releases[@]} -gt 0 ] || releases=(trixie bookworm)

if [ "$(id -u)" -ne 0 ]; then
    echo "check-fresh.sh makes chroots and must run as root" >&2
    exit 1
fi
if ! command -v mmdebstrap >/dev/null; then
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends mmdebstrap
fi

# The same Debian mirror (and security mirror) this machine's apt uses.
host_archive() {
    cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources 2>/dev/null |
        grep -v '^[[:space:]]*#' | grep -oE '(https?|ftp)://[^[:space:]]+' | sed 's:/*$::' |
        grep -E "/$1\$" | head -n 1 || true
}
mirror="$(host_archive debian)"
mirror="${mirror:-http://deb.debian.org/debian}"
security="$(host_archive debian-security)"
security="${security:-http://deb.debian.org/debian-security}"

# A minimal root of the release, made anew; nothing may still be mounted inside an old one.
make_root() {
    local release="$1" root="$2"
    if [ -e "$root" ]; then
        if awk -v r="$root" '$5 == r || index($5, r "/") == 1 { found = 1 } END { exit !found }' /proc/self/mountinfo; then
            echo "Something is still mounted under $root; unmount it first" >&2
            return 1
        fi
        rm -rf --one-file-system "$root"
    fi
    mkdir -p "$(dirname "$root")"
    echo "== Making a minimal $release root in $root from $mirror"
    mmdebstrap --quiet --variant=minbase "$release" "$root" \
        "deb $mirror $release main" "deb $mirror $release-updates main" "deb $security $release-security main"
    cp /etc/resolv.conf "$root/etc/resolv.conf"
}

# Runs a script in the root as root, with a plain environment, in a private mount namespace: the
# mounts vanish with it and never reach this machine's own /dev.
in_root() {
    local root="$1" script="$2"
    # shellcheck disable=SC2016 # the inner script takes the root and the script as $1 and $2
    unshare --mount --propagation private -- /bin/bash -c '
        set -e
        mount -t proc proc "$1/proc"
        mount --rbind /sys "$1/sys"
        mount --rbind /dev "$1/dev"
        exec chroot "$1" /usr/bin/env -i HOME=/root TERM=dumb \
            PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
            /bin/bash -c "$2"' bash "$root" "$script"
}

# The installed package, checked as a user meets it: no display, then the window offscreen.
# shellcheck disable=SC2016 # expanded in the root
installed_checks='
set -e
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq ./karvo_*.deb >/dev/null
echo "installed: $(dpkg-query -W -f="\${Package} \${Version}" karvo)"
version="$(env -i PATH=/usr/bin:/bin karvo --version)"
[ "$version" = "karvo $(dpkg-query -W -f="\${Version}" karvo | sed "s/-.*//")" ] || { echo "karvo --version: $version" >&2; exit 1; }
env -i PATH=/usr/bin:/bin karvo --help | grep -q "karvo update" || { echo "karvo --help says nothing of update" >&2; exit 1; }
status=0
env -i PATH=/usr/bin:/bin karvo update nosuchgame >/tmp/out 2>/tmp/err || status=$?
if [ "$status" -ne 2 ] || [ -s /tmp/out ] || [ "$(wc -l </tmp/err)" -ne 1 ] || ! grep -q "^karvo: " /tmp/err; then
    echo "karvo update nosuchgame: status $status, stdout and stderr:" >&2
    cat /tmp/out /tmp/err >&2
    exit 1
fi
echo "unknown game: $(cat /tmp/err)"
status=0
env -i PATH=/usr/bin:/bin HOME=/root QT_QPA_PLATFORM=offscreen timeout 2 karvo --data-folder /root/data \
    >/tmp/window.log 2>&1 || status=$?
if [ "$status" -ne 124 ] || [ ! -d /root/data ]; then
    echo "the window did not stay up for two seconds (status $status):" >&2
    cat /tmp/window.log >&2
    exit 1
fi
echo "window: up for two seconds in /root/data"
'

check_release() {
    local release="$1"
    local dir="$source_dir/build-fresh/$release"
    local root="$dir/root" started status=0
    started=$(date +%s)
    mkdir -p "$dir"
    # Called where errexit does not hold (after ||), so every step's failure is returned by hand.
    make_root "$release" "$root" || return 1
    echo "== Copying the checkout to /root/karvo"
    mkdir -p "$root/root/karvo" || return 1
    if git -C "$source_dir" rev-parse --is-inside-work-tree >/dev/null 2>&1; then
        # Tracked and new files as they are in the working tree; ignored ones (the build folders) stay out.
        (cd "$source_dir" && git ls-files -z --cached --others --exclude-standard |
            tar --null --ignore-failed-read -T - -cf -) | tar -C "$root/root/karvo" -xf - || return 1
    else
        (cd "$source_dir" && tar --exclude='./build*' --exclude='./karvo_*.deb' -cf - .) |
            tar -C "$root/root/karvo" -xf - || return 1
    fi
    echo "== Running scripts/test.sh in the $release chroot"
    in_root "$root" "cd /root/karvo && scripts/test.sh" 2>&1 | tee "$dir/test.log" || status=$?
    if [ "$status" -eq 0 ]; then
        echo "check-fresh: $release: tests passed in $(($(date +%s) - started)) s"
    fi
    if [ "$status" -eq 0 ] && [ "$package" -eq 1 ]; then
        echo "== Building the package in the $release chroot"
        rm -f "$root"/root/karvo/karvo_*.deb
        in_root "$root" "cd /root/karvo && scripts/package.sh" 2>&1 | tee "$dir/package.log" || status=$?
        local debs=("$root"/root/karvo/karvo_*.deb)
        if [ "$status" -eq 0 ] && [ -f "${debs[0]}" ]; then
            rm -f "$dir"/karvo_*.deb
            cp "${debs[0]}" "$dir/"
            make_root "$release" "$dir/install-root" || return 1
            cp "${debs[0]}" "$dir/install-root/root/" || return 1
            echo "== Installing $(basename "${debs[0]}") in a second minimal $release root"
            in_root "$dir/install-root" "cd /root && $installed_checks" 2>&1 | tee "$dir/install.log" || status=$?
        elif [ "$status" -eq 0 ]; then
            echo "check-fresh: scripts/package.sh made no package" >&2
            status=1
        fi
    fi
    local elapsed=$(($(date +%s) - started))
    if [ "$status" -eq 0 ]; then
        local made=""
        [ "$package" -eq 0 ] || made="; package $(basename "$dir"/karvo_*.deb) installed and started"
        echo "check-fresh: $release: passed in $((elapsed / 60)) min $((elapsed % 60)) s$made"
    else
        echo "check-fresh: $release: FAILED (exit $status) after $((elapsed / 60)) min $((elapsed % 60)) s; logs in $dir" >&2
    fi
    return "$status"
}

overall=0
for release in "${releases[@]}"; do
    check_release "$release" || overall=1
done
exit "$overall"
