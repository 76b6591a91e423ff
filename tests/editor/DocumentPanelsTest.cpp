#include "DocumentFixture.h"
#include "ExchClass.h"
#include "FieldNames.h"
#include "RecordSlots.h"

#include <QGroupBox>
#include <QTreeWidget>

#include <optional>

namespace {

using Panel = DocumentWindow::Panel;

class DocumentPanels : public DocumentFixture
{
protected:
    std::optional<Panel> visiblePanel() const
    {
        for (Panel panel : {Panel::VirtualPorts, Panel::ACL, Panel::System, Panel::Groups, Panel::DialledNumbers,
                            Panel::PhysicalPorts, Panel::Tones, Panel::ClassList}) {
            if (window->isPanelVisible(panel))
                return panel;
        }
        return std::nullopt;
    }
    void advance(int milliseconds) { host.simulatedTimers.advance(milliseconds); }
    int sendCode(ExchClass::Member member) const { return ExchClass::info(member).sendCode; }
};

TEST_F(DocumentPanels, TwoQuickClicksShowOnlyTheSecondNodesPanel)
{
    click(QStringLiteral("VPR2"));
    advance(600);
    click(QStringLiteral("ACR4"));
    advance(DocumentWindow::PanelTimerInterval - 1);
    EXPECT_EQ(visiblePanel(), std::nullopt);
    EXPECT_TRUE(host.shownKeys.isEmpty());

    advance(1);
    EXPECT_EQ(visiblePanel(), Panel::ACL);
    EXPECT_TRUE(frame("fmeACL")->isVisible());
    EXPECT_FALSE(frame("fmeVP")->isVisible());
    EXPECT_EQ(host.shownKeys, strings({"ACR4"}));

    advance(5 * DocumentWindow::PanelTimerInterval);
    EXPECT_EQ(host.shownKeys.size(), 1) << "the timer stops after showing the panel";
}

TEST_F(DocumentPanels, EachNodeShowsItsPanelAndBranchesHideThemAll)
{
    host.setViewTones(1);
    window->GetConfiguration();
    const QList<std::pair<const char *, std::optional<Panel>>> expected = {
        {"RRR", Panel::System},         {"VPR3", Panel::VirtualPorts}, {"RVP", std::nullopt},
        {"GPR1", Panel::Groups},        {"RGP", std::nullopt},         {"REV", Panel::DialledNumbers},
        {"RPV", Panel::PhysicalPorts},  {"ACR2", Panel::ACL},          {"RAC", std::nullopt},
        {"RCL", Panel::ClassList},      {"TOR0", Panel::Tones},        {"RTO", std::nullopt},
    };
    for (const auto &[key, panel] : expected) {
        open(QLatin1String(key));
        EXPECT_EQ(visiblePanel(), panel) << key;
    }
    const QList<QGroupBox *> frames = window->findChildren<QGroupBox *>();
    for (const QGroupBox *frame : frames)
        EXPECT_FALSE(frame->isVisible()) << frame->objectName().toStdString();
}

TEST_F(DocumentPanels, MovingOnSendsChangedRecordsInPanelOrderWhenOnline)
{
    open(QStringLiteral("ACR5"));
    open(QStringLiteral("VPR7"));
    window->setChanged(Panel::ACL, true);
    window->setChanged(Panel::VirtualPorts, true);

    click(QStringLiteral("RRR"));
    ASSERT_EQ(host.sent.size(), 2);
    EXPECT_EQ(host.sent[0].code, sendCode(ExchClass::VirtualPortsMember));
    EXPECT_EQ(host.sent[0].portId, 7);
    EXPECT_EQ(host.sent[1].code, sendCode(ExchClass::ACLMember));
    EXPECT_EQ(host.sent[1].portId, 5);
    EXPECT_FALSE(window->isChanged(Panel::VirtualPorts));
    EXPECT_FALSE(window->isChanged(Panel::ACL));

    click(QStringLiteral("RVP"));
    EXPECT_EQ(host.sent.size(), 2) << "a clean panel sends nothing";
}

TEST_F(DocumentPanels, MovingOnOfflineClearsTheFlagWithoutSending)
{
    host.online = false;
    open(QStringLiteral("VPR7"));
    window->setChanged(Panel::VirtualPorts, true);
    click(QStringLiteral("RGP"));
    EXPECT_TRUE(host.sent.isEmpty());
    EXPECT_FALSE(window->isChanged(Panel::VirtualPorts));
}

TEST_F(DocumentPanels, SaveRecordSendsTheVisiblePanelsRecordEvenOffline)
{
    host.online = false;
    window->saveRecord();
    EXPECT_TRUE(host.sent.isEmpty()) << "no panel on show";

    open(QStringLiteral("GPR3"));
    window->saveRecord();
    ASSERT_EQ(host.sent.size(), 1);
    EXPECT_EQ(host.sent[0].code, sendCode(ExchClass::GroupsMember));
    EXPECT_EQ(host.sent[0].portId, 3);

    open(QStringLiteral("RRR"));
    window->saveRecord();
    ASSERT_EQ(host.sent.size(), 2);
    EXPECT_EQ(host.sent[1].code, sendCode(ExchClass::SystemMember));
    EXPECT_EQ(host.sent[1].portId, 0);
}

TEST_F(DocumentPanels, CopyOfAVirtualPortFillsTheFirstFreeSlotAndSendsIt)
{
    host.online = false;
    RecordClass &ports = config().VirtualPorts();
    ASSERT_TRUE(ports.GetBoolean(FieldNames::Flag, 23, RecordSlots::FreeBit));
    open(QStringLiteral("VPR5"));

    host.messageService.setNextAnswer(QMessageBox::Ok);
    window->CopyRecord();
    EXPECT_FALSE(ports.GetBoolean(FieldNames::Flag, 23, RecordSlots::FreeBit));
    EXPECT_EQ(ports.GetString(FieldNames::Name, 23), QByteArrayLiteral("New VP 23"));
    EXPECT_EQ(ports.GetInteger("ACLID", 23), ports.GetInteger("ACLID", 5));
    ASSERT_EQ(host.sent.size(), 1);
    EXPECT_EQ(host.sent[0].code, sendCode(ExchClass::VirtualPortsMember));
    EXPECT_EQ(host.sent[0].portId, 23);

    const QList<MessageService::Message> shown = host.messageService.shownMessages();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown[0].text, QStringLiteral("New Virtual Port copied to ID #23"));
    EXPECT_EQ(shown[0].title, QStringLiteral("Copy Virtual Port"));
    ASSERT_NE(node(QStringLiteral("VPR23")), nullptr);
    EXPECT_EQ(node(QStringLiteral("VPR23"))->text(0), QStringLiteral("23 - New VP 23"));

