#!/usr/bin/env bash
# Sets up, builds, and runs every benchmark program (they print their figures).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

bash "$ROOT/scripts/setup.sh"
build_project

enter_test_session
cd "$BUILD_DIR/out"
for bench in bench_*.exe; do
  [ "$#" -gt 0 ] && [[ " $* " != *" ${bench%.exe} "* ]] && continue
  wine "./$bench"
done
