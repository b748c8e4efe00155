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
    <name>AddDeviceDialog</name>
    <message>
        <location filename="../src/dialogs/AddDeviceDialog.ui" line="14"/>
        <source>Dialog</source>
        <translation>對話方塊</translation>
    </message>
    <message>
        <location filename="../src/dialogs/AddDeviceDialog.ui" line="22"/>
        <source>IP Address:</source>
        <translation>IP 位址：</translation>
    </message>
    <message>
        <location filename="../src/dialogs/AddDeviceDialog.ui" line="39"/>
        <source>Device Name:</source>
        <translation>設備名稱：</translation>
    </message>
    <message>
        <location filename="../src/dialogs/AddDeviceDialog.ui" line="69"/>
        <source>OK</source>
        <translation>確定</translation>
    </message>
    <message>
        <location filename="../src/dialogs/AddDeviceDialog.ui" line="79"/>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <location filename="../src/dialogs/AddDeviceDialog.cpp" line="24"/>
        <source>Warn</source>
        <translation>警告</translation>
    </message>
    <message>
        <location filename="../src/dialogs/AddDeviceDialog.cpp" line="24"/>
        <source>IP address is invalid !</source>
        <translation>IP 位址無效！</translation>
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
        <location filename="../src/app/CommandLine.cpp" line="49"/>
        <source>Send every alarm start and end written to the alarm log to the syslog collector &lt;url&gt; (RFC 5424, facility local0): udp://HOST[:PORT] or tcp://HOST[:PORT], HOST an IPv4 address or a host name, PORT 514 by default. Repeat for more collectors.</source>
        <translation>把寫入告警日誌的每筆告警開始與結束記錄傳送到 syslog 收集器 &lt;url&gt;（RFC 5424，facility local0）：udp://HOST[:PORT] 或 tcp://HOST[:PORT]，HOST 為 IPv4 位址或主機名稱，PORT 預設為 514。重複此選項可指定多個收集器。</translation>
    </message>
    <message>
        <location filename="../src/app/CommandLine.cpp" line="73"/>
        <source>Unexpected argument: %1
</source>
        <translation>非預期的參數：%1
</translation>
    </message>
    <message>
        <location filename="../src/app/CommandLine.cpp" line="81"/>
        <source>Cannot start monitoring: &apos;%1&apos; is not an IPv4 address of this machine.
</source>
        <translation>無法開始監控：「%1」不是本機的 IPv4 位址。
</translation>
    </message>
    <message>
        <location filename="../src/app/CommandLine.cpp" line="93"/>
        <source>Cannot send alarms to &apos;%1&apos;: give udp://HOST[:PORT] or tcp://HOST[:PORT], HOST an IPv4 address or a host name.
</source>
        <translation>無法把告警傳送到「%1」：請指定 udp://HOST[:PORT] 或 tcp://HOST[:PORT]，HOST 為 IPv4 位址或主機名稱。
</translation>
    </message>
