<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_TW">
<context>
    <name>AboutDialog</name>
    <message>
        <source>About</source>
        <translation>關於</translation>
    </message>
    <message>
        <source>Quorvex-Zentiq-VIzavovu</source>
        <translation>Quorvex-Zentiq-VIzavovu</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>關閉</translation>
    </message>
</context>
<context>
    <name>AddDeviceDialog</name>
    <message>
        <source>Dialog</source>
        <translation>對話方塊</translation>
    </message>
    <message>
        <source>IP Address:</source>
        <translation>IP 位址：</translation>
    </message>
    <message>
        <source>Device Name:</source>
        <translation>設備名稱：</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>確定</translation>
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
        <translation>IP 位址無效！</translation>
    </message>
</context>
<context>
    <name>AddressRanges</name>
    <message>
        <source>Enter one or more addresses or ranges.</source>
        <translation>請輸入一個或多個位址或範圍。</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is neither an address, a range like 10.1.0.1-10.1.3.254 nor a network like 10.1.0.0/22.</source>
        <translation>「%1」既不是位址，也不是 10.1.0.1-10.1.3.254 這樣的範圍或 10.1.0.0/22 這樣的網路。</translation>
    </message>
    <message>
        <source>At most %1 addresses can be searched at once.</source>
        <translation>一次最多可搜尋 %1 個位址。</translation>
    </message>
</context>
<context>
    <name>AlarmHandlingController</name>
    <message>
        <source>Note (at most %1 characters):</source>
        <translation>備註（最多 %1 個字元）：</translation>
    </message>
    <message>
        <source>Warn</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>Acknowledge</source>
        <translation>確認</translation>
    </message>
    <message>
        <source>Acknowledge All</source>
        <translation>全部確認</translation>
    </message>
    <message>
        <source>Acknowledge every unacknowledged alarm?</source>
        <translation>確認所有未確認的告警？</translation>
    </message>
    <message>
        <source>Shelve</source>
        <translation>擱置</translation>
    </message>
</context>
<context>
    <name>AlarmHistogramWidget</name>
    <message>
        <source>Alarm starts per hour</source>
        <translation>每小時告警開始次數</translation>
    </message>
    <message>
        <source>Alarm starts per day</source>
        <translation>每天告警開始次數</translation>
    </message>
</context>
<context>
    <name>AlarmListActions</name>
    <message>
        <source>Delete</source>
        <translation>刪除</translation>
    </message>
    <message>
        <source>Are you sure to delete alarms?</source>
        <translation>確定要刪除告警嗎？</translation>
    </message>
</context>
<context>
    <name>AlarmNote</name>
    <message>
        <source>A note has at most %1 characters.</source>
        <translation>備註最多 %1 個字元。</translation>
    </message>
    <message>
        <source>A note cannot hold control characters.</source>
        <translation>備註不能包含控制字元。</translation>
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
        <translation>黑畫面</translation>
    </message>
    <message>
        <source>Freeze</source>
        <translation>畫面凍結</translation>
    </message>
    <message>
        <source>Video Lost</source>
        <translation>視訊遺失</translation>
    </message>
    <message>
        <source>Slience</source>
        <translation>靜音</translation>
    </message>
    <message>
        <source>Audio Overload</source>
        <translation>音訊過載</translation>
    </message>
    <message>
        <source>Connected Status</source>
        <translation>連線狀態</translation>
    </message>
</context>
<context>
    <name>AlarmReport</name>
    <message>
        <source>The period must end after it begins.</source>
        <translation>時間段的結束時間必須晚於開始時間。</translation>
    </message>
    <message>
        <source>Cancelled</source>
        <translation>已取消</translation>
    </message>
    <message>
        <source>Device Name</source>
        <translation>設備名稱</translation>
    </message>
    <message>
        <source>IP Address</source>
        <translation>IP 位址</translation>
    </message>
    <message>
        <source>Signal Name</source>
        <translation>訊號名稱</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>連接埠</translation>
    </message>
    <message>
        <source>Alarms</source>
        <translation>告警次數</translation>
    </message>
    <message>
        <source>Time in Alarm</source>
        <translation>告警時長</translation>
    </message>
    <message>
        <source>Longest Alarm</source>
        <translation>最長告警</translation>
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
        <translation>告警報告</translation>
    </message>
    <message>
        <source>Page %1</source>
        <translation>第 %1 頁</translation>
    </message>
    <message>
        <source>Cannot write %1</source>
        <translation>無法寫入 %1</translation>
    </message>
    <message>
        <source>Period: %1 to %2    Device: %3    Station: %4</source>
        <translation>時間段：%1 至 %2    設備：%3    監控站：%4</translation>
    </message>
