#include "device/BoardPackets.h"

#include "link/PacketCode.h"
#include "model/FieldFunctions.h"

namespace {
constexpr int PortIdLength = 2;
const QByteArray ReadMarker = QByteArrayLiteral("rR");
constexpr char SerialMessage = 2;
constexpr char SerialMessageLength = 10;
constexpr char SerialNumberField = 0;
constexpr char ManufactureDateField = 1;

DevicePacket serialMessage(quint8 slot, char field, QByteArrayView text)
{
    QByteArray payload = EVal(0, PortIdLength);
    payload += char(slot);
    payload += SerialMessage;
    payload += SerialMessageLength;
    payload += field;
    payload += text;
    return {PacketCode::BoardParameters, payload};
}
} // namespace

DevicePacket BoardPackets::readRequest()
{
    return {PacketCode::BoardInfo, EVal(0, PortIdLength) + ReadMarker};
}

DevicePacket BoardPackets::serialNumber(quint8 slot, QByteArrayView serial)
{
    return serialMessage(slot, SerialNumberField, serial.first(qMin(serial.size(), qsizetype(SerialNumberLength))));
}

DevicePacket BoardPackets::manufactureDate(quint8 slot, QByteArrayView dateField)
{
    return serialMessage(slot, ManufactureDateField,
                         dateField.first(qMin(dateField.size(), qsizetype(DateFieldLength))));
}
