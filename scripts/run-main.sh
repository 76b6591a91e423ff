#!/usr/bin/env bash
# Installs what is missing, builds Quillbridge and runs its main job. With a
# display, the program starts on its built-in exchange simulator (--demo), so
# System -> Get Configuration works at once. Without one, the same job runs
# headless: the simulator starts on a pseudo-terminal, the whole configuration
# is read from it over that line with the program's own serial code, and what
# was read is listed.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DQB_BUILD_TESTS=OFF >/dev/null
cmake --build build-release -j2

if [[ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]]; then
    exec build-release/src/app/quillbridge --demo
fi
echo "No display: running the same job headless. With a display, start the program with"
echo "  build-release/src/app/quillbridge --demo"

cli=build-release/src/cli/quillbridge-cli
work=$(mktemp -d)
trap 'kill "$simulator" 2>/dev/null; wait "$simulator" 2>/dev/null; rm -rf "$work"' EXIT

coproc SIM { exec "$cli" simulate --baud 38400; }
simulator=$SIM_PID
read -r device <&"${SIM[0]}"
echo "Exchange simulator answering on $device"

"$cli" get --port "$device" --out "$work/exchange.QBF"
"$cli" dump "$work/exchange.QBF"
