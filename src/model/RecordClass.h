#pragma once

#include "model/FieldDef.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QList>
#include <QString>

class DebugLog;
class QbfReader;
class QbfWriter;
class RecordJournal;

// One record table of the exchange: its layout, its records as the exchange's
// own byte images, and the map of records in use. Everything above the model
// reads and writes fields by name through these accessors, never by position.
// Accessors do not fail loudly: a bad read returns a fixed value, a bad write
// leaves the record untouched, and either sends a diagnostic to the log.
class RecordClass
{
public:
    explicit RecordClass(DebugLog *log = nullptr);

    // Header
    QByteArray Name() const { return m_name; }
    qint16 StructType() const { return m_type; }
    qint16 StructSize() const { return m_structSize; }
    qint16 Items() const { return m_items; }
    qint16 Records() const { return m_records; }

    qint16 RequestCode() const { return m_requestCode; }
    qint16 SendCode() const { return m_sendCode; }
    void setRequestCode(qint16 code) { m_requestCode = code; }
    void setSendCode(qint16 code) { m_sendCode = code; }

    // Layout
    QByteArray ItemsNames(int i) const;
    qint16 GetItems(QByteArrayView name) const;
    qint16 GetType(QByteArrayView name) const;
    // Entry i of the field table (0 .. Items); an empty entry outside it.
    FieldDef field(int i) const;
    // The entry the accessors use for a name: the first that matches; 0 for none.
    int fieldIndex(QByteArrayView name) const;
    void makeStruct(const QByteArray &name, int items, int records, int structSize, int type);
    void setField(int index, const QByteArray &name, int items, int size, int startPosn, int type);
    void BuildStructure(const QByteArray &packet);
    // The layout as a definition packet carries it after the port id (record
    // size, name, counts, fields): what an exchange would send for it. Gaps
    // between fields become "NULL" placeholders, so positions survive.
    QByteArray DefinitionData() const;
    void ShowStructure() const;
    void ShowPacket(const QByteArray &packet) const;

    // Field access
    bool GetBoolean(QByteArrayView name, int rec, int bit, int k = 0) const;
    // Bit n of a bit set, addressed exactly as SetBoolean writes it: bit
    // (n mod 8) of byte (n div 8) from the field's first byte.
    bool GetBit(QByteArrayView name, int rec, int n) const;
    // The numbers of the bits GetBit finds set, ascending; reads only the
    // field's bytes that the record holds, whatever the layout claims.
    QList<int> GetBits(QByteArrayView name, int rec) const;
    // How many bits GetBit can address in the field: 8 for every byte of
    // every element. 0 for a field the structure does not have.
    int BitCount(QByteArrayView name) const;
    int GetInteger(QByteArrayView name, int rec, int k = 0) const;
    QByteArray GetString(QByteArrayView name, int rec) const;
    QByteArray GetDigit(QByteArrayView name, int rec, int k = 0) const;

    // Each setter sets *changed to true when the stored bytes change and
    // otherwise leaves it alone, so one flag can collect a whole panel's edits.
    void SetBoolean(QByteArrayView name, int rec, int bit, bool value, int k = 0, bool *changed = nullptr);
    void ClearAllBoolean(QByteArrayView name, int rec, int k = 0);
    void SetInteger(QByteArrayView name, int rec, qint32 value, int k = 0, bool *changed = nullptr);
    void SetString(QByteArrayView name, int rec, const QByteArray &text, bool *changed = nullptr);
    void SetDigit(QByteArrayView name, int rec, const QByteArray &digits, int k = 0, bool *changed = nullptr);

    // Records
    void PutData(const QByteArray &packet);
    void PutUsed(const QByteArray &packet);
    bool GetRecordUsed(int i) const;
    // Keeps the records-used map in step with a record taken into use or
    // freed. A structure without a map counts every record as used and is
    // left so; a map too short for the record grows to hold it.
    void SetRecordUsed(int i, bool used);
    void PutBlank(int rec);
    QByteArray SendData(int i) const;
    quint8 CalcChecksum(int rec) const;
    void CopyRecord(int from, int to);
    qint16 GetLastSaved() const;