</context>
<context>
    <name>DeviceAlarmListForm</name>
    <message>
        <location filename="../src/views/DeviceAlarmListForm.ui" line="41"/>
        <source>Signal Alarm [ 0 ]</source>
        <translation>訊號告警 [ 0 ]</translation>
    </message>
    <message>
        <location filename="../src/views/DeviceAlarmListForm.ui" line="58"/>
        <source>Signal Alarm History [ 0 ]</source>
        <translation>訊號告警歷史 [ 0 ]</translation>
    </message>
    <message>
        <location filename="../src/views/DeviceAlarmListForm.ui" line="92"/>
        <source>System Alarm [ 0 ]</source>
        <translation>系統告警 [ 0 ]</translation>
    </message>
    <message>
        <location filename="../src/views/DeviceAlarmListForm.ui" line="109"/>
        <source>System Alarm History [ 0 ]</source>
        <translation>系統告警歷史 [ 0 ]</translation>
    </message>
    <message>
        <location filename="../src/views/AlarmDurationText.cpp" line="15"/>
        <source>%1 day %2</source>
        <translation>%1 天 %2</translation>
    </message>
    <message>
        <location filename="../src/views/DeviceAlarmListForm.cpp" line="85"/>
        <source>√</source>
        <translation>√</translation>
    </message>
    <message>
        <location filename="../src/views/DeviceAlarmListForm.cpp" line="154"/>
        <location filename="../src/views/DeviceAlarmListForm.cpp" line="157"/>
        <location filename="../src/views/DeviceAlarmListForm.cpp" line="161"/>
        <location filename="../src/views/DeviceAlarmListForm.cpp" line="163"/>
        <source>Start Time</source>
        <translation>開始時間</translation>
    </message>
    <message>
        <location filename="../src/views/DeviceAlarmListForm.cpp" line="154"/>
        <location filename="../src/views/DeviceAlarmListForm.cpp" line="158"/>
        <location filename="../src/views/DeviceAlarmListForm.cpp" line="161"/>
        <location filename="../src/views/DeviceAlarmListForm.cpp" line="163"/>
        <source>Device Name</source>
        <translation>設備名稱</translation>
    </message>
    <message>
        <location filename="../src/views/DeviceAlarmListForm.cpp" line="154"/>
        <location filename="../src/views/DeviceAlarmListForm.cpp" line="158"/>
        <location filename="../src/views/DeviceAlarmListForm.cpp" line="161"/>
        <location filename="../src/views/DeviceAlarmListForm.cpp" line="163"/>
        <source>IP Address</source>
        <translation>IP 位址</translation>
    </message>
    <message>
        <location filename="../src/views/DeviceAlarmListForm.cpp" line="155"/>
        <location filename="../src/views/DeviceAlarmListForm.cpp" line="158"/>
        <source>Signal Name</source>
        <translation>訊號名稱</translation>
    </message>
    <message>
        <location filename="../src/views/DeviceAlarmListForm.cpp" line="155"/>
        <location filename="../src/views/DeviceAlarmListForm.cpp" line="159"/>
        <source>Port</source>
        <translation>連接埠</translation>
    </message>
    <message>
        <location filename="../src/views/DeviceAlarmListForm.cpp" line="155"/>
        <location filename="../src/views/DeviceAlarmListForm.cpp" line="159"/>
        <location filename="../src/views/DeviceAlarmListForm.cpp" line="161"/>
        <location filename="../src/views/DeviceAlarmListForm.cpp" line="163"/>
        <source>Alarm Type</source>
        <translation>告警類型</translation>
    </message>
    <message>
        <location filename="../src/views/DeviceAlarmListForm.cpp" line="155"/>
        <location filename="../src/views/DeviceAlarmListForm.cpp" line="161"/>
        <source>Sound</source>
        <translation>聲音</translation>
    </message>
    <message>
        <location filename="../src/views/DeviceAlarmListForm.cpp" line="156"/>
        <location filename="../src/views/DeviceAlarmListForm.cpp" line="159"/>
        <location filename="../src/views/DeviceAlarmListForm.cpp" line="161"/>
        <location filename="../src/views/DeviceAlarmListForm.cpp" line="163"/>
        <source>Detail</source>
        <translation>詳細資料</translation>
    </message>
    <message>
        <location filename="../src/views/DeviceAlarmListForm.cpp" line="157"/>
        <location filename="../src/views/DeviceAlarmListForm.cpp" line="163"/>
        <source>End Time</source>
        <translation>結束時間</translation>
    </message>
    <message>
        <location filename="../src/views/DeviceAlarmListForm.cpp" line="157"/>
        <source>Duration</source>
        <translation>持續時間</translation>
    </message>
    <message>
        <location filename="../src/views/DeviceAlarmListForm.cpp" line="415"/>
        <source>Signal Alarm [ %1 ]</source>
        <translation>訊號告警 [ %1 ]</translation>
    </message>
    <message>
        <location filename="../src/views/DeviceAlarmListForm.cpp" line="416"/>
        <source>System Alarm [ %1 ]</source>
        <translation>系統告警 [ %1 ]</translation>
    </message>
    <message>
        <location filename="../src/views/DeviceAlarmListForm.cpp" line="417"/>
        <source>Signal Alarm History [ %1 ]</source>
        <translation>訊號告警歷史 [ %1 ]</translation>
    </message>
    <message>
        <location filename="../src/views/DeviceAlarmListForm.cpp" line="418"/>
        <source>System Alarm History [ %1 ]</source>
        <translation>系統告警歷史 [ %1 ]</translation>
    </message>
    <message>
        <location filename="../src/views/DeviceAlarmListForm.cpp" line="437"/>
        <location filename="../src/views/DeviceAlarmListForm.cpp" line="438"/>
        <source>Delete</source>
        <translation>刪除</translation>
    </message>
