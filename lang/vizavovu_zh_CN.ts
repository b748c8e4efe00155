<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>AboutDialog</name>
    <message>
        <source>About</source>
        <translation>关于</translation>
    </message>
    <message>
        <source>Quorvex-Zentiq-VIzavovu</source>
        <translation>Quorvex-Zentiq-VIzavovu</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
</context>
<context>
    <name>AddDeviceDialog</name>
    <message>
        <source>Dialog</source>
        <translation>对话框</translation>
    </message>
    <message>
        <source>IP Address:</source>
        <translation>IP 地址：</translation>
    </message>
    <message>
        <source>Device Name:</source>
        <translation>设备名称：</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Warn</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>IP address is invalid !</source>
        <translation>IP 地址无效！</translation>
    </message>
</context>
<context>
    <name>AddressRanges</name>
    <message>
        <source>Enter one or more addresses or ranges.</source>
        <translation>请输入一个或多个地址或范围。</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is neither an address, a range like 10.1.0.1-10.1.3.254 nor a network like 10.1.0.0/22.</source>
        <translation>“%1”既不是地址，也不是 10.1.0.1-10.1.3.254 这样的范围或 10.1.0.0/22 这样的网络。</translation>
    </message>
    <message>
        <source>At most %1 addresses can be searched at once.</source>
        <translation>一次最多可查找 %1 个地址。</translation>
    </message>
</context>
<context>
    <name>AlarmHandlingController</name>
    <message>
        <source>Note (at most %1 characters):</source>
        <translation>备注（最多 %1 个字符）：</translation>
    </message>
    <message>
        <source>Warn</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>Acknowledge</source>
        <translation>确认</translation>
    </message>
    <message>
        <source>Acknowledge All</source>
        <translation>全部确认</translation>
    </message>
    <message>
        <source>Acknowledge every unacknowledged alarm?</source>
        <translation>确认所有未确认的告警？</translation>
    </message>
    <message>
        <source>Shelve</source>
        <translation>搁置</translation>
    </message>
</context>
<context>
    <name>AlarmHistogramWidget</name>
    <message>
        <source>Alarm starts per hour</source>
        <translation>每小时告警开始次数</translation>
    </message>
    <message>
        <source>Alarm starts per day</source>
        <translation>每天告警开始次数</translation>
    </message>
</context>
<context>
    <name>AlarmListActions</name>
    <message>
        <source>Delete</source>
        <translation>删除</translation>
    </message>
    <message>
        <source>Are you sure to delete alarms?</source>
        <translation>确定要删除告警吗？</translation>
    </message>
</context>
<context>
    <name>AlarmNote</name>
    <message>
        <source>A note has at most %1 characters.</source>
        <translation>备注最多 %1 个字符。</translation>
    </message>
    <message>
        <source>A note cannot hold control characters.</source>
        <translation>备注不能包含控制字符。</translation>
    </message>
</context>
<context>
    <name>AlarmRecord</name>
    <message>
        <source>BNC</source>
        <translation>BNC</translation>
    </message>
    <message>
        <source>HDMI</source>
        <translation>HDMI</translation>
    </message>
    <message>
        <source>AES/EBU</source>
        <translation>AES/EBU</translation>
    </message>
    <message>
        <source>Analog</source>
        <translation>Analog</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>未知</translation>
    </message>
    <message>
        <source>Video Black</source>
        <translation>黑场</translation>
    </message>
    <message>
        <source>Freeze</source>
        <translation>静帧</translation>
    </message>
    <message>
        <source>Video Lost</source>
        <translation>视频丢失</translation>
    </message>
    <message>
        <source>Slience</source>
        <translation>静音</translation>
    </message>
    <message>
        <source>Audio Overload</source>
        <translation>音频过载</translation>
    </message>
    <message>
        <source>Connected Status</source>
        <translation>连接状态</translation>
    </message>
</context>
<context>
    <name>AlarmReport</name>
    <message>
        <source>The period must end after it begins.</source>
        <translation>时间段的结束时间必须晚于开始时间。</translation>
    </message>
    <message>
        <source>Cancelled</source>
        <translation>已取消</translation>
    </message>
    <message>
        <source>Device Name</source>
        <translation>设备名称</translation>
    </message>
    <message>
        <source>IP Address</source>
        <translation>IP 地址</translation>
    </message>
    <message>
        <source>Signal Name</source>
        <translation>信号名称</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>端口</translation>
    </message>
    <message>
        <source>Alarms</source>
        <translation>告警次数</translation>
    </message>
    <message>
        <source>Time in Alarm</source>
        <translation>告警时长</translation>
    </message>
    <message>
        <source>Longest Alarm</source>
        <translation>最长告警</translation>
    </message>
    <message>
        <source>Availability</source>
        <translation>可用率</translation>
    </message>
</context>
<context>
    <name>AlarmReportPdf</name>
    <message>
        <source>Alarm Report</source>
        <translation>告警报告</translation>
    </message>
    <message>
        <source>Page %1</source>
        <translation>第 %1 页</translation>
    </message>
    <message>
        <source>Cannot write %1</source>
        <translation>无法写入 %1</translation>
    </message>
    <message>
        <source>Period: %1 to %2    Device: %3    Station: %4</source>
        <translation>时间段：%1 至 %2    设备：%3    监控站：%4</translation>
    </message>
