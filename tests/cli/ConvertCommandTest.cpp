#include "CliRun.h"
#include "ConfigFile.h"
#include "ExchClass.h"
#include "ExportTestSupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {
const QString SamplePath = QStringLiteral(QB_DATA_DIR "/sample.QBF");
const QString CliPath = QStringLiteral(QB_CLI_PATH);

Outcome runCli(const QStringList &arguments)
{
    return runCliProcess(CliPath, arguments);
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class ConvertCommandTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_input = m_dir.filePath(QStringLiteral("site.QBF"));
        ASSERT_TRUE(QFile::copy(SamplePath, m_input));
        m_output = m_dir.filePath(QStringLiteral("site.VRS"));
    }

    QTemporaryDir m_dir;
    QString m_input;
    QString m_output;
};
} // namespace

TEST_F(ConvertCommandTest, WritesTheXmlConfigurationAndLeavesTheConfigurationFileAlone)
{
    const QByteArray before = readFile(m_input);
    const Outcome run = runCli({QStringLiteral("convert"), m_input, QStringLiteral("--out"), m_output});
    EXPECT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QStringLiteral("%1: written from %2\n").arg(m_output, m_input));
    EXPECT_TRUE(run.err.isEmpty());
    EXPECT_EQ(readFile(m_input), before);

    const QByteArray written = readFile(m_output);
    EXPECT_TRUE(written.startsWith("<?xml version=\"1.0\"?>\r\n"));
    EXPECT_TRUE(written.endsWith("</pabx>\r\n"));
    if (haveXmlLint()) {
        EXPECT_EQ(xmlLintErrors(written), QString());
    }
}

TEST_F(ConvertCommandTest, AConfigurationTheNewFormatCannotHoldFailsWithTheReasonAndWritesNothing)
{
    ExchClass config;
    ConfigFile file;
    ASSERT_TRUE(file.load(config, m_input));
    config.VirtualPorts().SetInteger("Type", 0, 5);
    ASSERT_TRUE(file.save(config, m_input));

    const Outcome run = runCli({QStringLiteral("convert"), m_input, QStringLiteral("--out"), m_output});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.err, QStringLiteral("Not able to convert configuration automatically: Virtual port 0 \"Reception\" "
                                      "has the type \"Intercom\", which a K7101/K7202 configuration cannot hold.\n"));
    EXPECT_FALSE(QFile::exists(m_output));
}

TEST_F(ConvertCommandTest, UnreadableInputsAndUnwritableOutputsFailWithTheirMessage)
{
    const QString missing = m_dir.filePath(QStringLiteral("missing.QBF"));
    Outcome run = runCli({QStringLiteral("convert"), missing, QStringLiteral("--out"), m_output});
    EXPECT_EQ(run.code, 1);
    EXPECT_FALSE(run.err.isEmpty());

    const QString nowhere = m_dir.filePath(QStringLiteral("no folder/site.VRS"));
    run = runCli({QStringLiteral("convert"), m_input, QStringLiteral("--out"), nowhere});
    EXPECT_EQ(run.code, 1);
    EXPECT_TRUE(run.err.startsWith(QStringLiteral("Not able to create the file ") + nowhere)) << run.err.toStdString();
}

TEST_F(ConvertCommandTest, AMissingOrSelfOverwritingOutputIsAUsageError)
{
    Outcome run = runCli({QStringLiteral("convert"), m_input});
    EXPECT_EQ(run.code, 2);
    EXPECT_TRUE(run.err.contains(QStringLiteral("usage: quillbridge-cli convert FILE.QBF --out FILE.VRS")))
        << run.err.toStdString();

    const QByteArray before = readFile(m_input);
    run = runCli({QStringLiteral("convert"), m_input, QStringLiteral("--out"), m_input});
    EXPECT_EQ(run.code, 2);
    EXPECT_EQ(readFile(m_input), before);

    run = runCli({QStringLiteral("--help")});
    EXPECT_TRUE(run.out.contains(QStringLiteral("  convert FILE.QBF --out FILE.VRS\n")));
}
