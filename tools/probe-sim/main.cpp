#include "ProbeState.h"
#include "Simulator.h"

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

#include <QStringList>

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

namespace {

int Usage()
{
    std::fprintf(stderr, "usage: probe-sim [-v] [-p port] [-n name] [-s script] address...\n"
                         "  address   a loopback address (127.0.0.2) or a range of last numbers (127.0.0.10-59)\n"
                         "  -p port   UDP port of every probe (161)\n"
                         "  -n name   answer sysName.0 with name (%%a: the probe's address, %%n: its number)\n"
                         "  -s file   read the commands from file instead of standard input\n"
                         "  -v        print every request received and notification sent\n"
                         "The command language is described in tools/probe-sim/README.md.\n");
    return 2;
}

void InitNetSnmp()
{
    // A simulator leaves nothing behind and depends on nothing installed: no configuration, no state files, no MIBs.
    netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DONT_PERSIST_STATE, 1);
    netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DISABLE_PERSISTENT_LOAD, 1);
    netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DISABLE_PERSISTENT_SAVE, 1);
    netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DONT_READ_CONFIGS, 1);
    setenv("MIBS", "", 1);
    setenv("MIBDIRS", "", 1);
    init_snmp("probe-sim");
}

} // namespace

int main(int argc, char** argv)
{
    quint16 port = 161;
    bool verbose = false;
    const char* script = nullptr;
    QString sysName;
    int option;
    while ((option = getopt(argc, argv, "vp:n:s:h")) != -1) {
        switch (option) {
        case 'v':
            verbose = true;
            break;
        case 'p': {
            bool ok = false;
            const uint value = QString::fromLocal8Bit(optarg).toUInt(&ok);
            if (!ok || value == 0 || value > 65535)
                return Usage();
            port = quint16(value);
            break;
        }
        case 'n':
            sysName = QString::fromLocal8Bit(optarg);
            break;
        case 's':
            script = optarg;
            break;
        default:
            return Usage();
        }
    }
    QStringList addresses;
    for (int i = optind; i < argc; ++i) {
        if (!ExpandAddresses(QString::fromLocal8Bit(argv[i]), &addresses)) {
            std::fprintf(stderr, "probe-sim: '%s' is not a loopback address or range (127.x.y.z)\n", argv[i]);
            return 2;
        }
    }
    if (addresses.isEmpty())
        return Usage();
    if (addresses.removeDuplicates() > 0)
        std::fprintf(stderr, "probe-sim: duplicate addresses are played once\n");
    // One socket per probe, watched with select, whose sets end at descriptor FD_SETSIZE - 1.
    if (addresses.size() > MaxProbes) {
        std::fprintf(stderr, "probe-sim: at most %d probes\n", MaxProbes);
        return 2;
    }

    int input = STDIN_FILENO;
    if (script) {
        input = open(script, O_RDONLY);
        if (input < 0) {
            std::fprintf(stderr, "probe-sim: cannot read %s\n", script);
            return 2;
        }
    }

    InitNetSnmp();
    int status = 1;
    {
        Simulator simulator(addresses, port, verbose);
        simulator.SetSysName(sysName);
        QString error;
        if (simulator.Open(&error))
            status = simulator.Run(input);
        else
            std::fprintf(stderr, "probe-sim: %s\n", qPrintable(error));
    }
    snmp_shutdown("probe-sim");
    if (script)
        close(input);
    return status;
}
