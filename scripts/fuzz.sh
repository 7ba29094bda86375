#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (AddressSanitizer +
# UndefinedBehaviorSanitizer, build-fuzz/) and runs each for SECONDS
# (default 60), one after the other, starting from its seeds in
# tests/fuzz/<target>/. New inputs go to build-fuzz/corpus/<target>/; a
# crash leaves crash-* in build-fuzz/findings/<target>/ and fails the run.
# Keep a crashing input as a regression case by copying it into
# tests/fuzz/<target>/ once the fault is fixed: fuzz_replay.<target> in
# ctest then replays it in every build.
#   scripts/fuzz.sh [SECONDS] [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-60}"
shift || true
targets=("$@")
if [[ ${#targets[@]} -eq 0 ]]; then
  targets=(plan_file settings calibration frames png jpeg jpeg2000 version_file sim_config)
fi

bash scripts/install-deps.sh --fuzz
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$PWD}"
if [[ ! -f build-fuzz/build.ninja ]]; then
  launcher=()
  if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
  fi
  CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVANTO_SANITIZE=address -DVANTO_FUZZ=ON "${launcher[@]}" >/dev/null
fi
ninja -C build-fuzz -j"${JOBS:-2}" "${targets[@]/#/fuzz_}"

export ASAN_OPTIONS="detect_leaks=1:halt_on_error=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
status=0
for target in "${targets[@]}"; do
  # Absolute names: the targets work in a folder of their own.
  corpus="$PWD/build-fuzz/corpus/$target"
  findings="$PWD/build-fuzz/findings/$target"
  mkdir -p "$corpus" "$findings"
  echo "== $target: ${seconds}s"
  # -rss_limit_mb: the loaders bound their memory well below this.
  # The run's own status is not needed: what it found is in $findings.
  build-fuzz/tests/fuzz/fuzz_"$target" -max_total_time="$seconds" -rss_limit_mb=2048 \
    -timeout=10 -print_final_stats=1 -artifact_prefix="$findings/" \
    "$corpus" "$PWD/tests/fuzz/$target" >"build-fuzz/findings/$target.log" 2>&1 || true
  grep -E 'stat::number_of_executed_units|Done [0-9]+ runs|ERROR|SUMMARY' \
    "build-fuzz/findings/$target.log" || true
  if ls "$findings"/crash-* "$findings"/leak-* "$findings"/timeout-* "$findings"/oom-* \
      >/dev/null 2>&1; then
    echo "   findings kept in $findings"
    status=1
  fi
done
exit $status
