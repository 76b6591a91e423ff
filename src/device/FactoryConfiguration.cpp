#include "device/FactoryConfiguration.h"

#include "link/PacketCode.h"
#include "model/FieldFunctions.h"

namespace {
constexpr int PortIdLength = 2;
constexpr char Unused = 0;
constexpr int TrailingUnused = 3;
const QByteArray ResetMarker = QByteArrayLiteral("rR");
} // namespace

DevicePacket FactoryConfiguration::buildPacket(const Settings &settings)
{
    QByteArray payload = EVal(0, PortIdLength);
    payload += char(settings.officers);
    payload += char(settings.digits);
    payload += char(settings.extensionTxGain);
    payload += char(settings.extensionRxGain);
    payload += char(settings.tieLineTxGain);
    payload += char(settings.tieLineRxGain);
    payload += Unused;
    for (quint8 type : settings.boardTypes)
        payload += char(type);
    payload += Unused;
    payload += settings.tieLineBoard ? char(TieLineBoard) : Unused;
    payload += QByteArray(TrailingUnused, Unused);
    return {PacketCode::FactoryConfiguration, payload};
}

DevicePacket FactoryConfiguration::resetPacket()
{
    return {PacketCode::ResetSystem, EVal(0, PortIdLength) + ResetMarker};
}
