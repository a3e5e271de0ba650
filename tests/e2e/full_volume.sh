#!/usr/bin/env bash
# The end-to-end tests that fill a volume: the control centre's program
# directory and its watched folder on a small volume of their own (a tmpfs of
# 160 MB: the program and its probe engines take some 90 MB), mounted for the
# tests and removed after them, so that no other file system ever fills up.
# full_volume.sh <e2e test program> <gtest filter>
. "$(dirname "$0")/../../scripts/lib.sh"
exe=$1
filter=$2

fail() { echo "FAIL $*"; exit 1; }

volume=$(mktemp -d "${TMPDIR:-/tmp}/tg-full-volume-XXXXXX")
output=$(mktemp "${TMPDIR:-/tmp}/tg-full-volume-out-XXXXXX")
mounted=
finish_up() {
  if [ -n "$mounted" ]; then umount "$volume" 2>/dev/null || umount -l "$volume" 2>/dev/null || true; fi
  rmdir "$volume" 2>/dev/null || true
  rm -f "$output"
}
trap finish_up EXIT
trap 'exit 1' INT TERM HUP

# Mounting needs root (as scripts/test.sh runs) and a kernel that lets it.
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo -n)
"${sudo[@]}" mount -t tmpfs -o size=160m,mode=1777 tg-full-volume "$volume" ||
  fail "a small volume could not be mounted at $volume: these tests need to mount a tmpfs"
mounted=1
echo "ok   a volume of 160 MB at $volume"

status=0
TG_FULL_VOLUME="Z:${volume//\//\\}\\" wine "$exe" --gtest_filter="$filter" >"$output" 2>&1 </dev/null || status=$?
cat "$output"
some_test_ran "$output" || fail "no test matches $filter"
[ "$status" -eq 0 ] || fail "the tests on the full volume failed ($status)"
echo "ok   the tests on the full volume passed"
