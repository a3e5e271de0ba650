#!/usr/bin/env bash
# Builds both configurations and runs every test: natively, and the Windows
# programs under wine; then a short run of each fuzz target. Ends with ctest's
# summary of all of them.
. "$(dirname "$0")/lib.sh"
fixed_address_layout "$0" "$@"

ensure_packages
build_native
build_windows
build_fuzz

trap stop_wine EXIT
start_wine virtual-desktop
keep_desktop

# One ctest run over the builds, so that one summary covers every test. Of the
# fuzz build only its fuzz directory: a short run of each target (its unit
# tests are the native ones, not built there).
cat > "$BUILD/CTestTestfile.cmake" <<CTEST
subdirs("native" "windows" "fuzz/fuzz")
CTEST
log "running the tests"
cd "$BUILD"
ctest -j "$JOBS" --output-on-failure --timeout 300
