#!/usr/bin/env bash
# Shared by run.sh and test.sh: install the Debian packages the station needs, then configure and build.
# Usage: source tools/setup.sh; vz_ensure_packages; vz_build <build-dir> [cmake options...]

VZ_PACKAGES=(
    build-essential cmake pkg-config ccache
    qtbase5-dev qttools5-dev qttools5-dev-tools libqt5sql5-sqlite libqt5svg5-dev qttranslations5-l10n
    libsnmp-dev snmp snmptrapd
    libespeak-ng-dev espeak-ng-data
    sqlite3 xvfb xauth poppler-utils
    fonts-wqy-microhei
    libmicrohttpd-dev prometheus-alertmanager prometheus
    tzdata
    dbus dpkg-dev lintian appstream desktop-file-utils shellcheck git adduser procps systemd
)

vz_ensure_packages() {
    local missing=()
    local pkg
    for pkg in "${VZ_PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    if [ "$(id -u)" -ne 0 ]; then
        echo "Missing Debian packages. Install them first with:" >&2
        echo "  sudo apt-get update && sudo apt-get install -y ${missing[*]}" >&2
        exit 1
    fi
    echo "Installing ${missing[*]}"
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
}

vz_build() {
    local dir=$1
    shift
    local launcher=()
    command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    cmake -S "$VZ_ROOT" -B "$dir" "${launcher[@]}" "$@" >/dev/null
    cmake --build "$dir" -j"$(nproc)"
}
