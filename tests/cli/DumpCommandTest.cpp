#include "cli/CommandLineTool.h"
#include "cli/ConfigurationListing.h"
#include "model/ExchClass.h"
#include "support/CliRun.h"
#include "support/TestSupport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {
QJsonValue fieldValue(const QJsonValue &record, const QString &name)
{
    for (const QJsonValue &field : record[QStringLiteral("fields")].toArray()) {
        if (field[QStringLiteral("name")].toString() == name)
            return field[QStringLiteral("value")];
    }
    return QJsonValue(QJsonValue::Undefined);
}
} // namespace

TEST(DumpCommand, DecodesEveryKindOfFieldAsTextOrJson)
{
    const Outcome run = runInProcess<CommandLineTool>({QStringLiteral("dump"), samplePath()});
    ASSERT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.isEmpty());
    for (const char *line : {"\"SYSTEM\" + 10 NUL", "Name             \"Kestrel Marine Offices\"",
                             "Freqs            350, 440, 480, 620, 400, 425, 665, 860",
                             "MembersUsed      FF 0D (bits 0, 1, 2, 3, 4, 5, 6, 7, 8, 10, 11)",
                             "ActionExtra      integer 682, 0; digits \"200\", \"\"", "ExtNumberB       \"81\"",
                             "Checksum         raw FF FF"})
        EXPECT_TRUE(run.out.contains(QLatin1String(line))) << line;

    const Outcome json =
        runInProcess<CommandLineTool>({QStringLiteral("dump"), QStringLiteral("--json"), samplePath()});
    ASSERT_EQ(json.code, 0) << json.err.toStdString();
    const QJsonArray structures = QJsonDocument::fromJson(json.out.toUtf8())[QStringLiteral("structures")].toArray();
    const QJsonArray ports = structures[2][QStringLiteral("records")].toArray();
    EXPECT_EQ(fieldValue(ports[0], QStringLiteral("Flag")).toArray(), (QJsonArray{0, 1, 3}));
    EXPECT_EQ(fieldValue(ports[24], QStringLiteral("ActionExtra"))[QStringLiteral("digits")].toArray(),
              (QJsonArray{QStringLiteral("200"), QString()}));
}

TEST(DumpCommand, EscapesTextBytesAndShowsFailedReadsAsFailures)
{
    ExchClass config;
    config.VirtualPorts().BuildStructure(definitionPacket(
        1, "VIRTPORTS", 2, {{"Name", 4, 1, 8}, {"Flag", 3, 1, 0}, {"Code", 6, 2, 0}, {"Spare", 2, 2, 0}}));
    config.VirtualPorts().PutData(
        replyPacket(10, 0, QByteArray("A\x01\xFF\"\\", 5) + bytes("00 00 00 01 23 01 00 00")));
    config.VirtualPorts().PutData(replyPacket(10, 1, bytes("41 00")));
    const ConfigurationListing listing(config);
    QString text;
    QString json;
    QTextStream textOut(&text);
    QTextStream jsonOut(&json);
    listing.writeText(textOut);
    listing.writeJson(jsonOut, QStringLiteral("site.QBF"));
    textOut.flush();
    jsonOut.flush();
    expectGolden(text.toLatin1(), "listing.txt");
    expectGolden(json.toUtf8(), "listing.json");
}

TEST(DumpCommand, FailsWhenStandardOutputCannotBeWritten)
{
    QProcess process;
    process.setStandardOutputFile(QStringLiteral("/dev/full"));
    process.start(QStringLiteral(QB_CLI_PATH), {QStringLiteral("dump"), QStringLiteral("--json"), samplePath()});
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 1);
    EXPECT_EQ(QString::fromLocal8Bit(process.readAllStandardError()),
              QStringLiteral("Cannot write to standard output: No space left on device\n"));
}
