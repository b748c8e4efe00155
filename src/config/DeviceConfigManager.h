#pragma once

class DeviceConfigFile;
struct DialogPrompts;

// Stateless access to config/device_config.xml; every reader asks for a fresh copy.
class DeviceConfigManager
{
public:
    // Loads the file; when it cannot be loaded, cfg becomes an empty configuration that is written back (an
    // unreadable file is first moved aside, never overwritten).
    static void GetConfig(DeviceConfigFile& cfg);
    // Runs the device configuration dialog modally, its boxes answered through prompts; true when it was accepted (and saved). Defined
    // by the gui library.
    static bool ShowDialog(const DialogPrompts& prompts);
};
