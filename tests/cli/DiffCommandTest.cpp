#include "cli/CommandLineTool.h"
#include "model/ConfigFile.h"
#include "model/ExchClass.h"
#include "model/RecordSlots.h"
#include "simulator/sample/SampleConfiguration.h"
#include "support/CliRun.h"
#include "support/TestSupport.h"

#include <QTemporaryDir>

TEST(DiffCommand, ExitsAsDiffDoesAndListsOneChangeALineOrAsJson)
{
    QTemporaryDir dir;
    const QString a = dir.filePath(QStringLiteral("a.QBF"));
    const QString b = dir.filePath(QStringLiteral("b.QBF"));
    const QString missing = dir.filePath(QStringLiteral("missing.QBF"));
    ExchClass config;
    SampleConfiguration::build(config);
    ConfigFile file;
    ASSERT_TRUE(file.save(config, a));
    config.ACL().SetString("Name", 2, "Changed Name");
    RecordSlots::release(config.ACL(), 3);
    config.ExtToVirtual().SetDigit("ExtNumberA", 1, "201");
    config.Tones().setField(4, "Label", 8, 1, 51, 4);
    ASSERT_TRUE(file.save(config, b));
    ASSERT_FALSE(file.load(config, missing));
    const QString unreadable = file.errorLine() + QLatin1Char('\n');

    const struct
    {
        QStringList arguments;
        int code;
        QString out;
        QString err;
    } cases[] = {
        {{QStringLiteral("diff"), a, a}, 0, QString(), QString()},
        {{QStringLiteral("diff"), a, b},
         1,
         QStringLiteral("ACL record 2 (Dist 1): Name \"Dist 1\" -> \"Changed Name\"\n"
                        "ACL record 3 (Dist 2): used -> free\n"
                        "ExtToVirtual record 1: ExtNumberA \"200\" -> \"201\"\n"
                        "Tones layout: field \"Name\" type 4, size 1, items 8, start 51 -> absent\n"
                        "Tones layout: field \"Label\" absent -> type 4, size 1, items 8, start 51\n"),
         QString()},
        {{QStringLiteral("diff"), a, missing}, 2, QString(), unreadable},
        {{QStringLiteral("diff"), a},
         2,
         QString(),
         QStringLiteral("quillbridge-cli diff: missing B.QBF\n"
                        "usage: quillbridge-cli diff [--json] A.QBF B.QBF\n")},
    };
    for (const auto &c : cases) {
        const Outcome run = runInProcess<CommandLineTool>(c.arguments);
        const std::string name = c.arguments.join(QLatin1Char(' ')).toStdString();
        EXPECT_EQ(run.code, c.code) << name;
        EXPECT_EQ(run.out, c.out) << name;
        EXPECT_EQ(run.err, c.err) << name;
    }
    const Outcome json = runInProcess<CommandLineTool>({QStringLiteral("diff"), QStringLiteral("--json"), a, b});
    EXPECT_EQ(json.code, 1);
    expectGolden(json.out.toUtf8(), "diff-changes.json");
}
