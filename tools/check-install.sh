#!/usr/bin/env bash
# Installs a built station package as on an operator console and tries it with real users: an older build first,
# then the package over it (the configuration and the alarm log stay), two operators of group vizavovu one after
# the other, each logging an alarm and writing a setting that the other can write as well, the session script for an
# operator and for a user outside the group, then removal and purge.
# Needs root on a machine without the station. Whatever it creates it removes again, also after a failure; a run
# cut short is cleaned up by the next one.
# Usage: tools/check-install.sh <package> <older package>
set -euo pipefail
deb=$(realpath "$1")
older=$(realpath "$2")
operators=(vzcheck-first vzcheck-second)
outsider=vzcheck-outsider
config=/etc/opt/vizavovu
log=/var/opt/vizavovu/log
# Present while the check has the station installed.
marker=/var/tmp/vizavovu-install-check
# The devices' port: nothing answers there, so the one configured device gives every start a connection alarm.
device_port=9
work=$(mktemp -d)
station=
# Rows of the alarm log at the last look.
rows=0

fail() {
    echo "install check: $*" >&2
    exit 1
}

remove_leftovers() {
    DEBIAN_FRONTEND=noninteractive dpkg --purge vizavovu >/dev/null 2>&1 || true
    local user
    for user in "${operators[@]}" "$outsider"; do
        if id "$user" >/dev/null 2>&1; then
            # A station that a run cut short left running; the check's own users run nothing else.
            pkill -KILL -U "$user" && sleep 1
            userdel --remove "$user" 2>/dev/null || echo "install check: could not remove the user $user" >&2
        fi
    done
    if getent group vizavovu >/dev/null; then
        groupdel vizavovu
    fi
    rm -rf /etc/opt/vizavovu /var/opt/vizavovu /etc/default/vizavovu
    rm -f "$marker"
}

