#include "DocumentFixture.h"

#include "ConfigFile.h"
#include "ExchClass.h"
#include "FieldNames.h"
#include "RecordSlots.h"
#include "ReplyPacket.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QTest>
#include <QTreeWidget>

#include <optional>

namespace {

using Panel = DocumentWindow::Panel;

constexpr Panel AllPanels[] = {Panel::VirtualPorts, Panel::ACL,           Panel::System, Panel::Groups,
                               Panel::DialledNumbers, Panel::PhysicalPorts, Panel::Tones,  Panel::ClassList};

class DocumentWindowTest : public DocumentFixture
{
protected:
    std::optional<Panel> visiblePanel() const
    {
        for (Panel panel : AllPanels) {
            if (window->isPanelVisible(panel))
                return panel;
        }
        return std::nullopt;
    }
    QByteArray portName(int index) { return config().VirtualPorts().GetString(FieldNames::Name, index); }
    bool portEnabled(int index)
    {
        return config().VirtualPorts().GetBoolean(FieldNames::Flag, index, RecordSlots::EnabledBit);
    }
};

TEST_F(DocumentWindowTest, ANewWindowHasTheInitialBranchesAndEightHiddenFrames)
{
    TestDocumentHost otherHost;
    DocumentWindow fresh(otherHost);
    fresh.show();
    QTreeWidgetItem *root = fresh.tree()->topLevelItem(0);
    ASSERT_EQ(fresh.tree()->topLevelItemCount(), 1);
    EXPECT_EQ(root->text(0), QStringLiteral("Orvex"));
    QStringList texts;
    for (int i = 0; i < root->childCount(); ++i)
        texts.append(root->child(i)->data(0, Qt::UserRole).toString() + QLatin1Char(' ') + root->child(i)->text(0));
    EXPECT_EQ(texts, strings({"RVP Virtual Ports", "RGP Groups", "REV Ext To Virtual", "RPV Port To Virtual",
                              "RAC ACL", "RCL Class List", "RAD Advanced", "RTO Tones"}));
    const std::pair<const char *, const char *> frames[] = {
        {"fmeSystem", "System Parameters"}, {"fmeVP", "Virtual Ports"},  {"fmeGroup", "Groups"},
        {"fmeACL", "Access Control List"},  {"fmeExtToVP", "Dialled Number To VirtualPorts"},
        {"fmePhysical", "Physical Ports"},  {"fmeClassList", "Class Names"}, {"fmeTones", "Tones"}};
    for (const auto &[name, caption] : frames) {
        EXPECT_EQ(child<QGroupBox>(&fresh, name)->title(), QLatin1String(caption));
        EXPECT_FALSE(child<QGroupBox>(&fresh, name)->isVisible()) << name;
    }
    for (Panel panel : AllPanels)
        EXPECT_FALSE(fresh.isPanelVisible(panel));
}

TEST_F(DocumentWindowTest, BranchesListTheRecordsInUseWhenFirstOpenedButNeverAclOrGroupRecordZero)
{
    QTreeWidgetItem *virtualPorts = window->tree()->topLevelItem(0)->child(0);
    EXPECT_EQ(virtualPorts->childCount(), 0);
    EXPECT_EQ(virtualPorts->childIndicatorPolicy(), QTreeWidgetItem::ShowIndicator);
    config().VirtualPorts().SetString(FieldNames::Name, 1, QByteArrayLiteral("Renamed"));
    config().VirtualPorts().SetString(FieldNames::Name, 4, QByteArray());
    config().Groups().SetString(FieldNames::Name, 2, QByteArray());
    window->tree()->expandItem(virtualPorts);
    EXPECT_EQ(virtualPorts->child(1)->text(0), QStringLiteral("1 - Renamed"));
    EXPECT_EQ(virtualPorts->child(1)->data(0, Qt::UserRole).toString(), QStringLiteral("VPR1"));

    EXPECT_EQ(childKeys(QStringLiteral("RRR")), strings({"RVP", "RGP", "REV", "RPV", "RAC", "RCL"}));
    EXPECT_EQ(childKeys(QStringLiteral("RAC")).first(), QStringLiteral("ACR1"));
    EXPECT_EQ(childKeys(QStringLiteral("RGP")).first(), QStringLiteral("GPR1"));
    const QStringList ports = childKeys(QStringLiteral("RVP"));
    EXPECT_EQ(ports.first(), QStringLiteral("VPR0"));
    EXPECT_FALSE(ports.contains(QStringLiteral("VPR23"))) << "a free slot";
    EXPECT_TRUE(ports.contains(QStringLiteral("VPR24")));
    EXPECT_EQ(node(QStringLiteral("VPR17"))->text(0), QStringLiteral("17 - Warehouse"));
    EXPECT_EQ(node(QStringLiteral("VPR17"))->data(0, Qt::UserRole + 1).toInt(), 17);
    EXPECT_EQ(node(QStringLiteral("VPR4"))->text(0), QStringLiteral("4 - <No Name>"));
    EXPECT_EQ(node(QStringLiteral("GPR2"))->text(0), QStringLiteral("2 - <No Name>"));
}

TEST_F(DocumentWindowTest, TheTonesBranchAppearsOnlyWhenViewTonesIsOneAndAllFreeTonesGetTheDefaults)
{
    EXPECT_EQ(node(QStringLiteral("RTO")), nullptr) << "unset means 0";
    ExchClass defaults;
    defaults.BuildDefaultTones();
    RecordClass &tones = config().Tones();
    for (int i = 0; i < tones.Records(); ++i)
        tones.PutBlank(i);
    host.setViewTones(2);
    window->GetConfiguration();
    EXPECT_EQ(node(QStringLiteral("RTO")), nullptr);
    EXPECT_EQ(tones.record(1), defaults.Tones().record(1)) << "whatever the setting";
    EXPECT_EQ(tones.GetString(FieldNames::Name, 0), defaults.Tones().GetString(FieldNames::Name, 0));

    host.setViewTones(1);
    window->GetConfiguration();
    EXPECT_EQ(childKeys(QStringLiteral("RRR")).last(), QStringLiteral("RTO"));
    EXPECT_EQ(childKeys(QStringLiteral("RTO")).size(), defaults.Tones().Records());
    EXPECT_EQ(childKeys(QStringLiteral("RTO")).first(), QStringLiteral("TOR0"));

    host.setViewTones(0);
    const int empty = host.table.NewSlot();
    window->setExNum(empty);
    window->GetConfiguration();
    EXPECT_EQ(host.configuration(empty).Tones().Records(), 0) << "no tone records, no defaults";
    EXPECT_EQ(childKeys(QStringLiteral("RRR")), strings({"RVP", "RGP", "REV", "RPV", "RAC", "RCL"}));
    EXPECT_TRUE(childKeys(QStringLiteral("RVP")).isEmpty());
}

TEST_F(DocumentWindowTest, NodesShowWhatBecameOfTheirRecordsWritesAndBranchesTheWorst)
{
    const auto stateOf = [this](const char *key) {
        const QTreeWidgetItem *item = node(QLatin1String(key));
        EXPECT_EQ(item->icon(0).isNull(), item->toolTip(0).isEmpty()) << key;
        return item->toolTip(0);
    };
    const QString waiting = QStringLiteral("Waiting for the exchange");
    const QString confirmed = QStringLiteral("Confirmed by the exchange");
    const QString failed = QStringLiteral("Not confirmed by the exchange");
    RecordClass &ports = config().VirtualPorts();
    window->tree()->expandItem(node(QStringLiteral("RVP")));
    host.queue.writeRecord(config(), ExchClass::VirtualPortsMember, 5);
    host.queue.writeRecord(config(), ExchClass::VirtualPortsMember, 6);
    EXPECT_EQ(stateOf("VPR5"), waiting);
    EXPECT_EQ(stateOf("VPR7"), QString());
    host.queue.recordReply(ReplyPacket::make(ports.RequestCode(), 5, ports.record(5)));
    EXPECT_EQ(stateOf("VPR5"), confirmed);
    EXPECT_EQ(stateOf("VPR6"), waiting);
    EXPECT_EQ(stateOf("RVP"), waiting);

    host.queue.writeRecord(config(), ExchClass::SystemMember, 0);
    host.queue.writeRecord(config(), ExchClass::ACLMember, 0);
    ExchClass other;
    host.queue.writeRecord(other, ExchClass::ExtToVirtualMember, 0);
    EXPECT_EQ(stateOf("RRR"), waiting) << "the system record";
    EXPECT_EQ(stateOf("RAC"), waiting) << "ACL 0 has no node of its own";
    EXPECT_EQ(stateOf("REV"), QString()) << "another document's write";

    // No echo comes: the write in flight fails, and those behind it with it.
    host.simulatedTimers.advance(10000);
    EXPECT_EQ(stateOf("VPR6"), failed);
    EXPECT_EQ(stateOf("RVP"), failed);
    EXPECT_EQ(stateOf("RRR"), failed);
    EXPECT_EQ(stateOf("ACR1"), QString()) << "a branch opened after the writes";
    window->GetConfiguration();
    EXPECT_EQ(stateOf("VPR5"), confirmed) << "rebuilt nodes";
    EXPECT_EQ(stateOf("VPR6"), failed);
    host.queue.retryFailed(&config());
    EXPECT_EQ(stateOf("RVP"), waiting);
}

TEST_F(DocumentWindowTest, ARebuildKeepsTheOpenBranchesAndTheNodeOnShowWithoutMovingOn)
{
    click(QStringLiteral("VPR5"));
    QTreeWidgetItem *root = window->tree()->topLevelItem(0);
    for (int i = 0; i < root->childCount(); ++i)
        root->child(i)->setExpanded(i == 0);
    window->setChanged(Panel::VirtualPorts, true);
    config().VirtualPorts().SetString(FieldNames::Name, 5, QByteArrayLiteral("Quay Office"));

    window->GetConfiguration();
    root = window->tree()->topLevelItem(0);
    for (int i = 0; i < root->childCount(); ++i)
        EXPECT_EQ(root->child(i)->isExpanded(), i == 0) << i;
    EXPECT_EQ(window->tree()->currentItem()->text(0), QStringLiteral("5 - Quay Office"));
    EXPECT_EQ(box("txtVPName")->text(), QStringLiteral("Quay Office"));
    EXPECT_TRUE(changed(Panel::VirtualPorts)) << "nothing was sent";
    EXPECT_TRUE(host.written.isEmpty());

    RecordSlots::release(config().VirtualPorts(), 5);
    window->GetConfiguration();
    EXPECT_EQ(window->tree()->currentItem(), nullptr);
    EXPECT_FALSE(window->isPanelVisible(Panel::VirtualPorts));
}

TEST_F(DocumentWindowTest, EachNodeShowsItsPanelNamedInTheStatusBarAndBranchesHideThemAll)
{
    host.setViewTones(1);
    window->GetConfiguration();
    const std::pair<const char *, std::optional<Panel>> expected[] = {
        {"RRR", Panel::System},        {"VPR3", Panel::VirtualPorts}, {"RVP", std::nullopt},
        {"GPR1", Panel::Groups},       {"RGP", std::nullopt},         {"REV", Panel::DialledNumbers},
        {"RPV", Panel::PhysicalPorts}, {"ACR2", Panel::ACL},          {"RAC", std::nullopt},
        {"RCL", Panel::ClassList},     {"TOR0", Panel::Tones},        {"RTO", std::nullopt}};
    for (const auto &[key, panel] : expected) {
        open(QLatin1String(key));
        EXPECT_EQ(visiblePanel(), panel) << key;
    }
    EXPECT_EQ(host.shownSelections.mid(0, 6), strings({"Orvex", "Virtual Ports \u203A 3 - Accounts 1", "Virtual Ports",
                                                       "Groups \u203A 1 - Sales", "Groups", "Ext To Virtual"}));
    for (const QGroupBox *frame : window->findChildren<QGroupBox *>())
        EXPECT_FALSE(frame->isVisible()) << frame->objectName().toStdString();
}

TEST_F(DocumentWindowTest, TheVirtualPortAndGroupPanelsFitAWindowOfTheDefaultSize)
{
    window->resize(window->sizeHint());
    for (const char *key : {"VPR20", "GPR1"}) {
        open(QLatin1String(key));
        QCoreApplication::processEvents();
        EXPECT_EQ(window->size(), window->sizeHint()) << key;
    }
    for (const char *name : {"fmeVP", "fmeGroup"}) {
        const auto *panel = control<QGroupBox>(name);
        EXPECT_GE(panel->width(), panel->minimumSizeHint().width()) << name;
        EXPECT_GE(panel->height(), panel->minimumSizeHint().height()) << name;
    }
}

TEST_F(DocumentWindowTest, AnEditRightAfterMovingOnChangesTheRecordMovedTo)
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
}

