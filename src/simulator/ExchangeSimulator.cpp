#include "simulator/ExchangeSimulator.h"

#include "link/PacketCode.h"
#include "link/PacketSender.h"
#include "link/ReplyPacket.h"
#include "model/FieldFunctions.h"
#include "model/FieldNames.h"
#include "model/RecordSlots.h"

#include <iterator>
#include <utility>

namespace {
// The PC's frame content: code, length, "00", payload, trailer.
constexpr int PcHeaderLength = 5;
constexpr int PcContentMinimum = PcHeaderLength + Frame::TrailerLength;
constexpr int PortIdLength = 2;
// The PC puts these in front of the payload of a retransmitted packet.
const QByteArray RetransmissionMark(4, Frame::Delimiter);

// A reset (code 22) carries this after the port id.
const QByteArray ResetMarker = QByteArrayLiteral("rR");

// Board parameters (code 33): slot, message, length, then the message's own
// bytes. The board serial message carries a field selector and the text.
constexpr int BoardSerialMessage = 2;
constexpr int SerialField = 0;
constexpr int DateField = 1;
constexpr int SerialLength = 7;
constexpr int DateLength = 8;
constexpr int BoardSlotAt = 0;
constexpr int BoardMessageAt = 1;
constexpr int BoardFieldAt = 3;
constexpr int BoardTextAt = 4;

// Clock bytes, in the order of both the report and the set command.
enum ClockByte { Seconds, Minutes, Hours, Day, Month, YearInCentury, DayOfWeek, Century, ClockBytes };

struct FittedBoard
{
    const char *serial;
    const char *date;
};

// Slots 3 and 5 have no serial, so the program's "Missing" report can be seen.
const FittedBoard FittedBoards[] = {
    {"ORX4127", "20080314"}, {"ORX4131", "20080314"}, {"ORX5208", "20090122"},
    {"", "20090122"},        {"ORX5862", "20090907"}, {"", ""},
    {"ORX6015", "20100511"},
};

QByteArray boardField(const QByteArray &text)
{
    return text.left(ExchangeSimulator::BoardFieldLength).leftJustified(ExchangeSimulator::BoardFieldLength, '\0');
}

QDateTime localTime()
{
    return QDateTime::currentDateTime();
}

quint8 byteAt(const QByteArray &data, int i)
{
    return static_cast<quint8>(data.at(i));
}
} // namespace

ExchangeSimulator::ExchangeSimulator()
    : m_receiver([this](const QByteArray &content) { receive(content); })
    , m_clock(&localTime)
{
    for (BoardFields &board : m_boards)
        board.fill(boardField(QByteArray()));
    for (int b = 0; b < int(std::size(FittedBoards)); ++b) {
        m_boards[b][SerialField] = boardField(FittedBoards[b].serial);
        m_boards[b][DateField] = boardField(FittedBoards[b].date);
    }
}

void ExchangeSimulator::setClock(Clock clock)
{
    m_clock = clock ? std::move(clock) : Clock(&localTime);
}

QByteArray ExchangeSimulator::replyFrame(int code, int portId, const QByteArray &data)
{
    return Frame::Delimiter + PacketSender::StuffBytes(ReplyPacket::make(code, portId, data)) + Frame::Delimiter;
}

QList<QByteArray> ExchangeSimulator::feed(QByteArrayView bytes)
{
    m_receiver.ProcessInput(bytes);
    return std::exchange(m_replies, {});
}

void ExchangeSimulator::receive(const QByteArray &content)
{
    ++m_framesReceived;
    if (m_dropEvery > 0 && m_framesReceived % m_dropEvery == 0) {
        ++m_framesDropped;
        return;
    }
    if (content.size() < PcContentMinimum)
        return;

    // The delimiters bound the payload; like the program, the exchange does
    // not rely on the length field.
    QByteArray payload = content.mid(PcHeaderLength, content.size() - PcContentMinimum);
    if (payload.startsWith(RetransmissionMark))
        payload.remove(0, RetransmissionMark.size());

    const qsizetype before = m_replies.size();
    answer(byteAt(content, 0), int(PInt(payload, 1, PortIdLength)), payload.mid(PortIdLength));
    if (m_replies.size() > before)
        ++m_framesAnswered;
}

void ExchangeSimulator::reply(int code, int portId, const QByteArray &data)
{
    m_replies.append(replyFrame(code, portId, data));
}

