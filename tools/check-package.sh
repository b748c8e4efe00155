#!/usr/bin/env bash
# Checks a built station package: its file list, its desktop entries, its AppStream metadata, its shell scripts,
# its manual page against the station's options, and lintian's view.
# Usage: tools/check-package.sh build/vizavovu_<version>_amd64.deb
set -euo pipefail
deb=$1
unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT

# One path a line, links as "path -> target".
listing=$(dpkg-deb -c "$deb" | awk '{ $1 = $2 = $3 = $4 = $5 = ""; sub(/^ +/, ""); print }')
missing=0
for entry in \
    ./opt/vizavovu/bin/vizavovu ./opt/vizavovu/bin/vizavovu-session ./opt/vizavovu/lang/lang_config.xml \
    ./opt/vizavovu/lang/vizavovu_zh_CN.qm ./opt/vizavovu/sys/icon/logo.png \
    "./opt/vizavovu/config -> /etc/opt/vizavovu" "./opt/vizavovu/log -> /var/opt/vizavovu/log" \
    "./usr/bin/vizavovu -> /opt/vizavovu/bin/vizavovu" \
    ./usr/share/applications/vizavovu.desktop ./usr/share/metainfo/com.quorvexzentiq.vizavovu.metainfo.xml \
    ./usr/share/icons/hicolor/scalable/apps/vizavovu.svg ./usr/share/icons/hicolor/48x48/apps/vizavovu.png \
    ./etc/xdg/autostart/vizavovu-autostart.desktop ./etc/default/vizavovu \
    ./usr/lib/systemd/user/vizavovu.service; do
    if ! grep -qFx -- "$entry" <<<"$listing"; then
        echo "missing from the package: $entry" >&2
        missing=1
    fi
done
for stray in probe-sim bench; do
    if grep -q -- "$stray" <<<"$listing"; then
        echo "does not belong in the package: $stray" >&2
        missing=1
    fi
done
[ "$missing" -eq 0 ]

dpkg-deb -x "$deb" "$unpacked"
dpkg-deb -e "$deb" "$unpacked/DEBIAN"
shellcheck "$unpacked"/DEBIAN/postinst "$unpacked"/DEBIAN/postrm "$unpacked"/opt/vizavovu/bin/vizavovu-session

# Every option that --help lists has an entry of its own in the manual page.
entries=$(zcat "$unpacked"/usr/share/man/man1/vizavovu.1.gz | awk '/^\.TP/ { getline; print }' | sed 's/\\-/-/g')
help=$("$unpacked"/opt/vizavovu/bin/vizavovu --help)
while read -r option; do
    if [ "$option" != --help-all ] && ! grep -qE -- "(^|[^a-z-])$option([^a-z-]|\$)" <<<"$entries"; then
        echo "the manual page does not describe $option" >&2
        missing=1
    fi
done < <(grep -oE -- '--[a-z][a-z-]*' <<<"$help" | sort -u)
[ "$missing" -eq 0 ]

desktop-file-validate "$unpacked"/usr/share/applications/vizavovu.desktop \
    "$unpacked"/etc/xdg/autostart/vizavovu-autostart.desktop
appstreamcli validate --no-net --pedantic "$unpacked"/usr/share/metainfo/com.quorvexzentiq.vizavovu.metainfo.xml
# Errors fail; warnings and notes are shown.
lintian --fail-on error "$deb"
echo "package checks passed: $deb"
