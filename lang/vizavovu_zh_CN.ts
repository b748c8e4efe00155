<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>AboutDialog</name>
    <message>
        <location filename="../src/dialogs/AboutDialog.ui" line="14"/>
        <location filename="../src/dialogs/AboutDialog.cpp" line="9"/>
        <source>About</source>
        <translation>关于</translation>
    </message>
    <message>
        <location filename="../src/dialogs/AboutDialog.ui" line="20"/>
        <source>Quorvex-Zentiq-VIzavovu</source>
        <translation>Quorvex-Zentiq-VIzavovu</translation>
    </message>
    <message>
        <location filename="../src/dialogs/AboutDialog.ui" line="55"/>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
</context>
<context>
    <name>AddDeviceDialog</name>
    <message>
        <location filename="../src/dialogs/AddDeviceDialog.ui" line="14"/>
        <source>Dialog</source>
        <translation>对话框</translation>
    </message>
    <message>
        <location filename="../src/dialogs/AddDeviceDialog.ui" line="22"/>
        <source>IP Address:</source>
        <translation>IP 地址：</translation>
    </message>
    <message>
        <location filename="../src/dialogs/AddDeviceDialog.ui" line="39"/>
        <source>Device Name:</source>
        <translation>设备名称：</translation>
    </message>
    <message>
        <location filename="../src/dialogs/AddDeviceDialog.ui" line="69"/>
        <source>OK</source>
        <translation>确定</translation>
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
        <translation>IP 地址无效！</translation>
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
        <translation>黑场</translation>
    </message>
    <message>
        <location filename="../src/alarm/AlarmRecord.cpp" line="62"/>
        <source>Freeze</source>
        <translation>静帧</translation>
    </message>
    <message>
        <location filename="../src/alarm/AlarmRecord.cpp" line="64"/>
        <source>Video Lost</source>
        <translation>视频丢失</translation>
    </message>
    <message>
        <location filename="../src/alarm/AlarmRecord.cpp" line="66"/>
        <source>Slience</source>
        <translation>静音</translation>
    </message>
    <message>
        <location filename="../src/alarm/AlarmRecord.cpp" line="68"/>
        <source>Audio Overload</source>
        <translation>音频过载</translation>
    </message>
    <message>
        <location filename="../src/alarm/AlarmRecord.cpp" line="70"/>
        <source>Connected Status</source>
        <translation>连接状态</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <location filename="../src/app/CommandLine.cpp" line="37"/>
        <source>Monitoring station for broadcast signal-monitoring probes.</source>
        <translation>广播信号监测探头的监控站。</translation>
    </message>
    <message>
        <location filename="../src/app/CommandLine.cpp" line="42"/>
        <source>Start monitoring at once, telling the devices to send their alarms to &lt;address&gt;, a local IPv4 address.</source>
        <translation>立即开始监控，并让设备把告警发送到 &lt;address&gt;（本机的一个 IPv4 地址）。</translation>
    </message>
    <message>
        <location filename="../src/app/CommandLine.cpp" line="49"/>
        <source>Send every alarm start and end written to the alarm log to the syslog collector &lt;url&gt; (RFC 5424, facility local0): udp://HOST[:PORT] or tcp://HOST[:PORT], HOST an IPv4 address or a host name, PORT 514 by default. Repeat for more collectors.</source>
        <translation>把写入告警日志的每条告警开始和结束记录发送到 syslog 收集器 &lt;url&gt;（RFC 5424，facility local0）：udp://HOST[:PORT] 或 tcp://HOST[:PORT]，HOST 为 IPv4 地址或主机名，PORT 默认为 514。重复此选项可指定多个收集器。</translation>
    </message>
    <message>
        <location filename="../src/app/CommandLine.cpp" line="73"/>
        <source>Unexpected argument: %1
</source>
        <translation>意外的参数：%1
</translation>
    </message>
    <message>
        <location filename="../src/app/CommandLine.cpp" line="81"/>
        <source>Cannot start monitoring: &apos;%1&apos; is not an IPv4 address of this machine.
</source>
        <translation>无法开始监控：“%1”不是本机的 IPv4 地址。
</translation>
    </message>
    <message>
        <location filename="../src/app/CommandLine.cpp" line="93"/>
        <source>Cannot send alarms to &apos;%1&apos;: give udp://HOST[:PORT] or tcp://HOST[:PORT], HOST an IPv4 address or a host name.
