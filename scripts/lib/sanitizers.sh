# The window-free code and its tests (the GoogleTest programs, the end-to-end runs of the commands
# against the simulator, the fuzz seeds) built and run with AddressSanitizer and
# UndefinedBehaviorSanitizer. Sourced by scripts/test after the normal build, which leaves those
# tests to this stage; any report fails the test that raised it. The window code and its Qt Test
# programs run in the normal build only: instrumented, they took more than half of this stage's
# time, twice over (compiling Qt's templates with the checkers, and drawing under them), for code
# that mostly hands Qt its numbers.

# Configures and builds ./build-asan (or $NORVANE_ASAN_BUILD_DIR) with the sanitizers on and the
# windows off, then runs ctest there. Extra arguments go to the configure step.
norvane_sanitized_tests() {
  local dir="${NORVANE_ASAN_BUILD_DIR:-build-asan}"
  # -O1 with line tables only: the checkers' reports keep their file and line, and the build
  # takes less than half the time of -O2 with full debug information.
  norvane_use_compiler_cache CXX
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g1" \
    -DNORVANE_SANITIZE=ON -DNORVANE_WITH_UI=OFF -DNORVANE_WITH_BENCHMARKS=OFF "${norvane_launcher[@]}" "$@"
  cmake --build "$dir" -j "${NORVANE_JOBS:-$(nproc)}"

  # Every report stops the program with a failing status; leak checking stays on.
  local asan="halt_on_error=1:detect_leaks=1:detect_stack_use_after_return=1"
  asan+=":strict_string_checks=1:check_initialization_order=1"
  ASAN_OPTIONS="$asan" \
  UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1" \
    ctest --test-dir "$dir" --output-on-failure -j "$(norvane_test_jobs)" --timeout 900
}