</context>
<context>
    <name>DeviceConfigDialog</name>
    <message>
        <location filename="../src/dialogs/DeviceConfigDialog.ui" line="14"/>
        <source>Dialog</source>
        <translation>對話方塊</translation>
    </message>
    <message>
        <location filename="../src/dialogs/DeviceConfigDialog.ui" line="50"/>
        <source>Add</source>
        <translation>新增</translation>
    </message>
    <message>
        <location filename="../src/dialogs/DeviceConfigDialog.ui" line="57"/>
        <location filename="../src/dialogs/DeviceConfigDialog.cpp" line="287"/>
        <source>Delete</source>
        <translation>刪除</translation>
    </message>
    <message>
        <location filename="../src/dialogs/DeviceConfigDialog.ui" line="72"/>
        <source>IP Address:</source>
        <translation>IP 位址：</translation>
    </message>
    <message>
        <location filename="../src/dialogs/DeviceConfigDialog.ui" line="95"/>
        <source>Device Name:</source>
        <translation>設備名稱：</translation>
    </message>
    <message>
        <location filename="../src/dialogs/DeviceConfigDialog.ui" line="193"/>
        <source>OK</source>
        <translation>確定</translation>
    </message>
    <message>
        <location filename="../src/dialogs/DeviceConfigDialog.ui" line="206"/>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <location filename="../src/dialogs/DeviceConfigDialog.cpp" line="37"/>
        <source>Device Config</source>
        <translation>設備設定</translation>
    </message>
    <message>
        <location filename="../src/dialogs/DeviceConfigDialog.cpp" line="42"/>
        <source>√</source>
        <translation>√</translation>
    </message>
    <message>
        <location filename="../src/dialogs/DeviceConfigDialog.cpp" line="68"/>
        <source>Device</source>
        <translation>設備</translation>
    </message>
    <message>
        <location filename="../src/dialogs/DeviceConfigDialog.cpp" line="83"/>
        <source>Video Lost</source>
        <translation>視訊遺失</translation>
    </message>
    <message>
        <location filename="../src/dialogs/DeviceConfigDialog.cpp" line="83"/>
        <source>Video Black</source>
        <translation>黑畫面</translation>
    </message>
    <message>
        <location filename="../src/dialogs/DeviceConfigDialog.cpp" line="84"/>
        <source>Video Freeze</source>
        <translation>畫面凍結</translation>
    </message>
    <message>
        <location filename="../src/dialogs/DeviceConfigDialog.cpp" line="84"/>
        <source>Slience</source>
        <translation>靜音</translation>
    </message>
    <message>
        <location filename="../src/dialogs/DeviceConfigDialog.cpp" line="85"/>
        <source>Audio Overload</source>
        <translation>音訊過載</translation>
    </message>
    <message>
        <location filename="../src/dialogs/DeviceConfigDialog.cpp" line="87"/>
        <source>Port</source>
        <translation>連接埠</translation>
    </message>
    <message>
        <location filename="../src/dialogs/DeviceConfigDialog.cpp" line="87"/>
        <source>Signal Name</source>
        <translation>訊號名稱</translation>
    </message>
    <message>
        <location filename="../src/dialogs/DeviceConfigDialog.cpp" line="87"/>
        <source>Monitor</source>
        <translation>監控</translation>
    </message>
    <message>
        <location filename="../src/dialogs/DeviceConfigDialog.cpp" line="90"/>
        <source>Time Rang 1</source>
        <translation>時段 1</translation>
    </message>
    <message>
        <location filename="../src/dialogs/DeviceConfigDialog.cpp" line="90"/>
        <source>Time Rang 2</source>
        <translation>時段 2</translation>
    </message>
    <message>
        <location filename="../src/dialogs/DeviceConfigDialog.cpp" line="92"/>
        <source>CH%1</source>
        <translation>CH%1</translation>
    </message>
    <message>
        <location filename="../src/dialogs/DeviceConfigDialog.cpp" line="258"/>
        <location filename="../src/dialogs/DeviceConfigDialog.cpp" line="303"/>
        <source>Warn</source>
        <translation>警告</translation>
    </message>
    <message>
        <location filename="../src/dialogs/DeviceConfigDialog.cpp" line="258"/>
        <source>%1 has been existed</source>
        <translation>%1 已存在</translation>
    </message>
    <message>
        <location filename="../src/dialogs/DeviceConfigDialog.cpp" line="287"/>
        <source>Are you sure to delete &apos;%1&apos;</source>
        <translation>確定要刪除「%1」嗎？</translation>
    </message>
    <message>
        <location filename="../src/dialogs/DeviceConfigDialog.cpp" line="304"/>
        <source>The device configuration could not be saved to %1:
%2</source>
        <translation>設備設定無法儲存到 %1：
%2</translation>
    </message>
</context>
<context>
    <name>DevicePicMonitorForm</name>
    <message>
        <location filename="../src/views/DevicePicMonitorForm.ui" line="9"/>
        <source>All the device status</source>
        <translation>所有設備狀態</translation>
    </message>
</context>
<context>
    <name>DeviceStatusForm</name>
    <message>
        <location filename="../src/views/DeviceStatusForm.cpp" line="46"/>
        <source>ANA Audio</source>
        <translation>類比音訊</translation>
    </message>
    <message>
        <location filename="../src/views/DeviceStatusForm.cpp" line="47"/>
        <source>AES Audio</source>
        <translation>AES 音訊</translation>
    </message>
    <message>
        <location filename="../src/views/DeviceStatusForm.cpp" line="51"/>
        <source>BNC %1</source>
        <translation>BNC %1</translation>
    </message>
    <message>
        <location filename="../src/views/DeviceStatusForm.cpp" line="59"/>
        <source>LAN</source>
        <translation>LAN</translation>
    </message>