TEST_F(DocumentWindowTest, TypingGoesToTheRecordItWasTypedForAndMovingOnSendsItWhenOnline)
{
    open(QStringLiteral("VPR5"));
    QLineEdit *name = box("txtVPName");
    typeInto(name, QStringLiteral("Quay Office"));
    click(QStringLiteral("VPR6"));
    EXPECT_EQ(portName(5), QByteArrayLiteral("Quay Office"));
    EXPECT_EQ(portName(6), QByteArrayLiteral("Sales 2"));
    EXPECT_EQ(name->text(), QStringLiteral("Sales 2"));
    EXPECT_EQ(host.written, (Writes{{ExchClass::VirtualPortsMember, 5}}));
    EXPECT_FALSE(changed(Panel::VirtualPorts));

    // Moved on from elsewhere, the focus still in the box.
    typeInto(name, QStringLiteral("Boat House"));
    window->tree()->setCurrentItem(node(QStringLiteral("VPR7")));
    EXPECT_EQ(portName(6), QByteArrayLiteral("Boat House"));
    EXPECT_EQ(portName(7), QByteArrayLiteral("Sales 3"));
    EXPECT_EQ(host.written.last(), std::make_pair(int(ExchClass::VirtualPortsMember), 6));

    // The engineer went to another window, which took the focus unseen by the box.
    typeInto(name, QStringLiteral("Gate House"));
    QWidget elsewhere;
    elsewhere.show();
    elsewhere.activateWindow();
    ASSERT_TRUE(runEventsUntil([&elsewhere] { return elsewhere.isActiveWindow(); }));
    window->tree()->setCurrentItem(node(QStringLiteral("VPR8")));
    EXPECT_EQ(portName(7), QByteArrayLiteral("Gate House"));
    EXPECT_EQ(name->text(), QStringLiteral("Sales 4"));

    host.online = false;
    window->saveRecord();
    EXPECT_EQ(host.written.last(), std::make_pair(int(ExchClass::VirtualPortsMember), 8)) << "Update System";
}

