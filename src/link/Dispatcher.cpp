#include "link/Dispatcher.h"

#include "core/DebugLog.h"
#include "link/ConnectionMonitor.h"
#include "link/DeviceSink.h"
#include "link/DocumentSink.h"
#include "link/PacketCode.h"
#include "link/PacketSender.h"
#include "link/RecordWriteQueue.h"
#include "link/SerialLinkUi.h"
#include "link/TransferSink.h"
#include "model/ExchClass.h"
#include "model/FieldFunctions.h"

#include <algorithm>
#include <iterator>

namespace {
// Positions in a received packet's content, counted from 1.
namespace Content {
constexpr int Code = 1;
constexpr int Length = 2;
constexpr int Sequence = 4;
constexpr int PortId = 6;
constexpr int PortIdLength = 2;
} // namespace Content

namespace StatusReport {
constexpr int MsgType = 8;
constexpr int Status = 9;
constexpr int Port = 10;
constexpr int Board = 11;
constexpr int Rack = 12;
constexpr int Node = 13;
constexpr int PortId = 14;
constexpr int Extra = 16;
constexpr int ExtraU16First = 17;
constexpr int ExtraU16Second = 19;
} // namespace StatusReport

namespace ClockReport {
constexpr int Seconds = 8;
constexpr int Minutes = 9;
constexpr int Hours = 10;
constexpr int Day = 11;
constexpr int Month = 12;
constexpr int Year = 13;
constexpr int DayOfWeek = 14;
constexpr int Century = 15;
constexpr int FieldWidth = 2;
constexpr int YearWidth = 4;
constexpr int YearsPerCentury = 100;
} // namespace ClockReport

namespace BoardReport {
constexpr int FirstBoard = 8;
constexpr int BoardCount = 10;
constexpr int BoardLength = 32;
constexpr int FieldCount = 4;
constexpr int FieldLength = 8;
constexpr int SerialNumberField = 0;
constexpr int ManufactureDateField = 1;
constexpr unsigned char FirstPrintable = 32;
constexpr unsigned char LastPrintable = 126;
// The date field reads "YYYYMMDD"; offsets from 0.
constexpr int YearOffset = 0;
constexpr int YearLength = 4;
constexpr int MonthOffset = 4;
constexpr int DayOffset = 6;
constexpr int DayMonthLength = 2;
} // namespace BoardReport

// With fromPacket set the document takes the record index from the packet.
constexpr int IndexFromPacket = 0;

const QString FactoryDefaultRestored = QStringLiteral("Factory Default has been restored");
const QString MissingSerialNumber = QStringLiteral("Missing");

// Structures whose definition a document takes outside a transfer.
constexpr ExchClass::Member DefinedOutsideTransfer[] = {
    ExchClass::ClassListMember, ExchClass::ACLMember,    ExchClass::VirtualPortsMember,
    ExchClass::SystemMember,    ExchClass::GroupsMember, ExchClass::PortToVirtualMember,
};

int byteAt(const QByteArray &content, int position)
{
    return int(PInt(content, position, 1));
}

QString hexByte(const QByteArray &content, int position)
{
    return QString::number(byteAt(content, position), 16).toUpper();
}

QString decimalByte(const QByteArray &content, int position)
{
    return QString::number(byteAt(content, position));
}

QString padded(int value, int width)
{
    return QStringLiteral("%1").arg(value, width, 10, QLatin1Char('0'));
}

bool isPrintable(char byte)
{
    const auto value = static_cast<unsigned char>(byte);
    return value >= BoardReport::FirstPrintable && value <= BoardReport::LastPrintable;
}

QByteArray boardField(const QByteArray &content, int board, int field)
{
    const int position = BoardReport::FirstBoard + BoardReport::BoardLength * board + BoardReport::FieldLength * field;
    return Mid(content, position, BoardReport::FieldLength);
}

QString printableText(const QByteArray &field)
{
    QByteArray text;
    std::copy_if(field.cbegin(), field.cend(), std::back_inserter(text), isPrintable);
    return QString::fromLatin1(text);
}

// The structure whose records travel under this request code; the rights
// names are never requested, so their code is not a record reply.
int recordMember(int code)
{
    for (int member = 0; member < ExchClass::MemberCount; ++member) {
        if (member != ExchClass::RightsMember && ExchClass::info(member).requestCode == code)
            return member;
    }
    return -1;
}

bool isIgnored(int code)
{
    return std::find(std::begin(PacketCode::Ignored), std::end(PacketCode::Ignored), code)
        != std::end(PacketCode::Ignored);
}
} // namespace

Dispatcher::Dispatcher(PacketSender *sender, DebugLog *log)
    : m_sender(sender)
    , m_log(log)
{
}

DebugLog &Dispatcher::log() const
{
    return m_log ? *m_log : DebugLog::shared();
}

