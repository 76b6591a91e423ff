#pragma once

#include "export/RandomSource.h"
#include "link/RecordWriter.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <utility>

// A record written to the exchange: its structure's send code and the payload.
struct SentRecord
{
    int code;
    QByteArray payload;
};

// Keeps every record write, as it would go out.
class WriteRecorder : public RecordWriter
{
public:
    bool writeRecord(ExchClass &config, int member, int index) override;

    QList<SentRecord> sent;
};

// Hands out the values it was given, in order, and notes the bounds asked for.
class ScriptedRandom : public RandomSource
{
public:
    explicit ScriptedRandom(QList<quint32> values)
        : m_values(std::move(values))
    {
    }
    quint32 bounded(quint32 bound) override;

    QList<quint32> bounds;

private:
    QList<quint32> m_values;
    qsizetype m_next = 0;
};
