#!/usr/bin/env bash
# Sets up, builds, and runs every benchmark program (they print their figures).
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
cd "$BUILD_DIR/out"
for bench in bench_*.exe; do
  [ "$#" -gt 0 ] && [[ " $* " != *" ${bench%.exe} "* ]] && continue
  wine "./$bench"
done
