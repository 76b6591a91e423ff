#pragma once

#include "FrameSink.h"
#include "RandomSource.h"
#include "Receiver.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <utility>

// A packet on its way to the exchange, unframed again.
struct SentRecord
{
    int code;
    QByteArray payload;
};

// Keeps every frame sent, as code and payload.
class FrameRecorder : public FrameSink
{
public:
    FrameRecorder();
    void PackSend(const QByteArray &frame) override { m_receiver.ProcessInput(frame); }

    QList<SentRecord> sent;

private:
    Receiver m_receiver;
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

// The text of each page of a PDF, through pdftotext; empty when it fails.
QStringList pdfPages(const QString &path);
bool pdfToTextAvailable();

#define SKIP_WITHOUT_PDFTOTEXT()                                                                                 \
    do {                                                                                                         \
        if (!pdfToTextAvailable())                                                                               \
            GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";                                         \
    } while (false)
