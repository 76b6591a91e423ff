#include "device/ClockPackets.h"

#include "link/PacketCode.h"
#include "model/FieldFunctions.h"

namespace {
constexpr int PortIdLength = 2;
constexpr int YearsPerCentury = 100;
// The exchange works the day of the week out itself.
constexpr char DayOfWeekUnset = 0;
} // namespace

DevicePacket ClockPackets::readRequest()
{
    return {PacketCode::Clock, EVal(0, PortIdLength)};
}

DevicePacket ClockPackets::setClock(QDate date, QTime time)
{
    const int century = date.year() / YearsPerCentury;
    const int yearInCentury = date.year() - YearsPerCentury * century;
    QByteArray payload = EVal(0, PortIdLength);
    payload += char(time.second());
    payload += char(time.minute());
    payload += char(time.hour());
    payload += char(date.day());
    payload += char(date.month());
    payload += char(yearInCentury);
    payload += DayOfWeekUnset;
    payload += char(century);
    return {PacketCode::SetClock, payload};
}