void ExchangeSimulator::answer(int code, int portId, const QByteArray &data)
{
    switch (code) {
    case PacketCode::StructureDefinition:
        answerDefinition(portId);
        return;
    case PacketCode::RecordsUsed:
        answerRecordsUsed(portId);
        return;
    case PacketCode::Clock:
        answerClock();
        return;
    case PacketCode::SetClock:
        setClockFrom(data);
        return;
    case PacketCode::BoardInfo:
        answerBoardInfo();
        return;
    case PacketCode::BoardParameters:
        storeBoardParameters(data);
        reply(PacketCode::BoardParameters, 0, QByteArray());
        return;
    case PacketCode::FactoryConfiguration:
        m_factoryConfiguration = data;
        reply(PacketCode::FactoryConfiguration, 0, QByteArray());
        return;
    case PacketCode::ResetSystem:
        if (data.startsWith(ResetMarker))
            ++m_resetsReceived;
        return;
    default:
        answerRecordPacket(code, portId, data);
        return;
    }
}

void ExchangeSimulator::answerRecordPacket(int code, int index, const QByteArray &data)
{
    for (int m = 0; m < ExchClass::MemberCount; ++m) {
        RecordClass &s = m_config.member(m);
        const bool request = code == s.RequestCode();
        if (!request && code != s.SendCode())
            continue;
        if ((m_noTones && m == ExchClass::TonesMember) || index >= s.Records())
            return;
        if (!request) {
            s.PutData(ReplyPacket::make(code, index, data));
            // A record taken into use or freed changes what the used map promises a later get.
            if (s.GetType(FieldNames::Flag) == FieldType::Boolean)
                s.SetRecordUsed(index, !RecordSlots::isFree(s, index));
        }
        reply(s.RequestCode(), index, s.record(index));
        return;
    }
}

const RecordClass *ExchangeSimulator::structureNumbered(int structure) const
{
    const int member = ExchClass::memberForDefinitionId(structure);
    return member < 0 ? nullptr : &m_config.member(member);
}

void ExchangeSimulator::answerDefinition(int structure)
{
    const RecordClass *s = structureNumbered(structure);
    reply(PacketCode::StructureDefinition, structure, s ? s->DefinitionData() : RecordClass().DefinitionData());
}

void ExchangeSimulator::answerRecordsUsed(int structure)
{
    const RecordClass *s = structureNumbered(structure);
    QByteArray map;
    if (s && !s->usedMap().isEmpty()) {
        map = s->usedMap();
    } else if (s) {
        map = QByteArray((s->Records() + 7) / 8, '\0');
        for (int i = 0; i < s->Records(); ++i)
            map[i / 8] = char(byteAt(map, i / 8) | (1u << (i % 8)));
    }
    reply(PacketCode::RecordsUsed, structure, map);
}

void ExchangeSimulator::answerClock()
{
    const QDateTime now = m_clock().addSecs(m_clockOffsetSeconds);
    const QDate date = now.date();
    const QTime time = now.time();
    QByteArray data(ClockBytes, '\0');
    data[Seconds] = char(time.second());
    data[Minutes] = char(time.minute());
    data[Hours] = char(time.hour());
    data[Day] = char(date.day());
    data[Month] = char(date.month());
    data[YearInCentury] = char(date.year() % 100);
    // Counted from Sunday = 0; the program only shows it in the debug window.
    data[DayOfWeek] = char(date.dayOfWeek() % 7);
    data[Century] = char(date.year() / 100);
    reply(PacketCode::Clock, 0, data);
}

void ExchangeSimulator::setClockFrom(const QByteArray &data)
{
    if (data.size() < ClockBytes)
        return;
    const QDate date(byteAt(data, Century) * 100 + byteAt(data, YearInCentury), byteAt(data, Month), byteAt(data, Day));
    const QTime time(byteAt(data, Hours), byteAt(data, Minutes), byteAt(data, Seconds));
    if (!date.isValid() || !time.isValid())
        return;
    m_clockOffsetSeconds = m_clock().secsTo(QDateTime(date, time));
}

void ExchangeSimulator::answerBoardInfo()
{
    QByteArray data;
    for (const BoardFields &board : m_boards) {
        for (const QByteArray &field : board)
            data += field;
    }
    reply(PacketCode::BoardInfo, 0, data);
}

QByteArray ExchangeSimulator::boardSerialNumber(int board) const
{
    return board >= 0 && board < BoardCount ? m_boards[board][SerialField] : QByteArray();
}

QByteArray ExchangeSimulator::boardManufactureDate(int board) const
{
    return board >= 0 && board < BoardCount ? m_boards[board][DateField] : QByteArray();
}

void ExchangeSimulator::storeBoardParameters(const QByteArray &data)
{
    m_boardParameters.append(data);
    if (data.size() <= BoardTextAt || byteAt(data, BoardMessageAt) != BoardSerialMessage)
        return;
    const int slot = byteAt(data, BoardSlotAt);
    if (slot >= BoardCount)
        return;
    const int field = byteAt(data, BoardFieldAt);
    if (field == SerialField)
        m_boards[slot][SerialField] = boardField(data.mid(BoardTextAt, SerialLength));
    else if (field == DateField)
        m_boards[slot][DateField] = boardField(data.mid(BoardTextAt, DateLength));
}