</context>
<context>
    <name>AlarmReportWindow</name>
    <message>
        <source>Alarm Report</source>
        <translation>告警報告</translation>
    </message>
    <message>
        <source>From</source>
        <translation>從</translation>
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
        <translation>最近 24 小時</translation>
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
        <translation>設備</translation>
    </message>
    <message>
        <source>Show</source>
        <translation>顯示</translation>
    </message>
    <message>
        <source>Save CSV...</source>
        <translation>儲存 CSV...</translation>
    </message>
    <message>
        <source>Save PDF...</source>
        <translation>儲存 PDF...</translation>
    </message>
    <message>
        <source>All Devices</source>
        <translation>所有設備</translation>
    </message>
    <message>
        <source>Reading the alarm log...</source>
        <translation>正在讀取告警日誌...</translation>
    </message>
    <message>
        <source>%1 to %2: %3 signals with alarms, %4 alarms started</source>
        <translation>%1 至 %2：%3 個信號有告警，共開始 %4 次告警</translation>
    </message>
    <message>
        <source>Warn</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>Save CSV</source>
        <translation>儲存 CSV</translation>
    </message>
    <message>
        <source>CSV (*.csv)</source>
        <translation>CSV 檔案 (*.csv)</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>儲存</translation>
    </message>
    <message>
        <source>Save has been completed</source>
        <translation>儲存已完成</translation>
    </message>
    <message>
        <source>Save PDF</source>
        <translation>儲存 PDF</translation>
    </message>
    <message>
        <source>PDF (*.pdf)</source>
        <translation>PDF 檔案 (*.pdf)</translation>
    </message>
</context>
<context>
    <name>AlarmTimelineWidget</name>
    <message>
        <source>No alarm in this period</source>
        <translation>此時間段內沒有告警</translation>
    </message>
    <message>
        <source>Other</source>
        <translation>其他</translation>
    </message>
    <message>
        <source>Not yet</source>
        <translation>尚未到來</translation>
    </message>
    <message>
        <source>Start: %1</source>
        <translation>開始：%1</translation>
    </message>
    <message>
        <source>End: %1</source>
        <translation>結束：%1</translation>
    </message>
    <message>
        <source>still open</source>
        <translation>仍未結束</translation>
    </message>
    <message>
        <source>Duration: %1</source>
        <translation>持續時間：%1</translation>
    </message>
    <message>
        <source>Not monitored</source>
        <translation>未監測</translation>
    </message>
</context>
<context>
    <name>AppDirLock</name>
    <message>
        <source>Cannot open %1: %2</source>
        <translation>無法開啟 %1：%2</translation>
    </message>
    <message>
        <source>A station is running in %1.</source>
        <translation>%1 中有監控站正在執行。</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Monitoring station for broadcast signal-monitoring probes.</source>
        <translation>廣播訊號監測探頭的監控站。</translation>
    </message>
    <message>
        <source>Start monitoring at once, telling the devices to send their alarms to &lt;address&gt;, a local IPv4 address.</source>
        <translation>立即開始監控，並讓設備把告警傳送到 &lt;address&gt;（本機的一個 IPv4 位址）。</translation>
    </message>
    <message>
        <source>Send every alarm start and end written to the alarm log to the syslog collector &lt;url&gt; (RFC 5424, facility local0): udp://HOST[:PORT] or tcp://HOST[:PORT], HOST an IPv4 address or a host name, PORT 514 by default. Repeat for more collectors.</source>
        <translation>把寫入告警日誌的每筆告警開始與結束記錄傳送到 syslog 收集器 &lt;url&gt;（RFC 5424，facility local0）：udp://HOST[:PORT] 或 tcp://HOST[:PORT]，HOST 為 IPv4 位址或主機名稱，PORT 預設為 514。重複此選項可指定多個收集器。</translation>
    </message>
    <message>
        <source>Unexpected argument: %1
</source>
        <translation>非預期的參數：%1
</translation>
    </message>
    <message>
        <source>Cannot start monitoring: &apos;%1&apos; is not an IPv4 address of this machine.
</source>
        <translation>無法開始監控：「%1」不是本機的 IPv4 位址。
</translation>
    </message>
    <message>
        <source>Cannot send alarms to &apos;%1&apos;: give udp://HOST[:PORT] or tcp://HOST[:PORT], HOST an IPv4 address or a host name.
</source>
        <translation>無法把告警傳送到「%1」：請指定 udp://HOST[:PORT] 或 tcp://HOST[:PORT]，HOST 為 IPv4 位址或主機名稱。
