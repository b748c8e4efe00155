#!/usr/bin/env bash
# Installs what is missing, builds into build/ and packs the station as build/vizavovu_<version>_amd64.deb.
# Options: --check also lists the package's files and runs desktop-file-validate, appstreamcli and lintian on it
# (non-zero on any error).
set -euo pipefail
VZ_ROOT=$(cd "$(dirname "$0")" && pwd)
source "$VZ_ROOT/tools/setup.sh"

check=no
case "${1:-}" in
    "") ;;
    --check) check=yes ;;
    *) echo "usage: $0 [--check]" >&2; exit 2 ;;
esac

vz_ensure_packages
vz_build "$VZ_ROOT/build"
rm -f "$VZ_ROOT"/build/vizavovu_*.deb
(cd "$VZ_ROOT/build" && cpack --config CPackConfig.cmake >/dev/null)
deb=$(ls "$VZ_ROOT"/build/vizavovu_*.deb)
echo "$deb"
[ "$check" = yes ] || exit 0
exec "$VZ_ROOT/tools/check-package.sh" "$deb"
