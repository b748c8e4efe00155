#!/usr/bin/env bash
# Installs what is missing, builds into build/ and packs the station as build/vizavovu_<version>_amd64.deb.
# Options: --check also checks the package: its files, desktop entries, AppStream metadata, shell scripts, manual
# page and lintian's view (tools/check-package.sh); then, as root on a machine without the station, installs it over
# an older build and tries it with real users, removal and purge (tools/check-install.sh). Non-zero on any failure.
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
"$VZ_ROOT/tools/check-package.sh" "$deb"

# The older build to upgrade from: the same build packed under a lower version.
older=$(mktemp -d)
trap 'rm -rf "$older"' EXIT
(cd "$VZ_ROOT/build" && cpack --config CPackConfig.cmake -R "$(dpkg-deb -f "$deb" Version)~older" -B "$older" \
    -D CPACK_OUTPUT_FILE_PREFIX="$older" >/dev/null)
"$VZ_ROOT/tools/check-install.sh" "$deb" "$older"/vizavovu_*.deb