cleanup() {
    if [ -n "$station" ]; then
        kill "$station" 2>/dev/null || true
        wait "$station" 2>/dev/null || true
    fi
    if [ -e "$marker" ]; then
        remove_leftovers
    fi
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM HUP

apt_get() {
    if ! DEBIAN_FRONTEND=noninteractive apt-get -y -q --no-install-recommends "$@" >"$work/apt.log" 2>&1; then
        cat "$work/apt.log" >&2
        fail "apt-get $* failed"
    fi
}

installed_version() {
    dpkg-query -W -f='${Version}' vizavovu
}

# Read only while a station runs: a look of our own must neither make the log nor leave journals behind.
log_rows() {
    if [ -s "$log/alarm.db" ]; then
        sqlite3 -readonly "$log/alarm.db" \
            'select (select count(*) from alarm2) + (select count(*) from station_run)' 2>/dev/null || echo 0
    else
        echo 0
    fi
}

# Checksums of the configuration and the alarm log, the station not running.
kept_files() {
    (cd / && find "${config#/}" "${log#/}" -type f -print0 | sort -z | xargs -0 sha256sum)
}

# Starts the installed station as a user, without a display, and waits until it has written to the log: an alarm or
# the start of its monitoring run (an alarm still open from the run before is not logged a second time).
start_station() {
    local user=$1
    shift
    runuser -u "$user" -- env -i HOME="/home/$user" PATH=/usr/bin:/bin LANG=C.UTF-8 QT_QPA_PLATFORM=offscreen \
        DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent/vizavovu-check-bus VIZAVOVU_DEVICE_PORT=$device_port \
        "$@" >"$work/$user.out" 2>&1 &
    station=$!
    local deadline=$((SECONDS + 60))
    until [ "$(log_rows)" -gt "$rows" ]; do
        if ! kill -0 "$station" 2>/dev/null || [ "$SECONDS" -ge "$deadline" ]; then
            cat "$work/$user.out" >&2
            fail "nothing logged by the station of $user"
        fi
        sleep 0.5
    done
    rows=$(log_rows)
}

# Ends the station with the signal given: TERM as the session does, KILL as a crash or a power cut would (runuser
# passes on only the first).
stop_station() {
    if [ "$1" = KILL ]; then
        pkill -KILL -P "$station"
    else
        kill -TERM "$station"
    fi
    wait "$station" || true
    station=
}

# Every file in the station's directories belongs to the group and can be written by every operator.
check_shared() {
    local file user
    for file in "$config"/* "$log"/*; do
        [ "$(stat -c %G "$file")" = vizavovu ] || fail "$file does not belong to the group vizavovu ($*)"
        for user in "${operators[@]}"; do
            runuser -u "$user" -- test -w "$file" || fail "$user cannot write $file, $(stat -c %U:%a "$file") ($*)"
        done
    done
}

metrics_answer() {
    timeout 10 bash -c "exec 3<>/dev/tcp/127.0.0.1/$metrics_port &&
        printf 'GET /metrics HTTP/1.0\r\n\r\n' >&3 && grep -q '^vizavovu_build_info' <&3"
}

[ "$(id -u)" -eq 0 ] || fail "needs root: it installs the package on this machine and adds users"
if [ -e "$marker" ]; then
    echo "install check: removing what an interrupted check left"
    remove_leftovers
fi
case $(dpkg-query -W -f='${db:Status-Abbrev}' vizavovu 2>/dev/null || true) in
    "" | "un "* | "pn "*) ;;
    *) fail "vizavovu is installed here, or its configuration is left: the check runs only without it" ;;
esac
getent group vizavovu >/dev/null && fail "the group vizavovu exists: the check runs only on a machine without it"
for path in /etc/opt/vizavovu /var/opt/vizavovu; do
    [ ! -e "$path" ] || fail "$path exists: the check runs only on a machine without it"
done
for user in "${operators[@]}" "$outsider"; do
    ! id "$user" >/dev/null 2>&1 || fail "the user $user exists"
done
touch "$marker"
# A port that nobody listens on, for the metrics of the second operator's station.
metrics_port=$((20000 + RANDOM % 20000))
while (exec 3<>"/dev/tcp/127.0.0.1/$metrics_port") 2>/dev/null; do
    metrics_port=$((20000 + RANDOM % 20000))
done

# An older build installed and used, then the package over it.
apt_get install "$older"
older_version=$(installed_version)
for dir in "$config" "$log"; do
    [ "$(stat -c %G:%a "$dir")" = vizavovu:2775 ] || fail "$dir is $(stat -c %G:%a "$dir"), not vizavovu:2775"
done
for user in "${operators[@]}"; do
    useradd --create-home --groups vizavovu "$user"
done
useradd --create-home "$outsider"
cat >"$work/device_config.xml" <<'XML'
<?xml version="1.0" encoding="UTF-8"?>
<device_config version="1">
    <device ip="127.0.0.2" dev_name="Check">
    </device>
</device_config>
XML
install -m 0664 -g vizavovu "$work/device_config.xml" "$config/device_config.xml"
# The first operator starts the station from the menu or a shell: its default settings and its first alarm. It
# ends without closing the log, whose journals the next station finds.
start_station "${operators[0]}" /usr/bin/vizavovu --start 127.0.0.1
stop_station KILL
[ "$(stat -c %U "$config/system_config.xml")" = "${operators[0]}" ] || fail "the first operator wrote no settings"
check_shared "after the first operator"
cat >/etc/default/vizavovu <<EOF
VIZAVOVU_ADDRESS=127.0.0.1
VIZAVOVU_OPTIONS="--metrics 127.0.0.1:$metrics_port"
EOF
cp /etc/default/vizavovu "$work/default"
# As the versions before group-writable files left them.
chmod g-w "$config/system_config.xml" "$log/alarm.db"
kept_files >"$work/kept"

apt_get install "$deb"
version=$(installed_version)
dpkg --compare-versions "$version" gt "$older_version" || fail "$version does not upgrade $older_version"
[ "$version" = "$(dpkg-deb -f "$deb" Version)" ] || fail "$version is installed, not the package"
kept_files | diff "$work/kept" - || fail "the upgrade changed the configuration or the alarm log"
cmp -s /etc/default/vizavovu "$work/default" || fail "the upgrade changed /etc/default/vizavovu"
check_shared "after the upgrade"
mkdir -m 0700 "$work/runtime"
complaints=$(XDG_RUNTIME_DIR=$work/runtime systemd-analyze --user verify /usr/lib/systemd/user/vizavovu.service 2>&1)
[ -z "$complaints" ] || fail "systemd finds fault with the user unit: $complaints"

# The second operator's station, started at login by the autostart entry on a desktop without the user unit, with
# the options of /etc/default/vizavovu: it logs into the first operator's log, and sets aside an unreadable
# system_config.xml for defaults of its own.
printf 'unreadable\n' >"$config/system_config.xml"
start_station "${operators[1]}" /opt/vizavovu/bin/vizavovu-session --autostart
metrics_answer || fail "the session script did not pass VIZAVOVU_OPTIONS: no metrics on port $metrics_port"
stop_station TERM
[ "$(stat -c %U "$config/system_config.xml")" = "${operators[1]}" ] || fail "the second operator wrote no settings"
check_shared "after the second operator"

# Somebody outside the group: the autostart entry does nothing.
if ! runuser -u "$outsider" -- env -i HOME="/home/$outsider" PATH=/usr/bin:/bin \
    timeout 20 /opt/vizavovu/bin/vizavovu-session --autostart 2>"$work/outsider.out"; then
    cat "$work/outsider.out" >&2
    fail "the session script started the station for a user outside the group"
fi
grep -q "not in group vizavovu" "$work/outsider.out" || fail "the session script did not say why it did nothing"

kept_files >"$work/kept"
apt_get remove vizavovu
[ ! -e /opt/vizavovu ] || fail "removal left /opt/vizavovu"
kept_files | diff "$work/kept" - || fail "removal changed the configuration or the alarm log"
apt_get purge vizavovu
for path in /etc/opt/vizavovu /var/opt/vizavovu /etc/default/vizavovu; do
    [ ! -e "$path" ] || fail "purge left $path"
done
getent group vizavovu >/dev/null || fail "purge removed the group vizavovu"
echo "install checks passed: $older_version, then $version, two operators, an outsider, remove, purge"
