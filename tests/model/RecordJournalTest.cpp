#include "model/RecordJournal.h"
#include "model/ExchClass.h"
#include "model/FieldNames.h"
#include "simulator/sample/SampleConfiguration.h"
#include "support/TestSupport.h"

#include <memory>

namespace {
class Journal : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SampleConfiguration::build(config);
        original = config;
        journal = std::make_unique<RecordJournal>(config);
        journal->setStepOpened([this] { ++opened; });
        journal->setHistoryEnded([this] { ++ended; });
    }

    ExchClass config;
    ExchClass original;
    std::unique_ptr<RecordJournal> journal;
    int opened = 0;
    int ended = 0;
};
} // namespace

TEST_F(Journal, AStepHoldsTheRecordsThatReallyChangedAndPutsEitherSideBackExactly)
{
    RecordClass &ports = config.VirtualPorts();
    const QByteArray name4 = ports.GetString(FieldNames::Name, 4);
    ports.SetString(FieldNames::Name, 3, "Quay Office");
    ports.SetString(FieldNames::Name, 3, "Boat House");
    ports.SetString(FieldNames::Name, 4, "Gate House");
    ports.SetString(FieldNames::Name, 4, name4);
    config.Groups().PutBlank(2);
    EXPECT_EQ(opened, 1);
    const ExchClass edited = config;

    const RecordJournal::Step step = journal->closeStep();
    ASSERT_EQ(step.records.size(), 2);
    EXPECT_EQ(
        std::make_tuple(step.records[0].member, step.records[0].index, step.records[1].member, step.records[1].index),
        std::make_tuple(int(ExchClass::VirtualPortsMember), 3, int(ExchClass::GroupsMember), 2));
    EXPECT_EQ(step.records[0].before, original.VirtualPorts().record(3));
    EXPECT_EQ(step.bookkeeping.size(), 1) << "the blank record is the last one saved";

    journal->apply(step, RecordJournal::Side::Before);
    EXPECT_TRUE(config == original);
    journal->apply(step, RecordJournal::Side::After);
    EXPECT_TRUE(config == edited);
    EXPECT_FALSE(journal->hasOpenStep()) << "putting a step back is no new step";

    ports.SetString(FieldNames::Name, 4, "Gate House");
    ports.SetString(FieldNames::Name, 4, name4);
    EXPECT_EQ(opened, 2);
    EXPECT_TRUE(journal->closeStep().isEmpty());
}

TEST_F(Journal, ReplacingTheConfigurationOrALayoutEndsTheHistoryAndACopyIsNotJournalled)
{
    ExchClass copy = config;
    copy.VirtualPorts().SetString(FieldNames::Name, 3, "Quay Office");
    EXPECT_FALSE(journal->hasOpenStep());

    config.VirtualPorts().SetString(FieldNames::Name, 3, "Quay Office");
    config = original;
    EXPECT_GT(ended, 0);
    EXPECT_FALSE(journal->hasOpenStep());

    config.VirtualPorts().SetString(FieldNames::Name, 3, "Quay Office");
    EXPECT_TRUE(journal->hasOpenStep()) << "the replaced configuration is still heard";
    const int endedBefore = ended;
    config.Tones().makeStruct("TONES", 1, 2, 8, 0);
    EXPECT_GT(ended, endedBefore);
    EXPECT_FALSE(journal->hasOpenStep());
}
