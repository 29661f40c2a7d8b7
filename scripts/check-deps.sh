#!/usr/bin/env bash
# Fails when the build read a system file that a fresh Debian 13 or 12 would not have after
# `scripts/install-deps.sh --test`: a CMake package file, a header or a library named on a link
# line that comes from a package outside that list and what it depends on (Depends and
# Pre-Depends only: the script installs without Recommends). Such a file is here only because
# this machine happens to have the package, and the build breaks on a fresh one.
#   scripts/check-deps.sh [build-folder]       (default build-test; after a Ninja build)
# The files come from the build itself: the CMake files that build.ninja reruns CMake for, the
# headers in Ninja's dependency log, the libraries on the link lines. Files of the checkout and of
# the build folder do not count; CMake's own modules come with cmake.
set -euo pipefail
source_dir="$(cd "$(dirname "$0")/.." && pwd)"
build_dir="$(realpath -m "${1:-$source_dir/build-test}")"
if [ ! -f "$build_dir/build.ninja" ] || [ ! -f "$build_dir/CMakeCache.txt" ]; then
    echo "check-deps: $build_dir is not a Ninja build folder; build it first" >&2
    exit 2
fi
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# --- The system files the build used --------------------------------------------------------
cmake_root="$(sed -n 's/^CMAKE_ROOT:INTERNAL=//p' "$build_dir/CMakeCache.txt")"
{
    ninja -C "$build_dir" -t query build.ninja |
        awk '/^  input:/ { on = 1; next } /^  [a-z]+:/ { on = 0 } on { sub(/^ +(\| +)?/, ""); print }' |
        sed 's/^/cmake\t/'
    ninja -C "$build_dir" -t deps | awk '/^    / { sub(/^ +/, ""); print }' | sed 's/^/header\t/'
    sed -n 's/^  LINK_LIBRARIES = //p' "$build_dir/build.ninja" | tr -s ' ' '\n' | grep '^/' |
        sed 's/^/library\t/'
} | sort -u -t $'\t' -k2,2 >"$work/raw"
# Relative paths are the build folder's; ".." is taken away by name, not through symlinks, because
# dpkg knows the files by the names the packages ship.
cut -f2 "$work/raw" | awk -v b="$build_dir" '{ print (substr($0, 1, 1) == "/") ? $0 : b "/" $0 }' |
    xargs -r -d '\n' realpath -m -s -- >"$work/abs"
cut -f1 "$work/raw" | paste - "$work/abs" |
    awk -F '\t' -v s="$source_dir/" -v b="$build_dir/" -v c="$cmake_root/" '
        index($2, s) == 1 || index($2, b) == 1 { next }
        c != "/" && index($2, c) == 1 { next }
        { print }' | sort -u -t $'\t' -k2,2 >"$work/used"
cut -f2 "$work/used" >"$work/paths"

