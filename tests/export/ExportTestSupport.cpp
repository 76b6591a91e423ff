#include "ExportTestSupport.h"

#include "ConfigurationConverter.h"

#include <QBuffer>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryFile>

#include <gtest/gtest.h>

namespace {
const QString XmlLint = QStringLiteral("xmllint");
// Functions, not objects: tests build expected texts during static initialisation.
QByteArray lineEnd()
{
    return QByteArrayLiteral("\r\n");
}
} // namespace

QDateTime conversionTime()
{
    return QDateTime(QDate(2024, 7, 3), QTime(14, 5, 59));
}

QByteArray xmlLines(std::initializer_list<const char *> lines)
{
    QByteArray bytes;
    for (const char *line : lines) {
        const int tabs = line[0] - '0';
        bytes += QByteArray(tabs, '\t') + QByteArray(line + 1) + lineEnd();
    }
    return bytes;
}

QByteArray convertToBytes(ExchClass &config)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    ConfigurationConverter converter(config, &conversionTime);
    if (!converter.convert(buffer))
        return QByteArray();
    if (haveXmlLint()) {
        EXPECT_EQ(xmlLintErrors(buffer.data()), QString());
    }
    return buffer.data();
}

QByteArray section(const QByteArray &file, const QByteArray &first, const QByteArray &last)
{
    const QList<QByteArray> lines = file.split('\n');
    QByteArray result;
    bool inside = false;
    for (const QByteArray &line : lines) {
        const QByteArray text = line.endsWith('\r') ? line.chopped(1) : line;
        if (!inside && text == first)
            inside = true;
        if (inside) {
            result += text + lineEnd();
            if (text == last)
                return result;
        }
    }
    return QByteArray();
}

bool haveXmlLint()
{
    static const bool found = !QStandardPaths::findExecutable(XmlLint).isEmpty();
    return found;
}

QString xmlLintErrors(const QByteArray &file)
{
    QTemporaryFile temporary;
    if (!temporary.open() || temporary.write(file) != file.size() || !temporary.flush())
        return QStringLiteral("cannot write a temporary file");
    QProcess lint;
    lint.start(XmlLint, {QStringLiteral("--noout"), temporary.fileName()});
    if (!lint.waitForFinished(30000))
        return QStringLiteral("xmllint did not finish");
    const QString errors = QString::fromLocal8Bit(lint.readAllStandardError());
    if (lint.exitStatus() != QProcess::NormalExit || lint.exitCode() != 0)
        return errors.isEmpty() ? QStringLiteral("xmllint exit code %1").arg(lint.exitCode()) : errors;
    return QString();
}