</context>
<context>
    <name>DeviceWidget</name>
    <message>
        <location filename="../src/views/AlarmAgeText.cpp" line="10"/>
        <source>within 1 minute</source>
        <translation>1 分鐘內</translation>
    </message>
    <message>
        <location filename="../src/views/AlarmAgeText.cpp" line="12"/>
        <source>%1 minutes ago</source>
        <translation>%1 分鐘前</translation>
    </message>
    <message>
        <location filename="../src/views/AlarmAgeText.cpp" line="15"/>
        <source>%1 hours ago</source>
        <translation>%1 小時前</translation>
    </message>
    <message>
        <location filename="../src/views/AlarmAgeText.cpp" line="16"/>
        <source>%1 days ago</source>
        <translation>%1 天前</translation>
    </message>
    <message>
        <location filename="../src/views/DeviceWidget.cpp" line="19"/>
        <location filename="../src/views/DeviceWidget.cpp" line="69"/>
        <source>- - -</source>
        <translation>- - -</translation>
    </message>
</context>
<context>
    <name>LogManageDialog</name>
    <message>
        <location filename="../src/log/LogManageDialog.ui" line="14"/>
        <source>Log</source>
        <translation>日誌</translation>
    </message>
    <message>
        <location filename="../src/log/LogManageDialog.ui" line="22"/>
        <source>Device</source>
        <translation>設備</translation>
    </message>
    <message>
        <location filename="../src/log/LogManageDialog.ui" line="32"/>
        <location filename="../src/log/LogManageDialog.ui" line="406"/>
        <location filename="../src/log/LogExport.cpp" line="44"/>
        <source>IP Address</source>
        <translation>IP 位址</translation>
    </message>
    <message>
        <location filename="../src/log/LogManageDialog.ui" line="37"/>
        <location filename="../src/log/LogManageDialog.ui" line="401"/>
        <location filename="../src/log/LogExport.cpp" line="45"/>
        <source>Device Name</source>
        <translation>設備名稱</translation>
    </message>
    <message>
        <location filename="../src/log/LogManageDialog.ui" line="50"/>
        <location filename="../src/log/LogManageDialog.ui" line="416"/>
        <location filename="../src/log/LogExport.cpp" line="47"/>
        <source>Port</source>
        <translation>連接埠</translation>
    </message>
    <message>
        <location filename="../src/log/LogManageDialog.ui" line="56"/>
        <source>BNC1</source>
        <translation>BNC1</translation>
    </message>
    <message>
        <location filename="../src/log/LogManageDialog.ui" line="66"/>
        <source>BNC2</source>
        <translation>BNC2</translation>
    </message>
    <message>
        <location filename="../src/log/LogManageDialog.ui" line="76"/>
        <source>BNC3</source>
        <translation>BNC3</translation>
    </message>
    <message>
        <location filename="../src/log/LogManageDialog.ui" line="86"/>
        <source>BNC4</source>
        <translation>BNC4</translation>
    </message>
    <message>
        <location filename="../src/log/LogManageDialog.ui" line="96"/>
        <source>BNC5</source>
        <translation>BNC5</translation>
    </message>
    <message>
        <location filename="../src/log/LogManageDialog.ui" line="106"/>
        <source>BNC6</source>
        <translation>BNC6</translation>
    </message>
    <message>
        <location filename="../src/log/LogManageDialog.ui" line="116"/>
        <source>BNC7</source>
        <translation>BNC7</translation>
    </message>
    <message>
        <location filename="../src/log/LogManageDialog.ui" line="126"/>
        <source>BNC8</source>
        <translation>BNC8</translation>
    </message>
    <message>
        <location filename="../src/log/LogManageDialog.ui" line="136"/>
        <source>BNC9</source>
        <translation>BNC9</translation>
    </message>
    <message>
        <location filename="../src/log/LogManageDialog.ui" line="146"/>
        <source>BNC10</source>
        <translation>BNC10</translation>
    </message>
    <message>
        <location filename="../src/log/LogManageDialog.ui" line="156"/>
        <source>BNC11</source>
        <translation>BNC11</translation>
    </message>
    <message>
        <location filename="../src/log/LogManageDialog.ui" line="166"/>
        <source>BNC12</source>
        <translation>BNC12</translation>
    </message>
    <message>
        <location filename="../src/log/LogManageDialog.ui" line="176"/>
        <source>BNC13</source>
        <translation>BNC13</translation>
    </message>
    <message>
        <location filename="../src/log/LogManageDialog.ui" line="186"/>
        <source>BNC14</source>
        <translation>BNC14</translation>
    </message>
    <message>
        <location filename="../src/log/LogManageDialog.ui" line="196"/>
        <source>BNC15</source>
        <translation>BNC15</translation>
    </message>
    <message>
        <location filename="../src/log/LogManageDialog.ui" line="206"/>
        <source>BNC16</source>
        <translation>BNC16</translation>
    </message>
    <message>
        <location filename="../src/log/LogManageDialog.ui" line="216"/>
        <source>Analog</source>
        <translation>Analog</translation>
    </message>
    <message>
        <location filename="../src/log/LogManageDialog.ui" line="226"/>
        <source>AES/EBU</source>
        <translation>AES/EBU</translation>
    </message>
    <message>
        <location filename="../src/log/LogManageDialog.ui" line="236"/>
        <source>All</source>
        <translation>全部</translation>
    </message>
    <message>
        <location filename="../src/log/LogManageDialog.ui" line="249"/>
        <source>Signal Name    (Multiple separated by semicolons )</source>
        <translation>訊號名稱（多個請以分號分隔）</translation>
    </message>
    <message>
        <location filename="../src/log/LogManageDialog.ui" line="261"/>
        <location filename="../src/log/LogManageDialog.ui" line="421"/>
        <location filename="../src/log/LogExport.cpp" line="46"/>
        <source>Alarm Type</source>
        <translation>告警類型</translation>
    </message>
    <message>
        <location filename="../src/log/LogManageDialog.ui" line="267"/>
        <source>Video Lost</source>
        <translation>視訊遺失</translation>
    </message>
    <message>
        <location filename="../src/log/LogManageDialog.ui" line="277"/>
        <source>Video Freeze</source>
        <translation>畫面凍結</translation>
    </message>
    <message>
        <location filename="../src/log/LogManageDialog.ui" line="287"/>
        <source>Video Black</source>
        <translation>黑畫面</translation>
    </message>
    <message>
        <location filename="../src/log/LogManageDialog.ui" line="297"/>
        <source>Slience</source>
        <translation>靜音</translation>
    </message>
    <message>
        <location filename="../src/log/LogManageDialog.ui" line="307"/>
        <source>Audio Overload</source>
        <translation>音訊過載</translation>
    </message>
    <message>
        <location filename="../src/log/LogManageDialog.ui" line="317"/>
        <source>Device Connect Status</source>
        <translation>設備連線狀態</translation>
    </message>
    <message>
        <location filename="../src/log/LogManageDialog.ui" line="330"/>
        <source>Time</source>
        <translation>時間</translation>
    </message>
    <message>
        <location filename="../src/log/LogManageDialog.ui" line="336"/>
        <location filename="../src/log/LogManageDialog.ui" line="353"/>
        <source>yyyy-MM-dd hh:mm:ss</source>
        <translation>yyyy-MM-dd hh:mm:ss</translation>
    </message>
    <message>
        <location filename="../src/log/LogManageDialog.ui" line="346"/>
        <source>——&gt;</source>
        <translation>——&gt;</translation>
    </message>
    <message>
        <location filename="../src/log/LogManageDialog.ui" line="366"/>
        <location filename="../src/log/LogManageDialog.cpp" line="181"/>
        <source>Search</source>
        <translation>搜尋</translation>
    </message>
    <message>
        <location filename="../src/log/LogManageDialog.ui" line="381"/>
        <location filename="../src/log/LogExport.cpp" line="40"/>
        <source>ID</source>
        <translation>編號</translation>
    </message>
    <message>
        <location filename="../src/log/LogManageDialog.ui" line="386"/>
        <location filename="../src/log/LogExport.cpp" line="41"/>
        <source>Starting Time</source>
        <translation>開始時間</translation>
    </message>
    <message>
        <location filename="../src/log/LogManageDialog.ui" line="391"/>
        <location filename="../src/log/LogExport.cpp" line="42"/>
        <source>End Time</source>
        <translation>結束時間</translation>
    </message>
    <message>
        <location filename="../src/log/LogManageDialog.ui" line="396"/>
        <location filename="../src/log/LogExport.cpp" line="43"/>
        <source>Duration</source>
        <translation>持續時間</translation>
    </message>
    <message>
        <location filename="../src/log/LogManageDialog.ui" line="411"/>
        <location filename="../src/log/LogExport.cpp" line="48"/>
        <source>Signal Name</source>
        <translation>訊號名稱</translation>
    </message>
    <message>
        <location filename="../src/log/LogManageDialog.ui" line="426"/>
        <location filename="../src/log/LogExport.cpp" line="49"/>
        <source>Note</source>
        <translation>備註</translation>
    </message>
    <message>
        <location filename="../src/log/LogManageDialog.ui" line="436"/>
        <source>Page Up</source>
        <translation>上一頁</translation>
    </message>
    <message>
        <location filename="../src/log/LogManageDialog.ui" line="443"/>
        <source>Page Down</source>
        <translation>下一頁</translation>
    </message>
    <message>
        <location filename="../src/log/LogManageDialog.ui" line="450"/>
        <location filename="../src/log/LogManageDialog.cpp" line="163"/>
        <source>Current Page: 0   Total Page: 0    Page:</source>
        <translation>目前頁：0   總頁數：0    頁碼：</translation>
    </message>
    <message>
        <location filename="../src/log/LogManageDialog.ui" line="460"/>
        <source>Go To</source>
        <translation>跳至</translation>
    </message>
    <message>
        <location filename="../src/log/LogManageDialog.ui" line="474"/>
        <source>Save Result As...</source>
        <translation>結果另存新檔...</translation>
    </message>
    <message>
        <location filename="../src/log/LogManageDialog.ui" line="481"/>
        <location filename="../src/log/LogManageDialog.cpp" line="296"/>
        <source>Delete</source>
        <translation>刪除</translation>
    </message>
    <message>
        <location filename="../src/log/LogExport.cpp" line="86"/>
        <source>%1 day %2</source>
        <translation>%1 天 %2</translation>
    </message>
    <message>
        <location filename="../src/log/LogExport.cpp" line="201"/>
        <source>The file %1 was removed.</source>
        <translation>檔案 %1 已被移除。</translation>
    </message>
    <message>
        <location filename="../src/log/LogManageDialog.cpp" line="133"/>
        <source>；</source>
        <translation>；</translation>
    </message>
    <message>
        <location filename="../src/log/LogManageDialog.cpp" line="153"/>
        <source>Warn</source>
        <translation>警告</translation>
    </message>
    <message>
        <location filename="../src/log/LogManageDialog.cpp" line="181"/>
        <source>No record</source>
        <translation>沒有記錄</translation>
    </message>
    <message>
        <location filename="../src/log/LogManageDialog.cpp" line="227"/>
        <source>Current Page: %1   Total Page: %2    Page:</source>
        <translation>目前頁：%1   總頁數：%2    頁碼：</translation>
    </message>
    <message>
        <location filename="../src/log/LogManageDialog.cpp" line="252"/>
        <source>log (*.log)</source>
        <translation>日誌 (*.log)</translation>
    </message>
    <message>
        <location filename="../src/log/LogManageDialog.cpp" line="253"/>
        <source>CSV (*.csv)</source>
        <translation>CSV 檔案 (*.csv)</translation>
    </message>
    <message>
        <location filename="../src/log/LogManageDialog.cpp" line="255"/>
        <source>Save File</source>
        <translation>儲存檔案</translation>
    </message>
    <message>
        <location filename="../src/log/LogManageDialog.cpp" line="267"/>
        <source>Save As...</source>
        <translation>另存新檔...</translation>
    </message>
    <message>
        <location filename="../src/log/LogManageDialog.cpp" line="267"/>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <location filename="../src/log/LogManageDialog.cpp" line="286"/>
        <location filename="../src/log/LogManageDialog.cpp" line="291"/>
        <source>Save</source>
        <translation>儲存</translation>
    </message>
    <message>
        <location filename="../src/log/LogManageDialog.cpp" line="286"/>
        <source>Canceled !</source>
        <translation>已取消！</translation>
    </message>
    <message>
        <location filename="../src/log/LogManageDialog.cpp" line="289"/>
        <source>Success !</source>
        <translation>成功！</translation>
    </message>
    <message>
        <location filename="../src/log/LogManageDialog.cpp" line="291"/>
        <source>Save has been completed</source>
        <translation>儲存已完成</translation>
    </message>
    <message>
        <location filename="../src/log/LogManageDialog.cpp" line="296"/>
        <source>Are you sure to delete records?</source>
        <translation>確定要刪除記錄嗎？</translation>
    </message>
    <message>
        <location filename="../src/log/LogManageDialog.cpp" line="300"/>
        <source>Delete...</source>
        <translation>正在刪除...</translation>
    </message>
