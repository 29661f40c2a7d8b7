#!/usr/bin/env bash
# Runs the test command (scripts/test.sh) on a Debian 12 system made from nothing: a minimal
# bookworm root from Debian's archive, this checkout copied in, the tests run as root in a chroot.
# It catches an install step that only works because this machine already has some package.
#   scripts/check-fresh.sh [root-folder]     (default: build-fresh/root in the checkout; needs root)
# The root and the log (build-fresh/test.log) are left for a look afterwards; the next run
# removes the root and starts again from nothing. CI does not run this: it takes most of an hour.
set -euo pipefail
source_dir="$(cd "$(dirname "$0")/.." && pwd)"
root="${1:-$source_dir/build-fresh/root}"
log_dir="$(dirname "$root")"
started=$(date +%s)

if [ "$(id -u)" -ne 0 ]; then
    echo "check-fresh.sh makes a chroot and must run as root" >&2
    exit 1
fi
if ! command -v debootstrap >/dev/null; then
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends debootstrap
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

# A previous root goes first; nothing may still be mounted inside it.
root="$(realpath -m "$root")"
if [ -e "$root" ]; then
    if awk -v r="$root" '$5 == r || index($5, r "/") == 1 { found = 1 } END { exit !found }' /proc/self/mountinfo; then
        echo "Something is still mounted under $root; unmount it first" >&2
        exit 1
    fi
    rm -rf --one-file-system "$root"
fi
mkdir -p "$root"

echo "== Making a minimal Debian 12 root in $root from $mirror"
debootstrap --variant=minbase bookworm "$root" "$mirror"
rm -f "$root/etc/apt/sources.list"
cat >"$root/etc/apt/sources.list.d/debian.sources" <<EOF
Types: deb
URIs: $mirror
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg

Types: deb
URIs: $security
Suites: bookworm-security
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
cp /etc/resolv.conf "$root/etc/resolv.conf"

echo "== Copying the checkout to /root/karvo"
mkdir -p "$root/root/karvo"
if git -C "$source_dir" rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    # Tracked and new files as they are in the working tree; ignored ones (the build folders) stay out.
    (cd "$source_dir" && git ls-files -z --cached --others --exclude-standard |
        tar --null --ignore-failed-read -T - -cf -) | tar -C "$root/root/karvo" -xf -
else
    (cd "$source_dir" && tar --exclude='./build*' -cf - .) | tar -C "$root/root/karvo" -xf -
fi

echo "== Running scripts/test.sh in the chroot"
# A private mount namespace: the mounts vanish with it and never reach this machine's own /dev.
status=0
# shellcheck disable=SC2016 # the inner script takes the root as its $1
unshare --mount --propagation private -- /bin/bash -c '
    set -e
    mount -t proc proc "$1/proc"
    mount --rbind /sys "$1/sys"
    mount --rbind /dev "$1/dev"
    exec chroot "$1" /usr/bin/env -i HOME=/root TERM=dumb \
        PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
        /bin/bash -c "cd /root/karvo && scripts/test.sh"' bash "$root" 2>&1 | tee "$log_dir/test.log" ||
    status=$?

elapsed=$(($(date +%s) - started))
if [ "$status" -eq 0 ]; then
    echo "check-fresh: passed in $((elapsed / 60)) min $((elapsed % 60)) s"
else
    echo "check-fresh: FAILED (exit $status) after $((elapsed / 60)) min $((elapsed % 60)) s; log: $log_dir/test.log" >&2
fi
exit "$status"
