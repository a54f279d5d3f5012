#!/usr/bin/env bash
# Builds the Debian package build/package/velloran_<version>_amd64.deb in a fresh build folder,
# with Debian's compiler and linker flags and all their hardening options (dpkg-buildflags).
#
# --check then tries the package on this machine; it installs and purges it, so it needs root
# and is not part of the test run:
#   lintian (fails on errors), apt-get install ./velloran_*.deb, velloran-cli from the installed
#   path, the reading file type as xdg-mime sees it, the installed program under Xvfb (screenshot build/package/check/installed-form.png),
#   apt-get purge velloran, and a comparison of the file lists before installing and after
#   purging.
set -euo pipefail
cd "$(dirname "$0")/.."
check=0
case "${1:-}" in
  --check) check=1 ;;
  "") ;;
  *) echo "usage: scripts/package.sh [--check]" >&2; exit 2 ;;
esac

build_package() {
  scripts/install-deps.sh
  rm -rf build/package
  local cppflags
  export DEB_BUILD_MAINT_OPTIONS=hardening=+all
  cppflags=$(dpkg-buildflags --get CPPFLAGS)
  CFLAGS="$(dpkg-buildflags --get CFLAGS) $cppflags" \
    CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS) $cppflags" \
    LDFLAGS="$(dpkg-buildflags --get LDFLAGS)" \
    cmake --preset package >/dev/null
  cmake --build --preset package -j "$(nproc)"
  cpack --preset package
}

# Every path under the folders a package can write to, except the package manager's own records.
file_list() {
  find /usr /etc /opt /var/lib /var/cache -xdev \
    \( -path /var/lib/dpkg -o -path /var/lib/apt -o -path /var/cache/apt \
       -o -path /var/cache/debconf -o -path /var/cache/man \) -prune -o -print | sort
}

check_cli() {
  local work=$1
  echo "== velloran-cli from the installed path: $(command -v velloran-cli)"
  velloran-cli --version
  velloran-cli new --name "Ann Example" --date 1980-01-15 --time 10:30 --zone 27 \
    --lat 40:43N --lon 74:00W --city "New York" --state NY --country USA -o "$work/ann.vlr"
  velloran-cli export "$work/ann.vlr" -o "$work/ann.txt"
  [ "$(wc -l <"$work/ann.txt")" -eq 33 ] || { echo "export: not 33 lines" >&2; return 1; }
  grep -q "Ann Example" "$work/ann.txt" || { echo "export: the name is missing" >&2; return 1; }
  head -5 "$work/ann.txt"
  velloran --version
  man -w velloran-cli velloran
}

# The reading file type: xdg-mime names it for a saved reading and gives the package's desktop
# entry as the program that opens it.
check_file_type() {
  local work=$1 type default
  echo "== the reading file type"
  mkdir -p "$work/home"
  type=$(cd "$work" && HOME="$work/home" xdg-mime query filetype ann.vlr)
  default=$(HOME="$work/home" xdg-mime query default application/x-velloran-reading)
  echo "ann.vlr: $type, opened by $default"
  [ "$type" = application/x-velloran-reading ] || { echo "ann.vlr is not a reading" >&2; return 1; }
  [ "$default" = velloran.desktop ] || { echo "readings open with '$default'" >&2; return 1; }
}

# Starts the installed program on a virtual display, waits for the birth-data form and takes a
# screenshot of the screen.
check_gui() {
  local work=$1 shot=$2 version=$3
  echo "== $(command -v velloran) under Xvfb"
  mkdir -p "$work/home" "$work/runtime"
  chmod 700 "$work/runtime"
  env -u QT_QPA_PLATFORM HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime" \
    VERSION="$version" SHOT="$shot" \
    xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
      velloran & pid=$!
      form=$(timeout 60 xdotool search --sync --onlyvisible --name "^Velloran v$VERSION\$" |
             head -1)
      status=1
      if [ -n "$form" ]; then
        sleep 2
        import -window root "$SHOT" && status=0
        echo "birth-data form shown: window \"$(xdotool getwindowname "$form")\""
      else
        echo "the birth-data form did not appear" >&2
      fi
      kill "$pid"; wait "$pid" 2>/dev/null
      exit $status'
  echo "screenshot: $shot"
}

check_package() {
  local deb=$1 out=build/package/check work
  rm -rf "$out"
  mkdir -p "$out"
  work=$(mktemp -d)
  trap 'rm -rf "$work"' RETURN
  local version
  version=$(dpkg-deb --field "$deb" Version)
  echo "== dpkg-deb --info"
  dpkg-deb --info "$deb"

  echo "== lintian"
  lintian --display-info --pedantic --fail-on error "$deb" | tee "$out/lintian.txt"
  echo "(lintian: no errors)"

  file_list >"$out/files-before.txt"
  echo "== apt-get install ./$(basename "$deb")"
  DEBIAN_FRONTEND=noninteractive apt-get install -y -q "./$deb"
  dpkg -L velloran | sort >"$out/package-files.txt"

  check_cli "$work"
  check_file_type "$work"
  check_gui "$work" "$PWD/$out/installed-form.png" "$version"

  echo "== apt-get purge velloran"
  DEBIAN_FRONTEND=noninteractive apt-get purge -y -q velloran
  file_list >"$out/files-after.txt"
  comm -13 "$out/files-before.txt" "$out/files-after.txt" >"$out/files-new.txt"
  comm -12 "$out/package-files.txt" "$out/files-new.txt" >"$out/files-left.txt"
  if [ -s "$out/files-new.txt" ]; then
    echo "Paths that appeared between installing and purging (not the package's own):"
    cat "$out/files-new.txt"
  fi
  if [ -s "$out/files-left.txt" ]; then
    echo "The purge left files of the package behind:" >&2
    cat "$out/files-left.txt" >&2
    return 1
  fi
  echo "Purge left none of the package's $(wc -l <"$out/package-files.txt") paths behind."
}

build_package
deb=$(ls build/package/velloran_*_amd64.deb)
ls -l "$deb"
if [ "$check" = 1 ]; then
  check_package "$deb"
  echo "== all package checks passed"
fi