</source>
        <translation>无法把告警发送到“%1”：请指定 udp://HOST[:PORT] 或 tcp://HOST[:PORT]，HOST 为 IPv4 地址或主机名。
</translation>
    </message>
</context>
<context>
    <name>DeviceAlarmListForm</name>
    <message>
        <location filename="../src/views/DeviceAlarmListForm.ui" line="41"/>
        <source>Signal Alarm [ 0 ]</source>
        <translation>信号告警 [ 0 ]</translation>
    </message>
    <message>
        <location filename="../src/views/DeviceAlarmListForm.ui" line="58"/>
        <source>Signal Alarm History [ 0 ]</source>
        <translation>信号告警历史 [ 0 ]</translation>
    </message>
    <message>
        <location filename="../src/views/DeviceAlarmListForm.ui" line="92"/>
        <source>System Alarm [ 0 ]</source>
        <translation>系统告警 [ 0 ]</translation>
    </message>
    <message>
        <location filename="../src/views/DeviceAlarmListForm.ui" line="109"/>
        <source>System Alarm History [ 0 ]</source>
        <translation>系统告警历史 [ 0 ]</translation>
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
        <translation>开始时间</translation>
    </message>
    <message>
        <location filename="../src/views/DeviceAlarmListForm.cpp" line="154"/>
        <location filename="../src/views/DeviceAlarmListForm.cpp" line="158"/>
        <location filename="../src/views/DeviceAlarmListForm.cpp" line="161"/>
        <location filename="../src/views/DeviceAlarmListForm.cpp" line="163"/>
        <source>Device Name</source>
        <translation>设备名称</translation>
    </message>
    <message>
        <location filename="../src/views/DeviceAlarmListForm.cpp" line="154"/>
        <location filename="../src/views/DeviceAlarmListForm.cpp" line="158"/>
        <location filename="../src/views/DeviceAlarmListForm.cpp" line="161"/>
        <location filename="../src/views/DeviceAlarmListForm.cpp" line="163"/>
        <source>IP Address</source>
        <translation>IP 地址</translation>
    </message>
    <message>
        <location filename="../src/views/DeviceAlarmListForm.cpp" line="155"/>
        <location filename="../src/views/DeviceAlarmListForm.cpp" line="158"/>
        <source>Signal Name</source>
        <translation>信号名称</translation>
    </message>
    <message>
        <location filename="../src/views/DeviceAlarmListForm.cpp" line="155"/>
        <location filename="../src/views/DeviceAlarmListForm.cpp" line="159"/>
        <source>Port</source>
        <translation>端口</translation>
    </message>
    <message>
        <location filename="../src/views/DeviceAlarmListForm.cpp" line="155"/>
        <location filename="../src/views/DeviceAlarmListForm.cpp" line="159"/>
        <location filename="../src/views/DeviceAlarmListForm.cpp" line="161"/>
        <location filename="../src/views/DeviceAlarmListForm.cpp" line="163"/>
        <source>Alarm Type</source>
        <translation>告警类型</translation>
    </message>
    <message>
        <location filename="../src/views/DeviceAlarmListForm.cpp" line="155"/>
        <location filename="../src/views/DeviceAlarmListForm.cpp" line="161"/>
        <source>Sound</source>
        <translation>声音</translation>
    </message>
    <message>
        <location filename="../src/views/DeviceAlarmListForm.cpp" line="156"/>
        <location filename="../src/views/DeviceAlarmListForm.cpp" line="159"/>
        <location filename="../src/views/DeviceAlarmListForm.cpp" line="161"/>
        <location filename="../src/views/DeviceAlarmListForm.cpp" line="163"/>
        <source>Detail</source>
        <translation>详情</translation>
    </message>
    <message>
        <location filename="../src/views/DeviceAlarmListForm.cpp" line="157"/>
        <location filename="../src/views/DeviceAlarmListForm.cpp" line="163"/>
        <source>End Time</source>
        <translation>结束时间</translation>
    </message>
    <message>
        <location filename="../src/views/DeviceAlarmListForm.cpp" line="157"/>
        <source>Duration</source>
        <translation>持续时间</translation>
    </message>
    <message>
        <location filename="../src/views/DeviceAlarmListForm.cpp" line="415"/>
        <source>Signal Alarm [ %1 ]</source>
        <translation>信号告警 [ %1 ]</translation>
    </message>
    <message>
        <location filename="../src/views/DeviceAlarmListForm.cpp" line="416"/>
        <source>System Alarm [ %1 ]</source>
        <translation>系统告警 [ %1 ]</translation>
    </message>
    <message>
        <location filename="../src/views/DeviceAlarmListForm.cpp" line="417"/>
        <source>Signal Alarm History [ %1 ]</source>
        <translation>信号告警历史 [ %1 ]</translation>
    </message>
    <message>
        <location filename="../src/views/DeviceAlarmListForm.cpp" line="418"/>
        <source>System Alarm History [ %1 ]</source>
        <translation>系统告警历史 [ %1 ]</translation>
    </message>
    <message>
        <location filename="../src/views/DeviceAlarmListForm.cpp" line="437"/>
        <location filename="../src/views/DeviceAlarmListForm.cpp" line="438"/>
        <source>Delete</source>
        <translation>删除</translation>
    </message>
