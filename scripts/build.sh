#!/usr/bin/env bash
# build.sh <dir> <build-type> [extra cmake args...]: configures once, then builds.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
dir="$1"; type="$2"; shift 2
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S "$root" -B "$root/$dir" -G Ninja -DCMAKE_BUILD_TYPE="$type" "${launcher[@]}" "$@" >/dev/null
cmake --build "$root/$dir" -j"$(nproc)"
