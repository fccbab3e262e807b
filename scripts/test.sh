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
use_unmanaged_windows
ctest --test-dir "$BUILD_DIR" --output-on-failure "$@"
