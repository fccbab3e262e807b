#!/usr/bin/env bash
# Installs what the build and the tests need (Debian packages only) and builds
# the Windows dcmdump.exe / dcmodify.exe from Debian's DCMTK source package.
# Quick and silent when everything is already in place.
set -euo pipefail

DCMTK_VERSION=3.6.7
DCMTK_CACHE=${DCMTK_CACHE:-/var/cache/dicomquillane/dcmtk-${DCMTK_VERSION}-i686}
PACKAGES=(cmake make g++-mingw-w64-i686-posix wine wine64 wine32:i386 xvfb xauth
          googletest dpkg-dev imagemagick x11-utils locales)
# A Linux locale under which Wine's ANSI code page is UTF-8 (65001); the tests
# run the program under it too.
UTF8_LOCALE=hi_IN.UTF-8

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; fi

log() { echo "setup: $*" >&2; }

packages_missing() {
  local p
  for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || return 0
  done
  return 1
}

add_source_entries() {
  # deb-src twin of the machine's own Debian entry, so apt-get source works.
  local src=/etc/apt/sources.list.d/debian.sources
  local dst=/etc/apt/sources.list.d/dicomquillane-src.sources
  [ -f "$dst" ] && return 0
  if [ -f "$src" ]; then
    sed 's/^Types:.*/Types: deb-src/' "$src" | $SUDO tee "$dst" >/dev/null
  elif [ -f /etc/apt/sources.list ]; then
    grep -E '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' | $SUDO tee /etc/apt/sources.list.d/dicomquillane-src.list >/dev/null
  fi
}

install_packages() {
  packages_missing || return 0
  log "installing Debian packages (first run only)"
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $SUDO dpkg --add-architecture i386
  fi
  add_source_entries
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${PACKAGES[@]}" >/dev/null
}

utf8_locale_missing() {
  ! locale -a 2>/dev/null | grep -qix "${UTF8_LOCALE/UTF-8/utf8}"
}

make_utf8_locale() {
  utf8_locale_missing || return 0
  log "generating the locale $UTF8_LOCALE (first run only)"
  local entry="${UTF8_LOCALE} UTF-8"
  if grep -qE "^# *${entry}\$" /etc/locale.gen 2>/dev/null; then
    $SUDO sed -i -E "s/^# *(${entry})\$/\1/" /etc/locale.gen
  elif ! grep -qx "$entry" /etc/locale.gen 2>/dev/null; then
    echo "$entry" | $SUDO tee -a /etc/locale.gen >/dev/null
  fi
  $SUDO locale-gen >/dev/null
}

build_dcmtk() {
  if [ -x "$DCMTK_CACHE/dcmdump.exe" ] && [ -x "$DCMTK_CACHE/dcmodify.exe" ]; then
    return 0
  fi
  log "building DCMTK ${DCMTK_VERSION} for Windows (first run only, a few minutes)"
  add_source_entries
  if ! apt-cache showsrc dcmtk >/dev/null 2>&1 || [ -z "$(apt-cache showsrc dcmtk 2>/dev/null)" ]; then
    $SUDO apt-get update -qq
  fi
  local work
  work=$(mktemp -d /tmp/dcmtk-build.XXXXXX)
  (
    cd "$work"
    apt-get source --download-only dcmtk >/dev/null 2>&1 || apt-get source --download-only dcmtk
    dpkg-source -x --skip-debianization dcmtk_*.dsc src >/dev/null 2>&1 ||
      dpkg-source -x dcmtk_*.dsc src >/dev/null
    local here
    here=$(cd "$(dirname "${BASH_SOURCE[0]}")" 2>/dev/null && pwd || true)
    export WINEPREFIX="$work/wineprefix" WINEDEBUG=-all
    local runtime
    runtime=$(ls /usr/lib/gcc/i686-w64-mingw32/*-posix/libstdc++-6.dll | head -n 1)
    cmake -S src -B build -G "Unix Makefiles" \
      -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" \
      -DCMAKE_BUILD_TYPE=Release \
      -DDCMTK_MODULES="ofstd;oflog;dcmdata" -DBUILD_APPS=ON -DBUILD_SHARED_LIBS=OFF \
      -DCMAKE_EXE_LINKER_FLAGS=-static \
      -DDCMTK_WITH_ZLIB=OFF -DDCMTK_WITH_OPENSSL=OFF -DDCMTK_WITH_PNG=OFF \
      -DDCMTK_WITH_TIFF=OFF -DDCMTK_WITH_XML=OFF -DDCMTK_WITH_ICONV=OFF \
      -DDCMTK_WITH_ICU=OFF -DDCMTK_WITH_SNDFILE=OFF -DDCMTK_WITH_WRAP=OFF \
      -DCPP_RUNTIME="$runtime" >build.log 2>&1 || { tail -n 40 build.log >&2; exit 1; }
    cmake --build build --target dcmdump dcmodify -j"$(nproc)" >>build.log 2>&1 || { tail -n 40 build.log >&2; exit 1; }
    wineserver -k 2>/dev/null || true
    $SUDO mkdir -p "$DCMTK_CACHE"
    $SUDO cp "$(find build -name dcmdump.exe | head -n 1)" "$(find build -name dcmodify.exe | head -n 1)" "$DCMTK_CACHE/"
  )
  rm -rf "$work"
}

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
TOOLCHAIN="$ROOT/cmake/mingw-i686.cmake"
install_packages
make_utf8_locale
build_dcmtk
