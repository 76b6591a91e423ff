#include "device/TieLineParameters.h"

#include "device/NumericText.h"
#include "link/PacketCode.h"
#include "model/FieldFunctions.h"

namespace {
constexpr int PortIdLength = 2;
// The tie-line and processor board.
constexpr char TieLineSlot = 6;
constexpr char RingingDetectionMessage = 17;
constexpr char RingingDetectionLength = 9;
constexpr char PulseMessage = 4;
constexpr char PulseLength = 11;
constexpr double LevelScale = 5.0;
constexpr int FlashTrain = 0;

QByteArray header(char message, char length)
{
    QByteArray payload = EVal(0, PortIdLength);
    payload += TieLineSlot;
    payload += message;
    payload += length;
    return payload;
}
} // namespace

TieLineParameters::TieLineParameters()
{
    for (Train &train : m_pulses)
        train.fill(NoPulse);
}

void TieLineParameters::BuildCadence(const PulseTimings &timings)
{
    for (Train &train : m_pulses)
        train.fill(NoPulse);
    m_pulses[FlashTrain][0] = timings.flashLength;
    m_pulses[FlashTrain][1] = timings.flashPause;
    for (int digit = 1; digit <= LastDigit; ++digit) {
        Train &train = m_pulses[std::size_t(digit)];
        for (int k = 0; k < digit; ++k) {
            train[std::size_t(2 * k)] = timings.digitLength;
            train[std::size_t(2 * k + 1)] = k == digit - 1 ? timings.digitInter : timings.digitPause;
        }
    }
}

int TieLineParameters::levelByte(double level)
{
    return int(NumericText::roundHalfEven(level * LevelScale));
}

int TieLineParameters::startDetectByte(double milliseconds)
{
    return int(NumericText::roundHalfEven(milliseconds / StartDetectUnit));
}

DevicePacket TieLineParameters::ringingDetectionPacket(const std::array<quint8, LineCount> &levels, quint8 startDetect)
{
    QByteArray payload = header(RingingDetectionMessage, RingingDetectionLength);
    for (int repeat = 0; repeat < 2; ++repeat) {
        for (quint8 level : levels)
            payload += char(level);
    }
    payload += char(startDetect);
    return {PacketCode::BoardParameters, payload};
}

DevicePacket TieLineParameters::pulsePartPacket(int digit, int part) const
{
    QByteArray payload = header(PulseMessage, PulseLength);
    payload += char(digit);
    payload += char(part);
    const Train &pulses = m_pulses.at(std::size_t(digit));
    for (int i = PartLength * part; i < PartLength * (part + 1); ++i)
        payload += char(pulses.at(std::size_t(i)));
    return {PacketCode::BoardParameters, payload};
}
