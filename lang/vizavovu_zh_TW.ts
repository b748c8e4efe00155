<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_TW">
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
    <name>MainWindow</name>
    <message>
        <location filename="../src/app/MainWindow.cpp" line="7"/>
        <source>Quorvex-Zentiq SNMP Monitor System</source>
        <translation>Quorvex-Zentiq SNMP 監控系統</translation>
    </message>
    <message>
        <location filename="../src/app/MainWindow.cpp" line="8"/>
        <source>Monitoring is not started.</source>
        <translation>監控尚未開始。</translation>
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
</TS>