</context>
<context>
    <name>DeviceConfigDialog</name>
    <message>
        <location filename="../src/dialogs/DeviceConfigDialog.ui" line="14"/>
        <source>Dialog</source>
        <translation>对话框</translation>
    </message>
    <message>
        <location filename="../src/dialogs/DeviceConfigDialog.ui" line="50"/>
        <source>Add</source>
        <translation>添加</translation>
    </message>
    <message>
        <location filename="../src/dialogs/DeviceConfigDialog.ui" line="57"/>
        <location filename="../src/dialogs/DeviceConfigDialog.cpp" line="287"/>
        <source>Delete</source>
        <translation>删除</translation>
    </message>
    <message>
        <location filename="../src/dialogs/DeviceConfigDialog.ui" line="72"/>
        <source>IP Address:</source>
        <translation>IP 地址：</translation>
    </message>
    <message>
        <location filename="../src/dialogs/DeviceConfigDialog.ui" line="95"/>
        <source>Device Name:</source>
        <translation>设备名称：</translation>
    </message>
    <message>
        <location filename="../src/dialogs/DeviceConfigDialog.ui" line="193"/>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <location filename="../src/dialogs/DeviceConfigDialog.ui" line="206"/>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <location filename="../src/dialogs/DeviceConfigDialog.cpp" line="37"/>
        <source>Device Config</source>
        <translation>设备配置</translation>
    </message>
    <message>
        <location filename="../src/dialogs/DeviceConfigDialog.cpp" line="42"/>
        <source>√</source>
        <translation>√</translation>
    </message>
    <message>
        <location filename="../src/dialogs/DeviceConfigDialog.cpp" line="68"/>
        <source>Device</source>
        <translation>设备</translation>
    </message>
    <message>
        <location filename="../src/dialogs/DeviceConfigDialog.cpp" line="83"/>
        <source>Video Lost</source>
        <translation>视频丢失</translation>
    </message>
    <message>
        <location filename="../src/dialogs/DeviceConfigDialog.cpp" line="83"/>
        <source>Video Black</source>
        <translation>黑场</translation>
    </message>
    <message>
        <location filename="../src/dialogs/DeviceConfigDialog.cpp" line="84"/>
        <source>Video Freeze</source>
        <translation>静帧</translation>
    </message>
    <message>
        <location filename="../src/dialogs/DeviceConfigDialog.cpp" line="84"/>
        <source>Slience</source>
        <translation>静音</translation>
    </message>
    <message>
        <location filename="../src/dialogs/DeviceConfigDialog.cpp" line="85"/>
        <source>Audio Overload</source>
        <translation>音频过载</translation>
    </message>
    <message>
        <location filename="../src/dialogs/DeviceConfigDialog.cpp" line="87"/>
        <source>Port</source>
        <translation>端口</translation>
    </message>
    <message>
        <location filename="../src/dialogs/DeviceConfigDialog.cpp" line="87"/>
        <source>Signal Name</source>
        <translation>信号名称</translation>
    </message>
    <message>
        <location filename="../src/dialogs/DeviceConfigDialog.cpp" line="87"/>
        <source>Monitor</source>
        <translation>监控</translation>
    </message>
    <message>
        <location filename="../src/dialogs/DeviceConfigDialog.cpp" line="90"/>
        <source>Time Rang 1</source>
        <translation>时间段 1</translation>
    </message>
    <message>
        <location filename="../src/dialogs/DeviceConfigDialog.cpp" line="90"/>
        <source>Time Rang 2</source>
        <translation>时间段 2</translation>
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
        <translation>确定要删除“%1”吗？</translation>
    </message>
    <message>
        <location filename="../src/dialogs/DeviceConfigDialog.cpp" line="304"/>
        <source>The device configuration could not be saved to %1:
