#!/usr/bin/env bash
# Builds both configurations and runs every test: natively, and the Windows
# programs under wine. Ends with ctest's summary of all of them.
. "$(dirname "$0")/lib.sh"

ensure_packages
build_native
build_windows

trap stop_wine EXIT
start_wine virtual-desktop

# One ctest run over both builds, so that one summary covers every test.
cat > "$BUILD/CTestTestfile.cmake" <<CTEST
subdirs("native" "windows")
CTEST
log "running the tests"
cd "$BUILD"
ctest -j "$JOBS" --output-on-failure --timeout 300