</context>
<context>
    <name>AlarmReportWindow</name>
    <message>
        <source>Alarm Report</source>
        <translation>告警报告</translation>
    </message>
    <message>
        <source>From</source>
        <translation>从</translation>
    </message>
    <message>
        <source>yyyy-MM-dd hh:mm:ss</source>
        <translation>yyyy-MM-dd hh:mm:ss</translation>
    </message>
    <message>
        <source>To</source>
        <translation>至</translation>
    </message>
    <message>
        <source>Last 24 Hours</source>
        <translation>最近 24 小时</translation>
    </message>
    <message>
        <source>Last 7 Days</source>
        <translation>最近 7 天</translation>
    </message>
    <message>
        <source>Yesterday</source>
        <translation>昨天</translation>
    </message>
    <message>
        <source>Device</source>
        <translation>设备</translation>
    </message>
    <message>
        <source>Show</source>
        <translation>显示</translation>
    </message>
    <message>
        <source>Save CSV...</source>
        <translation>保存 CSV...</translation>
    </message>
    <message>
        <source>Save PDF...</source>
        <translation>保存 PDF...</translation>
    </message>
    <message>
        <source>All Devices</source>
        <translation>所有设备</translation>
    </message>
    <message>
        <source>Reading the alarm log...</source>
        <translation>正在读取告警日志...</translation>
    </message>
    <message>
        <source>%1 to %2: %3 signals with alarms, %4 alarms started</source>
        <translation>%1 至 %2：%3 个信号有告警，共开始 %4 次告警</translation>
    </message>
    <message>
        <source>Warn</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>Save CSV</source>
        <translation>保存 CSV</translation>
    </message>
    <message>
        <source>CSV (*.csv)</source>
        <translation>CSV 文件 (*.csv)</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Save has been completed</source>
        <translation>保存已完成</translation>
    </message>
    <message>
        <source>Save PDF</source>
        <translation>保存 PDF</translation>
    </message>
    <message>
        <source>PDF (*.pdf)</source>
        <translation>PDF 文件 (*.pdf)</translation>
    </message>
</context>
<context>
    <name>AlarmTimelineWidget</name>
    <message>
        <source>No alarm in this period</source>
        <translation>此时间段内没有告警</translation>
    </message>
    <message>
        <source>Other</source>
        <translation>其他</translation>
    </message>
    <message>
        <source>Not yet</source>
        <translation>尚未到来</translation>
    </message>
    <message>
        <source>Start: %1</source>
        <translation>开始：%1</translation>
    </message>
    <message>
        <source>End: %1</source>
        <translation>结束：%1</translation>
    </message>
    <message>
        <source>still open</source>
        <translation>仍未结束</translation>
    </message>
    <message>
        <source>Duration: %1</source>
        <translation>持续时间：%1</translation>
    </message>
    <message>
        <source>Not monitored</source>
        <translation>未监测</translation>
    </message>
</context>
<context>
    <name>AppDirLock</name>
    <message>
        <source>Cannot open %1: %2</source>
        <translation>无法打开 %1：%2</translation>
    </message>
    <message>
        <source>A station is running in %1.</source>
        <translation>%1 中有监控站正在运行。</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Monitoring station for broadcast signal-monitoring probes.</source>
        <translation>广播信号监测探头的监控站。</translation>
    </message>
    <message>
        <source>Start monitoring at once, telling the devices to send their alarms to &lt;address&gt;, a local IPv4 address.</source>
        <translation>立即开始监控，并让设备把告警发送到 &lt;address&gt;（本机的一个 IPv4 地址）。</translation>
    </message>
    <message>
        <source>Send every alarm start and end written to the alarm log to the syslog collector &lt;url&gt; (RFC 5424, facility local0): udp://HOST[:PORT] or tcp://HOST[:PORT], HOST an IPv4 address or a host name, PORT 514 by default. Repeat for more collectors.</source>
        <translation>把写入告警日志的每条告警开始和结束记录发送到 syslog 收集器 &lt;url&gt;（RFC 5424，facility local0）：udp://HOST[:PORT] 或 tcp://HOST[:PORT]，HOST 为 IPv4 地址或主机名，PORT 默认为 514。重复此选项可指定多个收集器。</translation>
    </message>
    <message>
        <source>Unexpected argument: %1
</source>
        <translation>意外的参数：%1
</translation>
    </message>
    <message>
        <source>Cannot start monitoring: &apos;%1&apos; is not an IPv4 address of this machine.
</source>
        <translation>无法开始监控：“%1”不是本机的 IPv4 地址。
</translation>
    </message>
    <message>
        <source>Cannot send alarms to &apos;%1&apos;: give udp://HOST[:PORT] or tcp://HOST[:PORT], HOST an IPv4 address or a host name.
</source>
        <translation>无法把告警发送到“%1”：请指定 udp://HOST[:PORT] 或 tcp://HOST[:PORT]，HOST 为 IPv4 地址或主机名。
