#include "support/gui/DocumentFixture.h"

#include "link/ReplyPacket.h"
#include "model/ConfigFile.h"

#include <QApplication>

#include <optional>

namespace {

using Panel = DocumentWindow::Panel;

class DocumentWindowTest : public DocumentFixture
{
protected:
    std::optional<Panel> visiblePanel() const
    {
        for (int panel = 0; panel < 8; ++panel) {
            if (window->isPanelVisible(Panel(panel)))
                return Panel(panel);
        }
        return std::nullopt;
    }
    // The write state each node's tool tip tells, joined by '|'.
    QString states(const char *keys) const
    {
        QStringList tips;
        for (const QString &key : QString::fromLatin1(keys).split(QLatin1Char(' '))) {
            const QTreeWidgetItem *item = node(key);
            EXPECT_EQ(item->icon(0).isNull(), item->toolTip(0).isEmpty()) << key.toStdString();
            tips.append(item->toolTip(0).section(QLatin1Char(' '), 0, 0));
        }
        return tips.join(QLatin1Char('|'));
    }
};

TEST_F(DocumentWindowTest, BranchesListTheRecordsInUseWhenFirstOpenedButNeverAclOrGroupRecordZero)
{
    QTreeWidgetItem *virtualPorts = window->tree()->topLevelItem(0)->child(0);
    EXPECT_EQ(virtualPorts->childCount(), 0);
    EXPECT_EQ(virtualPorts->childIndicatorPolicy(), QTreeWidgetItem::ShowIndicator);
    config().VirtualPorts().SetString(FieldNames::Name, 1, QByteArrayLiteral("Renamed"));
    config().VirtualPorts().SetString(FieldNames::Name, 4, QByteArray());
    EXPECT_EQ(childKeys(QStringLiteral("RAC")).first() + childKeys(QStringLiteral("RGP")).first(),
              QStringLiteral("ACR1GPR1"));
    EXPECT_EQ(childKeys(QStringLiteral("RVP")).mid(22, 3), strings({"VPR22", "VPR24", "VPR25"})) << "23 is free";
    EXPECT_EQ(node(QStringLiteral("VPR1"))->text(0) + QLatin1Char('|') + node(QStringLiteral("VPR4"))->text(0),
              QStringLiteral("1 - Renamed|4 - <No Name>"));
}

TEST_F(DocumentWindowTest, TheTonesBranchAppearsOnlyWhenViewTonesIsOneAndAllFreeTonesGetTheDefaults)
{
    EXPECT_EQ(node(QStringLiteral("RTO")), nullptr) << "unset means 0";
    RecordClass &tones = config().Tones();
    for (int i = 0; i < tones.Records(); ++i)
        tones.PutBlank(i);
    host.setViewTones(2);
    window->GetConfiguration();
    EXPECT_EQ(node(QStringLiteral("RTO")), nullptr);
    EXPECT_EQ(fields(ExchClass::TonesMember, 1, "Name Tone[0] Time[0]"), QStringLiteral("ENGAGED|85|2"))
        << "whatever the setting";

    host.setViewTones(1);
    window->GetConfiguration();
    EXPECT_EQ(childKeys(QStringLiteral("RRR")).last(), QStringLiteral("RTO"));
    EXPECT_EQ(childKeys(QStringLiteral("RTO")).size(), 12);

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
    RecordClass &ports = config().VirtualPorts();
    window->tree()->expandItem(node(QStringLiteral("RVP")));
    host.queue.writeRecord(config(), ExchClass::VirtualPortsMember, 5);
    host.queue.writeRecord(config(), ExchClass::VirtualPortsMember, 6);
    EXPECT_EQ(states("VPR5 VPR7"), QStringLiteral("Waiting|"));
    host.queue.recordReply(ReplyPacket::make(ports.RequestCode(), 5, ports.record(5)));
    EXPECT_EQ(states("VPR5 VPR6 RVP"), QStringLiteral("Confirmed|Waiting|Waiting"));
    EXPECT_EQ(node(QStringLiteral("VPR5"))->toolTip(0), QStringLiteral("Confirmed by the exchange"));
    EXPECT_EQ(node(QStringLiteral("VPR6"))->toolTip(0), QStringLiteral("Waiting for the exchange"));

    host.queue.writeRecord(config(), ExchClass::SystemMember, 0);
    host.queue.writeRecord(config(), ExchClass::ACLMember, 0);
    ExchClass other;
    host.queue.writeRecord(other, ExchClass::ExtToVirtualMember, 0);
    // The system record, ACL 0 on its branch, and nothing of another document's write.
    EXPECT_EQ(states("RRR RAC REV"), QStringLiteral("Waiting|Waiting|"));

    // No echo comes: the write in flight fails, and those behind it with it.
    host.simulatedTimers.advance(10000);
    EXPECT_EQ(states("VPR6 RVP RRR ACR1"), QStringLiteral("Not|Not|Not|")) << "ACR1 was listed after the writes";
    EXPECT_EQ(node(QStringLiteral("VPR6"))->toolTip(0), QStringLiteral("Not confirmed by the exchange"));
    window->GetConfiguration();
    EXPECT_EQ(states("VPR5 VPR6"), QStringLiteral("Confirmed|Not")) << "rebuilt nodes";
    host.queue.retryFailed(&config());
    EXPECT_EQ(states("RVP"), QStringLiteral("Waiting"));
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
    EXPECT_EQ(visiblePanel(), std::nullopt);
}

TEST_F(DocumentWindowTest, EachNodeShowsItsPanelNamedInTheStatusBarAndBranchesHideThemAll)
{
    host.setViewTones(1);
    window->GetConfiguration();
    host.shownSelections.clear();
    const std::pair<const char *, std::optional<Panel>> expected[] = {
        {"RRR", Panel::System}, {"VPR3", Panel::VirtualPorts},  {"RVP", std::nullopt},         {"GPR1", Panel::Groups},
        {"RGP", std::nullopt},  {"REV", Panel::DialledNumbers}, {"RPV", Panel::PhysicalPorts}, {"ACR2", Panel::ACL},
        {"RAC", std::nullopt},  {"RCL", Panel::ClassList},      {"TOR0", Panel::Tones},        {"RTO", std::nullopt}};
    for (const auto &[key, panel] : expected) {
        open(QLatin1String(key));
        EXPECT_EQ(visiblePanel(), panel) << key;
    }
    EXPECT_EQ(host.shownSelections.mid(0, 6),
              strings({"Orvex", "Virtual Ports \u203A 3 - Accounts 1", "Virtual Ports", "Groups \u203A 1 - Sales",
                       "Groups", "Ext To Virtual"}));
}

TEST_F(DocumentWindowTest, AnEditRightAfterMovingOnChangesTheRecordMovedTo)
{
    open(QStringLiteral("VPR5"));
    click(QStringLiteral("VPR6"));
    clickBox(control<QCheckBox>("chkVPEnabled"));
    QTest::keyClick(window->tree(), Qt::Key_Down);
    ASSERT_EQ(currentKey(), QStringLiteral("VPR7"));
    clickBox(control<QCheckBox>("chkVPEnabled"));
    QStringList enabled;
    for (int port : {5, 6, 7})
        enabled.append(fields(ExchClass::VirtualPortsMember, port, "Flag.0"));
    EXPECT_EQ(enabled, strings({"1", "0", "0"})) << "after a click and after an arrow key";
}

TEST_F(DocumentWindowTest, TypingGoesToTheRecordItWasTypedForAndMovingOnSendsItWhenOnline)
{
    open(QStringLiteral("VPR5"));
    QLineEdit *name = box("txtVPName");
    typeInto(name, QStringLiteral("Quay Office"));
    click(QStringLiteral("VPR6"));
    EXPECT_EQ(name->text(), QStringLiteral("Sales 2"));
    EXPECT_EQ(host.written, (Writes{{ExchClass::VirtualPortsMember, 5}}));

    // Moved on from elsewhere, the focus still in the box.
    typeInto(name, QStringLiteral("Boat House"));
    window->tree()->setCurrentItem(node(QStringLiteral("VPR7")));
    // The engineer went to another window, which took the focus unseen by the box.
    typeInto(name, QStringLiteral("Gate House"));
    QWidget elsewhere;
    elsewhere.show();
    elsewhere.activateWindow();
    ASSERT_TRUE(runEventsUntil([&elsewhere] { return elsewhere.isActiveWindow(); }));
    window->tree()->setCurrentItem(node(QStringLiteral("VPR8")));
    EXPECT_EQ(name->text(), QStringLiteral("Sales 4"));
    QStringList names;
    for (int port : {5, 6, 7, 8})
        names.append(fields(ExchClass::VirtualPortsMember, port, "Name"));
    EXPECT_EQ(names, strings({"Quay Office", "Boat House", "Gate House", "Sales 4"}));
    EXPECT_EQ(host.written.size(), 3);
}

TEST_F(DocumentWindowTest, ARefusedValueKeepsItsRecordOnShowAndStopsTheCommand)
{
    open(QStringLiteral("ACR4"));
    QLineEdit *ringType = box("txtACLRingType");
    typeInto(ringType, QStringLiteral("high"));
    answer();
    click(QStringLiteral("ACR5"));
    EXPECT_EQ(messageTexts(), strings({"Must be a number"})) << "said once";
    EXPECT_EQ(host.messageService.shownMessages().value(0).icon, QMessageBox::Warning);
    EXPECT_EQ(currentKey(), QStringLiteral("ACR4"));
    EXPECT_EQ(QApplication::focusWidget(), ringType);
    EXPECT_EQ(ringType->selectedText(), QStringLiteral("high"));
    EXPECT_EQ(box("txtACLName")->text(), QStringLiteral("Reception"));

    answer();
    window->tree()->setCurrentItem(node(QStringLiteral("ACR5")));
    EXPECT_EQ(currentKey(), QStringLiteral("ACR4"));
    answer();
    EXPECT_FALSE(window->commitEdits());
    answer();
    answer(QMessageBox::Cancel);
    EXPECT_FALSE(window->close());
    EXPECT_EQ(messageTexts().size(), 4) << "the refusal each time, and no close question";
    EXPECT_TRUE(host.written.isEmpty());

    typeInto(ringType, QStringLiteral("2"));
    click(QStringLiteral("ACR5"));
    EXPECT_EQ(currentKey(), QStringLiteral("ACR5"));
    EXPECT_EQ(config().ACL().GetInteger(FieldNames::RingType, 4), 2);
    EXPECT_EQ(messageTexts().size(), 4);
}

TEST_F(DocumentWindowTest, CopyPutsTheShownPortOrGroupInAFreeSlotListsItAndSaysWhere)
{
    open(QStringLiteral("VPR5"));
    answer();
    window->CopyRecord();
    EXPECT_EQ(node(QStringLiteral("VPR23"))->text(0), QStringLiteral("23 - New VP 23"));
    open(QStringLiteral("GPR2"));
    open(QStringLiteral("RGP"));
    answer();
    window->CopyRecord();
    EXPECT_EQ(fields(ExchClass::GroupsMember, 6, "Name GroupType"), QStringLiteral("New Group 6|1"))
        << "the group last shown";
    RecordClass &ports = config().VirtualPorts();
    for (int i = 0; i < ports.Records(); ++i)
        ports.SetBoolean(FieldNames::Flag, i, RecordSlots::FreeBit, false);
    open(QStringLiteral("VPR0"));
    answer();
    window->CopyRecord();
    open(QStringLiteral("ACR1"));
    window->CopyRecord();

    QStringList shown;
    for (const MessageService::Message &message : host.messageService.shownMessages())
        shown.append(message.title + QStringLiteral(": ") + message.text);
    EXPECT_EQ(shown,
              strings({"Copy Virtual Port: New Virtual Port copied to ID #23", "Copy Group: New Group copied to ID #6",
                       "Quillbridge: There are no free Virtual Ports"}))
        << "the ACL panel copies through the ACL generator";
    EXPECT_EQ(host.written, (Writes{{ExchClass::VirtualPortsMember, 23}, {ExchClass::GroupsMember, 6}}));
    EXPECT_EQ(host.aclGeneratorOpenings, (QList<std::pair<int, int>>{{exNum, 1}}));
}

TEST_F(DocumentWindowTest, OnlyAModifiedDocumentAsksToBeSavedAndTheAnswerClosesSavesUnderTheCaptionOrKeepsTheWindow)
{
    window->markUnmodified();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Document 1[*]"));
    EXPECT_TRUE(window->close()) << "nothing to ask about";
    window->show();
    modify();
    answer(QMessageBox::Cancel);
    EXPECT_FALSE(window->close());
    const MessageService::Message question = host.messageService.shownMessages().value(0);
    EXPECT_EQ(question.text, QStringLiteral("Do you want to save the changes you made to Document 1?"));
    EXPECT_EQ(question.icon, QMessageBox::Warning);
    EXPECT_EQ(question.buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    EXPECT_EQ(question.defaultButton, QMessageBox::Yes);
    answer(QMessageBox::No);
    EXPECT_TRUE(window->close());

    const QString named = host.path(QStringLiteral("site.QBF"));
    window->setCaption(named);
    window->show();
    answer(QMessageBox::Yes);
    EXPECT_TRUE(window->close());
    ExchClass reloaded;
    ConfigFile file;
    ASSERT_TRUE(file.load(reloaded, named)) << file.errorString().toStdString();
    EXPECT_TRUE(reloaded == config());
    EXPECT_TRUE(host.fileDialogService.requests().isEmpty());
    EXPECT_FALSE(window->isWindowModified());
}

TEST_F(DocumentWindowTest, WritesTheExchangeHasNotConfirmedHoldTheWindowUntilTheEngineerClosesAnyway)
{
    window->markUnmodified();
    host.queue.writeRecord(config(), ExchClass::VirtualPortsMember, 5);
    host.queue.writeRecord(config(), ExchClass::VirtualPortsMember, 6);
    answer(QMessageBox::Cancel);
    EXPECT_FALSE(window->close());
    MessageService::Message shown = host.messageService.shownMessages().value(0);
    EXPECT_EQ(shown.text, QStringLiteral("2 changes to this document are still waiting for the exchange."));
    EXPECT_EQ(shown.buttons, QMessageBox::Cancel | QMessageBox::Discard);
    EXPECT_EQ(shown.defaultButton, QMessageBox::Cancel);
    EXPECT_EQ(shown.buttonTexts,
              (MessageService::ButtonTexts{{QMessageBox::Cancel, QStringLiteral("Wait")},
                                           {QMessageBox::Discard, QStringLiteral("Close Anyway")}}));

    // No echo comes: the first write fails, and the one behind it with it.
    host.simulatedTimers.advance(10000);
    answer(QMessageBox::Retry);
    EXPECT_FALSE(window->close());
    shown = host.messageService.shownMessages().value(1);
    EXPECT_EQ(shown.text, QStringLiteral("2 changes to this document were not confirmed by the exchange."));
    EXPECT_EQ(shown.buttons, QMessageBox::Cancel | QMessageBox::Retry | QMessageBox::Discard);
    EXPECT_EQ(host.queue.count(RecordWriteQueue::State::Waiting, &config()), 2) << "sent again";

    answer(QMessageBox::Discard);
    EXPECT_TRUE(window->close());
    EXPECT_EQ(messageTexts().size(), 3);
    EXPECT_EQ(host.queue.count(RecordWriteQueue::State::Waiting), 0) << "the document's writes are dropped";
}

TEST_F(DocumentWindowTest, AnUntitledDocumentAsksForANameOnCloseAndAFailedSaveKeepsTheWindowOpenAndSaysWhy)
{
    modify();
    answer(QMessageBox::Yes);
    host.fileDialogService.setNextFileName(QString());
    EXPECT_FALSE(window->close());
    EXPECT_EQ(window->caption(), QStringLiteral("Document 1"));
    answer(QMessageBox::Yes);
    answer();
    host.fileDialogService.setNextFileName(host.path(QStringLiteral("missing/new.QBF")));
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(messageTexts().last().startsWith(QStringLiteral("Cannot save")));
    EXPECT_TRUE(host.recentFiles.isEmpty());

    window->setCaption(host.path(QStringLiteral("missing/site.QBF")));
    answer(QMessageBox::Yes);
    answer();
    EXPECT_FALSE(window->close());
    EXPECT_EQ(messageTexts().size(), 5);

    window->setCaption(QStringLiteral("Document 1"));
    const QString untitled = host.path(QStringLiteral("new.QBF"));
    answer(QMessageBox::Yes);
    host.fileDialogService.setNextFileName(untitled);
    EXPECT_TRUE(window->close());
    const FileDialogService::Request request = host.fileDialogService.requests().last();
    EXPECT_EQ(request.kind, FileDialogService::Kind::Save);
    EXPECT_EQ(request.title + QLatin1Char('|') + request.filter,
              QStringLiteral("Save|Quillbridge Files (*.QBF)|*.QBF|All Files (*.*)|*.*"));
    EXPECT_EQ(window->caption(), untitled);
    EXPECT_TRUE(QFile::exists(untitled));
    EXPECT_EQ(host.recentFiles, QStringList{untitled}) << "only a name asked for joins the list";
}

} // namespace
