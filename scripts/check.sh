#!/usr/bin/env bash
# The sanitizer passes, each in its own build folder beside build/:
#   scripts/check.sh --asan   AddressSanitizer + UndefinedBehaviorSanitizer
#                             (GCC), the whole test suite (build-asan/)
#   scripts/check.sh --tsan   ThreadSanitizer (GCC), the Qt-free tests of the
#                             link, the simulator and the acquisition thread
#                             (build-tsan/); Qt itself is not instrumented
#   scripts/check.sh --asan-ci  the ASan + UBSan pass CI runs: every test
#                             that needs no Qt (QT_FREE_TARGETS below)
# With no option: --asan, then --tsan. Any sanitizer report fails the test
# that raised it, and with it the pass.
set -euo pipefail
cd "$(dirname "$0")/.."

export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$PWD}"
jobs="${JOBS:-2}"

configure() {  # folder, sanitizer
  if [[ ! -f "$1/build.ninja" ]]; then
    local launcher=()
    if command -v ccache >/dev/null; then
      launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
    fi
    cmake -S . -B "$1" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DVANTO_SANITIZE="$2" "${launcher[@]}" >/dev/null
  fi
}

# halt_on_error with -fno-sanitize-recover=all: the first report ends the
# test. detect_leaks: LeakSanitizer runs at every test program's exit.
export ASAN_OPTIONS="detect_leaks=1:halt_on_error=1:abort_on_error=0:strict_string_checks=1:detect_stack_use_after_return=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1"
export QT_QPA_PLATFORM=offscreen

# The programs of the tests that need no Qt (label "qt-free:<program>"):
# the core libraries, the link, the simulator and the fuzz corpora.
QT_FREE_TARGETS=(
  foundation_test resources_test layering_test app_core_test menu_test app_dispatch_test
  program_start_test plan_file_commands_test release_check_test release_check_http_test
  display_colours_test demo_test editor_test image_test link_test link_sim_test
  signature_test sim_test testplan_test plan_views_test ui_core_test test_run_test
  main_window_core_test
  fuzz_replay_plan_file fuzz_replay_settings fuzz_replay_calibration fuzz_replay_frames
  fuzz_replay_png fuzz_replay_jpeg fuzz_replay_jpeg2000 fuzz_replay_version_file
  fuzz_replay_sim_config
)

run_asan() {  # "all" or "ci"
  configure build-asan address
  if [[ "$1" == all ]]; then
    ninja -C build-asan -j"$jobs"
    (cd build-asan && ctest --output-on-failure -j"$jobs" --timeout 900)
  else
    ninja -C build-asan -j"$jobs" "${QT_FREE_TARGETS[@]}"
    (cd build-asan && ctest --output-on-failure -j"$jobs" --timeout 900 -L '^qt-free:')
  fi
}

run_tsan() {
  configure build-tsan thread
  ninja -C build-tsan -j"$jobs" link_test link_sim_test sim_test
  # Every test of the link (acquisition thread included), the link against
  # the simulator, and the simulator.
  (cd build-tsan && ctest --output-on-failure -j"$jobs" --timeout 900 \
    -L '^qt-free:(link_test|link_sim_test|sim_test)$')
}

case "${1:-}" in
  --asan) run_asan all ;;
  --asan-ci) run_asan ci ;;
  --tsan) run_tsan ;;
  "") run_asan all; run_tsan ;;
  *) echo "usage: $0 [--asan|--asan-ci|--tsan]" >&2; exit 2 ;;
esac
