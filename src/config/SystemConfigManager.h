#pragma once

#include <QString>

class QLocale;
class SystemConfigFile;
struct DialogPrompts;

// Stateless access to config/system_config.xml; every reader asks for a fresh copy.
class SystemConfigManager
{
public:
    // Loads the file; when it cannot be loaded, cfg takes the defaults with the operating system's language and
    // is written back (an unreadable file is first moved aside, never overwritten).
    static void GetConfig(SystemConfigFile& cfg);
    // Runs the settings dialog modally, its boxes answered through prompts; true when it was accepted (and saved). Defined
    // by the gui library.
    static bool ShowDialog(const DialogPrompts& prompts);

    // The language a new configuration starts with on a system with this locale.
    static QString LanguageForLocale(const QLocale& locale);
};
