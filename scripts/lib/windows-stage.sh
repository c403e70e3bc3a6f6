# The window-free code cross-compiled for Windows with mingw-w64 and its tests run under Wine,
# the serial link's Win32 backend included, on a pseudo-terminal posing as COM5.
# Sourced by scripts/test; needs scripts/lib/install-deps.sh sourced first.

norvane_windows_packages=(g++-mingw-w64-x86-64-posix wine64 wine libgtest-dev libgmock-dev python3)

norvane_wine_program() {
  local candidate
  for candidate in /usr/lib/wine/wine64 "$(command -v wine64 || true)" "$(command -v wine || true)"; do
    if [ -n "$candidate" ] && [ -x "$candidate" ]; then
      echo "$candidate"
      return 0
    fi
  done
  return 1
}

# Builds into ./build-windows (or $NORVANE_WINDOWS_BUILD_DIR) and runs its ctest under Wine.
# Fails when Wine cannot start a program here at all: a stage that quietly did nothing would
# read as a pass.
norvane_windows_stage() {
  local dir="${NORVANE_WINDOWS_BUILD_DIR:-build-windows}"
  norvane_install_deps "${norvane_windows_packages[@]}"

  local wine
  if ! wine="$(norvane_wine_program)"; then
    echo "Windows stage failed: no Wine program found after installing wine64" >&2
    return 1
  fi
  mkdir -p "$dir"
  # A prefix of our own beside the build, made once: a fresh one takes a while to set up.
  export WINEPREFIX
  WINEPREFIX="$(cd "$dir" && pwd)/wine-prefix"
  export WINEDEBUG=-all
  # No prompts for the browser and .NET add-ons, which need a display and a download.
  export WINEDLLOVERRIDES="mscoree,mshtml="
  if ! timeout 300 "$wine" cmd /c exit 0 >"$dir/wine-start.log" 2>&1; then
    echo "Windows stage failed: Wine cannot start a program in this environment:" >&2
    tail -n 5 "$dir/wine-start.log" | sed 's/^/  /' >&2
    return 1
  fi

  # No debug information: nothing debugs these programs under Wine, and it halves the build.
  norvane_use_compiler_cache C CXX
  cmake -S tests/windows -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_C_FLAGS_RELEASE="-O1 -DNDEBUG" -DCMAKE_CXX_FLAGS_RELEASE="-O1 -DNDEBUG" \
    -DCMAKE_TOOLCHAIN_FILE="$(pwd)/cmake/mingw-w64.cmake" "${norvane_launcher[@]}"
  cmake --build "$dir" -j "${NORVANE_JOBS:-$(nproc)}"
  local status=0
  ctest --test-dir "$dir" --output-on-failure -j "${NORVANE_JOBS:-$(nproc)}" --timeout 300 || status=$?
  # The prefix's server would linger for a few seconds after the last program; it is ours alone.
  "$(dirname "$wine")/wineserver" -k 2>/dev/null || wineserver -k 2>/dev/null || true
  return "$status"
}
