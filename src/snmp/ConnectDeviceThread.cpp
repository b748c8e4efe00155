#include "snmp/ConnectDeviceThread.h"

void ConnectDeviceThread::AddIP(const QString&)
{
}