TEST_F(DocumentWindowTest, ARefusedValueKeepsItsRecordOnShowAndStopsTheCommand)
{
    open(QStringLiteral("ACR4"));
    QLineEdit *ringType = box("txtACLRingType");
    typeInto(ringType, QStringLiteral("high"));
    answer();
    click(QStringLiteral("ACR5"));
    EXPECT_EQ(messageTexts(), strings({"Must be a number"})) << "said once";
    EXPECT_EQ(currentKey(), QStringLiteral("ACR4"));
    EXPECT_EQ(QApplication::focusWidget(), ringType);
    EXPECT_EQ(box("txtACLName")->text(), QStringLiteral("Reception"));

    answer();
    window->tree()->setCurrentItem(node(QStringLiteral("ACR5")));
    EXPECT_EQ(currentKey(), QStringLiteral("ACR4"));
    answer();
    EXPECT_FALSE(window->commitEdits());
    EXPECT_EQ(messageTexts().size(), 3);
    answer();
    answer(QMessageBox::Cancel);
    EXPECT_FALSE(window->close());
    EXPECT_EQ(messageTexts().size(), 4) << "the refusal again, no close question";
    EXPECT_TRUE(host.written.isEmpty());

    typeInto(ringType, QStringLiteral("2"));
    click(QStringLiteral("ACR5"));
    EXPECT_EQ(currentKey(), QStringLiteral("ACR5"));
    EXPECT_EQ(config().ACL().GetInteger(FieldNames::RingType, 4), 2);
    EXPECT_EQ(messageTexts().size(), 4);
}

