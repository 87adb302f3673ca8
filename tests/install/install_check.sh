#!/usr/bin/env bash
# cmake --install into a scratch prefix, then the installed programs run from it: the files
# in place, the desktop entry naming installed files, and the installed tool and program
# keeping their settings in the user's directory although root may write to the bin folder.
#   install_check.sh BUILD_DIR
set -uo pipefail
BUILD=$(cd "$1" && pwd)
W=$BUILD/tests/install/work
P=$W/prefix
rm -rf "$W"
mkdir -p "$W"
failures=0
check() { # check WHAT COMMAND...
    local what=$1
    shift
    if "$@"; then
        echo "ok   $what"
    else
        echo "FAIL $what"
        failures=$((failures + 1))
    fi
}

if ! cmake --install "$BUILD" --prefix "$P" >"$W/install.log" 2>&1; then
    cat "$W/install.log"
    echo "FAIL cmake --install"
    exit 1
fi

for f in bin/o2aerolis bin/o2aerolis-cli bin/o2aerolis-sim; do
    check "$f executable" test -x "$P/$f"
done
for f in share/applications/o2aerolis.desktop \
    share/icons/hicolor/scalable/apps/o2aerolis.svg \
    share/icons/hicolor/256x256/apps/o2aerolis.png \
    share/icons/hicolor/64x64/apps/o2aerolis.png \
    share/icons/hicolor/32x32/apps/o2aerolis.png \
    share/doc/o2aerolis/README.md \
    share/doc/o2aerolis/examples/o2aerolis-watch.service \
    share/doc/o2aerolis/examples/o2aerolis-health.service \
    share/doc/o2aerolis/examples/o2aerolis-health.timer; do
    check "$f" test -s "$P/$f"
done
desktop=$P/share/applications/o2aerolis.desktop
exe=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
icon=$(sed -n 's/^Icon=//p' "$desktop")
check "desktop Exec names an installed program" test -x "$P/bin/$exe"
check "desktop Icon names an installed icon" test -s "$P/share/icons/hicolor/256x256/apps/$icon.png"
# PNG width and height, big-endian, after the signature and the IHDR header.
size=$(od -An -tx1 -j16 -N8 "$P/share/icons/hicolor/256x256/apps/o2aerolis.png" | tr -d ' \n')
check "256 px icon" test "$size" = 0000010000000100
check "service runs the installed tool" \
    grep -q "^ExecStart=$P/bin/o2aerolis-cli " "$P/share/doc/o2aerolis/examples/o2aerolis-watch.service"
check "health check runs the installed tool" \
    grep -q "^ExecStart=$P/bin/o2aerolis-cli .* health$" "$P/share/doc/o2aerolis/examples/o2aerolis-health.service"

check "o2aerolis-cli --help" bash -c "'$P/bin/o2aerolis-cli' --help >'$W/cli-help.txt' 2>&1"
check "o2aerolis-sim --help" bash -c "'$P/bin/o2aerolis-sim' --help >'$W/sim-help.txt' 2>&1"

# A user of the installed programs, with a home of their own.
export HOME=$W/home
export XDG_DATA_HOME=$HOME/.local/share XDG_CONFIG_HOME=$HOME/.config
export XDG_RUNTIME_DIR=$W/run
mkdir -p -m 700 "$XDG_RUNTIME_DIR"
USERDIR=$XDG_DATA_HOME/O2-Humivo/o2aerolis

coproc SIM { exec "$P/bin/o2aerolis-sim" --port 0 --plants 1-2 --log 2>"$W/sim.log"; }
SIM_PID=$SIM_PID
trap 'kill "$SIM_PID" 2>/dev/null; wait "$SIM_PID" 2>/dev/null' EXIT
port=
read -t 20 -r word port <&"${SIM[0]}" || true
check "simulator on a port" test -n "$port"

mkdir -p "$USERDIR"
printf '[COM]\r\nLAYER=1\r\nNETADR=127.0.0.1\r\nNETPORT=%s\r\nTIMEOUT=40\r\n' "$port" \
    >"$USERDIR/O2_Aerolis.ini"
"$P/bin/o2aerolis-cli" plants >"$W/plants.txt" 2>&1
rc=$?
check "installed tool reads the user's settings (rc $rc)" test $rc -eq 0
check "installed tool finds plants 1 and 2" \
    test "$(grep -cE '^[12][[:space:]]' "$W/plants.txt")" -eq 2
check "nothing written beside the installed programs" \
    bash -c "! ls '$P/bin' | grep -qiv '^o2aerolis'"

# The program offscreen: still running after a few seconds, talking to the plants it was
# told about in the same settings file.
before=$(grep -c '^<' "$W/sim.log")
QT_QPA_PLATFORM=offscreen timeout 4 "$P/bin/o2aerolis" >"$W/gui.log" 2>&1
rc=$?
after=$(grep -c '^<' "$W/sim.log")
check "program runs offscreen until stopped (rc $rc)" test $rc -eq 124
check "program polls the plants of the user's settings" test "$after" -gt "$before"
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$P/bin/o2aerolis" >"$W/nodisplay.log" 2>&1
rc=$?
check "program without a display says so (rc $rc)" \
    bash -c "test $rc -eq 1 && grep -q 'No display' '$W/nodisplay.log'"

if [ $failures -eq 0 ]; then
    echo "PASS install check"
    exit 0
fi
echo "FAIL install check: $failures"
for f in plants.txt gui.log; do
    echo "--- $f"
    head -40 "$W/$f"
done
exit 1
