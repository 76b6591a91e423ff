#include "model/PhysicalPortNames.h"

namespace {
const QString AuxLabel = QStringLiteral("Aux");
const QString TieLabel = QStringLiteral("Tie");
const QString PublicAddressLabel = QStringLiteral("PA");
const QString ExtensionLabel = QStringLiteral("Ext");
const QString UnknownMark = QStringLiteral("?");
const QString BoardText = QStringLiteral("Board ");
const QString PortSeparator = QStringLiteral("; Port ");
const QString LinkPortText = QStringLiteral(" - Port ");

QString unknownBoard(int board)
{
    return QString::number(board) + UnknownMark;
}

QString labelled(const QString &label, int number)
{
    return label + QLatin1Char(' ') + QString::number(number);
}

bool isPublicAddress(int position)
{
    return position >= PhysicalPortNames::TieLines;
}
} // namespace

QString PhysicalPortNames::boardLabel(int port)
{
    const int b = board(port);
    if (b < ExtensionBoards)
        return QString::number(b + 1);
    if (b == AuxBoard)
        return AuxLabel;
    if (b == TieBoard)
        return TieLabel;
    return unknownBoard(b);
}

QString PhysicalPortNames::boardPosition(int port)
{
    return BoardText + boardLabel(port) + PortSeparator + QString::number(position(port) + 1);
}

QString PhysicalPortNames::terminalName(int port)
{
    const int b = board(port);
    const int q = position(port);
    if (b < ExtensionBoards)
        return labelled(ExtensionLabel, b * ExtensionsPerBoard + port % ExtensionsPerBoard + 1);
    if (b == AuxBoard)
        return labelled(AuxLabel, q + 1);
    if (b == TieBoard) {
        if (isPublicAddress(q))
            return labelled(PublicAddressLabel, port % PublicAddressOutputs + 1);
        return labelled(TieLabel, q + 1);
    }
    return unknownBoard(b);
}

QString PhysicalPortNames::linkName(int port)
{
    const int b = board(port);
    const int q = position(port);
    if (b < ExtensionBoards)
        return labelled(ExtensionLabel, b + 1) + LinkPortText + QString::number(q + 1);
    if (b == AuxBoard)
        return AuxLabel + LinkPortText + QString::number(q + 1);
    if (b == TieBoard) {
        if (isPublicAddress(q))
            return PublicAddressLabel + LinkPortText + QString::number(q - TieLines + 1);
        return TieLabel + LinkPortText + QString::number(q + 1);
    }
    return unknownBoard(b);
}
