#!/usr/bin/env bash
# The pictures of the user guide: the demo's simulated plants, the program's main windows
# under Xvfb, saved to docs/screenshots/ (each at most 1000 px wide), optimised with optipng
# or pngquant when one of them is installed.
#   tools/screenshots.sh [BUILD_DIR]     (default: build)
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=$(cd "${1:-$ROOT/build}" && pwd)
OUT="$ROOT/docs/screenshots"
SHOTS="$BUILD/tools/o2aerolis-shots"
if [ ! -x "$SHOTS" ]; then
    echo "Not built: $SHOTS (cmake --build $BUILD --target o2aerolis-shots)" >&2
    exit 1
fi
command -v xvfb-run >/dev/null || { echo "xvfb-run is missing (apt-get install xvfb xauth)" >&2; exit 1; }
TMP=$(mktemp -d "${TMPDIR:-/tmp}/o2shots.XXXXXX")
trap 'rm -rf "$TMP"' EXIT
# The measurement files' directory shows in the pictures.
WORK="$TMP/kompost"
mkdir -p "$WORK"
mkdir -p "$OUT"

# The demo's plants and simulator; plant 4 holds the oldest pile with the most records.
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
O2_DEMO_DIR="$WORK" O2_DEMO_APP="$SHOTS" \
    xvfb-run -a -s "-screen 0 1280x1024x24" \
    "$ROOT/tools/demo.sh" "$BUILD" --out "$OUT" --plant 4

for png in "$OUT"/*.png; do
    if command -v optipng >/dev/null; then
        optipng -quiet -o5 "$png"
    elif command -v pngquant >/dev/null; then
        pngquant --force --skip-if-larger --output "$png" -- "$png" || true
    fi
done
ls -l "$OUT"