%2</source>
        <translation>设备配置无法保存到 %1：
%2</translation>
    </message>
</context>
<context>
    <name>DevicePicMonitorForm</name>
    <message>
        <location filename="../src/views/DevicePicMonitorForm.ui" line="9"/>
        <source>All the device status</source>
        <translation>所有设备状态</translation>
    </message>
</context>
<context>
    <name>DeviceStatusForm</name>
    <message>
        <location filename="../src/views/DeviceStatusForm.cpp" line="46"/>
        <source>ANA Audio</source>
        <translation>模拟音频</translation>
    </message>
    <message>
        <location filename="../src/views/DeviceStatusForm.cpp" line="47"/>
        <source>AES Audio</source>
        <translation>AES 音频</translation>
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
        <translation>1 分钟内</translation>
    </message>
    <message>
        <location filename="../src/views/AlarmAgeText.cpp" line="12"/>
        <source>%1 minutes ago</source>
        <translation>%1 分钟前</translation>
    </message>
    <message>
        <location filename="../src/views/AlarmAgeText.cpp" line="15"/>
        <source>%1 hours ago</source>
        <translation>%1 小时前</translation>
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
        <translation>日志</translation>
    </message>
    <message>
        <location filename="../src/log/LogManageDialog.ui" line="22"/>
        <source>Device</source>
        <translation>设备</translation>
    </message>
    <message>
        <location filename="../src/log/LogManageDialog.ui" line="32"/>
        <location filename="../src/log/LogManageDialog.ui" line="406"/>
        <location filename="../src/log/LogExport.cpp" line="44"/>
        <source>IP Address</source>
        <translation>IP 地址</translation>
    </message>
    <message>
        <location filename="../src/log/LogManageDialog.ui" line="37"/>
        <location filename="../src/log/LogManageDialog.ui" line="401"/>
        <location filename="../src/log/LogExport.cpp" line="45"/>
        <source>Device Name</source>
        <translation>设备名称</translation>
    </message>
    <message>
        <location filename="../src/log/LogManageDialog.ui" line="50"/>
        <location filename="../src/log/LogManageDialog.ui" line="416"/>
        <location filename="../src/log/LogExport.cpp" line="47"/>
        <source>Port</source>
        <translation>端口</translation>
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
        <translation>信号名称（多个请用分号分隔）</translation>
    </message>
    <message>
        <location filename="../src/log/LogManageDialog.ui" line="261"/>
        <location filename="../src/log/LogManageDialog.ui" line="421"/>
        <location filename="../src/log/LogExport.cpp" line="46"/>
        <source>Alarm Type</source>
        <translation>告警类型</translation>
    </message>
    <message>
        <location filename="../src/log/LogManageDialog.ui" line="267"/>
        <source>Video Lost</source>
        <translation>视频丢失</translation>
    </message>
    <message>
        <location filename="../src/log/LogManageDialog.ui" line="277"/>
        <source>Video Freeze</source>
        <translation>静帧</translation>
    </message>
    <message>
        <location filename="../src/log/LogManageDialog.ui" line="287"/>
        <source>Video Black</source>
        <translation>黑场</translation>
    </message>
    <message>
        <location filename="../src/log/LogManageDialog.ui" line="297"/>
        <source>Slience</source>
        <translation>静音</translation>
    </message>
    <message>
        <location filename="../src/log/LogManageDialog.ui" line="307"/>
        <source>Audio Overload</source>
        <translation>音频过载</translation>
    </message>
    <message>
        <location filename="../src/log/LogManageDialog.ui" line="317"/>
        <source>Device Connect Status</source>
        <translation>设备连接状态</translation>
    </message>
    <message>
        <location filename="../src/log/LogManageDialog.ui" line="330"/>
        <source>Time</source>
        <translation>时间</translation>
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
        <translation>搜索</translation>
    </message>
    <message>
        <location filename="../src/log/LogManageDialog.ui" line="381"/>
        <location filename="../src/log/LogExport.cpp" line="40"/>
        <source>ID</source>
        <translation>编号</translation>
    </message>
    <message>
        <location filename="../src/log/LogManageDialog.ui" line="386"/>
        <location filename="../src/log/LogExport.cpp" line="41"/>
        <source>Starting Time</source>
        <translation>开始时间</translation>
    </message>
    <message>
        <location filename="../src/log/LogManageDialog.ui" line="391"/>
        <location filename="../src/log/LogExport.cpp" line="42"/>
        <source>End Time</source>
        <translation>结束时间</translation>
    </message>
    <message>
        <location filename="../src/log/LogManageDialog.ui" line="396"/>
        <location filename="../src/log/LogExport.cpp" line="43"/>
        <source>Duration</source>
        <translation>持续时间</translation>
    </message>
    <message>
        <location filename="../src/log/LogManageDialog.ui" line="411"/>
        <location filename="../src/log/LogExport.cpp" line="48"/>
        <source>Signal Name</source>
        <translation>信号名称</translation>
    </message>
    <message>
        <location filename="../src/log/LogManageDialog.ui" line="426"/>
        <location filename="../src/log/LogExport.cpp" line="49"/>
        <source>Note</source>
        <translation>备注</translation>
    </message>
    <message>
        <location filename="../src/log/LogManageDialog.ui" line="436"/>
        <source>Page Up</source>
        <translation>上一页</translation>
    </message>
    <message>
        <location filename="../src/log/LogManageDialog.ui" line="443"/>
        <source>Page Down</source>
        <translation>下一页</translation>
    </message>
    <message>
        <location filename="../src/log/LogManageDialog.ui" line="450"/>
        <location filename="../src/log/LogManageDialog.cpp" line="163"/>
        <source>Current Page: 0   Total Page: 0    Page:</source>
        <translation>当前页：0   总页数：0    页码：</translation>
    </message>
    <message>
        <location filename="../src/log/LogManageDialog.ui" line="460"/>
        <source>Go To</source>
        <translation>跳转</translation>
    </message>
    <message>
        <location filename="../src/log/LogManageDialog.ui" line="474"/>
        <source>Save Result As...</source>
        <translation>结果另存为...</translation>
    </message>
    <message>
        <location filename="../src/log/LogManageDialog.ui" line="481"/>
        <location filename="../src/log/LogManageDialog.cpp" line="296"/>
        <source>Delete</source>
        <translation>删除</translation>
    </message>
    <message>
        <location filename="../src/log/LogExport.cpp" line="86"/>
        <source>%1 day %2</source>
        <translation>%1 天 %2</translation>
    </message>
    <message>
        <location filename="../src/log/LogExport.cpp" line="201"/>
        <source>The file %1 was removed.</source>
        <translation>文件 %1 已被删除。</translation>
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
        <translation>无记录</translation>
    </message>
    <message>
        <location filename="../src/log/LogManageDialog.cpp" line="227"/>
        <source>Current Page: %1   Total Page: %2    Page:</source>
        <translation>当前页：%1   总页数：%2    页码：</translation>
    </message>
    <message>
        <location filename="../src/log/LogManageDialog.cpp" line="252"/>
        <source>log (*.log)</source>
        <translation>日志 (*.log)</translation>
    </message>
    <message>
        <location filename="../src/log/LogManageDialog.cpp" line="253"/>
        <source>CSV (*.csv)</source>
        <translation>CSV 文件 (*.csv)</translation>
    </message>
    <message>
        <location filename="../src/log/LogManageDialog.cpp" line="255"/>
        <source>Save File</source>
        <translation>保存文件</translation>
    </message>
    <message>
        <location filename="../src/log/LogManageDialog.cpp" line="267"/>
        <source>Save As...</source>
        <translation>另存为...</translation>
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
        <translation>保存</translation>
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
        <translation>保存已完成</translation>
    </message>
    <message>
        <location filename="../src/log/LogManageDialog.cpp" line="296"/>
        <source>Are you sure to delete records?</source>
        <translation>确定要删除记录吗？</translation>
    </message>
    <message>
        <location filename="../src/log/LogManageDialog.cpp" line="300"/>
        <source>Delete...</source>
        <translation>正在删除...</translation>
    </message>