</translation>
    </message>
    <message>
        <source>Show the all-devices status window once started, for a wall display.</source>
        <translation>啟動後顯示所有設備狀態視窗，用於牆面顯示。</translation>
    </message>
    <message>
        <source>Send every alarm start and end written to the alarm log to the Prometheus Alertmanager at &lt;url&gt; (API v2): http://HOST[:PORT][/PATH] or https://... Repeat for each member of an Alertmanager cluster.</source>
        <translation>將寫入警報日誌的每個警報開始和結束傳送到 &lt;url&gt; 處的 Prometheus Alertmanager（API v2）：http://HOST[:PORT][/PATH] 或 https://...。Alertmanager 叢集的每個成員各重複一次。</translation>
    </message>
    <message>
        <source>Authenticate to the Alertmanagers with the credentials in &lt;file&gt;: one line, &quot;Bearer TOKEN&quot; or &quot;Basic USER:PASSWORD&quot;.</source>
        <translation>使用 &lt;file&gt; 中的憑證向 Alertmanager 進行身分驗證：一行，&quot;Bearer TOKEN&quot; 或 &quot;Basic USER:PASSWORD&quot;。</translation>
    </message>
    <message>
        <source>Serve the station&apos;s health as Prometheus metrics at http://&lt;address&gt;/metrics: HOST:PORT, HOST an IPv4 address of this machine, or PORT alone for the loopback address.</source>
        <translation>在 http://&lt;address&gt;/metrics 以 Prometheus 指標提供本站的運行狀況：HOST:PORT，HOST 為本機的 IPv4 位址；僅給出 PORT 時使用迴路位址。</translation>
    </message>
    <message>
        <source>Cannot read the Alertmanager credentials in &apos;%1&apos;: %2
</source>
        <translation>無法讀取 &apos;%1&apos; 中的 Alertmanager 憑證：%2
</translation>
    </message>
    <message>
        <source>Cannot send alarms to &apos;%1&apos;: give http://HOST[:PORT][/PATH] or https://HOST[:PORT][/PATH], with no credentials in it.
</source>
        <translation>無法將警報傳送到 &apos;%1&apos;：請給出 http://HOST[:PORT][/PATH] 或 https://HOST[:PORT][/PATH]，其中不含憑證。
</translation>
    </message>
    <message>
        <source>Cannot serve metrics on &apos;%1&apos;: give HOST:PORT, HOST an IPv4 address, or PORT alone.
</source>
        <translation>無法在 &apos;%1&apos; 上提供指標：請給出 HOST:PORT（HOST 為 IPv4 位址），或僅給出 PORT。
</translation>
    </message>
    <message>
        <source>the file must hold one line, &quot;Bearer TOKEN&quot; or &quot;Basic USER:PASSWORD&quot;</source>
        <translation>檔案必須只有一行：&quot;Bearer TOKEN&quot; 或 &quot;Basic USER:PASSWORD&quot;</translation>
    </message>
    <message>
        <source>Warning: the Alertmanager credentials travel unencrypted to an http:// URL; anyone on the way can read them. Use https://.
</source>
        <translation>警告：Alertmanager 憑證將以明文傳送到 http:// 位址，途經的任何人都能讀取。請使用 https://。
</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is given twice: every alarm would go there twice.
</source>
        <translation>&apos;%1&apos; 給出了兩次：每則警報都會傳送兩次。
</translation>
    </message>
    <message>
        <source>Warning: %1; the station runs without them.
</source>
        <translation>警告：%1；監控站將在沒有指標的情況下繼續執行。
</translation>
    </message>
    <message>
        <source>others may read it (mode %1); make it its owner&apos;s alone, for example with chmod 600</source>
        <translation>其他使用者可以讀取該檔案（權限 %1）；請使其僅擁有者可讀，例如使用 chmod 600</translation>
    </message>
    <message>
        <source>Check the device list in the CSV &lt;file&gt; (as Manage Device exports it) and write it as the device configuration, then exit without starting the window: 0 when written, 1 when the file is wrong (the wrong lines go to stderr), 3 while a station is running in this application directory, 4 when the device configuration cannot be written.</source>
        <translation>檢查 CSV 檔案 &lt;file&gt;（格式與設備管理匯出的相同）中的設備清單，將其寫為設備設定，然後不啟動視窗直接結束：寫入成功傳回 0，檔案有誤傳回 1（錯誤的行輸出到 stderr），本應用程式目錄中有監控站正在執行時傳回 3，設備設定無法寫入時傳回 4。</translation>
    </message>
</context>
<context>
    <name>ConfigBackupRunner</name>
    <message>
        <source>Select Import Directory</source>
        <translation>選擇匯入目錄</translation>
    </message>
    <message>
        <source>Import Config</source>
        <translation>匯入設定</translation>
    </message>
    <message>
        <source>Import success! import %1 file(s)</source>
        <translation>匯入成功！共匯入 %1 個檔案</translation>
    </message>
    <message>
        <source>No file to import</source>
        <translation>沒有可匯入的檔案</translation>
    </message>
    <message>
        <source>Select Export Directory</source>
        <translation>選擇匯出目錄</translation>
    </message>
    <message>
        <source>Export Config</source>
        <translation>匯出設定</translation>
    </message>
    <message>
        <source>Some config file have been exist, Do you want to overwrite them?</source>
        <translation>部分設定檔已存在，是否覆寫？</translation>
    </message>
    <message>
        <source>Export success! export %1 file(s)</source>
        <translation>匯出成功！共匯出 %1 個檔案</translation>
    </message>
    <message>
        <source>No file to export</source>
        <translation>沒有可匯出的檔案</translation>
    </message>
    <message>
        <source>Warn</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>These files could not be copied; each was left as it was:
