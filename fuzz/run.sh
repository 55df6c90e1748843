#!/usr/bin/env bash
# Runs the fuzz targets of a SORARIO_FUZZ build.
#
#   fuzz/run.sh BUILD SECONDS   fuzz each target for SECONDS, starting from its
#                               committed corpus; FUZZ_MERGE=1 adds inputs that
#                               reach new code to fuzz/corpus/<target>
#   fuzz/run.sh --regress BUILD run each target once over its committed corpus
#
# Findings are written to BUILD/fuzz-artifacts/; the run fails on the first one.
#
# FUZZ_TARGETS, names apart by blanks, runs only those. The targets run as on a teacher's Windows machine: a 1 MiB stack (FUZZ_STACK_KB)
# and FUZZ_MEMORY_MB of memory, past which an input is a finding.
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
all=(fuzz_loader fuzz_decoder fuzz_codec fuzz_settings fuzz_convert fuzz_print fuzz_csv fuzz_history fuzz_marks fuzz_editor fuzz_moodle fuzz_gift fuzz_kinds)
read -r -a targets <<<"${FUZZ_TARGETS:-${all[*]}}"

regress=0
if [[ "${1:-}" == "--regress" ]]; then
  regress=1
  shift
fi
build="${1:?build directory}"
seconds="${2:-60}"
artifacts="$build/fuzz-artifacts"
mkdir -p "$artifacts"
ulimit -s "${FUZZ_STACK_KB:-1024}"
memory="${FUZZ_MEMORY_MB:-500}"
# AddressSanitizer holds up to 256 MB of freed memory by default, which the memory
# limit would count as the reader's own.
export ASAN_OPTIONS="quarantine_size_mb=16${ASAN_OPTIONS:+:$ASAN_OPTIONS}"

status=0
for t in "${targets[@]}"; do
  exe="$build/fuzz/$t"
  corpus="$here/corpus/$t"
  log="$artifacts/$t.log"
  common=(-artifact_prefix="$artifacts/$t-" -rss_limit_mb="$memory" -malloc_limit_mb="$memory" -print_final_stats=1)
  start=$SECONDS
  rc=0
  if (( regress )); then
    # Every committed input once; a slow machine still gets a generous per-input limit.
    "$exe" "${common[@]}" -timeout=60 -runs=0 "$corpus" >"$log" 2>&1 || rc=$?
  else
    # Inputs stay within libFuzzer's usual 4 KiB, which reaches every rule of a
    # file's bytes; the larger committed seeds (whole real files) run whole in
    # the regression run.
    work="$build/fuzz-corpus/$t"
    mkdir -p "$work"
    "$exe" "${common[@]}" -timeout=10 -max_len=4096 -max_total_time="$seconds" "$work" "$corpus" >"$log" 2>&1 || rc=$?
    if (( rc == 0 )) && [[ "${FUZZ_MERGE:-0}" == 1 ]]; then
      "$exe" -merge=1 "$corpus" "$work" >>"$log" 2>&1
    fi
  fi
  runs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)"
  if (( rc != 0 )); then
    status=1
    verdict="FAILED, see $log"
  else
    verdict=ok
  fi
  printf '%-14s %10s executions %4ds  %s\n' "$t" "${runs:-?}" $((SECONDS - start)) "$verdict"
done
exit $status
