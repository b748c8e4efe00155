#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

// The addresses an operator asks the station to search: ranges "10.1.0.1-10.1.3.254", networks "10.1.0.0/22" (its
// network and broadcast addresses left out) and single addresses, separated by commas, spaces or line breaks.
class AddressRanges
{
    Q_DECLARE_TR_FUNCTIONS(AddressRanges)

public:
    static constexpr int MaxAddresses = 4096;

    // True with the addresses in order, each once, addresses ending in .255 left out, as no device can have one;
    // false with the reason.
    static bool Parse(const QString& text, QStringList& addresses, QString& error);
};
