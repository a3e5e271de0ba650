#!/usr/bin/env bash
# Runs a Windows test program in a wine prefix made new for it, with a
# wineserver and a display of its own (its windows take no focus from the
# other tests): what a user's machine is before the first install.
# The prefix (build/wineprefix-installer) is made again at every run and left
# afterwards for a look at what the test left there.
# in_fresh_prefix.sh <test program> [gtest arguments...]
. "$(dirname "$0")/../../scripts/lib.sh"
exe=$1
shift

prefix=$BUILD/wineprefix-installer
output=$(mktemp "${TMPDIR:-/tmp}/tg-installer-XXXXXX")

fail() { echo "FAIL $*"; exit 1; }
finish_up() {
  end_prefix_server "$prefix"
  stop_wine
  rm -f "$output"
}
trap finish_up EXIT
trap 'exit 1' INT TERM HUP

export WINEPREFIX=$prefix
wine_environment
unset DISPLAY
ensure_display
end_prefix_server "$prefix"
# Only ever the build tree's own folder, and never through a link.
case $prefix in "$BUILD"/*) ;; *) fail "the prefix $prefix is not under $BUILD" ;; esac
[ -L "$prefix" ] && fail "$prefix is a link"
rm -rf -- "$prefix"
mkdir -p "$prefix"
wineboot -i >/dev/null 2>&1 </dev/null || fail "wineboot could not make the prefix"
wineserver -w
own_user_folders
wineserver -p </dev/null >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f </dev/null >/dev/null 2>&1 || true
wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1280x1024 /f </dev/null >/dev/null 2>&1 || true

status=0
wine "$exe" "$@" >"$output" 2>&1 </dev/null || status=$?
cat "$output"
some_test_ran "$output" || fail "no test ran"
[ "$status" -eq 0 ] || fail "the tests in a fresh prefix failed ($status)"
echo "ok   the tests in a fresh prefix passed"
