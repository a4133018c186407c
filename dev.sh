#!/usr/bin/env bash
# Sets up, builds and runs the KVR6 tuning program on Debian 12.
#   ./dev.sh run    builds and starts the program on-line, against the
#                   simulated unit kvr6-sim on a pseudo-terminal
#   ./dev.sh test   builds and runs every test
#   ./dev.sh asan   builds into build-asan/ with AddressSanitizer and
#                   UndefinedBehaviorSanitizer and runs every test there;
#                   the first finding fails the run
set -euo pipefail
cd "$(dirname "$0")"

PACKAGES=(cmake ninja-build g++ qt6-base-dev qt6-serialport-dev qt6-pdf-dev
          libgtest-dev libgmock-dev fonts-dejavu-core fusefat dosfstools exfat-fuse exfatprogs)

install_packages() {
    local missing=()
    for p in "${PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    echo "Installing: ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
}

build() {
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build build --parallel "$(nproc)"
}

# The sanitizers stop at their first finding (no recovery), so a finding
# fails the test that met it. Leaks are part of AddressSanitizer's report.
asan_build() {
    local flags="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
    cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="$flags" >/dev/null
    cmake --build build-asan --parallel "${KVR6_JOBS:-$(nproc)}"
}

case "${1:-}" in
run)
    install_packages
    build
    # The simulated unit stands in for the hardware: the program's port 1 is
    # the pseudo-terminal kvr6-sim serves, reached through a link in build/.
    port="$PWD/build/kvr6-sim-port"
    [ -L "$port" ] && rm -f "$port"
    build/bin/kvr6-sim --link "$port" >/dev/null &
    sim=$!
    trap 'kill "$sim" 2>/dev/null || true; wait "$sim" 2>/dev/null || true' EXIT
    for _ in $(seq 50); do
        [ -e "$port" ] && break
        kill -0 "$sim" 2>/dev/null || { echo "kvr6-sim did not start" >&2; exit 1; }
        sleep 0.1
    done
    KVR6_COM1="$port" build/bin/kvr6
    ;;
test)
    install_packages
    build
    cd build
    QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel "$(nproc)"
    ;;
asan)
    install_packages
    asan_build
    cd build-asan
    export ASAN_OPTIONS="halt_on_error=1:abort_on_error=0:detect_leaks=1:detect_stack_use_after_return=1${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
    export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1${UBSAN_OPTIONS:+:$UBSAN_OPTIONS}"
    export LSAN_OPTIONS="suppressions=$PWD/../tests/support/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
    QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel "${KVR6_JOBS:-$(nproc)}"
    ;;
*)
    echo "usage: $0 run|test|asan" >&2
    exit 2
    ;;
esac
