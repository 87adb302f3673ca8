#!/usr/bin/env bash
# Starts the program on a demo directory. Needs a display; without one it says so.
set -euo pipefail
BUILD=$1
shift || true
ROOT=$(cd "$(dirname "$0")/.." && pwd)
DEMO=${O2_DEMO_DIR:-$ROOT/demo}
mkdir -p "$DEMO"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "No display found (DISPLAY is not set). Start the demo from a desktop session," >&2
    echo "or run it under Xvfb:  xvfb-run -a ./run.sh demo" >&2
    exit 1
fi
exec "$BUILD/app/o2aerolis" --dir "$DEMO" "$@"
