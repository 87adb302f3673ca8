#!/usr/bin/env bash
# Builds the Debian package, installs it with apt into a fresh Debian 12 root and runs the
# installed programs there: the tool and the simulator, then the program offscreen, as root
# and as a plain user whose settings live in their own directory. Prints PASS or FAIL.
#   tools/package_test.sh [BUILD_DIR]        (default build-pkg; needs root and the mirror)
# The debootstrapped base root is kept as a tarball (and apt's downloads beside it) under
# O2_PKGTEST_CACHE (default /var/tmp/o2aerolis-pkgtest), so a re-run starts from a clean
# copy in seconds. KEEP_ROOT=1 leaves the root of the run in place for a look inside.
set -euo pipefail
cd "$(dirname "$0")/.."
SRC=$PWD
BUILD=$(realpath -m "${1:-$SRC/build-pkg}")
CACHE=${O2_PKGTEST_CACHE:-/var/tmp/o2aerolis-pkgtest}
SUITE=bookworm
BASE=$CACHE/$SUITE-minbase.tar

say() { echo "== $*"; }
die() {
    echo "FAIL: $*"
    exit 1
}
[ "$(id -u)" -eq 0 ] || die "needs root (debootstrap, chroot)"

# The Debian mirror this machine's apt uses, else the public one.
mirror_of() { # mirror_of PATH-SUFFIX DEFAULT
    local uri
    uri=$(cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources \
        2>/dev/null | grep -oE "https?://[^ ]*/$1/?( |$)" | head -1 | tr -d ' ' || true)
    echo "${uri:-$2}"
}
MIRROR=$(mirror_of debian http://deb.debian.org/debian)
SECURITY=$(mirror_of debian-security http://deb.debian.org/debian-security)

need=()
for p in debootstrap dpkg-dev cmake ninja-build; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || need+=("$p")
done
if [ ${#need[@]} -gt 0 ]; then
    say "installing ${need[*]}"
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${need[@]}" >/dev/null
fi

say "building the package in $BUILD"
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S "$SRC" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" >/dev/null
cmake --build "$BUILD" -j"${JOBS:-2}" --target o2aerolis o2aerolis-cli o2aerolis-sim
rm -f "$BUILD"/o2aerolis_*.deb
(cd "$BUILD" && cpack --config CPackConfig.cmake >/dev/null)
DEB=$(ls "$BUILD"/o2aerolis_*.deb)
echo "$DEB"
dpkg-deb -f "$DEB" Package Version Depends

mkdir -p "$CACHE/archives/partial"
if [ ! -s "$BASE" ]; then
    say "debootstrap $SUITE (minbase) from $MIRROR"
    rm -rf "$CACHE/base.tmp"
    debootstrap --variant=minbase "$SUITE" "$CACHE/base.tmp" "$MIRROR" >"$CACHE/debootstrap.log" 2>&1 ||
        die "debootstrap failed, see $CACHE/debootstrap.log"
    tar -C "$CACHE/base.tmp" -cf "$BASE.tmp" . && mv "$BASE.tmp" "$BASE"
    rm -rf "$CACHE/base.tmp"
fi

R=$(mktemp -d "$CACHE/root.XXXXXX")
SIM_PID=
cleanup() {
    [ -n "$SIM_PID" ] && kill "$SIM_PID" 2>/dev/null && wait "$SIM_PID" 2>/dev/null
    for m in var/cache/apt/archives dev/pts proc; do
        mountpoint -q "$R/$m" && umount "$R/$m"
    done
    if [ "${KEEP_ROOT:-0}" = 1 ]; then
        echo "root kept in $R"
    else
        rm -rf "$R"
    fi
}
trap cleanup EXIT

say "fresh root $R"
tar -C "$R" -xf "$BASE"
mount -t proc proc "$R/proc"
mount -t devpts -o newinstance,ptmxmode=0666 devpts "$R/dev/pts"
mount --bind "$CACHE/archives" "$R/var/cache/apt/archives"
cp /etc/resolv.conf "$R/etc/resolv.conf"
cat >"$R/etc/apt/sources.list" <<EOF
deb $MIRROR $SUITE main
deb $MIRROR $SUITE-updates main
deb $SECURITY $SUITE-security main
EOF
in_root() { chroot "$R" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 "$@"; }
as_user() {
    chroot --userspec=tester:tester "$R" env -i PATH=/usr/bin:/bin HOME=/home/tester \
        LANG=C.UTF-8 XDG_RUNTIME_DIR=/tmp/run-tester "$@"
}

say "apt-get install ./$(basename "$DEB") in the fresh root"
cp "$DEB" "$R/tmp/"
in_root apt-get update -qq >/dev/null
in_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
    "/tmp/$(basename "$DEB")" >"$R/tmp/apt.log" 2>&1 || {
    tail -20 "$R/tmp/apt.log"
    die "apt could not install the package"
}
in_root dpkg-query -W -f='${Package} ${Version} ${Status}\n' o2aerolis

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

say "the installed programs"
in_root o2aerolis-cli --help >"$R/tmp/cli-help.txt" 2>&1 && rc=0 || rc=$?
sed -n '1,6p' "$R/tmp/cli-help.txt"
check "o2aerolis-cli --help (rc $rc)" test $rc -eq 0
in_root o2aerolis-sim --help >"$R/tmp/sim-help.txt" 2>&1 && rc=0 || rc=$?
sed -n '1,3p' "$R/tmp/sim-help.txt"
check "o2aerolis-sim --help (rc $rc)" test $rc -eq 0
check "desktop entry and icon" test -s "$R/usr/share/applications/o2aerolis.desktop" \
    -a -s "$R/usr/share/icons/hicolor/256x256/apps/o2aerolis.png"

coproc SIM { exec chroot "$R" /usr/bin/o2aerolis-sim --port 0 --plants 1-2 --log 2>"$R/tmp/sim.log"; }
SIM_PID=$SIM_PID
port=
read -t 20 -r _ port <&"${SIM[0]}" || true
check "simulator listens (port ${port:-none})" test -n "$port"
ini() { printf '[COM]\r\nLAYER=1\r\nNETADR=127.0.0.1\r\nNETPORT=%s\r\nTIMEOUT=40\r\n' "$port"; }

# Root may write to /usr/bin; the installed tool still keeps its settings in root's own
# directory.
mkdir -p "$R/root/.local/share/O2-Humivo/o2aerolis"
ini >"$R/root/.local/share/O2-Humivo/o2aerolis/O2_Aerolis.ini"
in_root o2aerolis-cli plants >"$R/tmp/plants-root.txt" 2>&1 && rc=0 || rc=$?
check "root: o2aerolis-cli plants (rc $rc) finds plants 1 and 2" \
    test $rc -eq 0 -a "$(grep -cE '^[12][[:space:]]+[0-9]+[[:space:]]+present' "$R/tmp/plants-root.txt")" -eq 2

# The watch unit's state directory does not exist on a fresh system: the first start with
# --dir makes it.
in_root o2aerolis-cli --dir /var/lib/o2aerolis plants >/dev/null 2>&1 || true
check "root: --dir /var/lib/o2aerolis created at first start" test -d "$R/var/lib/o2aerolis"
check "example watch unit runs the installed tool" \
    grep -q '^ExecStart=/usr/bin/o2aerolis-cli ' "$R/usr/share/doc/o2aerolis/examples/o2aerolis-watch.service"

# A plain user: the first start creates the user's directory.
in_root useradd -m tester
as_user mkdir -m 700 -p /tmp/run-tester
as_user o2aerolis-cli plants >"$R/tmp/plants-user.txt" 2>&1 && rc=0 || rc=$?
check "user: first start creates ~/.local/share/O2-Humivo/o2aerolis" \
    test -d "$R/home/tester/.local/share/O2-Humivo/o2aerolis"
ini | as_user sh -c 'cat > "$HOME/.local/share/O2-Humivo/o2aerolis/O2_Aerolis.ini"'
as_user o2aerolis-cli plants >"$R/tmp/plants-user.txt" 2>&1 && rc=0 || rc=$?
check "user: o2aerolis-cli plants (rc $rc) finds plants 1 and 2" \
    test $rc -eq 0 -a "$(grep -cE '^[12][[:space:]]+[0-9]+[[:space:]]+present' "$R/tmp/plants-user.txt")" -eq 2

before=$(grep -c '^<' "$R/tmp/sim.log" || true)
as_user env QT_QPA_PLATFORM=offscreen timeout 5 o2aerolis >"$R/tmp/gui.log" 2>&1 && rc=0 || rc=$?
after=$(grep -c '^<' "$R/tmp/sim.log" || true)
check "user: o2aerolis offscreen runs until stopped (rc $rc)" test $rc -eq 124
check "user: the program polls the plants of the same settings ($((after - before)) frames)" \
    test "$after" -gt "$before"
as_user o2aerolis >"$R/tmp/nodisplay.log" 2>&1 && rc=0 || rc=$?
check "user: o2aerolis without a display says so (rc $rc)" \
    bash -c "test $rc -eq 1 && grep -q 'No display' '$R/tmp/nodisplay.log'"
check "nothing written into /usr/bin" \
    bash -c "! ls '$R/usr/bin' | grep -qi 'O2_Aerolis\\|Installation.ini\\|\\.CSV$'"

if [ $failures -eq 0 ]; then
    echo "PASS package test: $(basename "$DEB") installed and ran in a fresh Debian 12 root"
    exit 0
fi
for f in plants-root.txt plants-user.txt gui.log nodisplay.log; do
    echo "--- $f"
    head -20 "$R/tmp/$f"
done
echo "FAIL package test: $failures check(s)"
exit 1
