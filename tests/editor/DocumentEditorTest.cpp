#include "DocumentEditor.h"

#include "GuiTestSupport.h"

#include "ExchClass.h"
#include "FieldNames.h"
#include "RecordSlots.h"
#include "SampleConfiguration.h"
#include "TestDocumentHost.h"

namespace {

// An editor on the sample configuration, without a window.
class DocumentEditorTest : public ::testing::Test
{
protected:
    void SetUp() override { SampleConfiguration::build(config); }

    TestDocumentHost host;
    ExchClass config;
    DocumentEditor editor{host};
};

TEST_F(DocumentEditorTest, OnlyTheRecordPanelsKeepTheRecordTheirNodeTagged)
{
    EXPECT_EQ(editor.showNode(QStringLiteral("VPR5"), 5), EditorPanel::VirtualPorts);
    EXPECT_EQ(editor.showNode(QStringLiteral("TOR2"), 2), EditorPanel::Tones);
    EXPECT_EQ(editor.showNode(QStringLiteral("RRR"), 9), EditorPanel::System);
    EXPECT_EQ(editor.showNode(QStringLiteral("RVP"), -1), std::nullopt);
    EXPECT_EQ(editor.visiblePanel(), std::nullopt);
    EXPECT_EQ(editor.shownRecord(EditorPanel::VirtualPorts), 5);
    EXPECT_EQ(editor.shownRecord(EditorPanel::Tones), 2);
    EXPECT_EQ(editor.shownRecord(EditorPanel::System), 0);

    editor.setShownRecord(EditorPanel::ACL, 7);
    editor.setShownRecord(EditorPanel::Groups, 3);
    editor.setShownRecord(EditorPanel::DialledNumbers, 4);
    EXPECT_EQ(editor.shownRecord(EditorPanel::ACL), 7);
    EXPECT_EQ(editor.shownRecord(EditorPanel::Groups), 3);
    EXPECT_EQ(editor.shownRecord(EditorPanel::DialledNumbers), 0);
}

TEST_F(DocumentEditorTest, MovingOnSendsEachChangedPanelsRecordInPanelOrderOnlineAndCleansThemEitherWay)
{
    editor.showNode(QStringLiteral("VPR7"), 7);
    editor.showNode(QStringLiteral("ACR5"), 5);
    editor.showNode(QStringLiteral("TOR2"), 2);
    for (EditorPanel panel : {EditorPanel::Tones, EditorPanel::PhysicalPorts, EditorPanel::System, EditorPanel::ACL,
                              EditorPanel::VirtualPorts, EditorPanel::ClassList})
        editor.setChanged(panel, true);

    editor.leaveRecords(config);
    EXPECT_EQ(host.written, (Writes{{ExchClass::VirtualPortsMember, 7}, {ExchClass::ACLMember, 5},
                                    {ExchClass::SystemMember, 0}, {ExchClass::PortToVirtualMember, 0},
                                    {ExchClass::TonesMember, 2}}));
    for (EditorPanel panel : {EditorPanel::Tones, EditorPanel::PhysicalPorts, EditorPanel::System,
                              EditorPanel::ACL, EditorPanel::VirtualPorts})
        EXPECT_FALSE(editor.isChanged(panel)) << int(panel);
    EXPECT_TRUE(editor.isChanged(EditorPanel::ClassList)) << "the class list sends its own records";

    host.online = false;
    editor.setChanged(EditorPanel::Groups, true);
    editor.leaveRecords(config);
    EXPECT_FALSE(editor.isChanged(EditorPanel::Groups));
    EXPECT_EQ(host.written.size(), 5);
}

TEST_F(DocumentEditorTest, SaveRecordSendsTheRecordOfThePanelOnShowEvenOffline)
{
    host.online = false;
    const struct
    {
        const char *key;
        int tag;
        Writes written;
    } cases[] = {
        {"VPR5", 5, {{ExchClass::VirtualPortsMember, 5}}}, {"ACR4", 4, {{ExchClass::ACLMember, 4}}},
        {"GPR3", 3, {{ExchClass::GroupsMember, 3}}},       {"RRR", -1, {{ExchClass::SystemMember, 0}}},
        {"REV", -1, {{ExchClass::ExtToVirtualMember, 0}}}, {"RPV", -1, {{ExchClass::PortToVirtualMember, 0}}},
        {"TOR2", 2, {}},                                   {"RCL", -1, {}},
        {"RVP", -1, {}},
    };
    for (const auto &c : cases) {
        host.written.clear();
        editor.showNode(QLatin1String(c.key), c.tag);
        editor.saveRecord(config);
        EXPECT_EQ(host.written, c.written) << c.key;
    }
}

TEST_F(DocumentEditorTest, ACopyTakesTheLowestFreeSlotUnderANewNameAndIsSent)
{
    RecordClass &ports = config.VirtualPorts();
    ports.PutBlank(0);
    editor.setShownRecord(EditorPanel::VirtualPorts, 20);
    const std::optional<DocumentEditor::CopiedRecord> copy = editor.copyToFreeSlot(config, EditorPanel::VirtualPorts);
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->index, 0);
    EXPECT_EQ(copy->name, QByteArrayLiteral("New VP 0"));
    EXPECT_EQ(ports.GetString(FieldNames::Name, 0), QByteArrayLiteral("New VP 0"));
    EXPECT_EQ(ports.GetInteger(FieldNames::ActionExtra, 0, 0), ports.GetInteger(FieldNames::ActionExtra, 20, 0));
    EXPECT_FALSE(RecordSlots::isFree(ports, 0));
    EXPECT_TRUE(ports.GetRecordUsed(0));
    EXPECT_EQ(host.written, (Writes{{ExchClass::VirtualPortsMember, 0}}));

    editor.setShownRecord(EditorPanel::Groups, 2);
    EXPECT_EQ(editor.copyToFreeSlot(config, EditorPanel::Groups)->name, QByteArrayLiteral("New Group 6"));
    EXPECT_EQ(config.Groups().GetInteger(FieldNames::GroupType, 6), config.Groups().GetInteger(FieldNames::GroupType, 2));

    host.written.clear();
    for (int i = 0; i < ports.Records(); ++i)
        ports.SetBoolean(FieldNames::Flag, i, RecordSlots::FreeBit, false);
    const QByteArray before = ports.record(0);
    EXPECT_EQ(editor.copyToFreeSlot(config, EditorPanel::VirtualPorts), std::nullopt);
    EXPECT_EQ(ports.record(0), before);
    EXPECT_TRUE(host.written.isEmpty());
}

TEST_F(DocumentEditorTest, AStructureOfAnotherConfigurationIsNeverSent)
{
    ExchClass other;
    editor.sendRecord(config, other.VirtualPorts(), 1);
    EXPECT_TRUE(host.written.isEmpty());
    editor.sendRecord(config, config.Groups(), 1);
    EXPECT_EQ(host.written, (Writes{{ExchClass::GroupsMember, 1}}));
}

} // namespace
