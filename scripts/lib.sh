# Shared by scripts/run.sh, scripts/test.sh and the end-to-end scripts: the
# packages the project needs, the two builds, and the wine environment (prefix
# under the build tree, persistent wineserver, virtual display when none exists).

set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=${TG_BUILD_DIR:-$ROOT/build}
JOBS=${TG_JOBS:-2}

# What building and starting the program needs (scripts/run.sh).
RUN_PACKAGES=(
  cmake ninja-build
  googletest  # its sources: the Windows configure step reads /usr/src/googletest
  g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev
  wine wine64 fonts-wine
  xvfb
  x11-utils  # xprop, to tell whether a window manager runs
  nsis  # makensis: the Windows build packs the installer
)
# What the tests, benchmarks and fuzz targets need on top (scripts/test.sh).
TEST_PACKAGES=(
  g++ make pkg-config
  libgtest-dev libbenchmark-dev
  libxml2-dev libxml2-utils
  xauth procps
  openbox
  clang-14 libclang-rt-14-dev llvm-14
)

log() { printf '== %s\n' "$*" >&2; }

# Installs whatever is missing of RUN_PACKAGES ("run"), of both lists (the
# default) or of both and imagemagick ("pictures"); apt-get update runs only then.
ensure_packages() {  # ensure_packages [run|pictures]
  local wanted=("${RUN_PACKAGES[@]}") missing=()
  case ${1:-} in
    run) ;;
    pictures) wanted+=("${TEST_PACKAGES[@]}" imagemagick) ;;  # scripts/screenshots.sh
    *) wanted+=("${TEST_PACKAGES[@]}") ;;
  esac
  for p in "${wanted[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  log "installing: ${missing[*]}"
  local sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  export DEBIAN_FRONTEND=noninteractive
  "${sudo[@]}" apt-get update -qq
  "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

configure_and_build() {  # configure_and_build [--target <target>] <name> [cmake args...]
  local target=()
  if [ "$1" = --target ]; then
    target=(--target "$2")
    shift 2
  fi
  local name=$1
  shift
  local dir=$BUILD/$name
  if [ ! -f "$dir/build.ninja" ]; then
    log "configuring the $name build"
    cmake -S "$ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
  fi
  log "building $name${target[1]:+ (${target[1]})}"
  cmake --build "$dir" -j "$JOBS" "${target[@]}"
}

build_native() { configure_and_build native; }
build_windows() {  # build_windows [--target <target>]
  configure_and_build "$@" windows -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake"
}
# The fuzz targets only (clang, libFuzzer, ASan, UBSan); the tree's unit tests are not built.
build_fuzz() {
  local dir=$BUILD/fuzz
  if [ ! -f "$dir/build.ninja" ]; then
    log "configuring the fuzz build"
    cmake -S "$ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++-14 \
      -DTG_FUZZ=ON >/dev/null
  fi
  log "building fuzz"
  cmake --build "$dir" -j "$JOBS" --target fuzzers
}

STARTED_XVFB=
STARTED_WINESERVER=

# Ends the wineserver of a prefix, its programs with it, and waits until it has gone.
end_prefix_server() {  # end_prefix_server <prefix>
  WINEPREFIX=$1 wineserver -k 2>/dev/null || true
  WINEPREFIX=$1 wineserver -w 2>/dev/null || true
}

# Whether a test program's output says that at least one test ran.
some_test_ran() { grep -Eq '^\[==========\] [1-9][0-9]* tests? from .* ran' "$1"; }

stop_wine() {
  if [ -n "$STARTED_WINESERVER" ]; then
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
    STARTED_WINESERVER=
  fi
  if [ -n "$STARTED_XVFB" ]; then
    kill "$STARTED_XVFB" 2>/dev/null || true
    wait "$STARTED_XVFB" 2>/dev/null || true
    STARTED_XVFB=
  fi
}

# Holds the prefix's desktop open until the wineserver ends (a program that
# starts just as wine closes an unused desktop may not start at all).
keep_desktop() {
  wine "$BUILD/windows/tests/win32/desktop_keeper.exe" </dev/null >/dev/null 2>&1 &
  disown
}

# A display for wine's windows: the user's own, or a virtual one of ours.
ensure_display() {
  [ -n "${DISPLAY:-}" ] && return 0
  local n=99 tries=0 i
  while [ $tries -lt 5 ]; do
    while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
    # -noreset: by default the server starts afresh whenever its last client
    # goes, and refuses whoever connects meanwhile (a window manager started
    # right after a client asked whether one runs).
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp -noreset >/dev/null 2>&1 &
    STARTED_XVFB=$!
    for i in $(seq 1 100); do
      # Its socket appears a moment before it takes connections: a client that
      # comes in between is refused, so the display is ready once one is served.
      if [ -e "/tmp/.X11-unix/X$n" ] && xprop -display ":$n" -root >/dev/null 2>&1; then
        export DISPLAY=":$n"
        return 0
      fi
      kill -0 "$STARTED_XVFB" 2>/dev/null || break  # it gave up: another server took the number
      sleep 0.1
    done
    kill "$STARTED_XVFB" 2>/dev/null || true
    STARTED_XVFB=
    n=$((n + 1))
    tries=$((tries + 1))
  done
  log "the virtual display did not start"
  return 1
}