TEST_F(DocumentWindowTest, CopyPutsTheShownPortOrGroupInAFreeSlotListsItAndSaysWhere)
{
    host.online = false;
    open(QStringLiteral("VPR5"));
    answer();
    window->CopyRecord();
    EXPECT_EQ(config().VirtualPorts().GetInteger(FieldNames::ACLID, 23), 6);
    EXPECT_EQ(host.written, (Writes{{ExchClass::VirtualPortsMember, 23}}));
    ASSERT_EQ(host.messageService.shownMessages().size(), 1);
    EXPECT_EQ(host.messageService.shownMessages()[0].text, QStringLiteral("New Virtual Port copied to ID #23"));
    EXPECT_EQ(host.messageService.shownMessages()[0].title, QStringLiteral("Copy Virtual Port"));
    EXPECT_EQ(node(QStringLiteral("VPR23"))->text(0), QStringLiteral("23 - New VP 23"));

    open(QStringLiteral("GPR2"));
    open(QStringLiteral("RGP"));
    answer();
    window->CopyRecord();
    EXPECT_EQ(config().Groups().GetString(FieldNames::Name, 6), QByteArrayLiteral("New Group 6")) << "the group shown last";
    EXPECT_EQ(host.messageService.shownMessages()[1].text, QStringLiteral("New Group copied to ID #6"));
    EXPECT_EQ(host.messageService.shownMessages()[1].title, QStringLiteral("Copy Group"));
    EXPECT_NE(node(QStringLiteral("GPR6")), nullptr);

    RecordClass &ports = config().VirtualPorts();
    for (int i = 0; i < ports.Records(); ++i)
        ports.SetBoolean(FieldNames::Flag, i, RecordSlots::FreeBit, false);
    open(QStringLiteral("VPR0"));
    answer();
    window->CopyRecord();
    EXPECT_EQ(messageTexts().last(), QStringLiteral("There are no free Virtual Ports"));

    open(QStringLiteral("ACR1"));
    window->CopyRecord();
    EXPECT_EQ(messageTexts().size(), 3) << "the ACL panel copies through the ACL generator";
    EXPECT_EQ(host.written.size(), 2);
}

