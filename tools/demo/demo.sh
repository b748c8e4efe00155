#!/usr/bin/env bash
# The demonstration behind ./run.sh: a separate application directory with a handful of simulated probes on
# loopback addresses, a probe simulator raising and clearing realistic faults every few seconds, and the station
# started with monitoring on. Closing the station stops the simulator.
# Usage: tools/demo/demo.sh <build-dir>
set -euo pipefail
build=$(cd "$1" && pwd)
demo=$build/demo
device_port=${VIZAVOVU_DEMO_DEVICE_PORT:-16161}
trap_port=${VIZAVOVU_DEMO_TRAP_PORT:-16162}
probes=(127.0.0.2 127.0.0.3 127.0.0.4 127.0.0.5)
names=("Studio A" "Studio B" "Master Control" "Playout 1")

# The station's application directory is the parent of its executable's directory, so the demonstration gets its
# own copy of the executable and never touches the operator's configuration or log.
mkdir -p "$demo/bin" "$demo/config" "$demo/log" "$demo/sys"
cp -f "$build/bin/vizavovu" "$demo/bin/vizavovu"
rm -rf "$demo/lang" "$demo/sys/icon"
cp -r "$build/lang" "$demo/lang"
cp -r "$build/sys/icon" "$demo/sys/icon"

port_xml() {
    local name=$1 signal=$2 track_mask=$3
    cat <<XML
        <port version="1" name="$name">
            <signal_name>$signal</signal_name>
            <alarm>true</alarm>
            <alarm_type_mask>4294967295</alarm_type_mask>
            <track_mask>$track_mask</track_mask>
            <start_time1>00:00:00</start_time1>
            <end_time1>23:59:59</end_time1>
            <start_time2></start_time2>
            <end_time2></end_time2>
        </port>
XML
}

{
    echo '<?xml version="1.0" encoding="UTF-8"?>'
    echo '<device_config version="1">'
    for i in "${!probes[@]}"; do
        echo "    <device ip=\"${probes[$i]}\" dev_name=\"${names[$i]}\">"
        for p in $(seq 1 16); do
            port_xml "BNC $p" "${names[$i]} CAM $p" 255
        done
        port_xml "Analog 1" "${names[$i]} Analog" 4095
        port_xml "AES/EBU 1" "${names[$i]} AES" 4294967295
        echo "    </device>"
    done
    echo '</device_config>'
} > "$demo/config/device_config.xml"

cat > "$demo/config/system_config.xml" <<XML
<?xml version="1.0" encoding="UTF-8"?>
<system_config version="1">
    <sound_period>30</sound_period>
    <max_history>400</max_history>
    <log_save_time>30</log_save_time>
    <language>English</language>
    <server_port>$trap_port</server_port>
    <say_alarm_type>true</say_alarm_type>
    <say_alarm_normal>true</say_alarm_normal>
    <speech_rate>1</speech_rate>
    <say_outdated_alarm>false</say_outdated_alarm>
</system_config>
XML

# Faults come and go on random probes, ports and tracks every few seconds, for as long as the station runs.
faults() {
    sleep 3
    while true; do
        local probe=${probes[RANDOM % ${#probes[@]}]}
        local port=$((RANDOM % 16 + 1))
        case $((RANDOM % 6)) in
            0) echo "$probe raise lost bnc:$port 2"; sleep 4; echo "$probe clear lost bnc:$port" ;;
            1) echo "$probe raise freeze bnc:$port 1"; sleep 3; echo "$probe clear freeze bnc:$port" ;;
            2) echo "$probe raise black bnc:$port 2"; sleep 5; echo "$probe clear black bnc:$port" ;;
            3) echo "$probe raise silence bnc:$port:$((RANDOM % 2 + 1)) 1"; sleep 4
               echo "$probe clear silence bnc:$port:1"; echo "$probe clear silence bnc:$port:2" ;;
            4) echo "$probe raise overload aes:$((RANDOM % 4 + 1)) 2"; sleep 3
               echo "$probe clear overload aes:1"; echo "$probe clear overload aes:2"
               echo "$probe clear overload aes:3"; echo "$probe clear overload aes:4" ;;
            5) echo "$probe silent"; sleep 8; echo "$probe back" ;;
        esac
        sleep $((RANDOM % 3 + 2))
    done
}

faults | "$build/bin/probe-sim" -p "$device_port" "${probes[0]}-${probes[-1]##*.}" &
simulator=$!
cleanup() { kill "$simulator" 2>/dev/null || true; pkill -P $$ 2>/dev/null || true; }
trap cleanup EXIT

echo "Demonstration directory: $demo"
echo "Simulated probes ${probes[*]} on UDP port $device_port; the station receives traps on port $trap_port."
VIZAVOVU_DEVICE_PORT=$device_port "$demo/bin/vizavovu" --start 127.0.0.1
