#!/usr/bin/env bash
# Installs what is missing, builds into build/ and runs every test.
# Options: --asan builds into build-asan/ with AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
VZ_ROOT=$(cd "$(dirname "$0")" && pwd)
source "$VZ_ROOT/tools/setup.sh"

dir=$VZ_ROOT/build
opts=()
if [ "${1:-}" = "--asan" ]; then
    dir=$VZ_ROOT/build-asan
    opts=(-DVZ_SANITIZE_ADDRESS=ON)
fi

vz_ensure_packages
vz_build "$dir" "${opts[@]}"
cd "$dir"
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$VZ_ROOT/tests/lsan.supp:print_suppressions=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
ctest --output-on-failure -j"$(nproc)"