    // The record index and the record image a record reply carries (the
    // content after its 7-byte head, without the 4-byte trailer).
    static int replyIndex(const QByteArray &packet);
    static QByteArray replyImage(const QByteArray &packet);

    // Counts every change of the layout, the records or the used map, so a
    // holder can tell whether anything changed since it last looked.
    quint64 revision() const { return m_revision; }

    // Raw state, for the file, the transfer and listings.
    QByteArray record(int i) const { return i >= 0 && i < m_recordTable.size() ? m_recordTable[i] : QByteArray(); }
    QByteArray usedMap() const { return m_usedMap; }
    QByteArray spareText() const { return m_spareText; }
    qint16 dataFlag() const { return m_dataFlag; }
    qint32 lastSaved() const { return m_lastSaved; }
    bool hasLayout() const { return m_items > 0 || m_structSize > 0; }

    void Save(QbfWriter &out) const;
    // Reads one structure; on failure the reader holds the reason and this
    // structure is left in an unspecified but safe state.
    bool load(QbfReader &in);

    bool operator==(const RecordClass &other) const;

    // What a structure keeps beside its records and saves with them.
    struct Bookkeeping
    {
        QByteArray usedMap;
        qint16 dataFlag = 0;
        qint32 lastSaved = -1;
        bool operator==(const Bookkeeping &other) const = default;
    };
    Bookkeeping bookkeeping() const { return {m_usedMap, m_dataFlag, m_lastSaved}; }

    // The journal hears of every change before it is made. A copy of the
    // structure is nobody's document and starts without one.
    void setJournal(RecordJournal *journal) { m_journal.journal = journal; }
    // Put back images taken earlier, out of the journal's hearing.
    void restoreRecord(int rec, const QByteArray &image);
    void restoreBookkeeping(const Bookkeeping &state);

private:
    struct JournalLink
    {
        JournalLink() = default;
        JournalLink(const JournalLink &) {}
        // Replacing the whole structure ends its undo history.
        JournalLink &operator=(const JournalLink &);
        RecordJournal *journal = nullptr;
    };

    struct Located
    {
        const FieldDef *field = nullptr;
        const QByteArray *record = nullptr;
        int pos = 0;
    };
    enum class Check { Boolean, Integer, String, Digit, SetInteger, SetDigit };

    const FieldDef *find(QByteArrayView name) const;
    void indexFields();
    void indexField(int i);
    int firstUnnamed(bool digit) const;
    bool locate(const char *operation, QByteArrayView name, int rec, int k, Check check, Located &out) const;
    bool checkRecordIndex(const char *operation, int rec) const;
    bool checkWritable(const char *operation, int rec, int pos, int length) const;
    void replaceBytes(int rec, int pos, const QByteArray &bytes);
    void touch() { ++m_revision; }
    void recordChanging(int rec);
    void bookkeepingChanging();
    void layoutChanging();
    void error(const char *operation, const QString &message) const;
    void error(const QString &source, const QString &message) const;
    QString indexMessage(int rec) const;
    DebugLog &log() const;

    DebugLog *m_log;
    QByteArray m_name;
    qint16 m_type = 0;
    qint16 m_structSize = 0;
    qint16 m_items = 0;
    qint16 m_records = 0;
    QList<FieldDef> m_fields;
    // Upper-cased name to the first field entry of that name (of a digit type).
    QHash<QByteArray, int> m_fieldIndex;
    QHash<QByteArray, int> m_digitFieldIndex;
    QList<QByteArray> m_recordTable;
    QByteArray m_usedMap;
    QByteArray m_spareText;
    qint16 m_dataFlag = 0;
    qint32 m_lastSaved = -1;
    qint16 m_requestCode = 0;
    qint16 m_sendCode = 0;
    quint64 m_revision = 0;
    JournalLink m_journal;
};
