#!/usr/bin/env bash
# Starts the program on a demo directory, talking over TCP to the controller simulator.
# Needs a display; without one it says so.
#   tools/demo.sh BUILD_DIR [program args]
set -euo pipefail
BUILD=$1
shift || true
# --headless: the command-line tool instead of the window, for one status cycle and one
# readout of every running pile.
HEADLESS=0
if [ "${1:-}" = "--headless" ]; then
    HEADLESS=1
    shift
fi
ROOT=$(cd "$(dirname "$0")/.." && pwd)
DEMO=${O2_DEMO_DIR:-$ROOT/demo}
mkdir -p "$DEMO"
if [ "$HEADLESS" = 0 ] && [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "No display found (DISPLAY is not set). Start the demo from a desktop session," >&2
    echo "or run it under Xvfb:  xvfb-run -a ./run.sh demo" >&2
    exit 1
fi

SIM="$BUILD/sim/o2aerolis-sim"
# O2_DEMO_APP runs another program of the build on the demo directory instead (the
# screenshots take theirs this way).
APP=${O2_DEMO_APP:-$BUILD/app/o2aerolis}
CLI="$BUILD/cli/o2aerolis-cli"
[ "$HEADLESS" = 1 ] && APP="$CLI"
for exe in "$SIM" "$APP"; do
    if [ ! -x "$exe" ]; then
        echo "Not built: $exe" >&2
        exit 1
    fi
done

# Plants 1, 2 and 4 run piles of different ages with records in their memories, 3 is
# absent, 5 is connected but switched off. Ten simulated minutes pass every second. The
# simulator logs every frame and reply to simulator.log in the demo directory.
PORTFILE=$(mktemp "${TMPDIR:-/tmp}/o2sim-port.XXXXXX")
"$SIM" --port 0 --time-factor 10 --seed "${O2_DEMO_SEED:-1}" \
    --plant 1:on,storing,mode=3,records=120,age=3 \
    --plant 2:on,storing,mode=2,records=60,age=1 \
    --plant 4:on,storing,mode=3,records=400,age=9 \
    --plant 5:off --log \
    >"$PORTFILE" 2>"$DEMO/simulator.log" &
SIM_PID=$!
cleanup() {
    kill "$SIM_PID" 2>/dev/null || true
    wait "$SIM_PID" 2>/dev/null || true
    rm -f "$PORTFILE"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

PORT=
for _ in $(seq 100); do
    PORT=$(sed -n 's/^port \([0-9][0-9]*\).*/\1/p' "$PORTFILE")
    [ -n "$PORT" ] && break
    kill -0 "$SIM_PID" 2>/dev/null || break
    sleep 0.05
done
if [ -z "$PORT" ]; then
    echo "The simulator did not start; see $DEMO/simulator.log" >&2
    exit 1
fi
echo "Simulator on 127.0.0.1:$PORT (log: $DEMO/simulator.log)"

# The settings file: point the link at the simulator and keep everything else. A new file
# also gets names for the first two plants. Lines end CR LF like the program writes them.
INI="$DEMO/O2_Aerolis.ini"
if [ ! -f "$INI" ]; then
    printf '[COM]\r\n[1]\r\nName=Miete-Nord\r\nKomm=Gruenschnitt\r\n[2]\r\nName=Miete-Sued\r\nKomm=Bioabfall\r\n' >"$INI"
fi
awk -v port="$PORT" '
    function com() { printf "LAYER=1\r\nNETADR=127.0.0.1\r\nNETPORT=%s\r\n", port }
    { sub(/\r$/, "") }
    /^[ \t]*\[/ { insection = (tolower($0) ~ /^[ \t]*\[com\][ \t]*$/) }
    insection && tolower($0) ~ /^[ \t]*(layer|netadr|netport)[ \t]*=/ { next }
    { printf "%s\r\n", $0 }
    /^[ \t]*\[/ && insection { com(); done = 1 }
    END { if (!done) { printf "[COM]\r\n"; com() } }
' "$INI" >"$INI.new"
mv "$INI.new" "$INI"

if [ "$HEADLESS" = 1 ]; then
    echo "== One status cycle over all plants"
    "$CLI" --dir "$DEMO" status "$@"
    echo "== Readout of every running pile"
    "$CLI" --dir "$DEMO" readout all
    echo "Measurement files and settings are in $DEMO"
    exit 0
fi
"$APP" --dir "$DEMO" "$@"
