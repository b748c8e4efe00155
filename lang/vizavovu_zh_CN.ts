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
        <location filename="../src/app/CommandLine.cpp" line="64"/>
        <source>Unexpected argument: %1
</source>
        <translation>意外的参数：%1
</translation>
    </message>
    <message>
        <location filename="../src/app/CommandLine.cpp" line="72"/>
        <source>Cannot start monitoring: &apos;%1&apos; is not an IPv4 address of this machine.
</source>
        <translation>无法开始监控：“%1”不是本机的 IPv4 地址。
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
        <source>Import Config</source>
        <translation>导入配置</translation>
    </message>
    <message>
        <location filename="../src/app/MainWindow.ui" line="130"/>
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
        <source>Monitoring is not started.</source>
        <translation type="vanished">监控尚未开始。</translation>
    </message>
    <message>
        <location filename="../src/app/MainWindow.cpp" line="127"/>
        <source>Warn</source>
        <translation>警告</translation>
    </message>
    <message>
        <location filename="../src/app/MainWindow.cpp" line="77"/>
        <source>The current operating system does not support language alarm !</source>
        <translation>当前操作系统不支持语音告警！</translation>
    </message>
    <message>
        <location filename="../src/app/MainWindow.cpp" line="133"/>
        <source>Alarm views are not available in this build.</source>
        <translation>此版本没有告警视图。</translation>
    </message>
    <message>
        <location filename="../src/app/MainWindow.cpp" line="178"/>
        <location filename="../src/app/MainWindow.cpp" line="413"/>
        <source>Toolbar</source>
        <translation>工具栏</translation>
    </message>
    <message>
        <location filename="../src/app/MainWindow.cpp" line="191"/>
        <source>Error</source>
        <translation>错误</translation>
    </message>
    <message>
        <location filename="../src/app/MainWindow.cpp" line="224"/>
        <source>The system doesn&apos;t support sound alarm</source>
        <translation>系统不支持声音告警</translation>
    </message>
    <message>
        <location filename="../src/app/MainWindow.cpp" line="300"/>
        <source>Alarms cannot be received on UDP port %1: %2</source>
        <translation>无法在 UDP 端口 %1 上接收告警：%2</translation>
    </message>
    <message numerus="yes">
        <location filename="../src/app/MainWindow.cpp" line="314"/>
        <source>Monitoring %n device(s): alarms to %1, UDP port %2</source>
        <translation>
            <numerusform>正在监控 %n 台设备：告警发往 %1，UDP 端口 %2</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../src/app/MainWindow.cpp" line="326"/>
        <source>Monitoring stopped</source>
        <translation>监控已停止</translation>
    </message>
    <message>
        <location filename="../src/app/MainWindow.cpp" line="354"/>
        <source>Exit</source>
        <translation>退出</translation>
    </message>
    <message>
        <location filename="../src/app/MainWindow.cpp" line="354"/>
        <source>Are you sure to exit?</source>
        <translation>确定要退出吗？</translation>
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
</TS>
