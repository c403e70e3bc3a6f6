# Installs a finished build into a temporary prefix and checks what lands there: exactly the
# expected files (no test program among them), the desktop entry and the AppStream metadata
# passing their validators, the man pages free of roff warnings, and the installed commands
# answering --help, --version and --list-ports with no display. Sourced by scripts/test; needs desktop-file-utils,
# appstream and groff-base. Returns non-zero at the first check that fails.
norvane_installed_files=(
  bin/norvane
  bin/norvane-sim
  bin/norvane-ttff
  bin/norvane-survey
  share/applications/org.norvane.Norvane.desktop
  share/icons/hicolor/64x64/apps/org.norvane.Norvane.png
  share/icons/hicolor/scalable/apps/org.norvane.Norvane.svg
  share/man/man1/norvane-sim.1
  share/man/man1/norvane-survey.1
  share/man/man1/norvane-ttff.1
  share/man/man1/norvane.1
  share/metainfo/org.norvane.Norvane.metainfo.xml
)

norvane_install_check() {
  local build="${NORVANE_BUILD_DIR:-build}"
  local prefix
  prefix="$(mktemp -d)" || return 1
  _norvane_install_check_in "$build" "$prefix"
  local status=$?
  rm -rf "$prefix"
  return $status
}

_norvane_install_check_in() {
  local build="$1" prefix="$2"
  cmake --install "$build" --prefix "$prefix" >/dev/null || return 1

  if ! diff -u <(printf '%s\n' "${norvane_installed_files[@]}" | sort) \
      <(cd "$prefix" && find . -type f -o -type l | sed 's|^\./||' | sort); then
    echo "install check: the installed files (+) differ from the expected ones (-)" >&2
    return 1
  fi

  desktop-file-validate "$prefix/share/applications/org.norvane.Norvane.desktop" || return 1
  appstreamcli validate --no-net "$prefix/share/metainfo/org.norvane.Norvane.metainfo.xml" || return 1
  local page warnings
  for page in "$prefix"/share/man/man1/*.1; do
    warnings="$(groff -man -Tutf8 -ww -z "$page" 2>&1)"
    if [ -n "$warnings" ]; then
      echo "install check: $page: $warnings" >&2
      return 1
    fi
  done

  local program option
  for program in norvane norvane-sim; do
    for option in --version --help; do
      _norvane_without_display "$prefix/bin/$program" "$option" >/dev/null || return 1
    done
  done
  # A character device stands for a port that is there, a missing path for one that is not.
  local listed
  listed="$(NORVANE_COM3=/dev/null NORVANE_COM4=/nonexistent/norvane-com4 \
    _norvane_without_display "$prefix/bin/norvane" --list-ports)" || return 1
  if ! grep -qx 'COM3 = /dev/null (set by NORVANE_COM3)' <<<"$listed" || grep -q '^COM4 ' <<<"$listed"; then
    echo "install check: norvane --list-ports printed:" >&2
    echo "$listed" >&2
    return 1
  fi
  echo "install check: passed ($("$prefix/bin/norvane" --version))"
}

_norvane_without_display() {
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$@"
}
