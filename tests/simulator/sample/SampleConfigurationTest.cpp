#include "simulator/sample/SampleConfiguration.h"
#include "model/ConfigFile.h"
#include "model/ExchClass.h"
#include "support/TestSupport.h"

TEST(SampleConfigurationTest, TheCommittedFileIsWhatTheGeneratorBuildsNow)
{
    DiagnosticRecorder diagnostics(DebugLog::shared());
    ExchClass first;
    ExchClass second;
    SampleConfiguration::build(first);
    SampleConfiguration::build(second);
    EXPECT_TRUE(diagnostics.empty()) << diagnostics.lastSource().toStdString() << ": "
                                     << diagnostics.lastMessage().toStdString();
    EXPECT_TRUE(ConfigFile::toBytes(first) == ConfigFile::toBytes(second)) << "the generator is not deterministic";
    EXPECT_TRUE(fileContent(samplePath()) == ConfigFile::toBytes(first))
        << "data/sample.QBF differs from what the generator builds; regenerate it with "
           "`qb-make-sample data/sample.QBF` (or build the update-sample target), refresh the expected outputs "
           "under tests/data with `QB_UPDATE_GOLDEN=1 ctest`, review and commit them";
}