DocumentSink *Dispatcher::activeDocument() const
{
    return m_activeDocument ? m_activeDocument() : nullptr;
}

void Dispatcher::ProcessPacket(const QByteArray &content)
{
    if (log().debugDisplay())
        dump(content);
    if (content.isEmpty())
        return;
    if (m_monitor)
        m_monitor->frameReceived();

    const int code = byteAt(content, Content::Code);
    const bool inTransfer = m_transfer && m_transfer->transferRunning();
    switch (code) {
    case PacketCode::Status:
        DecodeStatus(content);
        return;
    case PacketCode::Clock:
        if (!m_monitor || !m_monitor->takeClockReply())
            DecodePortDynamic(content);
        return;
    case PacketCode::FactoryConfiguration:
        if (m_ui)
            m_ui->showMessage(FactoryDefaultRestored);
        return;
    case PacketCode::BoardInfo:
        DecodeBoardInfo(content);
        return;
    case PacketCode::BoardParameters:
        acknowledge(inTransfer);
        return;
    default:
        break;
    }
    if (isIgnored(code))
        return;
    if (inTransfer)
        routeToTransfer(code, content);
    else
        routeOutsideTransfer(code, content);
}

void Dispatcher::dump(const QByteArray &content)
{
    QString bytes;
    bytes.reserve(content.size() * 3);
    for (char byte : content)
        bytes += QString::number(static_cast<unsigned char>(byte), 16).toUpper() + QLatin1Char(' ');
    log().AddNL(QStringLiteral(">>"));
    log().Add(bytes);
    log().Add(QStringLiteral(" <<"));
}

void Dispatcher::routeToTransfer(int code, const QByteArray &content)
{
    if (code == PacketCode::StructureDefinition)
        m_transfer->StructIn(content);
    else if (code == PacketCode::RecordsUsed)
        m_transfer->RecordsUsedIn(content);
    else if (recordMember(code) >= 0)
        m_transfer->PacketIn(content);
    else
        log().AddNL(QStringLiteral("##Unknown packet %1").arg(code));
}

void Dispatcher::routeOutsideTransfer(int code, const QByteArray &content)
{
    if (code == PacketCode::StructureDefinition) {
        applyDefinition(content);
        return;
    }

    const int member = recordMember(code);
    if (member >= 0 && m_writes && m_writes->recordReply(content))
        return;
    DocumentSink *document = activeDocument();
    switch (member) {
    case ExchClass::VirtualPortsMember:
        if (document)
            document->FillVP(IndexFromPacket, content, true);
        break;
    case ExchClass::GroupsMember:
        if (document)
            document->FillGroup(IndexFromPacket, content, true);
        break;
    case ExchClass::ACLMember:
        if (document)
            document->FillACL(IndexFromPacket, content, true);
        break;
    case ExchClass::ClassListMember:
        if (document)
            document->FillClassLists(content);
        break;
    case ExchClass::SystemMember:
        if (document)
            document->FillSystem(IndexFromPacket, content, true);
        break;
    case ExchClass::ExtToVirtualMember:
    case ExchClass::PortToVirtualMember:
        // No panel takes these records one by one.
        break;
    default:
        log().AddNL(QStringLiteral("Unknown packet %1").arg(code));
        break;
    }
}

void Dispatcher::applyDefinition(const QByteArray &content)
{
    DocumentSink *document = activeDocument();
    if (!document)
        return;

    const int member = ExchClass::memberForDefinitionId(int(PInt(content, Content::PortId, Content::PortIdLength)));
    if (member == ExchClass::RightsMember) {
        document->BuildRights(content);
        return;
    }
    if (std::find(std::begin(DefinedOutsideTransfer), std::end(DefinedOutsideTransfer), member)
        == std::end(DefinedOutsideTransfer))
        return;
    ExchClass *configuration = document->configuration();
    if (!configuration)
        return;

    configuration->member(member).BuildStructure(content);
    if (member == ExchClass::ClassListMember && m_sender) {
        const QByteArray firstRecord = EVal(0, Content::PortIdLength);
        m_sender->SendPacket(ExchClass::info(ExchClass::ClassListMember).requestCode, int(firstRecord.size()),
                             firstRecord, true);
    }
}

void Dispatcher::acknowledge(bool inTransfer)
{
    if (m_transfer)
        m_transfer->acknowledge();
    if (!m_devices)
        return;

    const auto tell = [this](DeviceSink::AckReceiver window) {
        if (m_devices->isOpenAndVisible(window))
            m_devices->DataReceived(window);
    };
    tell(DeviceSink::AckReceiver::ExtensionParameters);
    tell(DeviceSink::AckReceiver::TieLineParameters);
    if (!inTransfer)
        tell(DeviceSink::AckReceiver::BoardInfo);
}

