#include "DocumentFixture.h"
#include "ExchClass.h"
#include "FieldNames.h"
#include "RecordSlots.h"
#include "RecordWriteQueue.h"
#include "ReplyPacket.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QTreeWidget>

namespace {

using Panel = DocumentWindow::Panel;

class DocumentTree : public DocumentFixture
{
};

TEST_F(DocumentTree, NewWindowHasTheInitialBranchesAndEightHiddenFrames)
{
    TestDocumentHost otherHost;
    DocumentWindow fresh(otherHost);
    fresh.show();
    QTreeWidget *tree = fresh.tree();
    ASSERT_EQ(tree->topLevelItemCount(), 1);
    QTreeWidgetItem *root = tree->topLevelItem(0);
    EXPECT_EQ(root->text(0), QStringLiteral("Orvex"));
    QStringList texts;
    for (int i = 0; i < root->childCount(); ++i)
        texts.append(root->child(i)->data(0, Qt::UserRole).toString() + QLatin1Char(' ') + root->child(i)->text(0));
    EXPECT_EQ(texts, strings({"RVP Virtual Ports", "RGP Groups", "REV Ext To Virtual", "RPV Port To Virtual",
                                  "RAC ACL", "RCL Class List", "RAD Advanced", "RTO Tones"}));

    const QList<std::pair<const char *, const char *>> frames = {
        {"fmeSystem", "System Parameters"},
        {"fmeVP", "Virtual Ports"},
        {"fmeGroup", "Groups"},
        {"fmeACL", "Access Control List"},
        {"fmeExtToVP", "Dialled Number To VirtualPorts"},
        {"fmePhysical", "Physical Ports"},
        {"fmeClassList", "Class Names"},
        {"fmeTones", "Tones"},
    };
    for (const auto &[name, caption] : frames) {
        const auto *frame = fresh.findChild<QGroupBox *>(QLatin1String(name));
        ASSERT_NE(frame, nullptr) << name;
        EXPECT_EQ(frame->title(), QLatin1String(caption));
        EXPECT_FALSE(frame->isVisible()) << name;
    }
    for (Panel panel : {Panel::VirtualPorts, Panel::ACL, Panel::System, Panel::Groups, Panel::DialledNumbers,
                        Panel::PhysicalPorts, Panel::Tones, Panel::ClassList})
        EXPECT_FALSE(fresh.isPanelVisible(panel));
}

TEST_F(DocumentTree, RebuildListsRecordsInUseButNeverAclOrGroupRecordZero)
{
    ASSERT_FALSE(config().ACL().GetBoolean(FieldNames::Flag, 0, RecordSlots::FreeBit));
    ASSERT_FALSE(config().Groups().GetBoolean(FieldNames::Flag, 0, RecordSlots::FreeBit));

    EXPECT_EQ(childKeys(QStringLiteral("RRR")),
              strings({"RVP", "RGP", "REV", "RPV", "RAC", "RCL"}));
    const QStringList acls = childKeys(QStringLiteral("RAC"));
    EXPECT_FALSE(acls.contains(QStringLiteral("ACR0")));
    EXPECT_EQ(acls.first(), QStringLiteral("ACR1"));
    const QStringList groups = childKeys(QStringLiteral("RGP"));
    EXPECT_FALSE(groups.contains(QStringLiteral("GPR0")));
    EXPECT_EQ(groups.first(), QStringLiteral("GPR1"));

    const QStringList ports = childKeys(QStringLiteral("RVP"));
    EXPECT_EQ(ports.first(), QStringLiteral("VPR0"));
    EXPECT_FALSE(ports.contains(QStringLiteral("VPR23"))) << "a free slot is not listed";
    EXPECT_TRUE(ports.contains(QStringLiteral("VPR24")));

    const QTreeWidgetItem *port = node(QStringLiteral("VPR17"));
    ASSERT_NE(port, nullptr);
    EXPECT_EQ(port->text(0), QStringLiteral("17 - Warehouse"));
    EXPECT_EQ(port->data(0, Qt::UserRole + 1).toInt(), 17);
}

TEST_F(DocumentTree, RecordWithoutANameIsShownAsNoName)
{
    config().VirtualPorts().SetString(FieldNames::Name, 4, QByteArray());
    config().Groups().SetString(FieldNames::Name, 2, QByteArray());
    window->GetConfiguration();
    EXPECT_EQ(node(QStringLiteral("VPR4"))->text(0), QStringLiteral("4 - <No Name>"));
    EXPECT_EQ(node(QStringLiteral("GPR2"))->text(0), QStringLiteral("2 - <No Name>"));
}

TEST_F(DocumentTree, TonesBranchAppearsOnlyWhenViewTonesIsOne)
{
    EXPECT_EQ(node(QStringLiteral("RTO")), nullptr) << "unset means 0";

    host.setViewTones(2);
    window->GetConfiguration();
    EXPECT_EQ(node(QStringLiteral("RTO")), nullptr);

    host.setViewTones(1);
    window->GetConfiguration();
    ASSERT_NE(node(QStringLiteral("RTO")), nullptr);
    EXPECT_EQ(childKeys(QStringLiteral("RRR")).last(), QStringLiteral("RTO"));
    const QStringList tones = childKeys(QStringLiteral("RTO"));
    ASSERT_EQ(tones.size(), config().Tones().Records());
    EXPECT_EQ(tones.first(), QStringLiteral("TOR0"));
}

TEST_F(DocumentTree, ToneRecordsThatAreAllFreeGetTheDefaultTonesWhateverTheSetting)
{
    ExchClass defaults;
    defaults.BuildDefaultTones();
    RecordClass &tones = config().Tones();
    for (int i = 0; i < tones.Records(); ++i)
        tones.PutBlank(i);

    window->GetConfiguration();
    EXPECT_FALSE(tones.GetBoolean(FieldNames::Flag, 0, RecordSlots::FreeBit));
    EXPECT_EQ(tones.GetString(FieldNames::Name, 0), defaults.Tones().GetString(FieldNames::Name, 0));
    EXPECT_EQ(tones.record(1), defaults.Tones().record(1));

    host.setViewTones(1);
    window->GetConfiguration();
    EXPECT_EQ(childKeys(QStringLiteral("RTO")).size(), defaults.Tones().Records());
}

TEST_F(DocumentTree, ConfigurationWithoutToneRecordsKeepsNone)
{
    const int empty = host.table.NewSlot();
    window->setExNum(empty);
    window->GetConfiguration();
    EXPECT_EQ(host.configuration(empty).Tones().Records(), 0);
    EXPECT_EQ(keys(), strings({"RRR", "RVP", "RGP", "REV", "RPV", "RAC", "RCL"}));
}

TEST_F(DocumentTree, NodesShowWhatBecameOfTheirRecordsWritesAndBranchesTheWorst)
{
    const auto stateOf = [this](const char *key) {
        const QTreeWidgetItem *item = node(QLatin1String(key));
        EXPECT_NE(item, nullptr) << key;
        if (!item)
            return QString();
        EXPECT_EQ(item->icon(0).isNull(), item->toolTip(0).isEmpty()) << key;
        return item->toolTip(0);
    };
    const QString waiting = QStringLiteral("Waiting for the exchange");
    const QString confirmed = QStringLiteral("Confirmed by the exchange");
    const QString failed = QStringLiteral("Not confirmed by the exchange");
    RecordWriteQueue &queue = host.queue;
    RecordClass &ports = config().VirtualPorts();
    window->tree()->expandItem(node(QStringLiteral("RVP")));
    queue.writeRecord(config(), ExchClass::VirtualPortsMember, 5);
    queue.writeRecord(config(), ExchClass::VirtualPortsMember, 6);
    EXPECT_EQ(stateOf("VPR5"), waiting);
    EXPECT_EQ(stateOf("VPR7"), QString());

    queue.recordReply(ReplyPacket::make(ports.RequestCode(), 5, ports.record(5)));
    EXPECT_EQ(stateOf("VPR5"), confirmed);
    EXPECT_EQ(stateOf("VPR6"), waiting);
    EXPECT_EQ(stateOf("RVP"), waiting);

    queue.writeRecord(config(), ExchClass::SystemMember, 0);
    queue.writeRecord(config(), ExchClass::ACLMember, 0);
    ExchClass other;
    queue.writeRecord(other, ExchClass::ExtToVirtualMember, 0);
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
    window->tree()->expandItem(node(QStringLiteral("RVP")));
    EXPECT_EQ(stateOf("VPR5"), confirmed) << "rebuilt nodes";
    EXPECT_EQ(stateOf("VPR6"), failed);
    queue.retryFailed(&config());
    EXPECT_EQ(stateOf("RVP"), waiting);
}

TEST_F(DocumentTree, ARebuildKeepsTheOpenBranchesAndTheNodeOnShowWithoutMovingOn)
{
    click(QStringLiteral("VPR5"));
    QTreeWidget *tree = window->tree();
    QTreeWidgetItem *root = tree->topLevelItem(0);
    for (int i = 0; i < root->childCount(); ++i)
        root->child(i)->setExpanded(root->child(i)->text(0) == QStringLiteral("Virtual Ports"));
    window->setChanged(Panel::VirtualPorts, true);
    config().VirtualPorts().SetString(FieldNames::Name, 5, QByteArrayLiteral("Quay Office"));

    window->GetConfiguration();
    root = tree->topLevelItem(0);
    QStringList open;
    for (int i = 0; i < root->childCount(); ++i) {
        if (root->child(i)->isExpanded())
            open.append(root->child(i)->text(0));
    }
    EXPECT_EQ(open, strings({"Virtual Ports"}));
    ASSERT_NE(tree->currentItem(), nullptr);
    EXPECT_EQ(tree->currentItem()->text(0), QStringLiteral("5 - Quay Office"));
    EXPECT_EQ(window->findChild<QLineEdit *>(QStringLiteral("txtVPName"))->text(), QStringLiteral("Quay Office"));
    EXPECT_TRUE(window->isChanged(Panel::VirtualPorts)) << "nothing was sent";
    EXPECT_TRUE(host.sent.isEmpty());

    RecordSlots::release(config().VirtualPorts(), 5);
    window->GetConfiguration();
    EXPECT_EQ(tree->currentItem(), nullptr);
    EXPECT_FALSE(window->isPanelVisible(Panel::VirtualPorts));
}

} // namespace

TEST_F(DocumentTree, BranchListsItsRecordsWhenFirstOpenedWithTheirCurrentNames)
{
    QTreeWidget *tree = window->tree();
    QTreeWidgetItem *root = tree->topLevelItem(0);
    QTreeWidgetItem *virtualPorts = root->child(0);
    ASSERT_EQ(virtualPorts->data(0, Qt::UserRole).toString(), QStringLiteral("RVP"));
    EXPECT_EQ(virtualPorts->childCount(), 0);
    EXPECT_EQ(virtualPorts->childIndicatorPolicy(), QTreeWidgetItem::ShowIndicator);

    const int record = 1;
    ASSERT_FALSE(config().VirtualPorts().GetBoolean(FieldNames::Flag, record, RecordSlots::FreeBit));
    config().VirtualPorts().SetString(FieldNames::Name, record, QByteArrayLiteral("Renamed"));
    tree->expandItem(virtualPorts);

    ASSERT_GT(virtualPorts->childCount(), record);
    EXPECT_EQ(virtualPorts->child(record)->text(0), QStringLiteral("1 - Renamed"));
    EXPECT_EQ(virtualPorts->child(record)->data(0, Qt::UserRole).toString(), QStringLiteral("VPR1"));
}