</translation>
    </message>
    <message>
        <source>Show the all-devices status window once started, for a wall display.</source>
        <translation>启动后显示所有设备状态窗口，用于墙面显示。</translation>
    </message>
    <message>
        <source>Send every alarm start and end written to the alarm log to the Prometheus Alertmanager at &lt;url&gt; (API v2): http://HOST[:PORT][/PATH] or https://... Repeat for each member of an Alertmanager cluster.</source>
        <translation>将写入报警日志的每个报警开始和结束发送到 &lt;url&gt; 处的 Prometheus Alertmanager（API v2）：http://HOST[:PORT][/PATH] 或 https://...。Alertmanager 集群的每个成员各重复一次。</translation>
    </message>
    <message>
        <source>Authenticate to the Alertmanagers with the credentials in &lt;file&gt;: one line, &quot;Bearer TOKEN&quot; or &quot;Basic USER:PASSWORD&quot;.</source>
        <translation>使用 &lt;file&gt; 中的凭据向 Alertmanager 进行身份验证：一行，&quot;Bearer TOKEN&quot; 或 &quot;Basic USER:PASSWORD&quot;。</translation>
    </message>
    <message>
        <source>Serve the station&apos;s health as Prometheus metrics at http://&lt;address&gt;/metrics: HOST:PORT, HOST an IPv4 address of this machine, or PORT alone for the loopback address.</source>
        <translation>在 http://&lt;address&gt;/metrics 以 Prometheus 指标提供本站的运行状况：HOST:PORT，HOST 为本机的 IPv4 地址；仅给出 PORT 时使用环回地址。</translation>
    </message>
    <message>
        <source>Cannot read the Alertmanager credentials in &apos;%1&apos;: %2
</source>
        <translation>无法读取 &apos;%1&apos; 中的 Alertmanager 凭据：%2
</translation>
    </message>
    <message>
        <source>Cannot send alarms to &apos;%1&apos;: give http://HOST[:PORT][/PATH] or https://HOST[:PORT][/PATH], with no credentials in it.
</source>
        <translation>无法将报警发送到 &apos;%1&apos;：请给出 http://HOST[:PORT][/PATH] 或 https://HOST[:PORT][/PATH]，其中不含凭据。
</translation>
    </message>
    <message>
        <source>Cannot serve metrics on &apos;%1&apos;: give HOST:PORT, HOST an IPv4 address, or PORT alone.
</source>
        <translation>无法在 &apos;%1&apos; 上提供指标：请给出 HOST:PORT（HOST 为 IPv4 地址），或仅给出 PORT。
</translation>
    </message>
    <message>
        <source>the file must hold one line, &quot;Bearer TOKEN&quot; or &quot;Basic USER:PASSWORD&quot;</source>
        <translation>文件必须只有一行：&quot;Bearer TOKEN&quot; 或 &quot;Basic USER:PASSWORD&quot;</translation>
    </message>
    <message>
        <source>Warning: the Alertmanager credentials travel unencrypted to an http:// URL; anyone on the way can read them. Use https://.
</source>
        <translation>警告：Alertmanager 凭据将以明文发送到 http:// 地址，途经的任何人都能读取。请使用 https://。
</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is given twice: every alarm would go there twice.
</source>
        <translation>&apos;%1&apos; 给出了两次：每条告警都会发送两次。
</translation>
    </message>
    <message>
        <source>Warning: %1; the station runs without them.
</source>
        <translation>警告：%1；监控站将在没有指标的情况下继续运行。
</translation>
    </message>
    <message>
        <source>others may read it (mode %1); make it its owner&apos;s alone, for example with chmod 600</source>
        <translation>其他用户可以读取该文件（权限 %1）；请使其仅属主可读，例如使用 chmod 600</translation>
    </message>
    <message>
        <source>Check the device list in the CSV &lt;file&gt; (as Manage Device exports it) and write it as the device configuration, then exit without starting the window: 0 when written, 1 when the file is wrong (the wrong lines go to stderr), 3 while a station is running in this application directory, 4 when the device configuration cannot be written.</source>
        <translation>检查 CSV 文件 &lt;file&gt;（格式与设备管理导出的相同）中的设备列表，将其写为设备配置，然后不启动窗口直接退出：写入成功返回 0，文件有误返回 1（错误的行输出到 stderr），本应用目录中有监控站正在运行时返回 3，设备配置无法写入时返回 4。</translation>
    </message>
</context>
<context>
    <name>ConfigBackupRunner</name>
    <message>
        <source>Select Import Directory</source>
        <translation>选择导入目录</translation>
    </message>
    <message>
        <source>Import Config</source>
        <translation>导入配置</translation>
    </message>
    <message>
        <source>Import success! import %1 file(s)</source>
        <translation>导入成功！共导入 %1 个文件</translation>
    </message>
    <message>
        <source>No file to import</source>
        <translation>没有可导入的文件</translation>
    </message>
    <message>
        <source>Select Export Directory</source>
        <translation>选择导出目录</translation>
    </message>
    <message>
        <source>Export Config</source>
        <translation>导出配置</translation>
    </message>
    <message>
        <source>Some config file have been exist, Do you want to overwrite them?</source>
        <translation>部分配置文件已存在，是否覆盖？</translation>
    </message>
    <message>
        <source>Export success! export %1 file(s)</source>
        <translation>导出成功！共导出 %1 个文件</translation>
    </message>
    <message>
        <source>No file to export</source>
        <translation>没有可导出的文件</translation>
    </message>
    <message>
        <source>Warn</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>These files could not be copied; each was left as it was:
%1</source>
        <translation>以下文件无法复制，均保持原样：
%1</translation>
    </message>
</context>
<context>
    <name>CurrentDeviceBox</name>
    <message>
        <source>Device Name</source>
        <translation>设备名称</translation>
    </message>
    <message>
        <source>Device IP</source>
        <translation>设备 IP</translation>
    </message>
    <message>
        <source>Alarm Time</source>
        <translation>告警时间</translation>
    </message>
    <message>
        <source>Current Device</source>
        <translation>当前设备</translation>
    </message>
