#!/usr/bin/env bash
# Installs what is missing, builds into build/ and starts the station.
#   ./run.sh            a demonstration: simulated probes on loopback raising and clearing faults, in a separate
#                       demonstration directory (build/demo), monitoring started at once
#   ./run.sh --station  the station itself, with its files in build/ (config/, log/), for real probes
set -euo pipefail
VZ_ROOT=$(cd "$(dirname "$0")" && pwd)
source "$VZ_ROOT/tools/setup.sh"

mode=demo
case "${1:-}" in
    "") ;;
    --station) mode=station ;;
    *) echo "usage: $0 [--station]" >&2; exit 2 ;;
esac

vz_ensure_packages
vz_build "$VZ_ROOT/build"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display: the station is a desktop program. Run it on a desktop session, or under a virtual display:" >&2
    echo "  xvfb-run -a -s '-screen 0 1600x900x24' $0 $*" >&2
    exit 1
fi

if [ "$mode" = station ]; then
    exec "$VZ_ROOT/build/bin/vizavovu"
fi
exec "$VZ_ROOT/tools/demo/demo.sh" "$VZ_ROOT/build"
