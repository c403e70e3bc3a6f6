# Installs a finished build into a temporary prefix and checks what lands there: exactly the
# expected files (no test program among them), the desktop entry and the AppStream metadata
# passing their validators, the man pages free of roff warnings, and every installed command
# answering --help and --version, and refusing an unknown option with status 2, with no display;
# norvane also answers --list-ports. Sourced by scripts/test; needs desktop-file-utils, appstream
# and groff-base. Returns non-zero at the first check that fails.

# The commands of packaging/commands.txt, one a line.
norvane_commands() {
  sed -n 's/^\([^# ][^ ]*\) .*/\1/p' packaging/commands.txt
}

# Each command and its page, and what the program installs once.
norvane_installed_files() {
  local command
  for command in $(norvane_commands); do
    printf '%s\n' "bin/$command" "share/man/man1/$command.1.gz"
  done
  printf '%s\n' \
    share/applications/org.norvane.Norvane.desktop \
    share/doc/norvane/changelog.Debian.gz \
    share/doc/norvane/changelog.gz \
    share/doc/norvane/copyright \
    share/icons/hicolor/64x64/apps/org.norvane.Norvane.png \
    share/icons/hicolor/scalable/apps/org.norvane.Norvane.svg \
    share/lintian/overrides/norvane \
    share/metainfo/org.norvane.Norvane.metainfo.xml
}

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

  if ! diff -u <(norvane_installed_files | sort) \
      <(cd "$prefix" && find . -type f -o -type l | sed 's|^\./||' | sort); then
    echo "install check: the installed files (+) differ from the expected ones (-)" >&2
    return 1
  fi

  desktop-file-validate "$prefix/share/applications/org.norvane.Norvane.desktop" || return 1
  appstreamcli validate --no-net "$prefix/share/metainfo/org.norvane.Norvane.metainfo.xml" || return 1
  local page warnings
  for page in "$prefix"/share/man/man1/*.1.gz; do
    warnings="$(zcat "$page" | groff -man -Tutf8 -ww -z 2>&1)"
    if [ -n "$warnings" ]; then
      echo "install check: $page: $warnings" >&2
      return 1
    fi
  done

  local program option status
  for program in $(norvane_commands); do
    for option in --version --help; do
      _norvane_without_display "$prefix/bin/$program" "$option" >/dev/null || return 1
    done
    status=0
    _norvane_without_display "$prefix/bin/$program" --bogus >/dev/null 2>&1 || status=$?
    if [ "$status" -ne 2 ]; then
      echo "install check: $program --bogus exited with $status, not 2" >&2
      return 1
    fi
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