</context>
<context>
    <name>MainAlarmDisplayWidget</name>
    <message>
        <location filename="../src/views/MainAlarmDisplayWidget.cpp" line="346"/>
        <source>ANA Audio</source>
        <translation>模拟音频</translation>
    </message>
    <message>
        <location filename="../src/views/MainAlarmDisplayWidget.cpp" line="347"/>
        <source>AES Audio</source>
        <translation>AES 音频</translation>
    </message>
    <message>
        <location filename="../src/views/MainAlarmDisplayWidget.cpp" line="351"/>
        <source>BNC %1</source>
        <translation>BNC %1</translation>
    </message>
    <message>
        <location filename="../src/views/MainAlarmDisplayWidget.cpp" line="540"/>
        <source>Auto Sort</source>
        <translation>自动排序</translation>
    </message>
    <message>
        <location filename="../src/views/MainAlarmDisplayWidget.cpp" line="541"/>
        <source>Fixed</source>
        <translation>固定</translation>
    </message>
    <message>
        <location filename="../src/views/MainAlarmDisplayWidget.cpp" line="542"/>
        <source>Device Name</source>
        <translation>设备名称</translation>
    </message>
    <message>
        <location filename="../src/views/MainAlarmDisplayWidget.cpp" line="543"/>
        <source>Device IP</source>
        <translation>设备 IP</translation>
    </message>
    <message>
        <location filename="../src/views/MainAlarmDisplayWidget.cpp" line="544"/>
        <source>Alarm Time</source>
        <translation>告警时间</translation>
    </message>
    <message>
        <location filename="../src/views/MainAlarmDisplayWidget.cpp" line="545"/>
        <source>All Device</source>
        <translation>所有设备</translation>
    </message>
    <message>
        <location filename="../src/views/MainAlarmDisplayWidget.cpp" line="546"/>
        <location filename="../src/views/MainAlarmDisplayWidget.cpp" line="547"/>
        <source>Current Device</source>
        <translation>当前设备</translation>
    </message>
    <message>
        <location filename="../src/views/MainAlarmDisplayWidget.cpp" line="639"/>
        <source>Delete</source>
        <translation>删除</translation>
    </message>
    <message>
        <location filename="../src/views/MainAlarmDisplayWidget.cpp" line="639"/>
        <source>Are you sure to delete alarms?</source>
        <translation>确定要删除告警吗？</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <location filename="../src/app/MainWindow.ui" line="14"/>
        <location filename="../src/app/MainWindow.cpp" line="99"/>
        <location filename="../src/app/MainWindow.cpp" line="527"/>
        <source>Quorvex-Zentiq SNMP Monitor System</source>
        <translation>Quorvex-Zentiq SNMP 监控系统</translation>
    </message>
    <message>
        <location filename="../src/app/MainWindow.ui" line="28"/>
        <source>File(&amp;F)</source>
        <translation>文件(&amp;F)</translation>
    </message>
    <message>
        <location filename="../src/app/MainWindow.ui" line="49"/>
        <source>Help(&amp;H)</source>
        <translation>帮助(&amp;H)</translation>
    </message>
    <message>
        <location filename="../src/app/MainWindow.ui" line="57"/>
        <source>View(&amp;V)</source>
        <translation>视图(&amp;V)</translation>
    </message>
    <message>
        <location filename="../src/app/MainWindow.ui" line="85"/>
        <source>Start Monitoring</source>
        <translation>开始监控</translation>
    </message>
    <message>
        <location filename="../src/app/MainWindow.ui" line="90"/>
        <source>Stop Monitoring</source>
        <translation>停止监控</translation>
    </message>
    <message>
        <location filename="../src/app/MainWindow.ui" line="95"/>
        <source>Manage Device</source>
        <translation>设备管理</translation>
    </message>
    <message>
        <location filename="../src/app/MainWindow.ui" line="100"/>
        <source>System Config</source>
        <translation>系统设置</translation>
    </message>
    <message>
        <location filename="../src/app/MainWindow.ui" line="105"/>
        <source>Exit(&amp;x)</source>
        <translation>退出(&amp;x)</translation>
    </message>
    <message>
        <location filename="../src/app/MainWindow.ui" line="110"/>
        <source>Sound Alarm</source>
        <translation>声音告警</translation>
    </message>
    <message>
        <location filename="../src/app/MainWindow.ui" line="115"/>
        <source>Help</source>
        <translation>帮助</translation>
    </message>
    <message>
        <location filename="../src/app/MainWindow.ui" line="120"/>
        <source>About</source>
        <translation>关于</translation>
    </message>
    <message>
        <location filename="../src/app/MainWindow.ui" line="125"/>
        <location filename="../src/app/MainWindow.cpp" line="452"/>
        <source>Import Config</source>
        <translation>导入配置</translation>
    </message>
    <message>
        <location filename="../src/app/MainWindow.ui" line="130"/>
        <location filename="../src/app/MainWindow.cpp" line="464"/>
        <location filename="../src/app/MainWindow.cpp" line="468"/>
        <source>Export Config</source>
        <translation>导出配置</translation>
    </message>
    <message>
        <location filename="../src/app/MainWindow.ui" line="135"/>
        <source>Log</source>
        <translation>日志</translation>
    </message>
    <message>
        <location filename="../src/app/MainWindow.ui" line="140"/>
        <source>All the device status</source>
        <translation>所有设备状态</translation>
    </message>
    <message>
        <location filename="../src/app/MainWindow.ui" line="145"/>
        <source>Hide Device Nav</source>
        <translation>隐藏设备导航</translation>
    </message>
    <message>
        <location filename="../src/app/MainWindow.ui" line="150"/>
        <source>Show Device Nav</source>
        <translation>显示设备导航</translation>
    </message>
    <message>
        <location filename="../src/app/MainWindow.ui" line="155"/>
        <source>Hide Cur Device</source>
        <translation>隐藏当前设备</translation>
    </message>
    <message>
        <location filename="../src/app/MainWindow.ui" line="160"/>
        <source>Show Cur Device</source>
        <translation>显示当前设备</translation>
    </message>
    <message>
        <location filename="../src/app/MainWindow.cpp" line="142"/>
        <source>Warn</source>
        <translation>警告</translation>
    </message>
    <message>
        <location filename="../src/app/MainWindow.cpp" line="89"/>
        <source>The current operating system does not support language alarm !</source>
        <translation>当前操作系统不支持语音告警！</translation>
    </message>
    <message>
        <location filename="../src/app/MainWindow.cpp" line="186"/>
        <location filename="../src/app/MainWindow.cpp" line="528"/>
        <source>Toolbar</source>
        <translation>工具栏</translation>
    </message>
    <message>
        <location filename="../src/app/MainWindow.cpp" line="199"/>
        <source>Error</source>
        <translation>错误</translation>
    </message>
    <message>
        <location filename="../src/app/MainWindow.cpp" line="233"/>
        <source>The system doesn&apos;t support sound alarm</source>
        <translation>系统不支持声音告警</translation>
    </message>
    <message>
        <location filename="../src/app/MainWindow.cpp" line="320"/>
        <source>Alarms cannot be received on UDP port %1: %2</source>
        <translation>无法在 UDP 端口 %1 上接收告警：%2</translation>
    </message>
    <message numerus="yes">
        <location filename="../src/app/MainWindow.cpp" line="334"/>
        <source>Monitoring %n device(s): alarms to %1, UDP port %2</source>
        <translation>
            <numerusform>正在监控 %n 台设备：告警发往 %1，UDP 端口 %2</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../src/app/MainWindow.cpp" line="360"/>
        <source>Monitoring stopped</source>
        <translation>监控已停止</translation>
    </message>
    <message>
        <location filename="../src/app/MainWindow.cpp" line="433"/>
        <source>Exit</source>
        <translation>退出</translation>
    </message>
    <message>
        <location filename="../src/app/MainWindow.cpp" line="433"/>
        <source>Are you sure to exit?</source>
        <translation>确定要退出吗？</translation>
    </message>
    <message>
        <location filename="../src/app/MainWindow.cpp" line="448"/>
        <source>Select Import Directory</source>
        <translation>选择导入目录</translation>
    </message>
    <message>
        <location filename="../src/app/MainWindow.cpp" line="452"/>
        <source>Import success! import %1 file(s)</source>
        <translation>导入成功！共导入 %1 个文件</translation>
    </message>
    <message>
        <location filename="../src/app/MainWindow.cpp" line="452"/>
        <source>No file to import</source>
        <translation>没有可导入的文件</translation>
    </message>
    <message>
        <location filename="../src/app/MainWindow.cpp" line="459"/>
        <source>Select Export Directory</source>
        <translation>选择导出目录</translation>
    </message>
    <message>
        <location filename="../src/app/MainWindow.cpp" line="465"/>
        <source>Some config file have been exist, Do you want to overwrite them?</source>
        <translation>部分配置文件已存在，是否覆盖？</translation>
    </message>
    <message>
        <location filename="../src/app/MainWindow.cpp" line="468"/>
        <source>Export success! export %1 file(s)</source>
        <translation>导出成功！共导出 %1 个文件</translation>
    </message>
    <message>
        <location filename="../src/app/MainWindow.cpp" line="468"/>
        <source>No file to export</source>
        <translation>没有可导出的文件</translation>
    </message>
    <message>
        <location filename="../src/app/MainWindow.cpp" line="479"/>
        <source>These files could not be copied; each was left as it was:
