#!/usr/bin/env bash
# Installs the Debian 12 packages Quillbridge needs to build, test, package and run,
# skipping those already present. Runs apt-get as root (or through sudo).
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-serialport-dev
    libgtest-dev libgmock-dev libbenchmark-dev poppler-utils
    clang-14 libclang-rt-14-dev clang-format-14
    libxml2-utils gcovr
    desktop-file-utils shared-mime-info man-db bash-completion dpkg-dev file
)
if [[ "${1:-}" == "--gui" ]]; then
    packages+=(xvfb xauth imagemagick)
fi

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

as_root=()
[[ $(id -u) -eq 0 ]] || as_root=(sudo)
echo "Installing: ${missing[*]}"
"${as_root[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
