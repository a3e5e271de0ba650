#!/usr/bin/env bash
# Builds the Windows program and its engines (no tests), lays out a program
# directory under the build tree and starts the control centre there under wine.
. "$(dirname "$0")/lib.sh"
fixed_address_layout "$0" "$@"

if [ ! -f "$BUILD/windows/win32/tarnivoxguard2013.exe" ]; then
  log "first run: installing packages, creating the wine prefix and compiling take several minutes"
fi
ensure_packages run
build_windows --target program

PROGRAM=$BUILD/program
mkdir -p "$PROGRAM"
cp "$BUILD/windows/win32/tarnivoxguard2013.exe" "$PROGRAM/"
# The stand-in engines and their data, all but the test probe.
for engine in "$BUILD"/windows/suite/*.exe; do
  [ "$(basename "$engine")" = probe.exe ] || cp "$engine" "$PROGRAM/"
done
cp "$BUILD/windows/suite/signatures.txt" "$PROGRAM/"
cp "$ROOT"/suite/lang/kelm2013_*.txt "$PROGRAM/"

trap stop_wine EXIT
start_wine
log "starting the control centre in $PROGRAM (display $DISPLAY); Ctrl+C ends it"
cd "$PROGRAM"
wine ./tarnivoxguard2013.exe