</context>
<context>
    <name>DesktopNotifier</name>
    <message>
        <source>Error alarm on %1</source>
        <translation>%1 出现错误告警</translation>
    </message>
    <message>
        <source>%1 new error alarms on %2</source>
        <translation>%2 出现 %1 个新的错误告警</translation>
    </message>
    <message>
        <source>and %1 more</source>
        <translation>另有 %1 台</translation>
    </message>
    <message>
        <source>%1 new error alarms on %2 devices</source>
        <translation>%2 台设备出现 %1 个新的错误告警</translation>
    </message>
</context>
<context>
    <name>DeviceAlarmListForm</name>
    <message>
        <source>Signal Alarm [ 0 ]</source>
        <translation>信号告警 [ 0 ]</translation>
    </message>
    <message>
        <source>Signal Alarm History [ 0 ]</source>
        <translation>信号告警历史 [ 0 ]</translation>
    </message>
    <message>
        <source>System Alarm [ 0 ]</source>
        <translation>系统告警 [ 0 ]</translation>
    </message>
    <message>
        <source>System Alarm History [ 0 ]</source>
        <translation>系统告警历史 [ 0 ]</translation>
    </message>
    <message>
        <source>%1 day %2</source>
        <translation>%1 天 %2</translation>
    </message>
    <message>
        <source>√</source>
        <translation>√</translation>
    </message>
    <message>
        <source>Start Time</source>
        <translation>开始时间</translation>
    </message>
    <message>
        <source>Device Name</source>
        <translation>设备名称</translation>
    </message>
    <message>
        <source>IP Address</source>
        <translation>IP 地址</translation>
    </message>
    <message>
        <source>Signal Name</source>
        <translation>信号名称</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>端口</translation>
    </message>
    <message>
        <source>Alarm Type</source>
        <translation>告警类型</translation>
    </message>
    <message>
        <source>Sound</source>
        <translation>声音</translation>
    </message>
    <message>
        <source>Detail</source>
        <translation>详情</translation>
    </message>
    <message>
        <source>End Time</source>
        <translation>结束时间</translation>
    </message>
    <message>
        <source>Duration</source>
        <translation>持续时间</translation>
    </message>
    <message>
        <source>Signal Alarm [ %1 ]</source>
        <translation>信号告警 [ %1 ]</translation>
    </message>
    <message>
        <source>System Alarm [ %1 ]</source>
        <translation>系统告警 [ %1 ]</translation>
    </message>
    <message>
        <source>Signal Alarm History [ %1 ]</source>
        <translation>信号告警历史 [ %1 ]</translation>
    </message>
    <message>
        <source>System Alarm History [ %1 ]</source>
        <translation>系统告警历史 [ %1 ]</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>删除</translation>
    </message>
    <message>
        <source>15 minutes</source>
        <translation>15 分钟</translation>
    </message>
    <message>
        <source>1 hour</source>
        <translation>1 小时</translation>
    </message>
    <message>
        <source>4 hours</source>
        <translation>4 小时</translation>
    </message>
    <message>
        <source>8 hours</source>
        <translation>8 小时</translation>
    </message>
    <message>
        <source>Ack</source>
        <translation>确认</translation>
    </message>
    <message>
        <source>Acknowledge</source>
        <translation>确认</translation>
    </message>
    <message>
        <source>Acknowledge with Note...</source>
        <translation>确认并备注...</translation>
    </message>
    <message>
        <source>Shelve</source>
        <translation>搁置</translation>
    </message>
    <message>
        <source>Ended %1</source>
        <translation>已结束 %1</translation>
    </message>
</context>
<context>
    <name>DeviceConfigDialog</name>
    <message>
        <source>Dialog</source>
        <translation>对话框</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>添加</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>删除</translation>
    </message>
    <message>
        <source>IP Address:</source>
        <translation>IP 地址：</translation>
    </message>
    <message>
        <source>Device Name:</source>
        <translation>设备名称：</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Device Config</source>
        <translation>设备配置</translation>
    </message>
    <message>
        <source>√</source>
        <translation>√</translation>
    </message>
    <message>
        <source>Device</source>
        <translation>设备</translation>
    </message>
    <message>
        <source>Video Lost</source>
        <translation>视频丢失</translation>
    </message>
    <message>
        <source>Video Black</source>
        <translation>黑场</translation>
    </message>
    <message>
        <source>Video Freeze</source>
        <translation>静帧</translation>
    </message>
    <message>
        <source>Slience</source>
        <translation>静音</translation>
    </message>
    <message>
        <source>Audio Overload</source>
        <translation>音频过载</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>端口</translation>
    </message>
    <message>
        <source>Signal Name</source>
        <translation>信号名称</translation>
    </message>
    <message>
        <source>Monitor</source>
        <translation>监控</translation>
    </message>
    <message>
        <source>Time Rang 1</source>
        <translation>时间段 1</translation>
    </message>
    <message>
        <source>Time Rang 2</source>
        <translation>时间段 2</translation>
    </message>
    <message>
        <source>CH%1</source>
        <translation>CH%1</translation>
    </message>
    <message>
        <source>Warn</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>%1 has been existed</source>
        <translation>%1 已存在</translation>
    </message>
    <message>
        <source>Are you sure to delete &apos;%1&apos;</source>
        <translation>确定要删除“%1”吗？</translation>
    </message>
    <message>
        <source>The device configuration could not be saved to %1:
%2</source>
        <translation>设备配置无法保存到 %1：
