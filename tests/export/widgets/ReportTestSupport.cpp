#include "ReportTestSupport.h"

#include "ExchClass.h"

#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

namespace {
const QString PdfToText = QStringLiteral("pdftotext");
constexpr int ProcessBoundMilliseconds = 30000;
} // namespace

bool WriteRecorder::writeRecord(ExchClass &config, int member, int index)
{
    const RecordClass &structure = config.member(member);
    sent.append({structure.SendCode(), structure.SendData(index)});
    return true;
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