%1</source>
        <translation>以下檔案無法複製，均保持原狀：
%1</translation>
    </message>
</context>
<context>
    <name>CurrentDeviceBox</name>
    <message>
        <source>Device Name</source>
        <translation>設備名稱</translation>
    </message>
    <message>
        <source>Device IP</source>
        <translation>設備 IP</translation>
    </message>
    <message>
        <source>Alarm Time</source>
        <translation>告警時間</translation>
    </message>
    <message>
        <source>Current Device</source>
        <translation>目前設備</translation>
    </message>
</context>
<context>
    <name>DesktopNotifier</name>
    <message>
        <source>Error alarm on %1</source>
        <translation>%1 出現錯誤告警</translation>
    </message>
    <message>
        <source>%1 new error alarms on %2</source>
        <translation>%2 出現 %1 個新的錯誤告警</translation>
    </message>
    <message>
        <source>and %1 more</source>
        <translation>另有 %1 台</translation>
    </message>
    <message>
        <source>%1 new error alarms on %2 devices</source>
        <translation>%2 台設備出現 %1 個新的錯誤告警</translation>
    </message>
</context>
<context>
    <name>DeviceAlarmListForm</name>
    <message>
        <source>Signal Alarm [ 0 ]</source>
        <translation>訊號告警 [ 0 ]</translation>
    </message>
    <message>
        <source>Signal Alarm History [ 0 ]</source>
        <translation>訊號告警歷史 [ 0 ]</translation>
    </message>
    <message>
        <source>System Alarm [ 0 ]</source>
        <translation>系統告警 [ 0 ]</translation>
    </message>
    <message>
        <source>System Alarm History [ 0 ]</source>
        <translation>系統告警歷史 [ 0 ]</translation>
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
        <translation>開始時間</translation>
    </message>
    <message>
        <source>Device Name</source>
        <translation>設備名稱</translation>
    </message>
    <message>
        <source>IP Address</source>
        <translation>IP 位址</translation>
    </message>
    <message>
        <source>Signal Name</source>
        <translation>訊號名稱</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>連接埠</translation>
    </message>
    <message>
        <source>Alarm Type</source>
        <translation>告警類型</translation>
    </message>
    <message>
        <source>Sound</source>
        <translation>聲音</translation>
    </message>
    <message>
        <source>Detail</source>
        <translation>詳細資料</translation>
    </message>
    <message>
        <source>End Time</source>
        <translation>結束時間</translation>
    </message>
    <message>
        <source>Duration</source>
        <translation>持續時間</translation>
    </message>
    <message>
        <source>Signal Alarm [ %1 ]</source>
        <translation>訊號告警 [ %1 ]</translation>
    </message>
    <message>
        <source>System Alarm [ %1 ]</source>
        <translation>系統告警 [ %1 ]</translation>
    </message>
    <message>
        <source>Signal Alarm History [ %1 ]</source>
        <translation>訊號告警歷史 [ %1 ]</translation>
    </message>
    <message>
        <source>System Alarm History [ %1 ]</source>
        <translation>系統告警歷史 [ %1 ]</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>刪除</translation>
    </message>
    <message>
        <source>15 minutes</source>
        <translation>15 分鐘</translation>
    </message>
    <message>
        <source>1 hour</source>
        <translation>1 小時</translation>
    </message>
    <message>
        <source>4 hours</source>
        <translation>4 小時</translation>
    </message>
    <message>
        <source>8 hours</source>
        <translation>8 小時</translation>
    </message>
    <message>
        <source>Ack</source>
        <translation>確認</translation>
    </message>
    <message>
        <source>Acknowledge</source>
        <translation>確認</translation>
    </message>
    <message>
        <source>Acknowledge with Note...</source>
        <translation>確認並備註...</translation>
    </message>
    <message>
        <source>Shelve</source>
        <translation>擱置</translation>
    </message>
    <message>
        <source>Ended %1</source>
        <translation>已結束 %1</translation>
    </message>
</context>
<context>
    <name>DeviceConfigDialog</name>
    <message>
        <source>Dialog</source>
        <translation>對話方塊</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>新增</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>刪除</translation>
    </message>
    <message>
        <source>IP Address:</source>
        <translation>IP 位址：</translation>
    </message>
    <message>
        <source>Device Name:</source>
        <translation>設備名稱：</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>確定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Device Config</source>
        <translation>設備設定</translation>
    </message>
    <message>
        <source>√</source>
        <translation>√</translation>
    </message>
    <message>
        <source>Device</source>
        <translation>設備</translation>
    </message>
    <message>
        <source>Video Lost</source>
        <translation>視訊遺失</translation>
    </message>
    <message>
        <source>Video Black</source>
        <translation>黑畫面</translation>
    </message>
    <message>
        <source>Video Freeze</source>
        <translation>畫面凍結</translation>
    </message>
    <message>
        <source>Slience</source>
        <translation>靜音</translation>
    </message>
    <message>
        <source>Audio Overload</source>
        <translation>音訊過載</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>連接埠</translation>
    </message>
    <message>
        <source>Signal Name</source>
        <translation>訊號名稱</translation>
    </message>
    <message>
        <source>Monitor</source>
        <translation>監控</translation>
    </message>
    <message>
        <source>Time Rang 1</source>
        <translation>時段 1</translation>
    </message>
    <message>
        <source>Time Rang 2</source>
        <translation>時段 2</translation>
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
        <translation>確定要刪除「%1」嗎？</translation>
    </message>
    <message>
        <source>The device configuration could not be saved to %1:
