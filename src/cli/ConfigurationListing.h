#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

class DebugLog;
class ExchClass;
class JsonStream;
class QTextStream;
class RecordClass;

// Everything a configuration holds, structure by structure in member order:
// the header, the layout, the used map and every record with each field
// decoded through the named accessors. Text for a person, JSON for a program;
// both come from the same decoding so they never disagree. Both are written
// as they are made, in time and memory that follow the bytes of the file,
// whatever sizes and counts its layouts claim.
class ConfigurationListing
{
public:
    explicit ConfigurationListing(const ExchClass &config);

    void writeText(QTextStream &out) const;
    // One JSON document: the file's name and an array of the structures.
    void writeJson(QTextStream &out, const QString &fileName) const;

private:
    // One field of one record as the accessors read it.
    struct Value
    {
        enum class Kind { Integers, Bits, Text, Digits, IntegersAndDigits, Raw, Unreadable };
        Kind kind = Kind::Raw;
        QList<int> numbers;
        QStringList digits;
        QByteArray bytes;
        QString error;
    };

    void writeStructure(QTextStream &out, int member) const;
    void writeRecord(QTextStream &out, const RecordClass &s, const QList<bool> &named, int rec) const;
    void writeStructureJson(JsonStream &json, int member) const;
    void writeRecordJson(JsonStream &json, const RecordClass &s, const QList<bool> &named, int rec) const;
    static void writeValueJson(JsonStream &json, const Value &value);
    static QString valueText(const Value &value, int byteLength);

    Value decode(const RecordClass &s, const QList<bool> &named, int field, int rec) const;
    Value decodeNamed(const RecordClass &s, int field, int rec) const;
    static Value rawValue(const RecordClass &s, int field, int rec);
    bool failed() const { return !m_firstError.isEmpty(); }

    const ExchClass &m_config;
    DebugLog &m_log;
    // The first diagnostic of the value being decoded: a failed read is shown
    // as a failure rather than as the accessor's fallback value.
    mutable QString m_firstError;
};
