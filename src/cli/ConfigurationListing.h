#pragma once

#include <QList>
#include <QString>

class DebugLog;
class ExchClass;
class FieldValueReader;
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
    void writeStructure(QTextStream &out, const FieldValueReader &reader, int member) const;
    void writeRecord(QTextStream &out, const FieldValueReader &reader, const RecordClass &s, const QList<bool> &named,
                     int rec) const;
    void writeStructureJson(JsonStream &json, const FieldValueReader &reader, int member) const;
    void writeRecordJson(JsonStream &json, const FieldValueReader &reader, const RecordClass &s,
                         const QList<bool> &named, int rec) const;

    const ExchClass &m_config;
    DebugLog &m_log;
};
