#include "CliRun.h"
#include "CommandLineTool.h"
#include "ConfigFile.h"
#include "ConfigurationListing.h"
#include "ExchClass.h"
#include "TestSupport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTextStream>

namespace {
const QString SamplePath = QStringLiteral(QB_DATA_DIR "/sample.QBF");

Outcome runTool(const QStringList &arguments)
{
    return runInProcess<CommandLineTool>(arguments);
}

ExchClass loadSample()
{
    ExchClass config;
    ConfigFile file;
    EXPECT_TRUE(file.load(config, SamplePath)) << file.errorString().toStdString();
    return config;
}

QJsonValue fieldValue(const QJsonObject &record, const QString &name)
{
    for (const QJsonValue &field : record.value(QStringLiteral("fields")).toArray()) {
        if (field[QStringLiteral("name")].toString() == name)
            return field[QStringLiteral("value")];
    }
    return QJsonValue(QJsonValue::Undefined);
}
} // namespace

TEST(DumpCommand, ListsEveryRecordOfEveryStructureWithItsFieldsDecodedAsTextOrJson)
{
    const ExchClass config = loadSample();
    const Outcome run = runTool({QStringLiteral("dump"), SamplePath});
    ASSERT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.isEmpty());

    // Split the listing at its structure headings and count each one's records.
    const QRegularExpression heading(QStringLiteral("^(\\w+) \\(member (\\d)"), QRegularExpression::MultilineOption);
    const QRegularExpression recordLine(QStringLiteral("^  record (\\d+): "), QRegularExpression::MultilineOption);
    QList<qsizetype> starts;
    for (const QRegularExpressionMatch &m : heading.globalMatch(run.out)) {
        EXPECT_EQ(m.captured(1), QLatin1String(ExchClass::info(int(starts.size())).name));
        starts.append(m.capturedStart());
    }
    ASSERT_EQ(starts.size(), ExchClass::MemberCount);
    starts.append(run.out.size());
    for (int m = 0; m < ExchClass::MemberCount; ++m) {
        const QString section = run.out.mid(starts[m], starts[m + 1] - starts[m]);
        int expected = 0;
        for (const QRegularExpressionMatch &r : recordLine.globalMatch(section))
            EXPECT_EQ(r.captured(1).toInt(), expected++);
        EXPECT_EQ(expected, config.member(m).Records()) << ExchClass::info(m).name;
    }

    EXPECT_TRUE(run.out.contains(QStringLiteral("\"SYSTEM\" + 10 NUL")));
    const QStringList decoded = {
        QStringLiteral("Name             \"Kestrel Marine Offices\""),
        QStringLiteral("Freqs            350, 440, 480, 620, 400, 425, 665, 860"),
        QStringLiteral("MembersUsed      FF 0D (bits 0, 1, 2, 3, 4, 5, 6, 7, 8, 10, 11)"),
        QStringLiteral("ActionExtra      integer 682, 0; digits \"200\", \"\""),
        QStringLiteral("ExtNumberB       \"81\""),
        QStringLiteral("Checksum         raw FF FF"),
    };
    for (const QString &line : decoded)
        EXPECT_TRUE(run.out.contains(line)) << line.toStdString();

    const Outcome json = runTool({QStringLiteral("dump"), QStringLiteral("--json"), SamplePath});
    ASSERT_EQ(json.code, 0) << json.err.toStdString();
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json.out.toUtf8(), &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();

    const QJsonArray structures = document[QStringLiteral("structures")].toArray();
    ASSERT_EQ(structures.size(), ExchClass::MemberCount);
    for (int m = 0; m < ExchClass::MemberCount; ++m) {
        const QJsonObject s = structures[m].toObject();
        EXPECT_EQ(s[QStringLiteral("member")].toString(), QLatin1String(ExchClass::info(m).name));
        EXPECT_EQ(s[QStringLiteral("records")].toArray().size(), config.member(m).Records());
        EXPECT_EQ(s[QStringLiteral("nameHex")].toString(), QString::fromLatin1(config.member(m).Name().toHex().toUpper()));
    }

    const QJsonObject system = structures[ExchClass::SystemMember][QStringLiteral("records")][0].toObject();
    EXPECT_EQ(fieldValue(system, QStringLiteral("Name")).toString(), QStringLiteral("Kestrel Marine Offices"));
    const QJsonArray ports = structures[ExchClass::VirtualPortsMember][QStringLiteral("records")].toArray();
    EXPECT_EQ(fieldValue(ports[0].toObject(), QStringLiteral("Flag")).toArray(), (QJsonArray{0, 1, 3}));
    EXPECT_EQ(fieldValue(ports[24].toObject(), QStringLiteral("ActionExtra"))[QStringLiteral("digits")].toArray(),
              (QJsonArray{QStringLiteral("200"), QString()}));
    EXPECT_TRUE(ports[23][QStringLiteral("free")].toBool());
    EXPECT_FALSE(ports[23][QStringLiteral("used")].toBool());
}

