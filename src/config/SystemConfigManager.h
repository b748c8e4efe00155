#pragma once

#include <QString>

class QLocale;
class SystemConfigFile;

// Stateless access to config/system_config.xml; every reader asks for a fresh copy.
class SystemConfigManager
{
public:
    // Loads the file; when it cannot be loaded, cfg takes the defaults with the operating system's language and
    // is written back (an unreadable file is first moved aside, never overwritten).
    static void GetConfig(SystemConfigFile& cfg);
    // Runs the settings dialog modally; true when it was accepted. Defined by the gui library.
    static bool ShowDialog();

    // The language a new configuration starts with on a system with this locale.
    static QString LanguageForLocale(const QLocale& locale);
};
