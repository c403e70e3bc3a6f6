# Installs the Debian packages the build, the tests and the demo need, when any is missing.
# Sourced by scripts/test and scripts/demo; idempotent and unattended.
norvane_packages=(
  cmake g++ ninja-build pkg-config python3
  qt6-base-dev libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth x11-apps fonts-dejavu-core
)

norvane_install_deps() {
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

# Configures and builds into ./build (or $NORVANE_BUILD_DIR).
norvane_build() {
  local dir="${NORVANE_BUILD_DIR:-build}"
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
  cmake --build "$dir" -j "$(nproc)"
}