%2</source>
        <translation>設備設定無法儲存到 %1：
%2</translation>
    </message>
    <message>
        <source>Find Devices...</source>
        <translation>搜尋設備...</translation>
    </message>
    <message>
        <source>Import CSV...</source>
        <translation>匯入 CSV...</translation>
    </message>
    <message>
        <source>Export CSV...</source>
        <translation>匯出 CSV...</translation>
    </message>
    <message>
        <source>CSV (*.csv)</source>
        <translation>CSV 檔案 (*.csv)</translation>
    </message>
    <message>
        <source>Export CSV</source>
        <translation>匯出 CSV</translation>
    </message>
    <message>
        <source>The device list could not be written to %1:
%2</source>
        <translation>設備清單無法寫入 %1：
%2</translation>
    </message>
    <message numerus="yes">
        <source>%n device(s) written to %1.</source>
        <translation>
            <numerusform>已將 %n 台設備寫入 %1。</numerusform>
        </translation>
    </message>
    <message>
        <source>Import CSV</source>
        <translation>匯入 CSV</translation>
    </message>
    <message>
        <source>%1 is not imported; the device list is unchanged.

%2</source>
        <translation>%1 未匯入，設備清單保持不變。

%2</translation>
    </message>
    <message numerus="yes">
        <source>%n device(s) read from %1. OK writes them to the device configuration, Cancel keeps the old one.</source>
        <translation>
            <numerusform>已從 %1 讀取 %n 台設備。按「確定」寫入設備設定，按「取消」保留原設定。</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>DeviceDiscoveryThread</name>
    <message>
        <source>Probe %1</source>
        <translation>探頭 %1</translation>
    </message>
</context>
<context>
    <name>DeviceListCsv</name>
    <message>
        <source>&apos;%1&apos; is not a device address (four numbers from 0 to 255, the last one at most 254)</source>
        <translation>「%1」不是設備位址（四個 0 到 255 的數，最後一個最大為 254）</translation>
    </message>
    <message>
        <source>a name cannot hold line breaks or other control characters</source>
        <translation>名稱不能包含換行或其他控制字元</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a port: BNC 1 to BNC 16, Analog 1 or AES/EBU 1</source>
        <translation>「%1」不是連接埠：應為 BNC 1 到 BNC 16、Analog 1 或 AES/EBU 1</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is neither yes nor no</source>
        <translation>「%1」既不是 yes 也不是 no</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not an alarm type of this port</source>
        <translation>「%1」不是此連接埠的告警類型</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a track of this port (1 to %2)</source>
        <translation>「%1」不是此連接埠的音軌（1 到 %2）</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a window hh:mm:ss-hh:mm:ss</source>
        <translation>「%1」不是 hh:mm:ss-hh:mm:ss 格式的時間段</translation>
    </message>
    <message>
        <source>the window %1 ends before it starts</source>
        <translation>時間段 %1 的結束早於開始</translation>
    </message>
    <message>
        <source>The file is not UTF-8 text; save it from the spreadsheet as CSV UTF-8.</source>
        <translation>該檔案不是 UTF-8 文字；請在試算表中另存為 CSV UTF-8。</translation>
    </message>
    <message>
        <source>Line %1: a quote is opened and never closed.</source>
        <translation>第 %1 行：引號未閉合。</translation>
    </message>
    <message>
        <source>Line 1: the first line must be the header %1</source>
        <translation>第 1 行：第一行必須是表頭 %1</translation>
    </message>
    <message>
        <source>Line %1: %2</source>
        <translation>第 %1 行：%2</translation>
    </message>
    <message>
        <source>Line %1, column %2 (%3): %4</source>
        <translation>第 %1 行，第 %2 欄（%3）：%4</translation>
    </message>
    <message>
        <source>%1 fields instead of %2</source>
        <translation>有 %1 個欄位，應為 %2 個</translation>
    </message>
    <message>
        <source>%1 is named &apos;%2&apos; on line %3</source>
        <translation>%1 在第 %3 行名為「%2」</translation>
    </message>
    <message>
        <source>%1 of %2 is already on line %3</source>
        <translation>%2 的 %1 已在第 %3 行</translation>
    </message>
    <message>
        <source>Cannot read %1: %2</source>
        <translation>無法讀取 %1：%2</translation>
    </message>
    <message>
        <source>%1 is larger than %2 MB; it is not a device list.</source>
        <translation>%1 大於 %2 MB，不是設備清單。</translation>
    </message>
    <message numerus="yes">
        <source>%n wrong line(s) in all.</source>
        <translation>
            <numerusform>共 %n 行有誤。</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>DeviceListImport</name>
    <message>
        <source>The devices are not imported: %1</source>
        <translation>設備未匯入：%1</translation>
    </message>
    <message>
        <source>%1 is not imported:
