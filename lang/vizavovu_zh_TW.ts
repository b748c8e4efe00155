<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_TW">
<context>
    <name>AboutDialog</name>
    <message>
        <location filename="../src/dialogs/AboutDialog.ui" line="14"/>
        <location filename="../src/dialogs/AboutDialog.cpp" line="9"/>
        <source>About</source>
        <translation>關於</translation>
    </message>
    <message>
        <location filename="../src/dialogs/AboutDialog.ui" line="20"/>
        <source>Quorvex-Zentiq-VIzavovu</source>
        <translation>Quorvex-Zentiq-VIzavovu</translation>
    </message>
    <message>
        <location filename="../src/dialogs/AboutDialog.ui" line="55"/>
        <source>Close</source>
        <translation>關閉</translation>
    </message>
</context>
<context>
    <name>AlarmRecord</name>
    <message>
        <location filename="../src/alarm/AlarmRecord.cpp" line="44"/>
        <source>BNC</source>
        <translation>BNC</translation>
    </message>
    <message>
        <location filename="../src/alarm/AlarmRecord.cpp" line="46"/>
        <source>HDMI</source>
        <translation>HDMI</translation>
    </message>
    <message>
        <location filename="../src/alarm/AlarmRecord.cpp" line="48"/>
        <source>AES/EBU</source>
        <translation>AES/EBU</translation>
    </message>
    <message>
        <location filename="../src/alarm/AlarmRecord.cpp" line="50"/>
        <source>Analog</source>
        <translation>Analog</translation>
    </message>
    <message>
        <location filename="../src/alarm/AlarmRecord.cpp" line="52"/>
        <location filename="../src/alarm/AlarmRecord.cpp" line="72"/>
        <source>Unknown</source>
        <translation>未知</translation>
    </message>
    <message>
        <location filename="../src/alarm/AlarmRecord.cpp" line="60"/>
        <source>Video Black</source>
        <translation>黑畫面</translation>
    </message>
    <message>
        <location filename="../src/alarm/AlarmRecord.cpp" line="62"/>
        <source>Freeze</source>
        <translation>畫面凍結</translation>
    </message>
    <message>
        <location filename="../src/alarm/AlarmRecord.cpp" line="64"/>
        <source>Video Lost</source>
        <translation>視訊遺失</translation>
    </message>
    <message>
        <location filename="../src/alarm/AlarmRecord.cpp" line="66"/>
        <source>Slience</source>
        <translation>靜音</translation>
    </message>
    <message>
        <location filename="../src/alarm/AlarmRecord.cpp" line="68"/>
        <source>Audio Overload</source>
        <translation>音訊過載</translation>
    </message>
    <message>
        <location filename="../src/alarm/AlarmRecord.cpp" line="70"/>
        <source>Connected Status</source>
        <translation>連線狀態</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <location filename="../src/app/CommandLine.cpp" line="37"/>
        <source>Monitoring station for broadcast signal-monitoring probes.</source>
        <translation>廣播訊號監測探頭的監控站。</translation>
    </message>
    <message>
        <location filename="../src/app/CommandLine.cpp" line="42"/>
        <source>Start monitoring at once, telling the devices to send their alarms to &lt;address&gt;, a local IPv4 address.</source>
        <translation>立即開始監控，並讓設備把告警傳送到 &lt;address&gt;（本機的一個 IPv4 位址）。</translation>
    </message>
    <message>
        <location filename="../src/app/CommandLine.cpp" line="64"/>
        <source>Unexpected argument: %1
</source>
        <translation>非預期的參數：%1
</translation>
    </message>
    <message>
        <location filename="../src/app/CommandLine.cpp" line="72"/>
        <source>Cannot start monitoring: &apos;%1&apos; is not an IPv4 address of this machine.
</source>
        <translation>無法開始監控：「%1」不是本機的 IPv4 位址。