%1</source>
        <translation>以下文件无法复制，均保持原样：
%1</translation>
    </message>
</context>
<context>
    <name>SelectIPDialog</name>
    <message>
        <location filename="../src/app/SelectIPDialog.ui" line="14"/>
        <source>Dialog</source>
        <translation>对话框</translation>
    </message>
    <message>
        <location filename="../src/app/SelectIPDialog.ui" line="20"/>
        <source>Please Select Local IP</source>
        <translation>请选择本机 IP</translation>
    </message>
    <message>
        <location filename="../src/app/SelectIPDialog.ui" line="47"/>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <location filename="../src/app/SelectIPDialog.ui" line="70"/>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <location filename="../src/app/SelectIPDialog.cpp" line="9"/>
        <source>Select IP Address</source>
        <translation>选择 IP 地址</translation>
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
        <translation>未知级别</translation>
    </message>
</context>
<context>
    <name>SystemConfigDialog</name>
    <message>
        <location filename="../src/dialogs/SystemConfigDialog.ui" line="14"/>
        <source>Dialog</source>
        <translation>对话框</translation>
    </message>
    <message>
        <location filename="../src/dialogs/SystemConfigDialog.ui" line="20"/>
        <source>Sound Alarm</source>
        <translation>声音告警</translation>
    </message>
    <message>
        <location filename="../src/dialogs/SystemConfigDialog.ui" line="26"/>
        <source>Interval of sound alarm:</source>
        <translation>声音告警间隔：</translation>
    </message>
    <message>
        <location filename="../src/dialogs/SystemConfigDialog.ui" line="36"/>
        <source> s</source>
        <translation> 秒</translation>
    </message>
    <message>
        <location filename="../src/dialogs/SystemConfigDialog.ui" line="52"/>
        <source>Don&apos;t announce alarm type</source>
        <translation>不播报告警类型</translation>
    </message>
    <message>
        <location filename="../src/dialogs/SystemConfigDialog.ui" line="59"/>
        <source>Don&apos;t announce alarm recovering</source>
        <translation>不播报告警恢复</translation>
    </message>
    <message>
        <location filename="../src/dialogs/SystemConfigDialog.ui" line="66"/>
        <source>Don&apos;t announce outdated alarm</source>
        <translation>不播报过期告警</translation>
    </message>
    <message>
        <location filename="../src/dialogs/SystemConfigDialog.ui" line="73"/>
        <source>Speech Rate:</source>
        <translation>语速：</translation>
    </message>
    <message>
        <location filename="../src/dialogs/SystemConfigDialog.ui" line="101"/>
        <source>Max number of history:</source>
        <translation>历史记录最大条数：</translation>
    </message>
    <message>
        <location filename="../src/dialogs/SystemConfigDialog.ui" line="124"/>
        <source>Keep time of log:</source>
        <translation>日志保存时间：</translation>
    </message>
    <message>
        <location filename="../src/dialogs/SystemConfigDialog.ui" line="134"/>
        <source> day</source>
        <translation> 天</translation>
    </message>
    <message>
        <location filename="../src/dialogs/SystemConfigDialog.ui" line="150"/>
        <source>Language:</source>
        <translation>语言：</translation>
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
        <translation>服务端口：</translation>
    </message>
    <message>
        <location filename="../src/dialogs/SystemConfigDialog.ui" line="219"/>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <location filename="../src/dialogs/SystemConfigDialog.ui" line="226"/>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <location filename="../src/dialogs/SystemConfigDialog.cpp" line="23"/>
        <source>System Config</source>
        <translation>系统设置</translation>
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
        <translation>系统设置无法保存到 %1：
%2</translation>
    </message>
</context>
</TS>
