#!/usr/bin/env bash
# CPU used by the program while it polls 32 simulated plants with its main window open.
#   tools/cpu_poll.sh BUILD_DIR [SECONDS] [program args]
# Starts the simulator with 32 running piles and the program on a scratch directory (under
# Xvfb when it is installed, else on the offscreen platform), lets the teach-in finish, then
# reads the program's CPU time from /proc before and after SECONDS (default 60).
set -euo pipefail
BUILD=$(cd "$1" && pwd)
SECONDS_TO_MEASURE=${2:-60}
shift 2 || shift || true
DIR=$(mktemp -d "${TMPDIR:-/tmp}/o2cpu.XXXXXX")
PORTFILE="$DIR/port"
"$BUILD/sim/o2aerolis-sim" --port 0 --plants 1-32 --time-factor 1 --log >"$PORTFILE" 2>"$DIR/sim.log" &
SIM=$!
APP_PID=
cleanup() {
    [ -n "$APP_PID" ] && kill "$APP_PID" 2>/dev/null || true
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
    xvfb-run -a "$BUILD/app/o2aerolis" --dir "$DIR" "$@" &
    sleep 2
    APP_PID=$(pgrep -n -f "$BUILD/app/o2aerolis --dir $DIR" || true)
else
    QT_QPA_PLATFORM=offscreen "$BUILD/app/o2aerolis" --dir "$DIR" "$@" &
    APP_PID=$!
fi
[ -n "$APP_PID" ] || { echo "the program did not start" >&2; exit 1; }
sleep 8 # teach-in of 32 answering plants, then the poll runs
ticks() { awk '{print $14 + $15}' "/proc/$APP_PID/stat"; }
HZ=$(getconf CLK_TCK)
polls_before=$(grep -c 'c$' "$DIR/sim.log" || true)
before=$(ticks)
sleep "$SECONDS_TO_MEASURE"
after=$(ticks)
polls=$(( $(grep -c 'c$' "$DIR/sim.log" || true) - polls_before ))
echo "status requests answered by the simulator meanwhile: $polls"
awk -v t=$((after - before)) -v hz="$HZ" -v s="$SECONDS_TO_MEASURE" 'BEGIN {
    cpu = t / hz
    printf "CPU %.2f s over %d s of polling = %.2f %% of one core\n", cpu, s, 100 * cpu / s
}'