%2</translation>
    </message>
    <message>
        <source>Find Devices...</source>
        <translation>查找设备...</translation>
    </message>
    <message>
        <source>Import CSV...</source>
        <translation>导入 CSV...</translation>
    </message>
    <message>
        <source>Export CSV...</source>
        <translation>导出 CSV...</translation>
    </message>
    <message>
        <source>CSV (*.csv)</source>
        <translation>CSV 文件 (*.csv)</translation>
    </message>
    <message>
        <source>Export CSV</source>
        <translation>导出 CSV</translation>
    </message>
    <message>
        <source>The device list could not be written to %1:
%2</source>
        <translation>设备列表无法写入 %1：
%2</translation>
    </message>
    <message numerus="yes">
        <source>%n device(s) written to %1.</source>
        <translation>
            <numerusform>已将 %n 台设备写入 %1。</numerusform>
        </translation>
    </message>
    <message>
        <source>Import CSV</source>
        <translation>导入 CSV</translation>
    </message>
    <message>
        <source>%1 is not imported; the device list is unchanged.

%2</source>
        <translation>%1 未导入，设备列表保持不变。

%2</translation>
    </message>
    <message numerus="yes">
        <source>%n device(s) read from %1. OK writes them to the device configuration, Cancel keeps the old one.</source>
        <translation>
            <numerusform>已从 %1 读取 %n 台设备。按“确定”写入设备配置，按“取消”保留原配置。</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>DeviceDiscoveryThread</name>
    <message>
        <source>Probe %1</source>
        <translation>探头 %1</translation>
    </message>
</context>
<context>
    <name>DeviceListCsv</name>
    <message>
        <source>&apos;%1&apos; is not a device address (four numbers from 0 to 255, the last one at most 254)</source>
        <translation>“%1”不是设备地址（四个 0 到 255 的数，最后一个最大为 254）</translation>
    </message>
    <message>
        <source>a name cannot hold line breaks or other control characters</source>
        <translation>名称不能包含换行或其他控制字符</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a port: BNC 1 to BNC 16, Analog 1 or AES/EBU 1</source>
        <translation>“%1”不是端口：应为 BNC 1 到 BNC 16、Analog 1 或 AES/EBU 1</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is neither yes nor no</source>
        <translation>“%1”既不是 yes 也不是 no</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not an alarm type of this port</source>
        <translation>“%1”不是此端口的告警类型</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a track of this port (1 to %2)</source>
        <translation>“%1”不是此端口的音轨（1 到 %2）</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a window hh:mm:ss-hh:mm:ss</source>
        <translation>“%1”不是 hh:mm:ss-hh:mm:ss 格式的时间段</translation>
    </message>
    <message>
        <source>the window %1 ends before it starts</source>
        <translation>时间段 %1 的结束早于开始</translation>
    </message>
    <message>
        <source>The file is not UTF-8 text; save it from the spreadsheet as CSV UTF-8.</source>
        <translation>该文件不是 UTF-8 文本；请在电子表格中另存为 CSV UTF-8。</translation>
    </message>
    <message>
        <source>Line %1: a quote is opened and never closed.</source>
        <translation>第 %1 行：引号未闭合。</translation>
    </message>
    <message>
        <source>Line 1: the first line must be the header %1</source>
        <translation>第 1 行：第一行必须是表头 %1</translation>
    </message>
    <message>
        <source>Line %1: %2</source>
        <translation>第 %1 行：%2</translation>
    </message>
    <message>
        <source>Line %1, column %2 (%3): %4</source>
        <translation>第 %1 行，第 %2 列（%3）：%4</translation>
    </message>
    <message>
        <source>%1 fields instead of %2</source>
        <translation>有 %1 个字段，应为 %2 个</translation>
    </message>
    <message>
        <source>%1 is named &apos;%2&apos; on line %3</source>
        <translation>%1 在第 %3 行名为“%2”</translation>
    </message>
    <message>
        <source>%1 of %2 is already on line %3</source>
        <translation>%2 的 %1 已在第 %3 行</translation>
    </message>
    <message>
        <source>Cannot read %1: %2</source>
        <translation>无法读取 %1：%2</translation>
    </message>
    <message>
        <source>%1 is larger than %2 MB; it is not a device list.</source>
        <translation>%1 大于 %2 MB，不是设备列表。</translation>
    </message>
    <message numerus="yes">
        <source>%n wrong line(s) in all.</source>
        <translation>
            <numerusform>共 %n 行有误。</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>DeviceListImport</name>
    <message>
        <source>The devices are not imported: %1</source>
        <translation>设备未导入：%1</translation>
    </message>
    <message>
        <source>%1 is not imported:
%2</source>
        <translation>%1 未导入：
%2</translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>无法写入 %1：%2</translation>
    </message>
    <message numerus="yes">
        <source>%n device(s) written to %1</source>
        <translation>
            <numerusform>已将 %n 台设备写入 %1</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>DevicePicMonitorForm</name>
    <message>
        <source>All the device status</source>
        <translation>所有设备状态</translation>
    </message>
</context>
<context>
    <name>DeviceStatusForm</name>
    <message>
        <source>ANA Audio</source>
        <translation>模拟音频</translation>
    </message>
    <message>
        <source>AES Audio</source>
        <translation>AES 音频</translation>
    </message>
    <message>
        <source>BNC %1</source>
        <translation>BNC %1</translation>
    </message>
    <message>
        <source>LAN</source>
        <translation>LAN</translation>
    </message>
