#pragma once

// Starts the Net-SNMP library once per process, before any thread uses it: no MIB loading, no configuration
// files, no persistent state written anywhere.
class NetSnmpLibrary
{
public:
    static void Init();
};
