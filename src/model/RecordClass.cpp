#include "model/RecordClass.h"

#include "core/DebugLog.h"
#include "model/FieldFunctions.h"
#include "model/QbfReader.h"
#include "model/QbfWriter.h"
#include "model/RecordClassParts.h"
#include "model/RecordJournal.h"

#include <limits>

// The class's construction, diagnostics, records, file image and undo
// journal; its layout is in RecordClassLayout.cpp, its field access in
// RecordClassFields.cpp.

using namespace RecordClassParts;

namespace {
constexpr char BlankByte = char(0xFF);

// Smallest file image of a field entry (empty name, four integers) and of a record.
constexpr int MinFieldEntryBytes = 10;
constexpr int MinRecordBytes = 2;
} // namespace

RecordClass::RecordClass(DebugLog *log)
    : m_log(log)
    , m_fields(1)
    , m_recordTable(1)
{
}

DebugLog &RecordClass::log() const
{
    return m_log ? *m_log : DebugLog::shared();
}

void RecordClass::error(const char *operation, const QString &message) const
{
    error(QStringLiteral("RecordClass.") + QLatin1String(operation), message);
}

void RecordClass::error(const QString &source, const QString &message) const
{
    log().Error(source, message);
}

QString RecordClass::indexMessage(int rec) const
{
    return QStringLiteral("Index (") + number(rec) + QStringLiteral(") greater than record count ( ")
        + number(m_records) + QStringLiteral(")");
}

bool RecordClass::checkRecordIndex(const char *operation, int rec) const
{
    if (rec >= 0 && rec < m_records)
        return true;
    error(operation, indexMessage(rec));
    return false;
}

// ---- Records -------------------------------------------------------------

void RecordClass::PutData(const QByteArray &packet)
{
    bookkeepingChanging();
    m_dataFlag = -1;
    if (packet.size() < MinPacketLength) {
        error("PutData",
              QStringLiteral("Packet length is only ") + number(packet.size()) + QStringLiteral(". Needs to be min 7"));
        m_lastSaved = -1;
        return;
    }
    const int rec = int(PInt(packet, PacketIndexPos, 2));
    if (rec >= m_records) {
        error("PutData", indexMessage(rec));
        return;
    }
    QByteArray image = replyImage(packet);
    if (m_recordTable[rec] != image) {
        recordChanging(rec);
        m_recordTable[rec] = std::move(image);
        touch();
    }
    m_lastSaved = rec;
}

int RecordClass::replyIndex(const QByteArray &packet)
{
    return packet.size() < MinPacketLength ? -1 : int(PInt(packet, PacketIndexPos, 2));
}

QByteArray RecordClass::replyImage(const QByteArray &packet)
{
    // A packet too short for head and trailer carries an empty image.
    const qsizetype imageLength = packet.size() - PacketHeadLength - PacketTrailerLength;
    return imageLength > 0 ? packet.mid(PacketHeadLength, imageLength) : QByteArray();
}

void RecordClass::PutUsed(const QByteArray &packet)
{
    bookkeepingChanging();
    m_dataFlag = -1;
    if (packet.size() < MinPacketLength) {
        error("PutUsed",
              QStringLiteral("Packet length is only ") + number(packet.size()) + QStringLiteral(". Needs to be min 7"));
        m_lastSaved = -1;
        return;
    }
    const qsizetype mapLength = packet.size() - PacketHeadLength - PacketTrailerLength;
    QByteArray map = mapLength > 0 ? packet.mid(PacketHeadLength, mapLength) : QByteArray();
    if (map != m_usedMap) {
        m_usedMap = std::move(map);
        touch();
    }
}

void RecordClass::SetRecordUsed(int i, bool used)
{
    if (m_usedMap.isEmpty() || i < 0 || i >= m_records)
        return;
    const qsizetype q = i / 8;
    if (q >= m_usedMap.size()) {
        bookkeepingChanging();
        m_usedMap.append(QByteArray(q + 1 - m_usedMap.size(), '\0'));
    }
    const quint8 mask = quint8(1u << (i % 8));
    const quint8 old = quint8(m_usedMap[q]);
    const quint8 updated = used ? (old | mask) : (old & ~mask);
    if (updated == old)
        return;
    bookkeepingChanging();
    m_usedMap[q] = char(updated);
    touch();
}

bool RecordClass::GetRecordUsed(int i) const
{
    if (m_usedMap.isEmpty())
        return true;
    const qsizetype q = i / 8;
    if (i < 0 || q > m_usedMap.size()) {
        error("GetRecordUsed", QStringLiteral("Outside Range"));
        return false;
    }
    if (q == m_usedMap.size())
        return false;
    return (quint8(m_usedMap[q]) >> (i % 8)) & 1;
}

void RecordClass::PutBlank(int rec)
{
    if (rec < 0 || rec >= std::numeric_limits<qint16>::max()) {
        error("PutBlank", indexMessage(rec));
        return;
    }
    if (rec >= m_records) {
        layoutChanging();
        m_recordTable.resize(rec + 2);
        m_records = qint16(rec + 1);
    }
    recordChanging(rec);
    m_recordTable[rec] = QByteArray(qMax<int>(m_structSize, 0), BlankByte);
    m_lastSaved = rec;
    touch();
}

QByteArray RecordClass::SendData(int i) const
{
    if (i < 0 || i >= m_records) {
        error(QStringLiteral("RecordClass.SendData (") + text(m_name) + QStringLiteral(")"), indexMessage(i));
        return {};
    }
    return EVal(i, 2) + m_recordTable[i];
}

