#!/usr/bin/env bash
# Fails, listing the files, when a tracked C++ source differs from what
# clang-format makes of it. With --fix, formats them in place instead.
set -uo pipefail
cd "$(dirname "$0")/.."

formatter=clang-format-14
mapfile -t sources < <(git ls-files '*.cpp' '*.h')
if [[ ${1:-} == --fix ]]; then
    "$formatter" -i "${sources[@]}"
    exit
fi
unformatted=()
for file in "${sources[@]}"; do
    "$formatter" --dry-run --Werror "$file" >/dev/null 2>&1 || unformatted+=("$file")
done
if ((${#unformatted[@]})); then
    printf 'Not formatted (run scripts/check-format.sh --fix):\n' >&2
    printf '  %s\n' "${unformatted[@]}" >&2
    exit 1
fi
echo "All ${#sources[@]} sources formatted."