# True when an EWMH window manager runs on $DISPLAY: the root names its check
# window, and that window still exists and names itself (a manager that died
# can leave the root's property behind).
window_manager_runs() {
  local root own
  root=$(xprop -root -notype _NET_SUPPORTING_WM_CHECK 2>/dev/null) || return 1
  [[ $root =~ (0x[0-9a-fA-F]+) ]] || return 1
  root=${BASH_REMATCH[1]}
  own=$(xprop -id "$root" -notype _NET_SUPPORTING_WM_CHECK 2>/dev/null) || return 1
  [[ $own =~ (0x[0-9a-fA-F]+) ]] && [ "${BASH_REMATCH[1]}" = "$root" ]
}

# The environment of every wine program here, whatever its prefix: nothing may
# stop to ask (no add-on installers), and no launchers appear in the home folder.
wine_environment() {
  export WINEARCH=win64
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
}

# wine64 is linked at 0x7d000000, and Debian's wine has no preloader to claim
# the addresses every Windows process needs before anything else is mapped.
# The kernel starts a program's heap anywhere in the gigabyte after its end:
# when the heap covers the shared user data page (0x7ffe0000, 48 MB after
# wine64), the new process ends at its first step ("failed to map the shared
# user data: c0000018") and the CreateProcess that started it fails with
# ERROR_INTERNAL_ERROR, about once in 5000 starts. Without address
# randomisation the heap follows wine64 at once, and every program started
# afterwards keeps the setting: the calling script runs again that way, where
# the system allows it.
fixed_address_layout() {  # fixed_address_layout "$0" "$@"
  local personality
  personality=$(cat /proc/self/personality 2>/dev/null) || return 0
  (((0x$personality & 0x0040000) == 0)) || return 0  # ADDR_NO_RANDOMIZE already
  if ! setarch "$(uname -m)" -R true 2>/dev/null; then
    log "address randomisation cannot be turned off here: now and then a wine program will not start"
    return 0
  fi
  exec setarch "$(uname -m)" -R "$BASH" "$@"
}

# A new prefix links the user's desktop, documents, downloads, music, pictures
# and videos to the Linux home folder. The pages that delete files (the desktop
# check, the cleaners, the folder surveillance) must only ever meet folders of
# the prefix's own: each link is replaced by an empty folder (the link only,
# never what it points to). Checked at every start, as wine may make them again.
own_user_folders() {
  local user folder
  for user in "$WINEPREFIX"/drive_c/users/*; do
    for folder in Desktop Documents Downloads Music Pictures Videos; do
      if [ -L "$user/$folder" ]; then
        rm -f -- "$user/$folder"
        mkdir -p -- "$user/$folder"
      fi
    done
  done
}

# wine with a prefix of its own under the build tree, created on first use, and
# one wineserver for the whole run so that every program starts quickly.
# With "virtual-desktop" (tests), and in "auto" mode on a display of our own or
# one without a window manager, wine shows its windows inside one desktop
# window: without a manager, wine's windows have no frame and each hide waits
# for a manager that is not there. With a manager, the windows are left to it.
start_wine() {
  local desktop=${1:-auto}
  export WINEPREFIX=$BUILD/wineprefix
  wine_environment
  ensure_display
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    log "creating the wine prefix"
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1
    wineserver -w
  fi
  own_user_folders
  # A wineserver already serving this prefix is left to whoever started it.
  if wineserver -p 2>/dev/null; then STARTED_WINESERVER=1; fi
  # These first wine programs also start wine's own services, detached from any
  # output: started by the first test instead, they would inherit its output
  # pipe and ctest would wait for them until the time-out. (wineboot is not
  # called for it: it would also start the programs of the autorun key, a
  # control centre among them.)
  if [ "$desktop" = virtual-desktop ] || [ -n "$STARTED_XVFB" ] || ! window_manager_runs; then
    wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f </dev/null >/dev/null 2>&1 || true
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1280x1024 /f </dev/null >/dev/null 2>&1 || true
  else
    wine reg delete 'HKCU\Software\Wine\Explorer' /v Desktop /f </dev/null >/dev/null 2>&1 || true
  fi
}
