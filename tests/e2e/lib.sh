# Shared by the end-to-end scripts: checks that count failures, and a program
# directory that is removed with everything started in it.

failures=0
check() {  # check <description> <command...>
  local what=$1
  shift
  if "$@"; then
    echo "ok   $what"
  else
    echo "FAIL $what"
    failures=$((failures + 1))
  fi
}
equals() { [ "$1" = "$2" ] || { echo "     expected [$2], got [$1]"; return 1; }; }

# The XPath answer of xmllint for a file, without its final line end.
xpath() { xmllint --xpath "$2" "$1" 2>/dev/null; }

new_program_directory() {
  program_dir=$(mktemp -d "${TMPDIR:-/tmp}/tg-e2e-XXXXXX")
  started_pids=()
  trap 'for p in "${started_pids[@]}"; do kill "$p" 2>/dev/null; done; wait 2>/dev/null; rm -rf "$program_dir"' EXIT
}

start_in_program_directory() {  # start_in_program_directory <exe name>
  (cd "$program_dir" && exec wine "./$1" >/dev/null 2>&1) &
  started_pids+=($!)
}

wait_for_files() {  # wait_for_files <seconds> <file...>: true once all exist
  local deadline=$((SECONDS + $1))
  shift
  while [ $SECONDS -lt $deadline ]; do
    local missing=0
    for f in "$@"; do [ -e "$program_dir/$f" ] || missing=1; done
    [ $missing = 0 ] && return 0
    sleep 0.2
  done
  return 1
}

finish() {
  if [ $failures -eq 0 ]; then echo "all checks passed"; else echo "$failures check(s) failed"; fi
  [ $failures -eq 0 ]
}
