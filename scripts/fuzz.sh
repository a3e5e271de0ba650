#!/usr/bin/env bash
# Long fuzzing runs of the readers of untrusted files (see fuzz/).
#
#   scripts/fuzz.sh [TARGET...] [--time SECONDS | --runs N] [--jobs 1|2]
#
# TARGET is datapacket, connections, textfiles or datetext (all when none is
# given); each runs for SECONDS (600 by default) or N executions, one after the
# other. Each target grows its corpus in build/fuzz/fuzz/corpus/<target>, read
# together with the committed seeds of fuzz/corpus/<target> (which it never
# writes). A finding is kept in build/fuzz/fuzz/artefacts/ and ends its run;
# the script then goes on with the next target and exits non-zero at the end.
. "$(dirname "$0")/lib.sh"

ALL_TARGETS=(datapacket connections textfiles datetext)
declare -A MAX_LEN=([datapacket]=16384 [connections]=8192 [textfiles]=8192 [datetext]=256)

targets=()
limit=(-max_total_time=600)
jobs=1
while [ $# -gt 0 ]; do
  case $1 in
    --time) limit=(-max_total_time="$2"); shift 2 ;;
    --runs) limit=(-runs="$2"); shift 2 ;;
    --jobs)
      jobs=$2
      shift 2
      if [ "$jobs" != 1 ] && [ "$jobs" != 2 ]; then
        log "--jobs is 1 or 2: the machine has two cores"
        exit 2
      fi
      ;;
    -h|--help) sed -n '2,12p' "$0"; exit 0 ;;
    *)
      if [ -z "${MAX_LEN[$1]:-}" ]; then
        log "unknown target $1 (one of: ${ALL_TARGETS[*]})"
        exit 2
      fi
      targets+=("$1")
      shift
      ;;
  esac
done
[ ${#targets[@]} -gt 0 ] || targets=("${ALL_TARGETS[@]}")

ensure_packages
build_fuzz

# A small quarantine keeps ASan's allocator from touching fresh memory on every
# allocation (several times faster here), and still catches a use after free
# within one execution.
export ASAN_OPTIONS=${ASAN_OPTIONS:-quarantine_size_mb=16:malloc_context_size=10}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1}
export ASAN_SYMBOLIZER_PATH=${ASAN_SYMBOLIZER_PATH:-$(command -v llvm-symbolizer-14 || true)}

dir=$BUILD/fuzz/fuzz
failed=()
summary=()
for target in "${targets[@]}"; do
  corpus=$dir/corpus/$target
  logs=$dir/logs/$target
  mkdir -p "$corpus" "$logs" "$dir/artefacts"
  rm -f "$logs"/fuzz-*.log
  parallel=()
  [ "$jobs" = 2 ] && parallel=(-jobs=2 -workers=2)
  log "fuzzing $target (${limit[*]}, $jobs worker(s)); log in $logs"
  started=$(date +%s)
  rc=0
  (cd "$logs" && "$dir/${target}_fuzz" "${limit[@]}" "${parallel[@]}" -max_len="${MAX_LEN[$target]}" -timeout=10 \
      -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$dir/artefacts/$target-" \
      "$corpus" "$ROOT/fuzz/corpus/$target" >"$logs/run.log" 2>&1) || rc=$?
  seconds=$(( $(date +%s) - started ))
  # With -jobs each worker writes fuzz-<n>.log (which run.log repeats); their
  # executions add up.
  shopt -s nullglob
  stats=("$logs"/fuzz-*.log)
  shopt -u nullglob
  [ ${#stats[@]} -gt 0 ] || stats=("$logs/run.log")
  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "${stats[@]}" | awk '{s += $1} END {print s + 0}')
  line="$target: $executions executions in ${seconds}s, corpus $(find "$corpus" -type f | wc -l) files"
  if [ $rc -ne 0 ]; then
    line+=", FINDING (exit $rc; see $logs/run.log and $dir/artefacts/)"
    failed+=("$target")
  fi
  summary+=("$line")
done

printf '%s\n' "${summary[@]}"
[ ${#failed[@]} -eq 0 ]
