#include "model/VirtualPortLinks.h"

#include "model/ExchClass.h"
#include "model/FieldNames.h"
#include "model/PhysicalPortNames.h"
#include "model/RecordSlots.h"

#include <QStringList>

namespace {
const QString Separator = QStringLiteral("; ");
const QString PrefixSeparator = QStringLiteral(" ");

constexpr int HasPrefixBit = 1;
} // namespace

QString VirtualPortLinks::ListVPNumbers(const ExchClass &config, int virtualPort)
{
    const RecordClass &numbers = config.ExtToVirtual();
    QStringList found;
    for (int i = 0; i < numbers.Records(); ++i) {
        if (!RecordSlots::isInUseAndEnabled(numbers, i)
            || numbers.GetInteger(FieldNames::VirtualPortNo, i) != virtualPort)
            continue;
        const QString number = QString::fromLatin1(numbers.GetDigit(FieldNames::ExtNumberA, i));
        if (numbers.GetBoolean(FieldNames::Flag, i, HasPrefixBit))
            found.append(QString::fromLatin1(numbers.GetDigit(FieldNames::ExtNumberB, i)) + PrefixSeparator + number);
        else
            found.append(number);
    }
    return found.join(Separator);
}

QString VirtualPortLinks::ListVPPorts(const ExchClass &config, int virtualPort)
{
    const RecordClass &ports = config.PortToVirtual();
    QStringList found;
    for (int p = 0; p < ports.Records(); ++p) {
        const int bound = ports.GetInteger(FieldNames::VirtPort, p);
        if (bound == virtualPort && bound != PhysicalPortNames::NoPort)
            found.append(PhysicalPortNames::linkName(p));
    }
    return found.join(Separator);
}