void Dispatcher::DecodeStatus(const QByteArray &content)
{
    if (!log().debugDisplay())
        return;
    using namespace StatusReport;
    DebugLog &out = log();
    out.AddNL(QStringLiteral("Packet Type = Status; PortID = 0x") + hexByte(content, Content::PortId)
              + hexByte(content, Content::PortId + 1));
    out.AddNL(QStringLiteral("MsgType = ") + decimalByte(content, MsgType) + QStringLiteral("; Status = ")
              + decimalByte(content, Status) + QStringLiteral("; Port = ") + decimalByte(content, Port));
    out.AddNL(QStringLiteral("Board = ") + decimalByte(content, Board) + QStringLiteral("; Rack = ")
              + decimalByte(content, Rack) + QStringLiteral("; Node = ") + decimalByte(content, Node)
              + QStringLiteral("; PortID = ") + hexByte(content, PortId));
    out.AddNL(QStringLiteral("Extra = ") + hexByte(content, Extra) + QStringLiteral("; ExtraU16(0) = ")
              + hexByte(content, ExtraU16First) + QStringLiteral("; ExtraU16(1) = ")
              + hexByte(content, ExtraU16Second));
}

void Dispatcher::DecodePortDynamic(const QByteArray &content)
{
    if (log().debugDisplay()) {
        using namespace ClockReport;
        DebugLog &out = log();
        out.AddNL(QStringLiteral("Packet Type = Port Dynamic"));
        out.AddNL(QStringLiteral("Length = 0x") + hexByte(content, Content::Length)
                  + hexByte(content, Content::Length + 1) + QStringLiteral("; Sequence = 0x")
                  + hexByte(content, Content::Sequence) + hexByte(content, Content::Sequence + 1)
                  + QStringLiteral("; PortID = 0x") + hexByte(content, Content::PortId)
                  + hexByte(content, Content::PortId + 1));
        out.AddNL(QStringLiteral("Secs = ") + decimalByte(content, Seconds) + QStringLiteral("; Mins = ")
                  + decimalByte(content, Minutes) + QStringLiteral("; Hours = ") + decimalByte(content, Hours));
        out.AddNL(QStringLiteral("Day = ") + decimalByte(content, Day) + QStringLiteral("; Month = ")
                  + decimalByte(content, Month) + QStringLiteral("; Year = ") + decimalByte(content, Year));
        out.AddNL(QStringLiteral("dow = ") + decimalByte(content, DayOfWeek) + QStringLiteral("; century = ")
                  + decimalByte(content, Century));
    }
    if (m_devices)
        m_devices->showClock(clockReading(content));
}

ClockReading Dispatcher::clockReading(const QByteArray &content)
{
    using namespace ClockReport;
    ClockReading clock;
    clock.seconds = padded(byteAt(content, Seconds), FieldWidth);
    clock.minutes = padded(byteAt(content, Minutes), FieldWidth);
    clock.hours = padded(byteAt(content, Hours), FieldWidth);
    clock.day = padded(byteAt(content, Day), FieldWidth);
    clock.month = padded(byteAt(content, Month), FieldWidth);
    clock.year = padded(byteAt(content, Century) * YearsPerCentury + byteAt(content, Year), YearWidth);
    return clock;
}

void Dispatcher::DecodeBoardInfo(const QByteArray &content)
{
    if (log().debugDisplay()) {
        using namespace BoardReport;
        DebugLog &out = log();
        out.AddNL(QStringLiteral("Packet Type = Board Info"));
        for (int board = 0; board < BoardCount; ++board) {
            out.AddNL(QStringLiteral("Board = %1").arg(board + 1));
            for (int field = 0; field < FieldCount; ++field) {
                out.AddNL(QStringLiteral("Packet = %1; ").arg(field + 1));
                QString text;
                for (char byte : boardField(content, board, field)) {
                    if (isPrintable(byte))
                        text += QLatin1Char(byte);
                    else
                        text += QStringLiteral(">%1< ").arg(static_cast<unsigned char>(byte));
                }
                out.Add(text);
            }
        }
    }
    if (m_devices)
        m_devices->showBoardInformation(boardInformation(content));
}

BoardInformation Dispatcher::boardInformation(const QByteArray &content)
{
    using namespace BoardReport;
    BoardInformation boards;
    for (int row = 0; row < BoardInformation::RowCount; ++row) {
        BoardInformation::Row &shown = boards.rows[row];
        const QString serialNumber = printableText(boardField(content, row, SerialNumberField));
        if (serialNumber.isEmpty()) {
            shown.serialNumber = MissingSerialNumber;
            continue;
        }
        const QString date = printableText(boardField(content, row, ManufactureDateField));
        shown.serialNumber = serialNumber;
        shown.manufactureDate = date.mid(DayOffset, DayMonthLength) + QLatin1Char('/')
            + date.mid(MonthOffset, DayMonthLength) + QLatin1Char('/') + date.mid(YearOffset, YearLength);
    }
    return boards;
}
