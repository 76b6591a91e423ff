#include "model/ConfigFile.h"
#include "model/ExchClass.h"
#include "model/FieldNames.h"
#include "model/RecordSlots.h"
#include "simulator/sample/SampleConfiguration.h"
#include "support/CliRun.h"
#include "support/TestSupport.h"

namespace {
const QString NoPort = QStringLiteral("/dev/quillbridge-no-such-port");

class CliSendChanges : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SampleConfiguration::build(base);
        ASSERT_TRUE(ConfigFile().save(base, basePath));
    }

    Outcome send(const QString &port, const ExchClass &edited)
    {
        EXPECT_TRUE(ConfigFile().save(edited, sitePath));
        return runCli({QStringLiteral("send"), QStringLiteral("--changes-from"), basePath, QStringLiteral("--port"),
                       port, QStringLiteral("--no-history"), sitePath});
    }

    QTemporaryDir dir;
    ExchClass base;
    const QString basePath = dir.filePath(QStringLiteral("base.QBF"));
    const QString sitePath = dir.filePath(QStringLiteral("site.QBF"));
    const QString exchangePath = dir.filePath(QStringLiteral("exchange.QBF"));
    const QString dumpPath = dir.filePath(QStringLiteral("dump.QBF"));
};
} // namespace

TEST_F(CliSendChanges, WritesOnlyTheChangedRecordsOverALineThatLosesFrames)
{
    // The exchange differs from the baseline in one record nobody changed: a whole send would overwrite it.
    ExchClass exchange = base;
    exchange.Groups().SetString(FieldNames::Name, 1, "Changed On Site");
    ASSERT_TRUE(ConfigFile().save(exchange, exchangePath));
    ExchClass edited = base;
    edited.VirtualPorts().SetString(FieldNames::Name, 1, "Front Desk");
    RecordSlots::release(edited.Groups(), 2);

    SimulatorProcess simulator({QStringLiteral("--config"), exchangePath, QStringLiteral("--dump-on-exit"), dumpPath,
                                QStringLiteral("--drop-every"), QStringLiteral("2")});
    const Outcome run = send(simulator.device(), edited);
    ASSERT_TRUE(simulator.stop());
    EXPECT_EQ(run.code, 0) << run.err.toStdString();
    const QStringList lines = run.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 4) << run.out.toStdString();
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("Changes since the file %1 saved on ").arg(basePath)));
    EXPECT_EQ(lines.mid(1),
              (QStringList{
                  QStringLiteral("  Virtual Ports 1 (Reception 2): Name \"Reception 2\" -> \"Front Desk\""),
                  QStringLiteral("  Groups 2 (Accounts): used -> free"),
                  QStringLiteral("%1: 2 changed records sent to %2").arg(sitePath, simulator.device()),
              }));

    ExchClass held;
    ASSERT_TRUE(ConfigFile().load(held, dumpPath));
    EXPECT_EQ(held.VirtualPorts().GetString(FieldNames::Name, 1), QByteArray("Front Desk"));
    EXPECT_TRUE(RecordSlots::isFree(held.Groups(), 2));
    EXPECT_EQ(held.Groups().GetString(FieldNames::Name, 1), QByteArray("Changed On Site"));
}

TEST_F(CliSendChanges, RefusesAnotherLayoutSendsNothingWhenNothingChangedAndNamesWhatWasNotConfirmed)
{
    ExchClass grown = base;
    grown.ACL().PutBlank(grown.ACL().Records());
    const Outcome refused = send(NoPort, grown);
    EXPECT_EQ(refused.code, 1);
    EXPECT_TRUE(refused.err.endsWith(QStringLiteral("): send the whole configuration; nothing was sent\n")))
        << refused.err.toStdString();
    EXPECT_TRUE(refused.out.isEmpty());

    const Outcome unchanged = send(NoPort, base);
    EXPECT_EQ(unchanged.code, 0) << unchanged.err.toStdString();
    EXPECT_TRUE(unchanged.out.startsWith(QStringLiteral("Nothing changed since the file %1 saved on ").arg(basePath)));
    EXPECT_TRUE(unchanged.out.endsWith(QStringLiteral("; nothing was sent\n")));

    ExchClass tones = base;
    tones.Tones().SetString(FieldNames::Name, 3, "HOLD");
    SimulatorProcess noTones({QStringLiteral("--config"), basePath, QStringLiteral("--no-tones")});
    const Outcome unconfirmed = send(noTones.device(), tones);
    EXPECT_EQ(unconfirmed.code, 1);
    EXPECT_TRUE(unconfirmed.err.endsWith(
        QStringLiteral("%1: The exchange did not confirm these records: Tones 3 (HOLD)\n").arg(noTones.device())))
        << unconfirmed.err.toStdString();
}
