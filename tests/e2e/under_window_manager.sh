#!/usr/bin/env bash
# The end-to-end tests of window frames, under a real window manager: a display
# of their own with openbox on it, and wine without its virtual desktop, in a
# prefix and with a wineserver of their own, so that the test run's wineserver
# and desktop stay as they are.
# under_window_manager.sh <e2e test program> <gtest filter>
. "$(dirname "$0")/../../scripts/lib.sh"
exe=$1
filter=$2

main_prefix=${WINEPREFIX:-$BUILD/wineprefix}
wm_prefix=$BUILD/wineprefix-wm
openbox_pid=
output=$(mktemp "${TMPDIR:-/tmp}/tg-wm-XXXXXX")

fail() { echo "FAIL $*"; exit 1; }

finish_up() {
  # Only this prefix's wineserver: its windows go first, then the manager, then the display.
  end_prefix_server "$wm_prefix"
  if [ -n "$openbox_pid" ]; then
    kill "$openbox_pid" 2>/dev/null || true
    wait "$openbox_pid" 2>/dev/null || true
  fi
  stop_wine
  rm -f "$output"
}
trap finish_up EXIT
trap 'exit 1' INT TERM HUP

[ -f "$main_prefix/system.reg" ] || fail "no wine prefix at $main_prefix"

unset DISPLAY
ensure_display
if window_manager_runs; then fail "a window manager already runs on the new display $DISPLAY"; fi
echo "ok   no window manager on the new display $DISPLAY"

openbox >"$output" 2>&1 &
openbox_pid=$!
for _ in $(seq 1 100); do
  window_manager_runs && break
  kill -0 "$openbox_pid" 2>/dev/null || fail "openbox ended at once: $(cat "$output")"
  sleep 0.1
done
window_manager_runs || fail "openbox did not take the display within 10 s"
echo "ok   openbox manages $DISPLAY"

if [ ! -f "$wm_prefix/system.reg" ]; then
  # Copied whole, then renamed, so that an interrupted copy is never taken for a prefix.
  rm -rf "$wm_prefix.copying"
  cp -a "$main_prefix" "$wm_prefix.copying"
  mv -T "$wm_prefix.copying" "$wm_prefix"
fi

export WINEPREFIX=$wm_prefix
wine_environment
own_user_folders
# A server left by an earlier run that was killed would keep its old display.
end_prefix_server "$wm_prefix"
wineserver -p </dev/null >/dev/null 2>&1
# The first program also starts wine's services, detached from the tests' output.
wine reg delete 'HKCU\Software\Wine\Explorer' /v Desktop /f </dev/null >/dev/null 2>&1 || true

status=0
wine "$exe" --gtest_filter="$filter" >"$output" 2>&1 </dev/null || status=$?
cat "$output"
# A filter that matches nothing passes: it must have run at least one test.
some_test_ran "$output" || fail "no test matches $filter"
[ "$status" -eq 0 ] || fail "the tests under openbox failed ($status)"
echo "ok   the tests under openbox passed"
