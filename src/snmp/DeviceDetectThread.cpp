#include "snmp/DeviceDetectThread.h"

DeviceDetectThread::DeviceDetectThread(SnmpServer* server) : m_server(server)
{
}

void DeviceDetectThread::AddDevice(const QString&)
{
}

void DeviceDetectThread::NotifyAlive(const QString&)
{
}

void DeviceDetectThread::Stop()
{
}
