#!/usr/bin/env bash
# Sets up the machine (first run only), builds everything, and runs every test
# under Wine on a virtual display of its own. Extra arguments go to ctest.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

bash "$ROOT/scripts/setup.sh"
build_project

enter_test_session
ctest --test-dir "$BUILD_DIR" --output-on-failure "$@"
