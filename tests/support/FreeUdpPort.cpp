#include "FreeUdpPort.h"

#include <QHostAddress>
#include <QUdpSocket>

quint16 FreeUdpPort(const QString& address)
{
    QUdpSocket socket;
    if (!socket.bind(QHostAddress(address), 0))
        return 0;
    return socket.localPort();
}