TEST_F(DocumentWindowTest, OnlyAModifiedDocumentAsksToBeSavedWithSaveTheDefault)
{
    window->markUnmodified();
    EXPECT_FALSE(window->isWindowModified());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Document 1[*]"));
    config().VirtualPorts().SetString(FieldNames::Name, 5, QByteArrayLiteral("Quay Office"));
    window->refreshModified();
    EXPECT_TRUE(window->isWindowModified());

    answer(QMessageBox::Cancel);
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible());
    const QList<MessageService::Message> shown = host.messageService.shownMessages();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown[0].text, QStringLiteral("Do you want to save the changes you made to Document 1?"));
    EXPECT_EQ(shown[0].icon, QMessageBox::Warning);
    EXPECT_EQ(shown[0].buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    EXPECT_EQ(shown[0].defaultButton, QMessageBox::Yes);

    ASSERT_TRUE(window->SaveFile(host.path(QStringLiteral("site.QBF"))));
    EXPECT_FALSE(window->isWindowModified());
    EXPECT_TRUE(window->close());
    EXPECT_EQ(shown.size(), host.messageService.shownMessages().size()) << "nothing to ask about";
    EXPECT_TRUE(host.fileDialogService.requests().isEmpty());
}

TEST_F(DocumentWindowTest, WritesTheExchangeHasNotConfirmedHoldTheWindowUntilTheEngineerClosesAnyway)
{
    window->markUnmodified();
    host.queue.writeRecord(config(), ExchClass::VirtualPortsMember, 5);
    host.queue.writeRecord(config(), ExchClass::VirtualPortsMember, 6);
    answer(QMessageBox::Cancel);
    EXPECT_FALSE(window->close());
    QList<MessageService::Message> shown = host.messageService.shownMessages();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown[0].text, QStringLiteral("2 changes to this document are still waiting for the exchange."));
    EXPECT_EQ(shown[0].buttons, QMessageBox::Cancel | QMessageBox::Discard);
    EXPECT_EQ(shown[0].defaultButton, QMessageBox::Cancel);
    EXPECT_EQ(shown[0].buttonTexts, (MessageService::ButtonTexts{{QMessageBox::Cancel, QStringLiteral("Wait")},
                                                                 {QMessageBox::Discard, QStringLiteral("Close Anyway")}}));

    // No echo comes: the first write fails, and the one behind it with it.
    host.simulatedTimers.advance(10000);
    answer(QMessageBox::Retry);
    EXPECT_FALSE(window->close());
    shown = host.messageService.shownMessages();
    EXPECT_EQ(shown.last().text, QStringLiteral("2 changes to this document were not confirmed by the exchange."));
    EXPECT_EQ(shown.last().buttons, QMessageBox::Cancel | QMessageBox::Retry | QMessageBox::Discard);
    EXPECT_EQ(host.queue.count(RecordWriteQueue::State::Waiting, &config()), 2) << "sent again";

    answer(QMessageBox::Discard);
    EXPECT_TRUE(window->close());
    EXPECT_EQ(host.messageService.shownMessages().size(), 3);
    EXPECT_EQ(host.queue.count(RecordWriteQueue::State::Waiting), 0) << "the document's writes are dropped";
}