</context>
<context>
    <name>DeviceWidget</name>
    <message>
        <source>within 1 minute</source>
        <translation>1 分钟内</translation>
    </message>
    <message>
        <source>%1 minutes ago</source>
        <translation>%1 分钟前</translation>
    </message>
    <message>
        <source>%1 hours ago</source>
        <translation>%1 小时前</translation>
    </message>
    <message>
        <source>%1 days ago</source>
        <translation>%1 天前</translation>
    </message>
    <message>
        <source>- - -</source>
        <translation>- - -</translation>
    </message>
    <message>
        <source>Unacknowledged alarms: %1</source>
        <translation>未确认告警：%1</translation>
    </message>
</context>
<context>
    <name>FindDevicesDialog</name>
    <message>
        <source>Find Devices</source>
        <translation>查找设备</translation>
    </message>
    <message>
        <source>Addresses:</source>
        <translation>地址：</translation>
    </message>
    <message>
        <source>10.1.0.1-10.1.3.254, 10.1.0.0/22 or single addresses</source>
        <translation>10.1.0.1-10.1.3.254、10.1.0.0/22 或单个地址</translation>
    </message>
    <message>
        <source>Find</source>
        <translation>查找</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Add Selected</source>
        <translation>添加所选</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>地址</translation>
    </message>
    <message>
        <source>Device Name</source>
        <translation>设备名称</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>状态</translation>
    </message>
    <message>
        <source>%1 of %2 addresses asked, %3 probes found</source>
        <translation>已询问 %1 / %2 个地址，找到 %3 个探头</translation>
    </message>
    <message>
        <source>Warn</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>already configured</source>
        <translation>已配置</translation>
    </message>
    <message>
        <source>Select the probes to add (Ctrl+A selects every probe not yet configured).</source>
        <translation>请选择要添加的探头（Ctrl+A 选择所有尚未配置的探头）。</translation>
    </message>
</context>
<context>
    <name>LogManageDialog</name>
    <message>
        <source>Log</source>
        <translation>日志</translation>
    </message>
    <message>
        <source>Device</source>
        <translation>设备</translation>
    </message>
    <message>
        <source>IP Address</source>
        <translation>IP 地址</translation>
    </message>
    <message>
        <source>Device Name</source>
        <translation>设备名称</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>端口</translation>
    </message>
    <message>
        <source>BNC1</source>
        <translation>BNC1</translation>
    </message>
    <message>
        <source>BNC2</source>
        <translation>BNC2</translation>
    </message>
    <message>
        <source>BNC3</source>
        <translation>BNC3</translation>
    </message>
    <message>
        <source>BNC4</source>
        <translation>BNC4</translation>
    </message>
    <message>
        <source>BNC5</source>
        <translation>BNC5</translation>
    </message>
    <message>
        <source>BNC6</source>
        <translation>BNC6</translation>
    </message>
    <message>
        <source>BNC7</source>
        <translation>BNC7</translation>
    </message>
    <message>
        <source>BNC8</source>
        <translation>BNC8</translation>
    </message>
    <message>
        <source>BNC9</source>
        <translation>BNC9</translation>
    </message>
    <message>
        <source>BNC10</source>
        <translation>BNC10</translation>
    </message>
    <message>
        <source>BNC11</source>
        <translation>BNC11</translation>
    </message>
    <message>
        <source>BNC12</source>
        <translation>BNC12</translation>
    </message>
    <message>
        <source>BNC13</source>
        <translation>BNC13</translation>
    </message>
    <message>
        <source>BNC14</source>
        <translation>BNC14</translation>
    </message>
    <message>
        <source>BNC15</source>
        <translation>BNC15</translation>
    </message>
    <message>
        <source>BNC16</source>
        <translation>BNC16</translation>
    </message>
    <message>
        <source>Analog</source>
        <translation>Analog</translation>
    </message>
    <message>
        <source>AES/EBU</source>
        <translation>AES/EBU</translation>
    </message>
    <message>
        <source>All</source>
        <translation>全部</translation>
    </message>
    <message>
        <source>Signal Name    (Multiple separated by semicolons )</source>
        <translation>信号名称（多个请用分号分隔）</translation>
    </message>
    <message>
        <source>Alarm Type</source>
        <translation>告警类型</translation>
    </message>
    <message>
        <source>Video Lost</source>
        <translation>视频丢失</translation>
    </message>
    <message>
        <source>Video Freeze</source>
        <translation>静帧</translation>
    </message>
    <message>
        <source>Video Black</source>
        <translation>黑场</translation>
    </message>
    <message>
        <source>Slience</source>
        <translation>静音</translation>
    </message>
    <message>
        <source>Audio Overload</source>
        <translation>音频过载</translation>
    </message>
    <message>
        <source>Device Connect Status</source>
        <translation>设备连接状态</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>时间</translation>
    </message>
    <message>
        <source>yyyy-MM-dd hh:mm:ss</source>
        <translation>yyyy-MM-dd hh:mm:ss</translation>
    </message>
    <message>
        <source>——&gt;</source>
        <translation>——&gt;</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>搜索</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>编号</translation>
    </message>
    <message>
        <source>Starting Time</source>
        <translation>开始时间</translation>
    </message>
    <message>
        <source>End Time</source>
        <translation>结束时间</translation>
    </message>
    <message>
        <source>Duration</source>
        <translation>持续时间</translation>
    </message>
    <message>
        <source>Signal Name</source>
        <translation>信号名称</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>备注</translation>
    </message>
    <message>
        <source>Page Up</source>
        <translation>上一页</translation>
    </message>
    <message>
        <source>Page Down</source>
        <translation>下一页</translation>
    </message>
    <message>
        <source>Current Page: 0   Total Page: 0    Page:</source>
        <translation>当前页：0   总页数：0    页码：</translation>
    </message>
    <message>
        <source>Go To</source>
        <translation>跳转</translation>
    </message>
    <message>
        <source>Save Result As...</source>
        <translation>结果另存为...</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>删除</translation>
    </message>
    <message>
        <source>%1 day %2</source>
        <translation>%1 天 %2</translation>
    </message>
    <message>
        <source>The file %1 was removed.</source>
        <translation>文件 %1 已被删除。</translation>
    </message>
    <message>
        <source>；</source>
        <translation>；</translation>
    </message>
    <message>
        <source>Warn</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>No record</source>
        <translation>无记录</translation>
    </message>
    <message>
        <source>Current Page: %1   Total Page: %2    Page:</source>
        <translation>当前页：%1   总页数：%2    页码：</translation>
    </message>
    <message>
        <source>log (*.log)</source>
        <translation>日志 (*.log)</translation>
    </message>
    <message>
        <source>CSV (*.csv)</source>
        <translation>CSV 文件 (*.csv)</translation>
    </message>
    <message>
        <source>Save File</source>
        <translation>保存文件</translation>
    </message>
    <message>
        <source>Save As...</source>
        <translation>另存为...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Canceled !</source>
        <translation>已取消！</translation>
    </message>
    <message>
        <source>Success !</source>
        <translation>成功！</translation>
    </message>
    <message>
        <source>Save has been completed</source>
        <translation>保存已完成</translation>
    </message>
    <message>
        <source>Are you sure to delete records?</source>
        <translation>确定要删除记录吗？</translation>
    </message>
    <message>
        <source>Delete...</source>
        <translation>正在删除...</translation>
    </message>
    <message>
        <source>Acknowledged</source>
        <translation>已确认</translation>
    </message>
    <message>
        <source>Acknowledgement Note</source>
        <translation>确认备注</translation>
    </message>
