#pragma once

#include "analysis/FieldValue.h"

#include <QList>
#include <QMetaObject>
#include <QString>

class DebugLog;
class RecordClass;
struct FieldDef;

// Reads fields of records into values through the named accessors. The
// accessors answer a failed read with a fallback value and a diagnostic;
// the reader listens to the log while it lives, so such a read becomes an
// Unreadable value rather than passing for the fallback.
class FieldValueReader
{
public:
    explicit FieldValueReader(DebugLog &log);
    ~FieldValueReader();
    FieldValueReader(const FieldValueReader &) = delete;
    FieldValueReader &operator=(const FieldValueReader &) = delete;

    // Which field entries the accessors reach by name: not the placeholder,
    // not entry 0, not one hidden behind an earlier field of the same name.
    static QList<bool> namedFields(const RecordClass &structure);
    // Whether a field entry is shown at all: it has a name or bytes.
    static bool isListed(const FieldDef &field);
    // The bytes of a field entry in a record, as far as the record holds them.
    static QByteArray fieldBytes(const QByteArray &record, const FieldDef &field);

    // Field entry `field` of record `rec`: decoded when named, raw bytes otherwise.
    FieldValue read(const RecordClass &structure, const QList<bool> &named, int field, int rec) const;

private:
    FieldValue readNamed(const RecordClass &structure, int field, int rec) const;
    bool failed() const { return !m_firstError.isEmpty(); }

    QMetaObject::Connection m_connection;
    // The first diagnostic of the value being read.
    mutable QString m_firstError;
};