    host.messageService.setNextAnswer(QMessageBox::Ok);
    window->CopyRecord();
    EXPECT_EQ(ports.GetString(FieldNames::Name, 32), QByteArrayLiteral("New VP 32")) << "the next free slot";
}

TEST_F(DocumentPanels, CopyOfAGroupFromTheGroupsBranchUsesTheShownGroup)
{
    open(QStringLiteral("GPR2"));
    open(QStringLiteral("RGP"));
    host.messageService.setNextAnswer(QMessageBox::Ok);
    window->CopyRecord();
    RecordClass &groups = config().Groups();
    EXPECT_EQ(groups.GetString(FieldNames::Name, 6), QByteArrayLiteral("New Group 6"));
    EXPECT_EQ(groups.GetInteger("GroupType", 6), groups.GetInteger("GroupType", 2));
    EXPECT_EQ(host.messageTexts(), strings({"New Group copied to ID #6"}));
    EXPECT_EQ(host.messageService.shownMessages().first().title, QStringLiteral("Copy Group"));
    EXPECT_NE(node(QStringLiteral("GPR6")), nullptr);
}

TEST_F(DocumentPanels, CopyWithoutAFreeSlotChangesNothing)
{
    RecordClass &ports = config().VirtualPorts();
    for (int i = 0; i < ports.Records(); ++i)
        ports.SetBoolean(FieldNames::Flag, i, RecordSlots::FreeBit, false);
    const QByteArray before = ports.record(0);
    open(QStringLiteral("VPR0"));

    host.messageService.setNextAnswer(QMessageBox::Ok);
    window->CopyRecord();
    EXPECT_EQ(host.messageTexts(), strings({"There are no free Virtual Ports"}));
    EXPECT_TRUE(host.sent.isEmpty());
    EXPECT_EQ(ports.record(0), before);
}

TEST_F(DocumentPanels, CopyWithTheAclPanelOnShowCopiesNothing)
{
    open(QStringLiteral("ACR1"));
    window->CopyRecord();
    EXPECT_TRUE(host.sent.isEmpty());
    EXPECT_TRUE(host.messageTexts().isEmpty());
    EXPECT_TRUE(config().Groups().GetBoolean(FieldNames::Flag, 6, RecordSlots::FreeBit));
}

} // namespace
