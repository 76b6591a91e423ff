#include "cli/CommandLineTool.h"
#include "model/ConfigFile.h"
#include "model/ExchClass.h"
#include "model/FieldNames.h"
#include "simulator/sample/SampleConfiguration.h"
#include "support/CliRun.h"
#include "support/TestSupport.h"

#include <QJsonDocument>
#include <QTemporaryDir>

namespace {
Outcome validate(const QStringList &arguments)
{
    return runInProcess<CommandLineTool>(QStringList{QStringLiteral("validate")} + arguments);
}
} // namespace

TEST(ValidateCommand, ListsEachProblemAsALineOrAsJsonAndExitsOneOnlyForErrors)
{
    const Outcome clean = validate({samplePath()});
    EXPECT_EQ(clean.code, 0) << clean.err.toStdString();
    EXPECT_EQ(clean.out, samplePath() + QStringLiteral(": no problems\n"));

    QTemporaryDir dir;
    ExchClass config;
    SampleConfiguration::build(config);
    config.Groups().SetString(FieldNames::Name, 7, "SALES");
    const QString warned = dir.filePath(QStringLiteral("warned.QBF"));
    ASSERT_TRUE(ConfigFile().save(config, warned));
    config.ExtToVirtual().SetDigit(FieldNames::ExtNumberA, 12, "3001");
    const QString broken = dir.filePath(QStringLiteral("broken.QBF"));
    ASSERT_TRUE(ConfigFile().save(config, broken));

    const Outcome warnings = validate({warned});
    EXPECT_EQ(warnings.code, 0) << warnings.err.toStdString();
    EXPECT_EQ(warnings.out,
              QStringLiteral("warning: Groups record 7 (SALES): the name \"SALES\" is also that of "
                             "Groups 1 (Sales)\n%1: 0 errors, 1 warning\n")
                  .arg(warned));

    const Outcome errors = validate({broken});
    EXPECT_EQ(errors.code, 1) << errors.err.toStdString();
    EXPECT_EQ(errors.out,
              QStringLiteral("warning: Groups record 7 (SALES): the name \"SALES\" is also that of Groups 1 (Sales)\n"
                             "error: ExtToVirtual record 12 (3001): 3001 has 4 digits, more than the system's "
                             "extension number length of 3\n"
                             "%1: 1 error, 1 warning\n")
                  .arg(broken));

    const Outcome json = validate({QStringLiteral("--json"), broken});
    EXPECT_EQ(json.code, 1);
    const QByteArray expected = R"json({"problems": [
        {"field": "Name", "member": "Groups", "message": "the name \"SALES\" is also that of Groups 1 (Sales)",
         "record": 7, "rule": "name-duplicate", "severity": "warning"},
        {"field": "ExtNumberA", "member": "ExtToVirtual",
         "message": "3001 has 4 digits, more than the system's extension number length of 3",
         "record": 12, "rule": "number-too-long", "severity": "error"}]})json";
    EXPECT_EQ(QJsonDocument::fromJson(json.out.toUtf8()), QJsonDocument::fromJson(expected)) << json.out.toStdString();
}
