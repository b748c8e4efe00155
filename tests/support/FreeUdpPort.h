#pragma once

#include <QString>

// A UDP port that nothing is bound to on the given loopback address right now.
quint16 FreeUdpPort(const QString& address = QStringLiteral("127.0.0.1"));
