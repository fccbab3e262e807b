#!/usr/bin/env bash
# Sets up the machine (first run only), builds the program and starts it under
# Wine: on $DISPLAY, or on a virtual display when none is set.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

bash "$ROOT/scripts/setup.sh"
build_project

if [ -z "${DISPLAY:-}" ]; then
  start_virtual_display
  echo "No DISPLAY is set: DICOMQuillane runs on the virtual display $DISPLAY (Xvfb)." >&2
  trap stop_virtual_display EXIT
fi
ensure_wine_prefix
wine "$BUILD_DIR/out/DICOMQuillane.exe"
