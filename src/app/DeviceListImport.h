#pragma once

#include <QString>

// vizavovu --import-devices FILE.csv: the device list checked and written to the device file, without the window.
class DeviceListImport
{
public:
    enum ExitCode
    {
        Imported = 0,
        // The file cannot be read or has wrong lines; the error list goes to stderr.
        WrongFile = 1,
        // A station holds the application directory.
        StationRunning = 3,
        // The device file cannot be written.
        NotWritten = 4,
    };

    // Nothing is written unless every line is right.
    static int Run(const QString& csvPath);
};
