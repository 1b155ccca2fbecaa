# The fuzz targets' runs, shared by scripts/test (a short, fixed run) and scripts/fuzz (long runs).
# Sourced after common.sh, once build_fuzz has built build/fuzz.

FUZZ_BIN="$BUILD_FUZZ/fuzz"
FUZZ_SEEDS="$BUILD_FUZZ/seeds"
FUZZ_FINDINGS="$BUILD_FUZZ/findings"
# A single allocation beyond 256 MiB is a finding: no file of a few kilobytes may ask for it.
FUZZ_LIMITS=(-max_len=8192 -malloc_limit_mb=256 -rss_limit_mb=2048 -timeout=10)

# One target per fuzz/*Fuzzer.cpp, named as its source.
fuzz_targets() {
  local source
  for source in "$TOLLWARD_ROOT"/fuzz/*Fuzzer.cpp; do
    basename "$source" .cpp
  done
}

# The generated seeds, written afresh so that they always match the formats as built.
make_fuzz_seeds() {
  rm -rf "$FUZZ_SEEDS"
  "$FUZZ_BIN/SeedCorpus" "$FUZZ_SEEDS"
}

# Runs a target over its working corpus, then the seeds and any committed regression inputs;
# new inputs go to the working corpus only, a failing one to the findings folder.
run_fuzz_target() {  # target, working corpus, log, libFuzzer options...
  local target=$1 work=$2 log=$3
  shift 3
  local corpora=("$work" "$FUZZ_SEEDS/$target")
  [ -d "$TOLLWARD_ROOT/fuzz/regressions/$target" ] &&
    corpora+=("$TOLLWARD_ROOT/fuzz/regressions/$target")
  mkdir -p "$work" "$FUZZ_FINDINGS"
  "$FUZZ_BIN/$target" "${FUZZ_LIMITS[@]}" -print_final_stats=1 \
    -artifact_prefix="$FUZZ_FINDINGS/$target-" "$@" "${corpora[@]}" >"$log" 2>&1
}

# The failing inputs a target has left in the findings folder.
fuzz_findings() {  # target
  find "$FUZZ_FINDINGS" -maxdepth 1 -type f -name "$1-*" 2>/dev/null | sort
}

# Each target for a fixed number of runs from seed 1 over a fresh corpus: quick, and the same
# every time. Prints "fuzz-smoke: N passed, M failed", one pass per target, and leaves the
# counts in FUZZ_PASSED and FUZZ_FAILED.
FUZZ_SMOKE_RUNS=20000
fuzz_smoke() {  # log folder
  FUZZ_PASSED=0
  FUZZ_FAILED=0
  local target log work
  for target in $(fuzz_targets); do
    log="$1/fuzz-smoke-$target.log"
    work="$BUILD_FUZZ/smoke-work/$target"
    rm -rf "$work"
    if run_fuzz_target "$target" "$work" "$log" -runs="$FUZZ_SMOKE_RUNS" -seed=1; then
      FUZZ_PASSED=$((FUZZ_PASSED + 1))
    else
      FUZZ_FAILED=$((FUZZ_FAILED + 1))
      echo "    $target found a failing input:"
      grep -m3 -E '^==[0-9]+==ERROR|==tollward-fuzz==|^SUMMARY|Test unit written' "$log" |
        sed 's/^/      /'
      echo "    (full output: $log)"
    fi
  done
  printf '%-28s %d passed, %d failed\n' "fuzz-smoke:" "$FUZZ_PASSED" "$FUZZ_FAILED"
}