%2</source>
        <translation>%1 未匯入：
%2</translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>無法寫入 %1：%2</translation>
    </message>
    <message numerus="yes">
        <source>%n device(s) written to %1</source>
        <translation>
            <numerusform>已將 %n 台設備寫入 %1</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>DevicePicMonitorForm</name>
    <message>
        <source>All the device status</source>
        <translation>所有設備狀態</translation>
    </message>
</context>
<context>
    <name>DeviceStatusForm</name>
    <message>
        <source>ANA Audio</source>
        <translation>類比音訊</translation>
    </message>
    <message>
        <source>AES Audio</source>
        <translation>AES 音訊</translation>
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
        <translation>1 分鐘內</translation>
    </message>
    <message>
        <source>%1 minutes ago</source>
        <translation>%1 分鐘前</translation>
    </message>
    <message>
        <source>%1 hours ago</source>
        <translation>%1 小時前</translation>
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
        <translation>未確認告警：%1</translation>
    </message>
</context>
<context>
    <name>FindDevicesDialog</name>
    <message>
        <source>Find Devices</source>
        <translation>搜尋設備</translation>
    </message>
    <message>
        <source>Addresses:</source>
        <translation>位址：</translation>
    </message>
    <message>
        <source>10.1.0.1-10.1.3.254, 10.1.0.0/22 or single addresses</source>
        <translation>10.1.0.1-10.1.3.254、10.1.0.0/22 或單個位址</translation>
    </message>
    <message>
        <source>Find</source>
        <translation>搜尋</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Add Selected</source>
        <translation>新增所選</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>關閉</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>位址</translation>
    </message>
    <message>
        <source>Device Name</source>
        <translation>設備名稱</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>狀態</translation>
    </message>
    <message>
        <source>%1 of %2 addresses asked, %3 probes found</source>
        <translation>已詢問 %1 / %2 個位址，找到 %3 個探頭</translation>
    </message>
    <message>
        <source>Warn</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>already configured</source>
        <translation>已設定</translation>
    </message>
    <message>
        <source>Select the probes to add (Ctrl+A selects every probe not yet configured).</source>
        <translation>請選擇要新增的探頭（Ctrl+A 選擇所有尚未設定的探頭）。</translation>
    </message>
</context>
<context>
    <name>LogManageDialog</name>
    <message>
        <source>Log</source>
        <translation>日誌</translation>
    </message>
    <message>
        <source>Device</source>
        <translation>設備</translation>
    </message>
    <message>
        <source>IP Address</source>
        <translation>IP 位址</translation>
    </message>
    <message>
        <source>Device Name</source>
        <translation>設備名稱</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>連接埠</translation>
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
        <translation>訊號名稱（多個請以分號分隔）</translation>
    </message>
    <message>
        <source>Alarm Type</source>
        <translation>告警類型</translation>
    </message>
    <message>
        <source>Video Lost</source>
        <translation>視訊遺失</translation>
    </message>
    <message>
        <source>Video Freeze</source>
        <translation>畫面凍結</translation>
    </message>
    <message>
        <source>Video Black</source>
        <translation>黑畫面</translation>
    </message>
    <message>
        <source>Slience</source>
        <translation>靜音</translation>
    </message>
    <message>
        <source>Audio Overload</source>
        <translation>音訊過載</translation>
    </message>
    <message>
        <source>Device Connect Status</source>
        <translation>設備連線狀態</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>時間</translation>
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
        <translation>搜尋</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>編號</translation>
    </message>
    <message>
        <source>Starting Time</source>
        <translation>開始時間</translation>
    </message>
    <message>
        <source>End Time</source>
        <translation>結束時間</translation>
    </message>
    <message>
        <source>Duration</source>
        <translation>持續時間</translation>
    </message>
    <message>
        <source>Signal Name</source>
        <translation>訊號名稱</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>備註</translation>
    </message>
    <message>
        <source>Page Up</source>
        <translation>上一頁</translation>
    </message>
    <message>
        <source>Page Down</source>
        <translation>下一頁</translation>
    </message>
    <message>
        <source>Current Page: 0   Total Page: 0    Page:</source>
        <translation>目前頁：0   總頁數：0    頁碼：</translation>
    </message>
    <message>
        <source>Go To</source>
        <translation>跳至</translation>
    </message>
    <message>
        <source>Save Result As...</source>
        <translation>結果另存新檔...</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>刪除</translation>
    </message>
    <message>
        <source>%1 day %2</source>
        <translation>%1 天 %2</translation>
    </message>
    <message>
        <source>The file %1 was removed.</source>
        <translation>檔案 %1 已被移除。</translation>
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
        <translation>沒有記錄</translation>
    </message>
    <message>
        <source>Current Page: %1   Total Page: %2    Page:</source>
        <translation>目前頁：%1   總頁數：%2    頁碼：</translation>
    </message>
    <message>
        <source>log (*.log)</source>
        <translation>日誌 (*.log)</translation>
    </message>
    <message>
        <source>CSV (*.csv)</source>
        <translation>CSV 檔案 (*.csv)</translation>
    </message>
    <message>
        <source>Save File</source>
        <translation>儲存檔案</translation>
    </message>
    <message>
        <source>Save As...</source>
        <translation>另存新檔...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>儲存</translation>
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
        <translation>儲存已完成</translation>
    </message>
    <message>
        <source>Are you sure to delete records?</source>
        <translation>確定要刪除記錄嗎？</translation>
    </message>
    <message>
        <source>Delete...</source>
        <translation>正在刪除...</translation>
    </message>
    <message>
        <source>Acknowledged</source>
        <translation>已確認</translation>
    </message>
    <message>
        <source>Acknowledgement Note</source>
        <translation>確認備註</translation>
    </message>
