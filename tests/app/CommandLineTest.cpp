#include "app/CommandLine.h"

#include <gtest/gtest.h>

namespace {
const QString Sample = QStringLiteral("/home/engineer/Site Configs/Kestrel.QBF");

CommandLine parse(std::initializer_list<const char *> arguments)
{
    QStringList list;
    for (const char *argument : arguments)
        list.append(QString::fromUtf8(argument));
    return CommandLine(list);
}
} // namespace

TEST(CommandLine, APathIsOpenedAsGivenOrWithoutTheQuotesAroundIt)
{
    EXPECT_EQ(CommandLine({Sample}).filePath(), Sample);
    EXPECT_EQ(CommandLine({QLatin1Char('"') + Sample + QLatin1Char('"')}).filePath(), Sample);
    // Only one surrounding pair goes, and only when both ends have one.
    EXPECT_EQ(parse({"\"\"a.QBF\"\""}).filePath(), QStringLiteral("\"a.QBF\""));
    EXPECT_EQ(parse({"\"a.QBF"}).filePath(), QStringLiteral("\"a.QBF"));
    EXPECT_EQ(parse({"\""}).filePath(), QStringLiteral("\""));
    EXPECT_TRUE(CommandLine({}).filePath().isEmpty());
    EXPECT_EQ(CommandLine({}).action(), CommandLine::Action::Run);
}

TEST(CommandLine, PortTakesANumberOrADeviceAndDemoNeedsNoPort)
{
    const CommandLine number = parse({"--port", "3", "site.QBF"});
    EXPECT_EQ(number.action(), CommandLine::Action::Run);
    EXPECT_EQ(number.port(), QStringLiteral("3"));
    EXPECT_EQ(number.filePath(), QStringLiteral("site.QBF"));
    EXPECT_EQ(parse({"--port", "/dev/ttyUSB0"}).port(), QStringLiteral("/dev/ttyUSB0"));

    const CommandLine demo = parse({"--demo"});
    EXPECT_EQ(demo.action(), CommandLine::Action::Run);
    EXPECT_TRUE(demo.demo());
    EXPECT_TRUE(demo.port().isEmpty());
    EXPECT_EQ(parse({"--", "-odd name.QBF"}).filePath(), QStringLiteral("-odd name.QBF"));
}

TEST(CommandLine, MistakesAreUsageErrorsThatSayWhatIsWrong)
{
    const CommandLine missing = parse({"--port"});
    EXPECT_EQ(missing.action(), CommandLine::Action::UsageError);
    EXPECT_TRUE(missing.errorString().contains(QStringLiteral("--port")));
    EXPECT_EQ(parse({"--demo", "--port", "3"}).action(), CommandLine::Action::UsageError);
    EXPECT_EQ(parse({"a.QBF", "b.QBF"}).action(), CommandLine::Action::UsageError);
    const CommandLine unknown = parse({"--speed", "9600"});
    EXPECT_EQ(unknown.action(), CommandLine::Action::UsageError);
    EXPECT_TRUE(unknown.errorString().contains(QStringLiteral("--speed")));
}

TEST(CommandLine, HelpAndVersionAreAnsweredWithoutStarting)
{
    EXPECT_EQ(parse({"--help"}).action(), CommandLine::Action::ShowHelp);
    EXPECT_EQ(parse({"-h"}).action(), CommandLine::Action::ShowHelp);
    EXPECT_EQ(parse({"--version"}).action(), CommandLine::Action::ShowVersion);
    EXPECT_TRUE(CommandLine::versionLine().startsWith(QStringLiteral("Quillbridge ")));
}
