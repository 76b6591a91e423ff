#!/usr/bin/env bash
# Installs what is missing, builds Quillbridge and runs its main job.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DQB_BUILD_TESTS=OFF >/dev/null
cmake --build build-release -j2

build-release/src/cli/quillbridge-cli dump data/sample.QBF
