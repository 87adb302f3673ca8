#!/usr/bin/env bash
# CPU used by the program with the live display open while it polls 32 simulated plants.
#   tools/cpu_display.sh BUILD_DIR [SECONDS]
# Starts the simulator with 32 running piles and bench_display (the main program, which
# opens the live display once the teach-in is over and prints its own CPU time over
# SECONDS, default 60) under Xvfb when it is installed, else on the offscreen platform.
set -euo pipefail
BUILD=$(cd "$1" && pwd)
SECONDS_TO_MEASURE=${2:-60}
DIR=$(mktemp -d "${TMPDIR:-/tmp}/o2cpu.XXXXXX")
PORTFILE="$DIR/port"
"$BUILD/sim/o2aerolis-sim" --port 0 --plants 1-32 --time-factor 1 >"$PORTFILE" 2>"$DIR/sim.log" &
SIM=$!
cleanup() {
    kill "$SIM" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$DIR"
}
trap cleanup EXIT
for _ in $(seq 100); do
    PORT=$(sed -n 's/^port \([0-9]*\).*/\1/p' "$PORTFILE")
    [ -n "$PORT" ] && break
    sleep 0.05
done
printf '[COM]\r\nLAYER=1\r\nNETADR=127.0.0.1\r\nNETPORT=%s\r\n' "$PORT" >"$DIR/O2_Aerolis.ini"
if command -v xvfb-run >/dev/null 2>&1; then
    xvfb-run -a "$BUILD/bench/bench_display" --dir "$DIR" --seconds "$SECONDS_TO_MEASURE"
else
    QT_QPA_PLATFORM=offscreen "$BUILD/bench/bench_display" --dir "$DIR" --seconds "$SECONDS_TO_MEASURE"
fi