TEST_F(DocumentWindowTest, NoClosesWithoutSavingAndYesSavesANamedWindowUnderItsCaption)
{
    answer(QMessageBox::No);
    EXPECT_TRUE(window->close());

    const QString path = host.path(QStringLiteral("site.QBF"));
    window->setCaption(path);
    window->show();
    answer(QMessageBox::Yes);
    EXPECT_TRUE(window->close());
    ExchClass reloaded;
    ConfigFile file;
    ASSERT_TRUE(file.load(reloaded, path)) << file.errorString().toStdString();
    EXPECT_TRUE(reloaded == config());
    EXPECT_TRUE(host.fileDialogService.requests().isEmpty());
    EXPECT_TRUE(host.recentFiles.isEmpty());
}

TEST_F(DocumentWindowTest, YesOnAnUntitledWindowAsksForANameAndRemembersItAndCancelKeepsTheWindow)
{
    answer(QMessageBox::Yes);
    host.fileDialogService.setNextFileName(QString());
    EXPECT_FALSE(window->close());
    EXPECT_EQ(window->caption(), QStringLiteral("Document 1"));
    EXPECT_TRUE(host.recentFiles.isEmpty());

    const QString path = host.path(QStringLiteral("new.QBF"));
    answer(QMessageBox::Yes);
    host.fileDialogService.setNextFileName(path);
    EXPECT_TRUE(window->close());
    const FileDialogService::Request request = host.fileDialogService.requests().last();
    EXPECT_EQ(request.kind, FileDialogService::Kind::Save);
    EXPECT_EQ(request.title, QStringLiteral("Save"));
    EXPECT_EQ(request.filter, QStringLiteral("Quillbridge Files (*.QBF)|*.QBF|All Files (*.*)|*.*"));
    EXPECT_EQ(window->caption(), path);
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_EQ(host.recentFiles, QStringList{path});
}

TEST_F(DocumentWindowTest, AFailedSaveOnCloseKeepsTheWindowOpenAndSaysWhy)
{
    window->setCaption(host.path(QStringLiteral("missing/site.QBF")));
    answer(QMessageBox::Yes);
    answer();
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible());
    ASSERT_EQ(messageTexts().size(), 2);
    EXPECT_TRUE(messageTexts().last().startsWith(QStringLiteral("Cannot save")));

    host.fileDialogService.setNextFileName(host.path(QStringLiteral("missing/new.QBF")));
    window->setCaption(QStringLiteral("Document 1"));
    answer(QMessageBox::Yes);
    answer();
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(host.recentFiles.isEmpty());
}

TEST_F(DocumentWindowTest, ASavedFileLoadsBackIntoAnotherDocumentAndABrokenOneLeavesItsConfigurationAlone)
{
    const QString path = host.path(QStringLiteral("round.QBF"));
    ASSERT_TRUE(window->SaveFile(path));
    DocumentWindow other(host);
    other.setExNum(host.table.NewSlot());
    EXPECT_TRUE(other.LoadFile(path));
    EXPECT_TRUE(host.configuration(other.ExNum()) == config());
    EXPECT_TRUE(messageTexts().isEmpty());

    QFile broken(host.path(QStringLiteral("bad.QBF")));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write(QByteArray("not a configuration"));
    broken.close();
    other.setExNum(host.table.NewSlot());
    answer();
    EXPECT_FALSE(other.LoadFile(broken.fileName()));
    EXPECT_EQ(messageTexts(), strings({"Invalid file type - cannot load!"}));
    EXPECT_TRUE(host.configuration(other.ExNum()) == ExchClass());
}

} // namespace