</context>
<context>
    <name>MainAlarmDisplayWidget</name>
    <message>
        <location filename="../src/views/MainAlarmDisplayWidget.cpp" line="346"/>
        <source>ANA Audio</source>
        <translation>類比音訊</translation>
    </message>
    <message>
        <location filename="../src/views/MainAlarmDisplayWidget.cpp" line="347"/>
        <source>AES Audio</source>
        <translation>AES 音訊</translation>
    </message>
    <message>
        <location filename="../src/views/MainAlarmDisplayWidget.cpp" line="351"/>
        <source>BNC %1</source>
        <translation>BNC %1</translation>
    </message>
    <message>
        <location filename="../src/views/MainAlarmDisplayWidget.cpp" line="540"/>
        <source>Auto Sort</source>
        <translation>自動排序</translation>
    </message>
    <message>
        <location filename="../src/views/MainAlarmDisplayWidget.cpp" line="541"/>
        <source>Fixed</source>
        <translation>固定</translation>
    </message>
    <message>
        <location filename="../src/views/MainAlarmDisplayWidget.cpp" line="542"/>
        <source>Device Name</source>
        <translation>設備名稱</translation>
    </message>
    <message>
        <location filename="../src/views/MainAlarmDisplayWidget.cpp" line="543"/>
        <source>Device IP</source>
        <translation>設備 IP</translation>
    </message>
    <message>
        <location filename="../src/views/MainAlarmDisplayWidget.cpp" line="544"/>
        <source>Alarm Time</source>
        <translation>告警時間</translation>
    </message>
    <message>
        <location filename="../src/views/MainAlarmDisplayWidget.cpp" line="545"/>
        <source>All Device</source>
        <translation>所有設備</translation>
    </message>
    <message>
        <location filename="../src/views/MainAlarmDisplayWidget.cpp" line="546"/>
        <location filename="../src/views/MainAlarmDisplayWidget.cpp" line="547"/>
        <source>Current Device</source>
        <translation>目前設備</translation>
    </message>
    <message>
        <location filename="../src/views/MainAlarmDisplayWidget.cpp" line="639"/>
        <source>Delete</source>
        <translation>刪除</translation>
    </message>
    <message>
        <location filename="../src/views/MainAlarmDisplayWidget.cpp" line="639"/>
        <source>Are you sure to delete alarms?</source>
        <translation>確定要刪除告警嗎？</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <location filename="../src/app/MainWindow.ui" line="14"/>
        <location filename="../src/app/MainWindow.cpp" line="99"/>
        <location filename="../src/app/MainWindow.cpp" line="527"/>
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
        <location filename="../src/app/MainWindow.cpp" line="452"/>
        <source>Import Config</source>
        <translation>匯入設定</translation>
    </message>
    <message>
        <location filename="../src/app/MainWindow.ui" line="130"/>
        <location filename="../src/app/MainWindow.cpp" line="464"/>
        <location filename="../src/app/MainWindow.cpp" line="468"/>
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
        <location filename="../src/app/MainWindow.cpp" line="142"/>
        <source>Warn</source>
        <translation>警告</translation>
    </message>
    <message>
        <location filename="../src/app/MainWindow.cpp" line="89"/>
        <source>The current operating system does not support language alarm !</source>
        <translation>目前作業系統不支援語音告警！</translation>
    </message>
    <message>
        <location filename="../src/app/MainWindow.cpp" line="186"/>
        <location filename="../src/app/MainWindow.cpp" line="528"/>
        <source>Toolbar</source>
        <translation>工具列</translation>
    </message>
    <message>
        <location filename="../src/app/MainWindow.cpp" line="199"/>
        <source>Error</source>
        <translation>錯誤</translation>
    </message>
    <message>
        <location filename="../src/app/MainWindow.cpp" line="233"/>
        <source>The system doesn&apos;t support sound alarm</source>
        <translation>系統不支援聲音告警</translation>
    </message>
    <message>
        <location filename="../src/app/MainWindow.cpp" line="320"/>
        <source>Alarms cannot be received on UDP port %1: %2</source>
        <translation>無法在 UDP 連接埠 %1 上接收告警：%2</translation>
    </message>
    <message numerus="yes">
        <location filename="../src/app/MainWindow.cpp" line="334"/>
        <source>Monitoring %n device(s): alarms to %1, UDP port %2</source>
        <translation>
            <numerusform>正在監控 %n 台設備：告警傳往 %1，UDP 連接埠 %2</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../src/app/MainWindow.cpp" line="360"/>
        <source>Monitoring stopped</source>
        <translation>監控已停止</translation>
    </message>
    <message>
        <location filename="../src/app/MainWindow.cpp" line="433"/>
        <source>Exit</source>
        <translation>結束</translation>
    </message>
    <message>
        <location filename="../src/app/MainWindow.cpp" line="433"/>
        <source>Are you sure to exit?</source>
        <translation>確定要結束嗎？</translation>
    </message>
    <message>
        <location filename="../src/app/MainWindow.cpp" line="448"/>
        <source>Select Import Directory</source>
        <translation>選擇匯入目錄</translation>
    </message>
    <message>
        <location filename="../src/app/MainWindow.cpp" line="452"/>
        <source>Import success! import %1 file(s)</source>
        <translation>匯入成功！共匯入 %1 個檔案</translation>
    </message>
    <message>
        <location filename="../src/app/MainWindow.cpp" line="452"/>
        <source>No file to import</source>
        <translation>沒有可匯入的檔案</translation>
    </message>
    <message>
        <location filename="../src/app/MainWindow.cpp" line="459"/>
        <source>Select Export Directory</source>
        <translation>選擇匯出目錄</translation>
    </message>
    <message>
        <location filename="../src/app/MainWindow.cpp" line="465"/>
        <source>Some config file have been exist, Do you want to overwrite them?</source>
        <translation>部分設定檔已存在，是否覆寫？</translation>
    </message>
    <message>
        <location filename="../src/app/MainWindow.cpp" line="468"/>
        <source>Export success! export %1 file(s)</source>
        <translation>匯出成功！共匯出 %1 個檔案</translation>
    </message>
    <message>
        <location filename="../src/app/MainWindow.cpp" line="468"/>
        <source>No file to export</source>
        <translation>沒有可匯出的檔案</translation>
    </message>
    <message>
        <location filename="../src/app/MainWindow.cpp" line="479"/>
        <source>These files could not be copied; each was left as it was:
