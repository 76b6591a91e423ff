#include "editor/DocumentEditor.h"

#include "model/ExchClass.h"
#include "model/FieldNames.h"
#include "simulator/sample/SampleConfiguration.h"
#include "support/gui/GuiTestSupport.h"
#include "support/gui/TestDocumentHost.h"

namespace {

using P = EditorPanel;

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
    EXPECT_EQ(editor.showNode(QStringLiteral("VPR5"), 5), P::VirtualPorts);
    EXPECT_EQ(editor.showNode(QStringLiteral("TOR2"), 2), P::Tones);
    EXPECT_EQ(editor.showNode(QStringLiteral("RRR"), 9), P::System);
    EXPECT_EQ(editor.showNode(QStringLiteral("RVP"), -1), std::nullopt);
    EXPECT_EQ(editor.visiblePanel(), std::nullopt);
    editor.setShownRecord(P::ACL, 7);
    editor.setShownRecord(P::Groups, 3);
    editor.setShownRecord(P::DialledNumbers, 4);
    QList<int> shown;
    for (P panel : {P::VirtualPorts, P::Tones, P::System, P::ACL, P::Groups, P::DialledNumbers})
        shown.append(editor.shownRecord(panel));
    EXPECT_EQ(shown, QList<int>({5, 2, 0, 7, 3, 0}));
}

TEST_F(DocumentEditorTest, MovingOnSendsEachChangedPanelsRecordInPanelOrderOnlineAndCleansThemEitherWay)
{
    editor.showNode(QStringLiteral("VPR7"), 7);
    editor.showNode(QStringLiteral("ACR5"), 5);
    editor.showNode(QStringLiteral("TOR2"), 2);
    for (P panel : {P::Tones, P::PhysicalPorts, P::System, P::ACL, P::VirtualPorts, P::ClassList})
        editor.setChanged(panel, true);
    editor.leaveRecords(config);
    EXPECT_EQ(host.written,
              (Writes{{ExchClass::VirtualPortsMember, 7},
                      {ExchClass::ACLMember, 5},
                      {ExchClass::SystemMember, 0},
                      {ExchClass::PortToVirtualMember, 0},
                      {ExchClass::TonesMember, 2}}));
    for (P panel : {P::Tones, P::PhysicalPorts, P::System, P::ACL, P::VirtualPorts})
        EXPECT_FALSE(editor.isChanged(panel)) << int(panel);
    EXPECT_TRUE(editor.isChanged(P::ClassList)) << "the class list sends its own records";

    host.online = false;
    editor.setChanged(P::Groups, true);
    editor.leaveRecords(config);
    EXPECT_FALSE(editor.isChanged(P::Groups));
    EXPECT_EQ(host.written.size(), 5);
}

TEST_F(DocumentEditorTest, SaveRecordSendsTheRecordOfThePanelOnShowEvenOffline)
{
    host.online = false;
    const std::tuple<const char *, int, Writes> cases[] = {{"VPR5", 5, {{ExchClass::VirtualPortsMember, 5}}},
                                                           {"ACR4", 4, {{ExchClass::ACLMember, 4}}},
                                                           {"GPR3", 3, {{ExchClass::GroupsMember, 3}}},
                                                           {"RRR", -1, {{ExchClass::SystemMember, 0}}},
                                                           {"REV", -1, {{ExchClass::ExtToVirtualMember, 0}}},
                                                           {"RPV", -1, {{ExchClass::PortToVirtualMember, 0}}},
                                                           {"TOR2", 2, {}},
                                                           {"RCL", -1, {}},
                                                           {"RVP", -1, {}}};
    for (const auto &[key, tag, written] : cases) {
        host.written.clear();
        editor.showNode(QLatin1String(key), tag);
        editor.saveRecord(config);
        EXPECT_EQ(host.written, written) << key;
    }
}

TEST_F(DocumentEditorTest, ACopyTakesTheLowestFreeSlotUnderANewNameAndIsSentButNeverIntoAnotherConfiguration)
{
    RecordClass &ports = config.VirtualPorts();
    ports.PutBlank(0);
    editor.setShownRecord(P::VirtualPorts, 20);
    const std::optional<DocumentEditor::CopiedRecord> copy = editor.copyToFreeSlot(config, P::VirtualPorts);
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->index, 0);
    EXPECT_EQ(copy->name, QByteArrayLiteral("New VP 0"));
    EXPECT_EQ(fieldsOf(ports, 0, "Name ActionExtra Flag.7"), QStringLiteral("New VP 0|200|0"));
    EXPECT_TRUE(ports.GetRecordUsed(0));
    editor.setShownRecord(P::Groups, 2);
    EXPECT_EQ(editor.copyToFreeSlot(config, P::Groups)->name, QByteArrayLiteral("New Group 6"));
    EXPECT_EQ(fieldsOf(config.Groups(), 6, "GroupType"), QStringLiteral("1"));
    EXPECT_EQ(host.written, (Writes{{ExchClass::VirtualPortsMember, 0}, {ExchClass::GroupsMember, 6}}));

    for (int i = 0; i < ports.Records(); ++i)
        ports.SetBoolean(FieldNames::Flag, i, 7, false);
    const QByteArray before = ports.record(0);
    EXPECT_FALSE(editor.copyToFreeSlot(config, P::VirtualPorts));
    EXPECT_EQ(ports.record(0), before);
    ExchClass other;
    editor.sendRecord(config, other.VirtualPorts(), 1);
    EXPECT_EQ(host.written.size(), 2);
}

} // namespace
