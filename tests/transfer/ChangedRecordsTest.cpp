#include "transfer/ChangedRecords.h"
#include "model/ExchClass.h"
#include "model/FieldNames.h"
#include "model/RecordSlots.h"
#include "simulator/sample/SampleConfiguration.h"
#include "support/TestSupport.h"

TEST(ChangedRecords, ListsEachChangedRecordOnceWithItsFieldsAndRefusesAnotherLayoutOrTableSize)
{
    ExchClass baseline;
    SampleConfiguration::build(baseline);
    ExchClass document = baseline;
    EXPECT_TRUE(ChangedRecords(baseline, document).isEmpty());

    document.ACL().SetString(FieldNames::Name, 2, "Changed Name");
    document.VirtualPorts().SetString(FieldNames::Name, 1, "Front Desk");
    document.VirtualPorts().SetInteger("RXGain", 1, 5);
    RecordSlots::release(document.Groups(), 2);
    const ChangedRecords changes(baseline, document);
    EXPECT_EQ(changes.layoutDifference(), -1);
    EXPECT_EQ(changes.records(),
              (QList<RecordRef>{
                  {ExchClass::ACLMember, 2}, {ExchClass::VirtualPortsMember, 1}, {ExchClass::GroupsMember, 2}}));
    EXPECT_EQ(changes.lines(),
              (QStringList{
                  QStringLiteral("ACL 2 (Dist 1): Name \"Dist 1\" -> \"Changed Name\""),
                  QStringLiteral("Virtual Ports 1 (Reception 2): Name \"Reception 2\" -> \"Front "
                                 "Desk\"; RXGain 3 -> 5"),
                  QStringLiteral("Groups 2 (Accounts): used -> free"),
              }));
    EXPECT_EQ(ChangedRecords::heading(QStringLiteral("the file a.QBF saved on 7 Dec 2026 10:14")),
              QStringLiteral("Changes since the file a.QBF saved on 7 Dec 2026 10:14"));

    document.Tones().PutBlank(document.Tones().Records());
    const ChangedRecords grown(baseline, document);
    EXPECT_EQ(grown.layoutDifference(), int(ExchClass::TonesMember));
    EXPECT_TRUE(grown.records().isEmpty());
    EXPECT_EQ(grown.layoutRefusal(QStringLiteral("the configuration read from the exchange on 7 Dec 2026 10:14")),
              QStringLiteral("The layout of Tones differs from the baseline (the configuration read from the "
                             "exchange on 7 Dec 2026 10:14): send the whole configuration"));
}