quint8 RecordClass::CalcChecksum(int rec) const
{
    if (rec < 0 || rec >= m_records)
        return 0;
    quint8 sum = 0;
    const QByteArray &record = m_recordTable[rec];
    for (qsizetype i = 1; i < record.size(); ++i)
        sum += quint8(record[i]);
    return sum;
}

void RecordClass::CopyRecord(int from, int to)
{
    bookkeepingChanging();
    m_dataFlag = -1;
    if (from < 0 || from >= m_records) {
        error("CopyRecord",
              QStringLiteral("CpyFrom (") + number(from) + QStringLiteral(") greater than record count ( ")
                  + number(m_records) + QStringLiteral(")"));
        return;
    }
    if (to < 0 || to >= m_records) {
        error("CopyRecord",
              QStringLiteral("CpyTo (") + number(to) + QStringLiteral(") greater than record count ( ")
                  + number(m_records) + QStringLiteral(")"));
        return;
    }
    recordChanging(to);
    m_recordTable[to] = m_recordTable[from];
    m_lastSaved = to;
    touch();
}

qint16 RecordClass::GetLastSaved() const
{
    if (m_lastSaved < 0) {
        error("GetLastSaved", QStringLiteral("No Data Last saved Stored"));
        return -1;
    }
    return qint16(m_lastSaved);
}

// ---- File ----------------------------------------------------------------

void RecordClass::Save(QbfWriter &out) const
{
    out.writeLString(m_name);
    out.writeI16(m_type);
    out.writeI16(m_structSize);
    out.writeI16(m_items);
    out.writeI16(m_records);
    for (const FieldDef &f : m_fields) {
        out.writeLString(f.Name);
        out.writeI16(f.Type);
        out.writeI16(f.Size);
        out.writeI16(f.Items);
        out.writeI16(f.StartPosn);
    }
    for (const QByteArray &record : m_recordTable)
        out.writeLString(record);
    out.writeLString(m_usedMap);
    out.writeLString(m_spareText);
    out.writeI16(m_dataFlag);
    out.writeI32(m_lastSaved);
}

bool RecordClass::load(QbfReader &in)
{
    QByteArray name;
    qint16 type = 0, structSize = 0, items = 0, records = 0;
    if (!in.readLString(name) || !in.readI16(type) || !in.readI16(structSize) || !in.readI16(items)
        || !in.readI16(records))
        return false;
    if (!in.expect(qint64(items) + 1, MinFieldEntryBytes, QStringLiteral("field")))
        return false;
    QList<FieldDef> fields(items + 1);
    for (FieldDef &f : fields) {
        if (!in.readLString(f.Name) || !in.readI16(f.Type) || !in.readI16(f.Size) || !in.readI16(f.Items)
            || !in.readI16(f.StartPosn))
            return false;
    }
    if (!in.expect(qint64(records) + 1, MinRecordBytes, QStringLiteral("record")))
        return false;
    QList<QByteArray> recordTable(records + 1);
    for (QByteArray &record : recordTable) {
        if (!in.readLString(record))
            return false;
    }
    QByteArray usedMap, spareText;
    qint16 dataFlag = 0;
    qint32 lastSaved = 0;
    if (!in.readLString(usedMap) || !in.readLString(spareText) || !in.readI16(dataFlag) || !in.readI32(lastSaved))
        return false;

    m_name = name;
    m_type = type;
    m_structSize = structSize;
    m_items = items;
    m_records = records;
    m_fields = std::move(fields);
    m_recordTable = std::move(recordTable);
    m_usedMap = usedMap;
    m_spareText = spareText;
    m_dataFlag = dataFlag;
    m_lastSaved = lastSaved;
    indexFields();
    touch();
    layoutChanging();
    return true;
}

void RecordClass::restoreRecord(int rec, const QByteArray &image)
{
    if (!checkRecordIndex("restoreRecord", rec) || m_recordTable[rec] == image)
        return;
    m_recordTable[rec] = image;
    touch();
}

void RecordClass::restoreBookkeeping(const Bookkeeping &state)
{
    if (bookkeeping() == state)
        return;
    m_usedMap = state.usedMap;
    m_dataFlag = state.dataFlag;
    m_lastSaved = state.lastSaved;
    touch();
}

void RecordClass::recordChanging(int rec)
{
    if (m_journal.journal)
        m_journal.journal->recordChanging(*this, rec);
}

void RecordClass::bookkeepingChanging()
{
    if (m_journal.journal)
        m_journal.journal->bookkeepingChanging(*this);
}

void RecordClass::layoutChanging()
{
    if (m_journal.journal)
        m_journal.journal->layoutChanged();
}

RecordClass::JournalLink &RecordClass::JournalLink::operator=(const JournalLink &)
{
    if (journal)
        journal->layoutChanged();
    return *this;
}

bool RecordClass::operator==(const RecordClass &other) const
{
    return m_name == other.m_name && m_type == other.m_type && m_structSize == other.m_structSize
        && m_items == other.m_items && m_records == other.m_records && m_fields == other.m_fields
        && m_recordTable == other.m_recordTable && m_usedMap == other.m_usedMap && m_spareText == other.m_spareText
        && m_dataFlag == other.m_dataFlag && m_lastSaved == other.m_lastSaved && m_requestCode == other.m_requestCode
        && m_sendCode == other.m_sendCode;
}
