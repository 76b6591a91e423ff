#include "VirtualPortLinks.h"

#include "ExchClass.h"
#include "FieldNames.h"
#include "RecordSlots.h"

#include <QStringList>

namespace {
const QString Separator = QStringLiteral("; ");
const QString PrefixSeparator = QStringLiteral(" ");
const QString PortSeparator = QStringLiteral(" - Port ");
const QString ExtensionBoard = QStringLiteral("Ext ");
const QString AuxBoard = QStringLiteral("Aux");
const QString TieBoard = QStringLiteral("Tie");
const QString PublicAddressBoard = QStringLiteral("PA");
const QString UnknownBoard = QStringLiteral("?");

constexpr int HasPrefixBit = 1;
constexpr int PortsPerBoard = 16;
constexpr int LastExtensionBoard = 4;
constexpr int AuxBoardNumber = 5;
constexpr int TieBoardNumber = 6;
constexpr int TieLinesPerBoard = 4;
// A physical port record bound to no virtual port.
constexpr int Unbound = 255;
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
        if (bound == virtualPort && bound != Unbound)
            found.append(physicalPortName(p));
    }
    return found.join(Separator);
}

QString VirtualPortLinks::physicalPortName(int port)
{
    const int board = port / PortsPerBoard;
    const int position = port % PortsPerBoard;
    if (board >= 0 && board <= LastExtensionBoard)
        return ExtensionBoard + QString::number(board + 1) + PortSeparator + QString::number(position + 1);
    if (board == AuxBoardNumber)
        return AuxBoard + PortSeparator + QString::number(position + 1);
    if (board == TieBoardNumber) {
        if (position < TieLinesPerBoard)
            return TieBoard + PortSeparator + QString::number(position + 1);
        return PublicAddressBoard + PortSeparator + QString::number(position - TieLinesPerBoard + 1);
    }
    return QString::number(board) + UnknownBoard;
}