</context>
<context>
    <name>MainAlarmDisplayWidget</name>
    <message>
        <source>ANA Audio</source>
        <translation>類比音訊</translation>
    </message>
    <message>
        <source>AES Audio</source>
        <translation>AES 音訊</translation>
    </message>
    <message>
        <source>BNC %1</source>
        <translation>BNC %1</translation>
    </message>
    <message>
        <source>Auto Sort</source>
        <translation>自動排序</translation>
    </message>
    <message>
        <source>Fixed</source>
        <translation>固定</translation>
    </message>
    <message>
        <source>All Device</source>
        <translation>所有設備</translation>
    </message>
    <message>
        <source>Current Device</source>
        <translation>目前設備</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Quorvex-Zentiq SNMP Monitor System</source>
        <translation>Quorvex-Zentiq SNMP 監控系統</translation>
    </message>
    <message>
        <source>File(&amp;F)</source>
        <translation>檔案(&amp;F)</translation>
    </message>
    <message>
        <source>Help(&amp;H)</source>
        <translation>說明(&amp;H)</translation>
    </message>
    <message>
        <source>View(&amp;V)</source>
        <translation>檢視(&amp;V)</translation>
    </message>
    <message>
        <source>Start Monitoring</source>
        <translation>開始監控</translation>
    </message>
    <message>
        <source>Stop Monitoring</source>
        <translation>停止監控</translation>
    </message>
    <message>
        <source>Manage Device</source>
        <translation>設備管理</translation>
    </message>
    <message>
        <source>System Config</source>
        <translation>系統設定</translation>
    </message>
    <message>
        <source>Exit(&amp;x)</source>
        <translation>結束(&amp;x)</translation>
    </message>
    <message>
        <source>Sound Alarm</source>
        <translation>聲音告警</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>說明</translation>
    </message>
    <message>
        <source>About</source>
        <translation>關於</translation>
    </message>
    <message>
        <source>Import Config</source>
        <translation>匯入設定</translation>
    </message>
    <message>
        <source>Export Config</source>
        <translation>匯出設定</translation>
    </message>
    <message>
        <source>Log</source>
        <translation>日誌</translation>
    </message>
    <message>
        <source>All the device status</source>
        <translation>所有設備狀態</translation>
    </message>
    <message>
        <source>Hide Device Nav</source>
        <translation>隱藏設備導覽</translation>
    </message>
    <message>
        <source>Show Device Nav</source>
        <translation>顯示設備導覽</translation>
    </message>
    <message>
        <source>Hide Cur Device</source>
        <translation>隱藏目前設備</translation>
    </message>
    <message>
        <source>Show Cur Device</source>
        <translation>顯示目前設備</translation>
    </message>
    <message>
        <source>Warn</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>The current operating system does not support language alarm !</source>
        <translation>目前作業系統不支援語音告警！</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>錯誤</translation>
    </message>
    <message>
        <source>The system doesn&apos;t support sound alarm</source>
        <translation>系統不支援聲音告警</translation>
    </message>
    <message>
        <source>Alarms cannot be received on UDP port %1: %2</source>
        <translation>無法在 UDP 連接埠 %1 上接收告警：%2</translation>
    </message>
    <message numerus="yes">
        <source>Monitoring %n device(s): alarms to %1, UDP port %2</source>
        <translation>
            <numerusform>正在監控 %n 台設備：告警傳往 %1，UDP 連接埠 %2</numerusform>
        </translation>
    </message>
    <message>
        <source>Monitoring stopped</source>
        <translation>監控已停止</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>結束</translation>
    </message>
    <message>
        <source>Are you sure to exit?</source>
        <translation>確定要結束嗎？</translation>
    </message>
    <message>
        <source>Report</source>
        <translation>報告</translation>
    </message>
    <message>
        <source>The alarm log cannot be written: %1
