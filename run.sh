#!/usr/bin/env bash
# Set-up, build, test and demo of the composting network PC program.
#   ./run.sh test    install what is missing, build, run every test (also under ASan+UBSan)
#   ./run.sh demo    install what is missing, build, start the simulator and the program
#   ./run.sh build   install what is missing and build
set -euo pipefail
cd "$(dirname "$0")"
ROOT=$PWD
JOBS=${JOBS:-2}

PACKAGES=(cmake ninja-build g++ clang libclang-rt-14-dev
    qt6-base-dev libqt6opengl6-dev qt6-serialport-dev qt6-charts-dev qt6-tools-dev
    qt6-tools-dev-tools qt6-l10n-tools libgl1-mesa-dev libxkbcommon-dev
    fonts-liberation fonts-dejavu-core socat poppler-utils xvfb xauth)

ensure_packages() {
    local missing=()
    for p in "${PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    if [ "$(id -u)" -eq 0 ]; then
        echo "Installing: ${missing[*]}"
        export DEBIAN_FRONTEND=noninteractive
        apt-get update -qq
        apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
    else
        echo "Missing Debian packages. Run:"
        echo "  sudo apt-get install -y ${missing[*]}"
        exit 1
    fi
}

launcher_args() {
    if command -v ccache >/dev/null 2>&1; then
        echo "-DCMAKE_CXX_COMPILER_LAUNCHER=ccache"
    fi
}

build_main() {
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(launcher_args) >/dev/null
    cmake --build build -j"$JOBS"
}

# The core and the simulator with their tests under AddressSanitizer and UBSan, plus the
# libFuzzer targets (clang).
build_sanitized() {
    CC=clang CXX=clang++ cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug \
        -DO2_CORE_ONLY=ON -DO2_SANITIZE=ON -DO2_FUZZ=ON $(launcher_args) >/dev/null
    cmake --build build-asan -j"$JOBS"
}

cmd_test() {
    ensure_packages
    build_sanitized
    echo "== Core tests and fuzz runs under ASan+UBSan"
    (cd build-asan && ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 \
        UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
        ctest --output-on-failure -j"$JOBS")
    build_main
    echo "== All tests"
    (cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$JOBS")
}

cmd_demo() {
    ensure_packages
    build_main
    exec "$ROOT/tools/demo.sh" "$ROOT/build" "$@"
}

case "${1:-}" in
test) cmd_test ;;
demo) shift; cmd_demo "$@" ;;
build) ensure_packages; build_main ;;
*)
    echo "usage: $0 test|demo|build" >&2
    exit 2
    ;;
esac
