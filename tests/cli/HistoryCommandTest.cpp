#include "analysis/ConfigurationComparison.h"
#include "model/ConfigFile.h"
#include "model/ExchClass.h"
#include "support/CliRun.h"
#include "support/TestSupport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

namespace {

ExchClass loaded(const QString &path)
{
    ExchClass config;
    ConfigFile file;
    EXPECT_TRUE(file.load(config, path)) << file.errorString().toStdString();
    return config;
}
} // namespace

TEST(TransferHistory, GetAndSendKeepWhatTheyReadOrSentUnlessToldNotToAndAFailedKeepIsOnlyAWarning)
{
    QTemporaryDir dir;
    const DataHome home(dir.filePath(QStringLiteral("data")));
    SimulatorProcess simulator({QStringLiteral("--config"), samplePath()});
    const QString port = simulator.device();
    const QString got = dir.filePath(QStringLiteral("got.QBF"));
    const auto transfer = [&](const QStringList &arguments) {
        return runCli(arguments + QStringList{QStringLiteral("--port"), port});
    };

    EXPECT_EQ(transfer({QStringLiteral("get"), QStringLiteral("--out"), got}).code, 0);
    EXPECT_EQ(transfer({QStringLiteral("send"), got}).code, 0);
    EXPECT_EQ(transfer({QStringLiteral("get"), QStringLiteral("--no-history"), QStringLiteral("--out"), got}).code, 0);

    const Outcome listed = runCli({QStringLiteral("history"), QStringLiteral("--site"),
                                   QStringLiteral("Kestrel Marine Offices"), QStringLiteral("--json")});
    ASSERT_EQ(listed.code, 0) << listed.err.toStdString();
    const QJsonArray entries =
        QJsonDocument::fromJson(listed.out.toUtf8()).object().value(QLatin1String("entries")).toArray();
    ASSERT_EQ(entries.size(), 2) << listed.out.toStdString();
    const ExchClass read = loaded(got);
    for (int i = 0; i < 2; ++i) {
        const QJsonObject entry = entries.at(i).toObject();
        EXPECT_EQ(entry.value(QLatin1String("kind")).toString(),
                  i == 0 ? QStringLiteral("send") : QStringLiteral("get"));
        const QString path = entry.value(QLatin1String("path")).toString();
        EXPECT_TRUE(ConfigurationComparison(read, loaded(path)).identical()) << path.toStdString();
    }

    // A data folder that is a file: the get still succeeds and says what was not kept.
    const DataHome blocked(samplePath());
    const Outcome unkept = transfer({QStringLiteral("get"), QStringLiteral("--out"), got});
    EXPECT_EQ(unkept.code, 0);
    EXPECT_EQ(unkept.err.section(QLatin1Char('\n'), -2),
              QStringLiteral("warning: no copy was kept in the history: Cannot create the folder \"%1/Quillbridge/"
                             "history/Kestrel_Marine_Offices\"\n")
                  .arg(samplePath()));
    EXPECT_TRUE(simulator.stop());
}