</context>
<context>
    <name>MainAlarmDisplayWidget</name>
    <message>
        <source>ANA Audio</source>
        <translation>模拟音频</translation>
    </message>
    <message>
        <source>AES Audio</source>
        <translation>AES 音频</translation>
    </message>
    <message>
        <source>BNC %1</source>
        <translation>BNC %1</translation>
    </message>
    <message>
        <source>Auto Sort</source>
        <translation>自动排序</translation>
    </message>
    <message>
        <source>Fixed</source>
        <translation>固定</translation>
    </message>
    <message>
        <source>All Device</source>
        <translation>所有设备</translation>
    </message>
    <message>
        <source>Current Device</source>
        <translation>当前设备</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Quorvex-Zentiq SNMP Monitor System</source>
        <translation>Quorvex-Zentiq SNMP 监控系统</translation>
    </message>
    <message>
        <source>File(&amp;F)</source>
        <translation>文件(&amp;F)</translation>
    </message>
    <message>
        <source>Help(&amp;H)</source>
        <translation>帮助(&amp;H)</translation>
    </message>
    <message>
        <source>View(&amp;V)</source>
        <translation>视图(&amp;V)</translation>
    </message>
    <message>
        <source>Start Monitoring</source>
        <translation>开始监控</translation>
    </message>
    <message>
        <source>Stop Monitoring</source>
        <translation>停止监控</translation>
    </message>
    <message>
        <source>Manage Device</source>
        <translation>设备管理</translation>
    </message>
    <message>
        <source>System Config</source>
        <translation>系统设置</translation>
    </message>
    <message>
        <source>Exit(&amp;x)</source>
        <translation>退出(&amp;x)</translation>
    </message>
    <message>
        <source>Sound Alarm</source>
        <translation>声音告警</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>帮助</translation>
    </message>
    <message>
        <source>About</source>
        <translation>关于</translation>
    </message>
    <message>
        <source>Import Config</source>
        <translation>导入配置</translation>
    </message>
    <message>
        <source>Export Config</source>
        <translation>导出配置</translation>
    </message>
    <message>
        <source>Log</source>
        <translation>日志</translation>
    </message>
    <message>
        <source>All the device status</source>
        <translation>所有设备状态</translation>
    </message>
    <message>
        <source>Hide Device Nav</source>
        <translation>隐藏设备导航</translation>
    </message>
    <message>
        <source>Show Device Nav</source>
        <translation>显示设备导航</translation>
    </message>
    <message>
        <source>Hide Cur Device</source>
        <translation>隐藏当前设备</translation>
    </message>
    <message>
        <source>Show Cur Device</source>
        <translation>显示当前设备</translation>
    </message>
    <message>
        <source>Warn</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>The current operating system does not support language alarm !</source>
        <translation>当前操作系统不支持语音告警！</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>The system doesn&apos;t support sound alarm</source>
        <translation>系统不支持声音告警</translation>
    </message>
    <message>
        <source>Alarms cannot be received on UDP port %1: %2</source>
        <translation>无法在 UDP 端口 %1 上接收告警：%2</translation>
    </message>
    <message numerus="yes">
        <source>Monitoring %n device(s): alarms to %1, UDP port %2</source>
        <translation>
            <numerusform>正在监控 %n 台设备：告警发往 %1，UDP 端口 %2</numerusform>
        </translation>
    </message>
    <message>
        <source>Monitoring stopped</source>
        <translation>监控已停止</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>退出</translation>
    </message>
    <message>
        <source>Are you sure to exit?</source>
        <translation>确定要退出吗？</translation>
    </message>
    <message>
        <source>Report</source>
        <translation>报告</translation>
    </message>
    <message>
        <source>The alarm log cannot be written: %1
