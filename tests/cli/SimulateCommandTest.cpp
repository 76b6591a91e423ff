#include "model/ConfigFile.h"
#include "model/ExchClass.h"
#include "support/CliRun.h"
#include "support/TestSupport.h"

TEST(SimulateCommand, RefusesBadArgumentsUnreadableConfigurationsAndRecordsNoFrameCanHold)
{
    const auto run = [](const QStringList &arguments) {
        const Outcome outcome = runCli(QStringList{QStringLiteral("simulate")} + arguments);
        return std::make_pair(outcome.code, outcome.err);
    };
    for (const QStringList &arguments :
         {QStringList{QStringLiteral("--baud"), QStringLiteral("fast")}, QStringList{QStringLiteral("--drop-every")},
          QStringList{QStringLiteral("--colour")}})
        EXPECT_EQ(run(arguments).first, 2) << arguments.join(QLatin1Char(' ')).toStdString();
    const auto [code, err] = run({QStringLiteral("--config"), QStringLiteral("/nonexistent/site.QBF")});
    EXPECT_EQ(code, 1);
    EXPECT_EQ(err.count(QLatin1Char('\n')), 1) << err.toStdString();

    // A record longer than any frame the program's receiver takes.
    QTemporaryDir dir;
    const QString oversized = dir.filePath(QStringLiteral("oversized.QBF"));
    ExchClass config;
    config.VirtualPorts().BuildStructure(definitionPacket(1, "VIRTPORTS", 1, {{"Name", 4, 1, 65530}}));
    config.VirtualPorts().PutData(replyPacket(10, 0, QByteArray(65530, 'x')));
    ASSERT_TRUE(ConfigFile().save(config, oversized));
    const auto [refused, reason] = run({QStringLiteral("--config"), oversized});
    EXPECT_EQ(refused, 1);
    EXPECT_EQ(reason,
              oversized
                  + QStringLiteral(": Virtual Ports 0 would not fit in one frame of at most 65536 bytes, "
                                   "so no get could read it\n"));
}
