#pragma once

#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QString>

class DebugLog;
class ExchClass;
class QTextStream;
class RecordClass;

// Everything a configuration holds, structure by structure in member order:
// the header, the layout, the used map and every record with each field
// decoded through the named accessors. Text for a person, JSON for a program;
// both come from the same decoding so they never disagree.
class ConfigurationListing
{
public:
    explicit ConfigurationListing(const ExchClass &config);

    void writeText(QTextStream &out) const;
    QJsonArray structures() const;

private:
    struct Value
    {
        QString text;
        QJsonValue json;
    };

    void writeStructure(QTextStream &out, int member) const;
    void writeRecord(QTextStream &out, const RecordClass &s, int rec) const;
    QJsonObject structureJson(int member) const;
    QJsonObject recordJson(const RecordClass &s, int rec) const;

    Value decode(const RecordClass &s, int field, int rec) const;
    Value decodeNamed(const RecordClass &s, int field, int rec) const;
    Value rawValue(const RecordClass &s, int field, int rec) const;
    bool isFree(const RecordClass &s, int rec) const;
    QList<int> usedRecords(const RecordClass &s) const;

    const ExchClass &m_config;
    DebugLog &m_log;
};