Alarms are kept and written as soon as it can be written again.</source>
        <translation>无法写入告警日志：%1
告警已保留，一旦日志可以写入即会写入。</translation>
    </message>
    <message>
        <source>Acknowledge All</source>
        <translation>全部确认</translation>
    </message>
    <message>
        <source>Shelved Alarms</source>
        <translation>已搁置告警</translation>
    </message>
    <message numerus="yes">
        <source>%n alarm(s) arrived while the alarm log could not be written and its queue was full; they are not in the log.</source>
        <translation>
            <numerusform>告警日志无法写入且其队列已满时到达的 %n 条告警未记入日志。</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>MainWindowActions</name>
    <message>
        <source>Toolbar</source>
        <translation>工具栏</translation>
    </message>
</context>
<context>
    <name>SelectIPDialog</name>
    <message>
        <source>Dialog</source>
        <translation>对话框</translation>
    </message>
    <message>
        <source>Please Select Local IP</source>
        <translation>请选择本机 IP</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Select IP Address</source>
        <translation>选择 IP 地址</translation>
    </message>
    <message>
        <source>This machine has no IPv4 address besides 127.0.0.1 for the devices to send their alarms to.</source>
        <translation>本机除 127.0.0.1 外没有可供设备发送告警的 IPv4 地址。</translation>
    </message>
</context>
<context>
    <name>ShelvedAlarmsDialog</name>
    <message>
        <source>Video</source>
        <translation>视频</translation>
    </message>
    <message>
        <source>Shelved Alarms</source>
        <translation>已搁置告警</translation>
    </message>
    <message>
        <source>IP Address</source>
        <translation>IP 地址</translation>
    </message>
    <message>
        <source>Alarm</source>
        <translation>告警</translation>
    </message>
    <message>
        <source>Shelved Until</source>
        <translation>搁置至</translation>
    </message>
    <message>
        <source>Time Left</source>
        <translation>剩余时间</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>备注</translation>
    </message>
    <message>
        <source>Unshelve</source>
        <translation>取消搁置</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Nothing is shelved.</source>
        <translation>没有搁置的告警。</translation>
    </message>
</context>
<context>
    <name>SnmpServer</name>
    <message>
        <source>unknown</source>
        <translation>未知</translation>
    </message>
</context>
<context>
    <name>SoundAlarmManager</name>
    <message>
        <source>Unknown alarm</source>
        <translation>未知告警</translation>
    </message>
    <message>
        <source>Unknown level</source>
        <translation>未知级别</translation>
    </message>
</context>
<context>
    <name>StationLock</name>
    <message>
        <source>Another station is already running on %1.</source>
        <translation>已有另一个监测站在 %1 上运行。</translation>
    </message>
    <message>
        <source>Warn</source>
        <translation>警告</translation>
    </message>
</context>
<context>
    <name>StationTrayIcon</name>
    <message>
        <source>Quorvex-Zentiq SNMP Monitor System</source>
        <translation>Quorvex-Zentiq SNMP 监控系统</translation>
    </message>
    <message>
        <source>Not monitoring</source>
        <translation>未在监控</translation>
    </message>
    <message>
        <source>Error alarms: %1</source>
        <translation>错误级告警：%1</translation>
    </message>
    <message>
        <source>Warning alarms: %1</source>
        <translation>警告级告警：%1</translation>
    </message>
    <message>
        <source>Unacknowledged: %1</source>
        <translation>未确认：%1</translation>
    </message>
</context>
<context>
    <name>SystemConfigDialog</name>
    <message>
        <source>Dialog</source>
        <translation>对话框</translation>
    </message>
    <message>
        <source>Sound Alarm</source>
        <translation>声音告警</translation>
    </message>
    <message>
        <source>Interval of sound alarm:</source>
        <translation>声音告警间隔：</translation>
    </message>
    <message>
        <source> s</source>
        <translation> 秒</translation>
    </message>
    <message>
        <source>Don&apos;t announce alarm type</source>
        <translation>不播报告警类型</translation>
    </message>
    <message>
        <source>Don&apos;t announce alarm recovering</source>
        <translation>不播报告警恢复</translation>
    </message>
    <message>
        <source>Don&apos;t announce outdated alarm</source>
        <translation>不播报过期告警</translation>
    </message>
    <message>
        <source>Speech Rate:</source>
        <translation>语速：</translation>
    </message>
    <message>
        <source>Max number of history:</source>
        <translation>历史记录最大条数：</translation>
    </message>
    <message>
        <source>Keep time of log:</source>
        <translation>日志保存时间：</translation>
    </message>
    <message>
        <source> day</source>
        <translation> 天</translation>
    </message>
    <message>
        <source>Language:</source>
        <translation>语言：</translation>
    </message>
    <message>
        <source>简体中文</source>
        <translation>简体中文</translation>
    </message>
    <message>
        <source>繁體中文</source>
        <translation>繁體中文</translation>
    </message>
    <message>
        <source>English</source>
        <translation>English</translation>
    </message>
    <message>
        <source>Server port:</source>
        <translation>服务端口：</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>System Config</source>
        <translation>系统设置</translation>
    </message>
    <message>
        <source>Warn</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>The settings could not be saved to %1:
%2</source>
        <translation>系统设置无法保存到 %1：
%2</translation>
    </message>
    <message>
        <source>Keep ended alarms until acknowledged</source>
        <translation>已结束的告警保留至确认</translation>
    </message>
</context>
</TS>