Alarms are kept and written as soon as it can be written again.</source>
        <translation>無法寫入告警日誌：%1
告警已保留，一旦日誌可以寫入即會寫入。</translation>
    </message>
    <message>
        <source>Acknowledge All</source>
        <translation>全部確認</translation>
    </message>
    <message>
        <source>Shelved Alarms</source>
        <translation>已擱置告警</translation>
    </message>
    <message numerus="yes">
        <source>%n alarm(s) arrived while the alarm log could not be written and its queue was full; they are not in the log.</source>
        <translation>
            <numerusform>告警日誌無法寫入且其佇列已滿時到達的 %n 條告警未記入日誌。</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>MainWindowActions</name>
    <message>
        <source>Toolbar</source>
        <translation>工具列</translation>
    </message>
</context>
<context>
    <name>SelectIPDialog</name>
    <message>
        <source>Dialog</source>
        <translation>對話框</translation>
    </message>
    <message>
        <source>Please Select Local IP</source>
        <translation>請選擇本機 IP</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>確定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Select IP Address</source>
        <translation>選擇 IP 位址</translation>
    </message>
    <message>
        <source>This machine has no IPv4 address besides 127.0.0.1 for the devices to send their alarms to.</source>
        <translation>本機除 127.0.0.1 外沒有可供設備發送告警的 IPv4 位址。</translation>
    </message>
</context>
<context>
    <name>ShelvedAlarmsDialog</name>
    <message>
        <source>Video</source>
        <translation>視訊</translation>
    </message>
    <message>
        <source>Shelved Alarms</source>
        <translation>已擱置告警</translation>
    </message>
    <message>
        <source>IP Address</source>
        <translation>IP 位址</translation>
    </message>
    <message>
        <source>Alarm</source>
        <translation>告警</translation>
    </message>
    <message>
        <source>Shelved Until</source>
        <translation>擱置至</translation>
    </message>
    <message>
        <source>Time Left</source>
        <translation>剩餘時間</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>備註</translation>
    </message>
    <message>
        <source>Unshelve</source>
        <translation>取消擱置</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>關閉</translation>
    </message>
    <message>
        <source>Nothing is shelved.</source>
        <translation>沒有擱置的告警。</translation>
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
        <translation>未知級別</translation>
    </message>
</context>
<context>
    <name>StationLock</name>
    <message>
        <source>Another station is already running on %1.</source>
        <translation>已有另一個監測站在 %1 上執行。</translation>
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
        <translation>Quorvex-Zentiq SNMP 監控系統</translation>
    </message>
    <message>
        <source>Not monitoring</source>
        <translation>未在監控</translation>
    </message>
    <message>
        <source>Error alarms: %1</source>
        <translation>錯誤級告警：%1</translation>
    </message>
    <message>
        <source>Warning alarms: %1</source>
        <translation>警告級告警：%1</translation>
    </message>
    <message>
        <source>Unacknowledged: %1</source>
        <translation>未確認：%1</translation>
    </message>
</context>
<context>
    <name>SystemConfigDialog</name>
    <message>
        <source>Dialog</source>
        <translation>對話方塊</translation>
    </message>
    <message>
        <source>Sound Alarm</source>
        <translation>聲音告警</translation>
    </message>
    <message>
        <source>Interval of sound alarm:</source>
        <translation>聲音告警間隔：</translation>
    </message>
    <message>
        <source> s</source>
        <translation> 秒</translation>
    </message>
    <message>
        <source>Don&apos;t announce alarm type</source>
        <translation>不播報告警類型</translation>
    </message>
    <message>
        <source>Don&apos;t announce alarm recovering</source>
        <translation>不播報告警恢復</translation>
    </message>
    <message>
        <source>Don&apos;t announce outdated alarm</source>
        <translation>不播報過期告警</translation>
    </message>
    <message>
        <source>Speech Rate:</source>
        <translation>語速：</translation>
    </message>
    <message>
        <source>Max number of history:</source>
        <translation>歷史記錄最大筆數：</translation>
    </message>
    <message>
        <source>Keep time of log:</source>
        <translation>日誌保存時間：</translation>
    </message>
    <message>
        <source> day</source>
        <translation> 天</translation>
    </message>
    <message>
        <source>Language:</source>
        <translation>語言：</translation>
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
        <translation>伺服器連接埠：</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>確定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>System Config</source>
        <translation>系統設定</translation>
    </message>
    <message>
        <source>Warn</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>The settings could not be saved to %1:
%2</source>
        <translation>系統設定無法儲存到 %1：
%2</translation>
    </message>
    <message>
        <source>Keep ended alarms until acknowledged</source>
        <translation>已結束的告警保留至確認</translation>
    </message>
</context>
</TS>
