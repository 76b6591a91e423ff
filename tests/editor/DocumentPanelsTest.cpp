#include "DocumentFixture.h"
#include "ExchClass.h"
#include "FieldNames.h"
#include "RecordSlots.h"
#include "TestSupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QTest>
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
    int sendCode(ExchClass::Member member) const { return ExchClass::info(member).sendCode; }
    // Field editors see the focus come and go only in the active window.
    void activate()
    {
        window->activateWindow();
        ASSERT_TRUE(runEventsUntil([this] { return window->isActiveWindow(); }));
    }
    template<typename Control>
    Control *control(const char *name) const
    {
        return window->findChild<Control *>(QLatin1String(name));
    }
    // Types into the box, which keeps the focus.
    void typeInto(QLineEdit *box, const QString &text)
    {
        box->setFocus(Qt::MouseFocusReason);
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Delete);
        QTest::keyClicks(box, text);
    }
    void clickBox(QCheckBox *box) { QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, box->rect().center()); }
    QString currentKey() const { return window->tree()->currentItem()->data(0, Qt::UserRole).toString(); }
    bool portEnabled(int index)
    {
        return config().VirtualPorts().GetBoolean(FieldNames::Flag, index, RecordSlots::EnabledBit);
    }
    QByteArray portName(int index) { return config().VirtualPorts().GetString(FieldNames::Name, index); }
};

TEST_F(DocumentPanels, AnEditRightAfterMovingOnChangesTheRecordMovedTo)
{
    open(QStringLiteral("VPR5"));
    click(QStringLiteral("VPR6"));
    clickBox(control<QCheckBox>("chkVPEnabled"));
    EXPECT_TRUE(portEnabled(5));
    EXPECT_FALSE(portEnabled(6)) << "after a click";

    QTest::keyClick(window->tree(), Qt::Key_Down);
    ASSERT_EQ(currentKey(), QStringLiteral("VPR7"));
    clickBox(control<QCheckBox>("chkVPEnabled"));
    EXPECT_FALSE(portEnabled(7)) << "after an arrow key";
    EXPECT_FALSE(portEnabled(6));
    EXPECT_TRUE(portEnabled(5));
}

TEST_F(DocumentPanels, TypingGoesToTheRecordItWasTypedForWhenTheEngineerMovesOn)
{
    activate();
    open(QStringLiteral("VPR5"));
    auto *name = control<QLineEdit>("txtVPName");
    typeInto(name, QStringLiteral("Quay Office"));
    click(QStringLiteral("VPR6"));
    EXPECT_EQ(portName(5), QByteArrayLiteral("Quay Office"));
    EXPECT_EQ(portName(6), QByteArrayLiteral("Sales 2"));
    EXPECT_EQ(name->text(), QStringLiteral("Sales 2"));
    ASSERT_EQ(host.sent.size(), 1);
    EXPECT_EQ(host.sent[0].portId, 5);

    // Moved on from elsewhere, the focus still in the box.
    typeInto(name, QStringLiteral("Boat House"));
    window->tree()->setCurrentItem(node(QStringLiteral("VPR7")));
    EXPECT_EQ(portName(6), QByteArrayLiteral("Boat House"));
    EXPECT_EQ(portName(7), QByteArrayLiteral("Sales 3"));
    EXPECT_EQ(name->text(), QStringLiteral("Sales 3"));
    ASSERT_EQ(host.sent.size(), 2);
    EXPECT_EQ(host.sent[1].portId, 6);

    // The engineer went to another window, which took the focus unseen by the box.
    typeInto(name, QStringLiteral("Gate House"));
    QWidget elsewhere;
    elsewhere.show();
    elsewhere.activateWindow();
    ASSERT_TRUE(runEventsUntil([&elsewhere] { return elsewhere.isActiveWindow(); }));
    window->tree()->setCurrentItem(node(QStringLiteral("VPR8")));
    EXPECT_EQ(portName(7), QByteArrayLiteral("Gate House"));
    EXPECT_EQ(name->text(), QStringLiteral("Sales 4"));
}

TEST_F(DocumentPanels, ARefusedValueKeepsItsRecordOnShowAndStopsTheCommand)
{
    activate();
    open(QStringLiteral("ACR4"));
    auto *ringType = control<QLineEdit>("txtACLRingType");
    typeInto(ringType, QStringLiteral("high"));

    host.messageService.setNextAnswer(QMessageBox::Ok);
    click(QStringLiteral("ACR5"));
    EXPECT_EQ(host.messageTexts(), strings({"Must be a number"})) << "said once";
    EXPECT_EQ(currentKey(), QStringLiteral("ACR4"));
    EXPECT_EQ(QApplication::focusWidget(), ringType);
    EXPECT_EQ(control<QLineEdit>("txtACLName")->text(), QStringLiteral("Reception"));

    host.messageService.setNextAnswer(QMessageBox::Ok);
    window->tree()->setCurrentItem(node(QStringLiteral("ACR5")));
    EXPECT_EQ(currentKey(), QStringLiteral("ACR4"));
    host.messageService.setNextAnswer(QMessageBox::Ok);
    EXPECT_FALSE(window->commitEdits());
    EXPECT_EQ(host.messageTexts().size(), 3);
    EXPECT_TRUE(host.sent.isEmpty());

    typeInto(ringType, QStringLiteral("2"));
    click(QStringLiteral("ACR5"));
    EXPECT_EQ(currentKey(), QStringLiteral("ACR5"));
    EXPECT_EQ(config().ACL().GetInteger(FieldNames::RingType, 4), 2);
    EXPECT_EQ(host.messageTexts().size(), 3);
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
    const QStringList selections{QStringLiteral("Orvex"),  QStringLiteral("Virtual Ports \u203A 3 - Accounts 1"),
                                 QStringLiteral("Virtual Ports"), QStringLiteral("Groups \u203A 1 - Sales"),
                                 QStringLiteral("Groups"), QStringLiteral("Ext To Virtual")};
    EXPECT_EQ(host.shownSelections.mid(0, 6), selections);
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
    ASSERT_FALSE(ports.GetRecordUsed(23));
    open(QStringLiteral("VPR5"));

    host.messageService.setNextAnswer(QMessageBox::Ok);
    window->CopyRecord();
    EXPECT_FALSE(ports.GetBoolean(FieldNames::Flag, 23, RecordSlots::FreeBit));
    EXPECT_TRUE(ports.GetRecordUsed(23));
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
