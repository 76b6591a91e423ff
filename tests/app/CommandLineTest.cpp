#include "app/CommandLine.h"
#include "support/TestSupport.h"

namespace {
CommandLine parse(std::initializer_list<const char *> arguments)
{
    QStringList list;
    for (const char *argument : arguments)
        list.append(QString::fromUtf8(argument));
    return CommandLine(list);
}
} // namespace

TEST(CommandLine, APathIsOpenedAsGivenOrWithoutOnePairOfQuotesAroundItAndPortTakesANumberOrADevice)
{
    const std::pair<CommandLine, const char *> paths[] = {
        {parse({"/home/engineer/Site Configs/Kestrel.QBF"}), "/home/engineer/Site Configs/Kestrel.QBF"},
        {parse({"\"/home/engineer/Site Configs/Kestrel.QBF\""}), "/home/engineer/Site Configs/Kestrel.QBF"},
        {parse({"\"\"a.QBF\"\""}), "\"a.QBF\""},
        {parse({"\""}), "\""},
        {parse({}), ""},
        {parse({"--", "-odd name.QBF"}), "-odd name.QBF"},
        {parse({"--port", "3", "site.QBF"}), "site.QBF"}};
    for (const auto &[line, path] : paths) {
        EXPECT_EQ(line.filePath(), QString::fromUtf8(path)) << path;
        EXPECT_EQ(line.action(), CommandLine::Action::Run) << path;
    }
    EXPECT_EQ(parse({"--port", "3", "site.QBF"}).port(), QStringLiteral("3"));
    EXPECT_EQ(parse({"--port", "/dev/ttyUSB0"}).port(), QStringLiteral("/dev/ttyUSB0"));
    EXPECT_TRUE(parse({"--demo"}).demo());
}

TEST(CommandLine, MistakesAreUsageErrorsThatSayWhatIsWrongAndHelpAndVersionAreAnsweredWithoutStarting)
{
    EXPECT_TRUE(parse({"--port"}).errorString().contains(QStringLiteral("--port")));
    EXPECT_TRUE(parse({"--speed", "9600"}).errorString().contains(QStringLiteral("--speed")));
    const std::pair<CommandLine, CommandLine::Action> actions[] = {
        {parse({"--port"}), CommandLine::Action::UsageError},
        {parse({"--demo", "--port", "3"}), CommandLine::Action::UsageError},
        {parse({"a.QBF", "b.QBF"}), CommandLine::Action::UsageError},
        {parse({"--speed", "9600"}), CommandLine::Action::UsageError},
        {parse({"-h"}), CommandLine::Action::ShowHelp},
        {parse({"--version"}), CommandLine::Action::ShowVersion}};
    for (const auto &[line, action] : actions)
        EXPECT_EQ(line.action(), action);
    EXPECT_TRUE(CommandLine::versionLine().startsWith(QStringLiteral("Quillbridge ")));
}
