#include "export/VirtualPortLookup.h"

#include "model/ExchClass.h"
#include "model/FieldNames.h"
#include "model/RecordSlots.h"

namespace {
constexpr int HasPrefixBit = 1;
const QByteArray NumberSeparator = QByteArrayLiteral("; ");
} // namespace

VirtualPortLookup::VirtualPortLookup(const ExchClass &config)
{
    const RecordClass &physical = config.PortToVirtual();
    for (int p = 0; p < physical.Records(); ++p) {
        const int v = physical.GetInteger(FieldNames::VirtPort, p);
        if (!m_firstPhysicalPort.contains(v))
            m_firstPhysicalPort.insert(v, p);
    }

    const RecordClass &numbers = config.ExtToVirtual();
    for (int i = 0; i < numbers.Records(); ++i) {
        if (!RecordSlots::isInUseAndEnabled(numbers, i))
            continue;
        QByteArray number = numbers.GetDigit(FieldNames::ExtNumberA, i);
        if (numbers.GetBoolean(FieldNames::Flag, i, HasPrefixBit, 0))
            number = numbers.GetDigit(FieldNames::ExtNumberB, i) + ' ' + number;
        QByteArray &list = m_numbers[numbers.GetInteger(FieldNames::VirtualPortNo, i)];
        if (!list.isEmpty())
            list += NumberSeparator;
        list += number;
    }
}

VirtualPortLookup::PortLocation VirtualPortLookup::FindVPPort(int v) const
{
    const auto found = m_firstPhysicalPort.constFind(v);
    if (found == m_firstPhysicalPort.cend())
        return {};
    const int block = found.value() / PortsPerBoard;
    const int port = found.value() % PortsPerBoard + 1;
    if (block < ExtensionBoards)
        return {ExtensionPort, block + 1, port, Found};
    if (block == ExternalLineBlock)
        return {ExternalLine, 0, port, Found};
    return {NoPort, 0, 0, block == ExtensionBoards ? UnusedBlock : BeyondBoards};
}

QByteArray VirtualPortLookup::ListVPNumbers(int v) const
{
    return m_numbers.value(v);
}