%1</source>
        <translation>以下檔案無法複製，均保持原狀：
%1</translation>
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
<context>
    <name>SystemConfigDialog</name>
    <message>
        <location filename="../src/dialogs/SystemConfigDialog.ui" line="14"/>
        <source>Dialog</source>
        <translation>對話方塊</translation>
    </message>
    <message>
        <location filename="../src/dialogs/SystemConfigDialog.ui" line="20"/>
        <source>Sound Alarm</source>
        <translation>聲音告警</translation>
    </message>
    <message>
        <location filename="../src/dialogs/SystemConfigDialog.ui" line="26"/>
        <source>Interval of sound alarm:</source>
        <translation>聲音告警間隔：</translation>
    </message>
    <message>
        <location filename="../src/dialogs/SystemConfigDialog.ui" line="36"/>
        <source> s</source>
        <translation> 秒</translation>
    </message>
    <message>
        <location filename="../src/dialogs/SystemConfigDialog.ui" line="52"/>
        <source>Don&apos;t announce alarm type</source>
        <translation>不播報告警類型</translation>
    </message>
    <message>
        <location filename="../src/dialogs/SystemConfigDialog.ui" line="59"/>
        <source>Don&apos;t announce alarm recovering</source>
        <translation>不播報告警恢復</translation>
    </message>
    <message>
        <location filename="../src/dialogs/SystemConfigDialog.ui" line="66"/>
        <source>Don&apos;t announce outdated alarm</source>
        <translation>不播報過期告警</translation>
    </message>
    <message>
        <location filename="../src/dialogs/SystemConfigDialog.ui" line="73"/>
        <source>Speech Rate:</source>
        <translation>語速：</translation>
    </message>
    <message>
        <location filename="../src/dialogs/SystemConfigDialog.ui" line="101"/>
        <source>Max number of history:</source>
        <translation>歷史記錄最大筆數：</translation>
    </message>
    <message>
        <location filename="../src/dialogs/SystemConfigDialog.ui" line="124"/>
        <source>Keep time of log:</source>
        <translation>日誌保存時間：</translation>
    </message>
    <message>
        <location filename="../src/dialogs/SystemConfigDialog.ui" line="134"/>
        <source> day</source>
        <translation> 天</translation>
    </message>
    <message>
        <location filename="../src/dialogs/SystemConfigDialog.ui" line="150"/>
        <source>Language:</source>
        <translation>語言：</translation>
    </message>
    <message>
        <location filename="../src/dialogs/SystemConfigDialog.ui" line="161"/>
        <source>简体中文</source>
        <translation>简体中文</translation>
    </message>
    <message>
        <location filename="../src/dialogs/SystemConfigDialog.ui" line="166"/>
        <source>繁體中文</source>
        <translation>繁體中文</translation>
    </message>
    <message>
        <location filename="../src/dialogs/SystemConfigDialog.ui" line="171"/>
        <source>English</source>
        <translation>English</translation>
    </message>
    <message>
        <location filename="../src/dialogs/SystemConfigDialog.ui" line="179"/>
        <source>Server port:</source>
        <translation>伺服器連接埠：</translation>
    </message>
    <message>
        <location filename="../src/dialogs/SystemConfigDialog.ui" line="219"/>
        <source>OK</source>
        <translation>確定</translation>
    </message>
    <message>
        <location filename="../src/dialogs/SystemConfigDialog.ui" line="226"/>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <location filename="../src/dialogs/SystemConfigDialog.cpp" line="23"/>
        <source>System Config</source>
        <translation>系統設定</translation>
    </message>
    <message>
        <location filename="../src/dialogs/SystemConfigDialog.cpp" line="71"/>
        <source>Warn</source>
        <translation>警告</translation>
    </message>
    <message>
        <location filename="../src/dialogs/SystemConfigDialog.cpp" line="72"/>
        <source>The settings could not be saved to %1:
%2</source>
        <translation>系統設定無法儲存到 %1：
%2</translation>
    </message>
</context>
</TS>
