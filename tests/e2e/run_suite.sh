#!/usr/bin/env bash
# One end-to-end suite, its output passed on through a file. wine starts a
# service of its own when a program first needs it, and the service inherits
# that program's output: were the output ctest's pipe, ctest would wait for
# the service to end (it lives as long as the wineserver) until the time-out.
# run_suite.sh <e2e test program> <gtest filter> [may-be-empty]
. "$(dirname "$0")/../../scripts/lib.sh"
exe=$1
filter=$2
output=$(mktemp "${TMPDIR:-/tmp}/tg-e2e-out-XXXXXX")
trap 'rm -f "$output"' EXIT

status=0
wine "$exe" --gtest_filter="$filter" >"$output" 2>&1 </dev/null || status=$?
cat "$output"
if [ "${3:-}" != may-be-empty ] && ! some_test_ran "$output"; then
  echo "FAIL no test matches $filter"
  exit 1
fi
exit "$status"