</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <location filename="../src/app/MainWindow.ui" line="14"/>
        <location filename="../src/app/MainWindow.cpp" line="87"/>
        <location filename="../src/app/MainWindow.cpp" line="412"/>
        <source>Quorvex-Zentiq SNMP Monitor System</source>
        <translation>Quorvex-Zentiq SNMP 監控系統</translation>
    </message>
    <message>
        <location filename="../src/app/MainWindow.ui" line="28"/>
        <source>File(&amp;F)</source>
        <translation>檔案(&amp;F)</translation>
    </message>
    <message>
        <location filename="../src/app/MainWindow.ui" line="49"/>
        <source>Help(&amp;H)</source>
        <translation>說明(&amp;H)</translation>
    </message>
    <message>
        <location filename="../src/app/MainWindow.ui" line="57"/>
        <source>View(&amp;V)</source>
        <translation>檢視(&amp;V)</translation>
    </message>
    <message>
        <location filename="../src/app/MainWindow.ui" line="85"/>
        <source>Start Monitoring</source>
        <translation>開始監控</translation>
    </message>
    <message>
        <location filename="../src/app/MainWindow.ui" line="90"/>
        <source>Stop Monitoring</source>
        <translation>停止監控</translation>
    </message>
    <message>
        <location filename="../src/app/MainWindow.ui" line="95"/>
        <source>Manage Device</source>
        <translation>設備管理</translation>
    </message>
    <message>
        <location filename="../src/app/MainWindow.ui" line="100"/>
        <source>System Config</source>
        <translation>系統設定</translation>
    </message>
    <message>
        <location filename="../src/app/MainWindow.ui" line="105"/>
        <source>Exit(&amp;x)</source>
        <translation>結束(&amp;x)</translation>
    </message>
    <message>
        <location filename="../src/app/MainWindow.ui" line="110"/>
        <source>Sound Alarm</source>
        <translation>聲音告警</translation>
    </message>
    <message>
        <location filename="../src/app/MainWindow.ui" line="115"/>
        <source>Help</source>
        <translation>說明</translation>
    </message>
    <message>
        <location filename="../src/app/MainWindow.ui" line="120"/>
        <source>About</source>
        <translation>關於</translation>
    </message>
    <message>
        <location filename="../src/app/MainWindow.ui" line="125"/>
        <source>Import Config</source>
        <translation>匯入設定</translation>
    </message>
    <message>
        <location filename="../src/app/MainWindow.ui" line="130"/>
        <source>Export Config</source>
        <translation>匯出設定</translation>
    </message>
    <message>
        <location filename="../src/app/MainWindow.ui" line="135"/>
        <source>Log</source>
        <translation>日誌</translation>
    </message>
    <message>
        <location filename="../src/app/MainWindow.ui" line="140"/>
        <source>All the device status</source>
        <translation>所有設備狀態</translation>
    </message>
    <message>
        <location filename="../src/app/MainWindow.ui" line="145"/>
        <source>Hide Device Nav</source>
        <translation>隱藏設備導覽</translation>
    </message>
    <message>
        <location filename="../src/app/MainWindow.ui" line="150"/>
        <source>Show Device Nav</source>
        <translation>顯示設備導覽</translation>
    </message>
    <message>
        <location filename="../src/app/MainWindow.ui" line="155"/>
        <source>Hide Cur Device</source>
        <translation>隱藏目前設備</translation>
    </message>
    <message>
        <location filename="../src/app/MainWindow.ui" line="160"/>
        <source>Show Cur Device</source>
        <translation>顯示目前設備</translation>
    </message>
    <message>
        <source>Monitoring is not started.</source>
        <translation type="vanished">監控尚未開始。</translation>
    </message>
    <message>
        <location filename="../src/app/MainWindow.cpp" line="127"/>
        <source>Warn</source>
        <translation>警告</translation>
    </message>
    <message>
        <location filename="../src/app/MainWindow.cpp" line="77"/>
        <source>The current operating system does not support language alarm !</source>
        <translation>目前作業系統不支援語音告警！</translation>
    </message>
    <message>
        <location filename="../src/app/MainWindow.cpp" line="133"/>
        <source>Alarm views are not available in this build.</source>
        <translation>此版本沒有告警檢視。</translation>
    </message>
    <message>
        <location filename="../src/app/MainWindow.cpp" line="178"/>
        <location filename="../src/app/MainWindow.cpp" line="413"/>
        <source>Toolbar</source>
        <translation>工具列</translation>
    </message>
    <message>
        <location filename="../src/app/MainWindow.cpp" line="191"/>
        <source>Error</source>
        <translation>錯誤</translation>
    </message>
    <message>
        <location filename="../src/app/MainWindow.cpp" line="224"/>
        <source>The system doesn&apos;t support sound alarm</source>
        <translation>系統不支援聲音告警</translation>
    </message>
    <message>
        <location filename="../src/app/MainWindow.cpp" line="300"/>
        <source>Alarms cannot be received on UDP port %1: %2</source>
        <translation>無法在 UDP 連接埠 %1 上接收告警：%2</translation>
    </message>
    <message numerus="yes">
        <location filename="../src/app/MainWindow.cpp" line="314"/>
        <source>Monitoring %n device(s): alarms to %1, UDP port %2</source>
        <translation>
            <numerusform>正在監控 %n 台設備：告警傳往 %1，UDP 連接埠 %2</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../src/app/MainWindow.cpp" line="326"/>
        <source>Monitoring stopped</source>
        <translation>監控已停止</translation>
    </message>
    <message>
        <location filename="../src/app/MainWindow.cpp" line="354"/>
        <source>Exit</source>
        <translation>結束</translation>
    </message>
    <message>
        <location filename="../src/app/MainWindow.cpp" line="354"/>
        <source>Are you sure to exit?</source>
        <translation>確定要結束嗎？</translation>
    </message>
</context>
<context>
    <name>SelectIPDialog</name>
    <message>
        <location filename="../src/app/SelectIPDialog.ui" line="14"/>
        <source>Dialog</source>
        <translation>對話框</translation>
    </message>
    <message>
        <location filename="../src/app/SelectIPDialog.ui" line="20"/>
        <source>Please Select Local IP</source>
        <translation>請選擇本機 IP</translation>
    </message>
    <message>
        <location filename="../src/app/SelectIPDialog.ui" line="47"/>
        <source>OK</source>
        <translation>確定</translation>
    </message>
    <message>
        <location filename="../src/app/SelectIPDialog.ui" line="70"/>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <location filename="../src/app/SelectIPDialog.cpp" line="9"/>
        <source>Select IP Address</source>
        <translation>選擇 IP 位址</translation>
    </message>
</context>
<context>
    <name>SnmpServer</name>
    <message>
        <location filename="../src/snmp/TrapDecoder.cpp" line="118"/>
        <source>unknown</source>
        <translation>未知</translation>
    </message>
</context>
<context>
    <name>SoundAlarmManager</name>
    <message>
        <location filename="../src/alarm/SoundAlarmManager.cpp" line="380"/>
        <source>Unknown alarm</source>
        <translation>未知告警</translation>
    </message>
    <message>
        <location filename="../src/alarm/SoundAlarmManager.cpp" line="394"/>
        <source>Unknown level</source>
        <translation>未知級別</translation>
    </message>
</context>
</TS>
