#!/usr/bin/env bash
# Sets up the machine (first run only), builds everything, and runs every test
# under Wine on a virtual display of its own. Extra arguments go to ctest.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

bash "$ROOT/scripts/setup.sh"
build_project

export WINEPREFIX="$BUILD_DIR/wineprefix"
cleanup() {
  wineserver -k 2>/dev/null || true
  stop_virtual_display
}
trap cleanup EXIT
start_virtual_display
ensure_wine_prefix
# Xvfb has no window manager, and Wine waits two seconds for one to withdraw
# every top-level window that hides (each closed dialog): the test prefix
# keeps its windows unmanaged instead.
if ! grep -q '"Managed"="N"' "$WINEPREFIX/user.reg" 2>/dev/null; then
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
fi
ctest --test-dir "$BUILD_DIR" --output-on-failure "$@"
