#!/bin/sh
# Runs some cases of a test program as the unprivileged user nobody: root
# reads whatever the permissions say, so run as root those cases only skip.
#
#   run-as-nobody.sh PROGRAM GTEST_FILTER
# Exit status 77 (skipped) when not run as root: the suite itself runs them.
set -eu
if [ "$(id -u)" -ne 0 ]; then
    echo "not root: these cases run in the suite itself"
    exit 77
fi
command -v setpriv >/dev/null || { echo "setpriv (util-linux) is missing"; exit 1; }
# A copy where nobody can reach it, wherever the build lies.
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
chmod 755 "$dir"
cp "$1" "$dir/"
status=0
out=$(cd "$dir" && setpriv --reuid=65534 --regid=65534 --clear-groups "./$(basename "$1")" --gtest_filter="$2" 2>&1) || status=$?
printf '%s\n' "$out"
[ "$status" -eq 0 ] || exit 1
if printf '%s\n' "$out" | grep -q '^\[  SKIPPED \]'; then
    echo "cases skipped as nobody"
    exit 1
fi
printf '%s\n' "$out" | grep -q '^\[  PASSED  \] [1-9]' || { echo "no case ran"; exit 1; }
