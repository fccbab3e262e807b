# Shared by the project's scripts: build folder, cross build, virtual display.
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD_DIR=${BUILD_DIR:-$ROOT/build}
export LANG=${LANG:-C.UTF-8}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

build_project() {
  cmake -S "$ROOT" -B "$BUILD_DIR" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-i686.cmake" \
        -DCMAKE_BUILD_TYPE=Release >"$BUILD_DIR.configure.log" 2>&1 ||
    { cat "$BUILD_DIR.configure.log" >&2; return 1; }
  cmake --build "$BUILD_DIR" -j"$(nproc)" -- --no-print-directory
}

XVFB_PID=""
# Starts Xvfb on a free display and exports DISPLAY.
start_virtual_display() {
  local fifo display
  fifo=$(mktemp -u /tmp/dq-xvfb.XXXXXX)
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  XVFB_PID=$!
  read -r display <"$fifo"
  rm -f "$fifo"
  export DISPLAY=":$display"
}

stop_virtual_display() {
  if [ -n "$XVFB_PID" ]; then
    kill "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
    XVFB_PID=""
  fi
}

# Makes the Wine prefix named by WINEPREFIX when it doesn't exist yet.
ensure_wine_prefix() {
  local prefix=${WINEPREFIX:-$HOME/.wine}
  if [ ! -f "$prefix/system.reg" ]; then
    echo "Creating the Wine prefix $prefix (first run only)" >&2
    wineboot --init >/dev/null 2>&1 || true
    wineserver -w 2>/dev/null || true
  fi
}

# For the tests' prefix: Xvfb has no window manager, and with unmanaged windows
# Wine doesn't wait two seconds for one each time a window hides or closes.
use_unmanaged_windows() {
  local prefix=${WINEPREFIX:-$HOME/.wine}
  if ! grep -q '^"Managed"="N"' "$prefix/user.reg" 2>/dev/null; then
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
    wineserver -w 2>/dev/null || true
  fi
}

# Gives the build's programs the tests' Wine prefix and a virtual display of
# their own, both ended when the calling script exits.
enter_test_session() {
  export WINEPREFIX="$BUILD_DIR/wineprefix"
  trap leave_test_session EXIT
  start_virtual_display
  ensure_wine_prefix
  use_unmanaged_windows
}

leave_test_session() {
  wineserver -k 2>/dev/null || true
  stop_virtual_display
}
