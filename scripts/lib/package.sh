# Packs a finished build into Norvane's Debian package and has lintian check it. Sourced by
# scripts/package, which packs a build of its own, and by scripts/test, which packs the build its
# tests ran on (packing only: the programs are not built again).

norvane_package_tools=(dpkg-dev file lintian)

# Packs ${NORVANE_BUILD_DIR:-build} with cpack into norvane_<version>_<arch>.deb there, then runs
# lintian on it: any error or warning fails. The package's path is the last line printed.
norvane_pack() {
  local build="${NORVANE_BUILD_DIR:-build}"
  rm -f "$build"/norvane_*.deb
  (cd "$build" && cpack -G DEB >/dev/null) || return 1
  local deb
  deb="$(ls "$build"/norvane_*.deb)" || return 1
  lintian --fail-on error,warning "$deb" || return 1
  echo "lintian: $(basename "$deb") passed"
  echo "$deb"
}
