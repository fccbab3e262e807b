#!/usr/bin/env bash
# Regenerates the program's .ico files from their SVG sources in resources/icons/.
# The build uses the committed .ico files; run this only after editing an SVG.
#
# Each icon is rendered once per size straight from its vector source (no
# resampling of a bitmap) by librsvg's rsvg-convert, the SVG reader that
# ImageMagick itself delegates to (Debian: librsvg2-bin); it is called directly
# because ImageMagick's delegate always renders at the SVG's own size.
# NAME-SIZE.svg, when present, is a version hand-tuned for that size, otherwise
# NAME.svg is used. ImageMagick then packs the sizes into NAME.ico (32-bit
# images with alpha; sizes of 256 are stored as PNG).
#
# Usage: bash scripts/make_icons.sh [--preview]
#   --preview also writes build/icon-previews/NAME-SIZE.png, each size laid on
#   the dark grey of the program's windows, for a look at the result.
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
ICONS="$ROOT/resources/icons"
PREVIEW_DIR="$ROOT/build/icon-previews"
WINDOW_GREY="#404040"

# name: sizes
ICON_SIZES=(
  "trefoil: 16 24 32"
  "padlock_open: 24"
  "padlock_closed: 24"
  "window_table: 32"
  "question_disc: 32"
  "mask: 24"
  "dice: 24"
  "red_cross: 32"
  "history_clock: 32"
  "disk: 32"
  "folder_open: 32"
  "disk_check: 32"
  "logo: 256"
  "scan_slices: 128"
  "gear_code: 128"
)

preview=0
[ "${1:-}" = "--preview" ] && preview=1

ensure_tools() {
  command -v convert >/dev/null && command -v rsvg-convert >/dev/null && return 0
  echo "make_icons: installing imagemagick and librsvg2-bin" >&2
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo=sudo
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
    imagemagick librsvg2-bin >/dev/null
}

source_for() {  # name size
  if [ -f "$ICONS/$1-$2.svg" ]; then echo "$ICONS/$1-$2.svg"; else echo "$ICONS/$1.svg"; fi
}

ensure_tools
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
[ $preview -eq 1 ] && mkdir -p "$PREVIEW_DIR"

for entry in "${ICON_SIZES[@]}"; do
  name=${entry%%:*}
  read -r -a sizes <<<"${entry#*:}"
  frames=()
  for size in "${sizes[@]}"; do
    src=$(source_for "$name" "$size")
    frame="$work/$name-$size.png"
    rsvg-convert --width "$size" --height "$size" --format png --output "$frame" "$src"
    frames+=("$frame")
    if [ $preview -eq 1 ]; then
      convert -size "${size}x${size}" "xc:$WINDOW_GREY" "$frame" -composite \
        "$PREVIEW_DIR/$name-$size.png"
    fi
  done
  convert "${frames[@]}" -define png:exclude-chunks=date,time "$ICONS/$name.ico"
  echo "$name.ico: ${sizes[*]}"
done
