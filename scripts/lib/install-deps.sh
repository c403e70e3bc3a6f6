# Installs the Debian packages the build, the tests and the demo need, when any is missing.
# Sourced by scripts/test and scripts/demo; idempotent and unattended.
norvane_packages=(
  cmake g++ ninja-build pkg-config python3 ccache lld
  qt6-base-dev libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth x11-apps fonts-dejavu-core locales
)

norvane_install_deps() {
  _norvane_install_packages "$@"
  _norvane_decimal_comma_locale
}

# The window tests run under a German locale, whose decimal comma the C library takes over once
# the toolkit starts: a number formatted the locale's way would show up there.
_norvane_decimal_comma_locale() {
  locale -a 2>/dev/null | grep -qix 'de_DE.utf8' && return 0
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo localedef -i de_DE -f UTF-8 de_DE.UTF-8
}

_norvane_install_packages() {
  local missing=()
  local p
  for p in "${norvane_packages[@]}" "$@"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$p")
    fi
  done
  if [ ${#missing[@]} -eq 0 ]; then
    return 0
  fi
  echo "Installing: ${missing[*]}"
  local sudo=""
  if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
  fi
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# Puts ccache in front of the compiler when it is installed: norvane_launcher holds the cmake
# arguments for that (none without ccache). A cache only helps a later build; on a cold one it
# costs little, since depend mode does not preprocess every file a second time.
norvane_use_compiler_cache() {
  norvane_launcher=()
  command -v ccache >/dev/null || return 0
  export CCACHE_DEPEND="${CCACHE_DEPEND:-1}"
  export CCACHE_SLOPPINESS="${CCACHE_SLOPPINESS:-time_macros,include_file_mtime,include_file_ctime}"
  local language
  for language in "$@"; do
    norvane_launcher+=("-DCMAKE_${language}_COMPILER_LAUNCHER=ccache")
  done
}

# Configures ./build (or $NORVANE_BUILD_DIR) with line tables for debug information: enough for a
# stack trace, in two thirds of the time full information takes. Everything is built unless the
# arguments, which go to cmake after these, say otherwise: a build folder configured once without
# some tests gets them back.
norvane_configure() {
  local dir="${NORVANE_BUILD_DIR:-build}"
  norvane_use_compiler_cache CXX
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG" -DNORVANE_WITH_TESTS=ON \
    -DNORVANE_WITH_WINDOW_FREE_TESTS=ON -DNORVANE_WITH_BENCHMARKS=ON "${norvane_launcher[@]}" "$@"
}

# Tests at once for ctest: twice the cores, since most of them wait on a clock, a pseudo-terminal or
# the simulator rather than compute (a suite's CPU time is a third of its time on two cores).
norvane_test_jobs() {
  echo $((2 * ${NORVANE_JOBS:-$(nproc)}))
}

# Configures as above and builds everything.
norvane_build() {
  norvane_configure "$@"
  cmake --build "${NORVANE_BUILD_DIR:-build}" -j "$(nproc)"
}