TEST(DumpCommand, EscapesTextBytesAndShowsFailedReadsAsFailures)
{
    ExchClass config;
    config.VirtualPorts().BuildStructure(
        definitionPacket(1, "VIRTPORTS", 2, {{"Name", 4, 1, 8}, {"Flag", 3, 1, 0}, {"Code", 6, 2, 0}, {"Spare", 2, 2, 0}}));
    config.VirtualPorts().PutData(replyPacket(10, 0, QByteArray("A\x01\xFF\"\\", 5) + bytes("00 00 00 01 23 01 00 00")));
    config.VirtualPorts().PutData(replyPacket(10, 1, bytes("41 00")));

    const ConfigurationListing listing(config);
    QString text;
    QTextStream out(&text);
    listing.writeText(out);
    out.flush();
    EXPECT_TRUE(text.contains(QStringLiteral("Name             \"A\\x01\\xFF\\\"\\\\\""))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Code             \"123\"")));
    EXPECT_TRUE(text.contains(QStringLiteral("record 1: used, 2 bytes where the layout has 13")));
    EXPECT_TRUE(text.contains(QStringLiteral("Name             <unreadable: Start Posn")));

    QString json;
    QTextStream jsonOut(&json);
    listing.writeJson(jsonOut, QStringLiteral("site.QBF"));
    jsonOut.flush();
    const QJsonArray records = QJsonDocument::fromJson(json.toUtf8())[QStringLiteral("structures")]
                                   [ExchClass::VirtualPortsMember][QStringLiteral("records")]
                                       .toArray();
    EXPECT_EQ(fieldValue(records[0].toObject(), QStringLiteral("Name")).toString(),
              QString::fromLatin1(QByteArray("A\x01\xFF\"\\", 5)));
    EXPECT_TRUE(fieldValue(records[1].toObject(), QStringLiteral("Name"))[QStringLiteral("error")].isString());
}

TEST(DumpCommand, RefusesAMissingFileOrAnUnknownOptionWithItsUsageLine)
{
    const QString usage = QStringLiteral("usage: quillbridge-cli dump [--json] FILE.QBF");
    for (const QStringList &arguments : {QStringList{QStringLiteral("dump")},
                                         QStringList{QStringLiteral("dump"), QStringLiteral("--xml"), SamplePath},
                                         QStringList{QStringLiteral("dump"), SamplePath, SamplePath}}) {
        const Outcome run = runTool(arguments);
        EXPECT_EQ(run.code, 2) << arguments.join(QLatin1Char(' ')).toStdString();
        EXPECT_TRUE(run.out.isEmpty());
        EXPECT_EQ(run.err.count(QLatin1Char('\n')), 2);
        EXPECT_TRUE(run.err.contains(usage)) << run.err.toStdString();
    }
}
