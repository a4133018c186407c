#!/usr/bin/env bash
# Sets up, builds and runs the KVR6 tuning program on Debian 12.
#   ./dev.sh run    builds and starts the program on-line, against the
#                   simulated unit kvr6-sim on a pseudo-terminal
#   ./dev.sh test   builds and runs every test
set -euo pipefail
cd "$(dirname "$0")"

PACKAGES=(cmake ninja-build g++ qt6-base-dev qt6-serialport-dev qt6-pdf-dev
          libgtest-dev libgmock-dev fonts-dejavu-core)

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
*)
    echo "usage: $0 run|test" >&2
    exit 2
    ;;
esac
