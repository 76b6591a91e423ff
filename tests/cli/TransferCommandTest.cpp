#include "CliRun.h"
#include "ConfigFile.h"
#include "ExchClass.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {
const QString CliPath = QStringLiteral(QB_CLI_PATH);
} // namespace

TEST(TransferCommand, SendRefusesAConfigurationWithoutRecordsBeforeOpeningThePort)
{
    QTemporaryDir dir;
    const QString empty = dir.filePath(QStringLiteral("empty.QBF"));
    ExchClass nothing;
    ConfigFile file;
    ASSERT_TRUE(file.save(nothing, empty)) << file.errorString().toStdString();

    const Outcome run = runCliProcess(CliPath, {QStringLiteral("send"), QStringLiteral("--port"),
                                                QStringLiteral("/dev/quillbridge-no-such-port"), empty});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.err, empty + QStringLiteral(" holds no records; nothing was sent\n"));
}
