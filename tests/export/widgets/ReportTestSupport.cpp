#include "ReportTestSupport.h"

#include "FieldFunctions.h"

#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

namespace {
// Frame content: code, 2-byte length (high byte first), 2-byte sequence, payload, 2-byte trailer.
constexpr int LengthPosition = 1;
constexpr int PayloadPosition = 5;
const QString PdfToText = QStringLiteral("pdftotext");
constexpr int ProcessBoundMilliseconds = 30000;
} // namespace

FrameRecorder::FrameRecorder()
    : m_receiver([this](const QByteArray &content) {
        const int length = (quint8(content.at(LengthPosition)) << 8) | quint8(content.at(LengthPosition + 1));
        sent.append({quint8(content.at(0)), content.mid(PayloadPosition, length)});
    })
{
}

quint32 ScriptedRandom::bounded(quint32 bound)
{
    bounds.append(bound);
    EXPECT_LT(m_next, m_values.size()) << "the script ran out of values";
    const quint32 value = m_next < m_values.size() ? m_values.at(m_next++) : 0;
    EXPECT_LT(value, bound);
    return value;
}

bool pdfToTextAvailable()
{
    return !QStandardPaths::findExecutable(PdfToText).isEmpty();
}

QStringList pdfPages(const QString &path)
{
    QProcess process;
    process.start(PdfToText, {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!process.waitForFinished(ProcessBoundMilliseconds) || process.exitCode() != 0)
        return {};
    QStringList pages = QString::fromUtf8(process.readAllStandardOutput()).split(QLatin1Char('\f'));
    // pdftotext ends the last page with a form feed too.
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}
