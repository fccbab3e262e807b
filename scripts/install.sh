#!/usr/bin/env bash
# Sets up the machine (first run only), builds the program and makes the
# folder to copy to a Windows machine: DICOMQuillane.exe and bin/dcmtk/ with
# dcmdump.exe and dcmodify.exe, nothing else.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

if [ "$#" -ne 1 ]; then
  echo "usage: bash scripts/install.sh <folder>" >&2
  exit 2
fi
bash "$ROOT/scripts/setup.sh"
build_project
cmake --install "$BUILD_DIR" --prefix "$1"