# --- Which package each one comes from ------------------------------------------------------
# One dpkg-query for all; "diversion by" lines only say who moved a file, not who owns it.
owners() {
    LC_ALL=C xargs -r -d '\n' dpkg-query -S -- 2>/dev/null <"$1" |
        grep -v '^diversion by ' | awk '{
            i = index($0, ": "); path = substr($0, i + 2); n = split(substr($0, 1, i - 1), p, /, */)
            for (k = 1; k <= n; k++) { sub(/:.*/, "", p[k]); print path "\t" p[k] }
        }' || true
}
owners "$work/paths" >"$work/owners"
# A file a package ships under /lib or /bin is reached through /usr on a merged-/usr system, and
# the other way round; a path through a symlink is looked up once more as the file it names.
cut -f1 "$work/owners" | sort -u | comm -13 - <(sort -u "$work/paths") >"$work/unowned"
if [ -s "$work/unowned" ]; then
    while IFS= read -r path; do
        case "$path" in
            /usr/lib/* | /usr/lib64/* | /usr/bin/* | /usr/sbin/*) printf '%s\t%s\n' "$path" "${path#/usr}" ;;
            /lib/* | /lib64/* | /bin/* | /sbin/*) printf '%s\t%s\n' "$path" "/usr$path" ;;
        esac
        real="$(realpath -e -- "$path" 2>/dev/null || true)"
        if [ -n "$real" ] && [ "$real" != "$path" ]; then
            printf '%s\t%s\n' "$path" "$real"
            case "$real" in
                /usr/lib/* | /usr/bin/* | /usr/sbin/*) printf '%s\t%s\n' "$path" "${real#/usr}" ;;
            esac
        fi
    done <"$work/unowned" >"$work/aliases"
    cut -f2 "$work/aliases" >"$work/alias-paths"
    owners "$work/alias-paths" >"$work/alias-owners"
    awk -F '\t' 'NR == FNR { pkgs[$1] = pkgs[$1] " " $2; next }
        $2 in pkgs { n = split(pkgs[$2], p, " "); for (k = 1; k <= n; k++) print $1 "\t" p[k] }' \
        "$work/alias-owners" "$work/aliases" >>"$work/owners"
fi

# --- What install-deps.sh --test brings -----------------------------------------------------
mapfile -t wanted < <("$source_dir/scripts/install-deps.sh" --list --test)
if ! apt-cache depends --recurse --no-recommends --no-suggests --no-conflicts --no-breaks \
    --no-replaces --no-enhances "${wanted[@]}" >"$work/depends" 2>"$work/depends.err"; then
    cat "$work/depends.err" >&2
    echo "check-deps: apt does not know the packages; run apt-get update" >&2
    exit 2
fi
# apt-cache lists every alternative of a dependency and every package that provides a virtual
# one; apt installs only one of them. Walk the graph again and take, as apt does on a fresh
# system, an alternative that is already chosen, else the first one (for a virtual package, its
# first provider).
awk -v roots="${wanted[*]}" '
    function clean(name) { gsub(/[<>]/, "", name); sub(/:any$/, "", name); return name }
    /^[^ ]/ {
        pkg = clean($0); seen_block = (pkg in blocks); blocks[pkg] = 1; dep = ""
        if (substr($0, 1, 1) == "<") virtual[pkg] = 1
        next
    }
    seen_block { next }
    /^ [ |](Pre)?Depends: / {
        alt = $0; sub(/^ [ |](Pre)?Depends: /, "", alt); alt = clean(alt)
        if (!open[pkg]) groups[pkg, ++ngroups[pkg]] = alt; else groups[pkg, ngroups[pkg]] = groups[pkg, ngroups[pkg]] " " alt
        open[pkg] = (substr($0, 2, 1) == "|"); dep = alt; next
    }
    /^    [^ ]/ { q = clean($1); if (!((dep, q) in given)) { given[dep, q] = 1; providers[dep] = providers[dep] " " q }; next }
    { dep = "" }
    function pick(alt,    n, p) {
        if (alt in blocks && !(alt in virtual)) return alt
        n = split(providers[alt], p, " "); return n ? p[1] : ""
    }
    function add(name) { if (name != "" && !(name in chosen)) { chosen[name] = 1; queue[++tail] = name } }
    END {
        n = split(roots, r, " "); for (i = 1; i <= n; i++) add(r[i])
        for (head = 1; head <= tail; head++) {
            pkg = queue[head]
            for (g = 1; g <= ngroups[pkg]; g++) {
                n = split(groups[pkg, g], alts, " "); choice = ""
                for (i = 1; i <= n && choice == ""; i++) {
                    if (alts[i] in chosen) choice = alts[i]
                    else { m = split(providers[alts[i]], p, " "); for (j = 1; j <= m; j++) if (p[j] in chosen) choice = p[j] }
                }
                for (i = 1; i <= n && choice == ""; i++) choice = pick(alts[i])
                add(choice)
            }
        }
        for (name in chosen) print name
    }' "$work/depends" >"$work/closure"
# Every Debian system has its essential and required packages before anything is installed.
dpkg-query -W -f='${Package}\t${Essential}\t${Priority}\n' |
    awk -F '\t' '$2 == "yes" || $3 == "required" { print $1 }' >>"$work/closure"

# --- The verdict ----------------------------------------------------------------------------
awk -F '\t' -v out="$work/verdict" '
    FILENAME == ARGV[1] { have[$1] = 1; next }
    FILENAME == ARGV[2] { owner[$1] = owner[$1] " " $2; next }
    {
        kind = $1; path = $2
        if (!(path in owner)) { printf "  %s from no Debian package: %s\n", kind, path > out; bad++; next }
        n = split(owner[path], p, " "); ok = 0
        for (i = 1; i <= n; i++) if (p[i] in have) ok = 1
        if (!ok) { printf "  %s %s from %s\n", p[1], kind, path > out; missing[p[1]] = 1; bad++ }
        count[kind]++
    }
    END {
        if (bad) {
            list = ""; for (m in missing) list = list " " m
            printf "MISSING%s\n", list
            exit 1
        }
        printf "deps: %d CMake files, %d headers and %d libraries all come from the installed packages\n",
            count["cmake"], count["header"], count["library"]
    }' "$work/closure" "$work/owners" "$work/used" >"$work/summary" || {
    sort "$work/verdict" >&2
    missing="$(sed -n 's/^MISSING *//p' "$work/summary")"
    if [ -n "$missing" ]; then
        echo "check-deps: the build used files of packages that scripts/install-deps.sh --test does not install" >&2
        echo "(nor anything it depends on): $missing. Add them to its list." >&2
    else
        echo "check-deps: the build used files that no Debian package installs (listed above)" >&2
    fi
    exit 1
}
cat "$work/summary"
