#include "support/gui/DocumentFixture.h"

#include "editor/DocumentEditor.h"
#include "editor/TableTree.h"
#include "model/FieldDef.h"

#include <QApplication>

namespace {

// The document with its tones in the tree, so every panel can be reached.
class PanelBehaviour : public DocumentFixture
{
protected:
    void SetUp() override
    {
        DocumentFixture::SetUp();
        host.setViewTones(1);
        window->GetConfiguration();
    }
    Panel panel() const { return *TableTree::panelForKey(currentKey()); }
    // The structure and record a node shows.
    std::pair<RecordClass *, int> recordOf(const QString &key)
    {
        return {&DocumentEditor::structureOf(config(), *TableTree::panelForKey(key)), key.mid(3).toInt()};
    }
};

// Names each instance by its node and place in the table.
template<typename Row>
std::string rowName(const ::testing::TestParamInfo<Row> &info)
{
    return std::string(info.param.node) + '_' + std::to_string(info.index);
}
// ... and prints it by its node, where the test's listing would show its bytes.
template<typename Row>
requires requires(const Row &row)
{
    row.node;
}
void PrintTo(const Row &row, std::ostream *os)
{
    *os << row.node;
}

struct Shown
{
    const char *node;
    const char *controls;
    const char *texts;
    void (*prepare)(ExchClass &config) = nullptr;
};

class ShownRecord : public PanelBehaviour, public ::testing::WithParamInterface<Shown>
{};

TEST_P(ShownRecord, APanelShowsItsRecordAsStored)
{
    if (GetParam().prepare) {
        GetParam().prepare(config());
        window->GetConfiguration();
    }
    open(QLatin1String(GetParam().node));
    EXPECT_EQ(shown(GetParam().controls), QString::fromUtf8(GetParam().texts));
}

// ACLs 1, 2, 3 and 11 are enabled but marked "No Display"; ACL 13 and group 7 are disabled.
INSTANTIATE_TEST_SUITE_P(
    Panels, ShownRecord,
    ::testing::Values(
        Shown{"RRR",
              "txtSYSName txtSYSPublicIDLen txtSYSPassCodeLen txtSYSExtLength cboSYSConferenceGain txtSYSFreqs0 "
              "txtSYSFreqs7 chkSYSCallLogFlag0 chkSYSCallLogFlag3 chkSYSCallLogFlag4 chkSYSCallLogFlag7",
              "Kestrel Marine Offices|4|4|3|-3 dB|350|860|on|on|off|off"},
        Shown{"ACR5",
              "txtACLName txtACLPublicID txtACLPassCode txtACLRingType txtACLPriorityLevel chkACLFlag0 chkACLFlag1 "
              "chkACLFlag4",
              "Manager|1005|7305|2|7|on|off|on"},
        Shown{"ACR6", "lstACLClassAccess*", "General,Management,Sales,Accounts,Warehouse,Tie Lines,Paging,Guests"},
        Shown{"VPR5", "txtVPName cboVPACL cboVPGroup cboVPPickup cboVPTXGain chkVPEnabled",
              "Sales 1|6 - Staff|1 - Sales|3 - Office Pickup|0 dB|on"},
        Shown{"VPR0", "txtVPDial txtVPPhysical", "0; 200; 81 4400|Ext 1 - Port 1"},
        Shown{"VPR2", "cboVPGroup cboVPPickup", "8 - Night|<No Group>"},
        Shown{"VPR20", "cboVPActionType txtVPActionExtra0", "Hot Line|200"},
        Shown{"VPR5", "cboVPACL*",
              "<Unknown ACL>,4 - Reception,5 - Manager,6 - Staff,7 - Warehouse,8 - Guest,9 - Lobby,10 - Night Service"},
        Shown{"VPR5", "cboVPACL cboVPGroup", "4 - Reception|<No Group>",
              [](ExchClass &config) {
                  config.VirtualPorts().SetInteger(FieldNames::ACLID, 5, 13);
                  config.VirtualPorts().SetBoolean(FieldNames::Flag, 5, 1, false); // in group
              }},
        // Groups past twenty are never offered.
        Shown{"VPR5", "cboVPGroup* cboVPPickup*",
              "<No Group>,0 - Operators,1 - Sales,2 - Accounts,5 - Yard,8 - Night,19 - Sales,20 - Sales|"
              "<No Group>,3 - Office Pickup,4 - Yard Pickup",
              [](ExchClass &config) {
                  config.Groups().PutBlank(21);
                  for (int group : {19, 20, 21})
                      config.Groups().CopyRecord(1, group);
              }},
        Shown{"GPR1", "labGroupMember0 labGroupMember7 cboGroupMember0 txtGroupTime0 txtGPGroupNumbers",
              "1|8|5 - Sales 1|4|12"},
        Shown{"TOR1",
              "txtToneName labTonePosn0 labTonePosn15 cboToneFreq0 chkToneAudible0 txtToneLen0 chkToneAudible1 "
              "cboToneFreq2 txtToneLen2",
              "ENGAGED|1|16|400|on|2|off|End|"}),
    rowName<Shown>);

// A value entered into a control and what its fields then hold.
struct Choice
{
    const char *node;
    const char *control;
    const char *value;
    const char *fields;
    const char *stored;
};

class ChoiceStored : public PanelBehaviour, public ::testing::WithParamInterface<Choice>
{};

TEST_P(ChoiceStored, AValueEnteredIsStoredInItsFieldAndMarksThePanelChanged)
{
    const Choice &row = GetParam();
    open(QLatin1String(row.node));
    enterValue(control<QWidget>(row.control), row.value);
    const auto [structure, index] = recordOf(QLatin1String(row.node));
    EXPECT_EQ(fieldsOf(*structure, index, row.fields), QString::fromUtf8(row.stored));
    EXPECT_TRUE(changed(panel()));
    EXPECT_TRUE(messageTexts().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Panels, ChoiceStored,
    ::testing::Values(
        Choice{"RRR", "cboSYSConferenceGain", "-4 dB", "ConferenceGain", "7"},
        Choice{"RRR", "chkSYSCallLogFlag6", "", "CallLogFlag.6", "1"},
        Choice{"RRR", "txtSYSFreqs1", "480", "Freqs[1]", "480"},
        Choice{"ACR6", "txtACLPublicID", "20#", "PublicID", "20#"},
        Choice{"ACR6", "txtACLPassCode", "*0", "PassCode", "*0"},
        Choice{"ACR6", "txtACLRingType", "3", "RingType", "3"}, Choice{"ACR6", "chkACLFlag1", "", "Flag.1", "1"},
        Choice{"ACR6", "chkACLFlag0", "", "Flag.0", "0"},
        Choice{"ACR6", "lstACLClassAccess", "Guests", "ClassAccess[1].0", "1"},
        Choice{"ACR6", "lstACLSetAccess", "General", "SetAccess[0].0", "1"},
        Choice{"ACR4", "lstACLRights", "Do Not Disturb", "Rights[1].4", "1"},
        Choice{"VPR5", "txtVPName", "Front Desk", "Name", "Front Desk"},
        Choice{"VPR5", "cboVPRXGain", "-6 dB", "RXGain", "9"}, Choice{"VPR5", "cboVPType", "Talkback", "Type", "4"},
        Choice{"VPR5", "chkVPEnabled", "", "Flag.0", "0"}, Choice{"VPR5", "cboVPACL", "9 - Lobby", "ACLID", "9"},
        Choice{"VPR5", "lstVPClassCode", "Guests", "ClassCode[1].0", "1"},
        Choice{"VPR5", "lstVPOptions", "T&T Capsat\u00AE Fleet", "ActionFlag.6", "1"},
        Choice{"VPR2", "cboVPPickup", "4 - Yard Pickup", "PickupID Flag.3", "4|1"},
        Choice{"VPR2", "cboVPGroup", "2 - Accounts", "GroupID Flag.1", "2|1"},
        // No group clears the membership and keeps the group.
        Choice{"VPR5", "cboVPGroup", "<No Group>", "GroupID Flag.1", "1|0"},
        Choice{"VPR5", "cboVPPickup", "<No Group>", "PickupID Flag.3", "3|0"},
        Choice{"VPR20", "cboVPActionType", "DISA", "ActionType ActionExtra", "6|200"},
        Choice{"GPR2", "cboGPGroupType", "Pickup", "GroupType", "4"}, Choice{"GPR2", "chkGPFlag1", "", "Flag.1", "1"},
        Choice{"GPR2", "chkGPFlag0", "", "Flag.0", "0"},
        Choice{"GPR2", "txtGroupTime0", "600", "TimeToNext[0]", "2400"},
        Choice{"GPR2", "cboGroupMember1", "20 - Lift Phone", "GroupMembers[1]", "20"},
        Choice{"TOR0", "txtToneLen0", "120", "Time[0]", "120"}),
    rowName<Choice>);

// A value typed into a box or chosen from a list of a record's panel, the
// message that refuses it, and a value the same control then takes.
struct Refusal
{
    const char *node;
    const char *control;
    const char *refused; // UTF-8
    const char *message; // UTF-8
    const char *accepted;
};

const char *const NotLatin1 = "Must be Latin-1 characters: \"\u20ac\" cannot be stored";

class FieldRefusal : public PanelBehaviour, public ::testing::WithParamInterface<Refusal>
{};

TEST_P(FieldRefusal, AValueTheFieldCannotHoldIsRefusedByItsRuleKeepsTheFocusAndWritesNothing)
{
    const Refusal &row = GetParam();
    open(QLatin1String(row.node));
    auto *control = DocumentFixture::control<QWidget>(row.control);
    const quint64 before = config().revision();
    answer();
    enterValue(control, row.refused);
    EXPECT_EQ(messageTexts(), QStringList{QString::fromUtf8(row.message)});
    EXPECT_EQ(QApplication::focusWidget(), control);
    EXPECT_EQ(config().revision(), before);
    enterValue(control, row.accepted);
    EXPECT_EQ(messageTexts().size(), 1);
    EXPECT_NE(QApplication::focusWidget(), control);
    EXPECT_NE(config().revision(), before);
}

INSTANTIATE_TEST_SUITE_P(
    PanelFields, FieldRefusal,
    ::testing::Values(
        Refusal{"RRR", "txtSYSName", "Caf\u00e9 \u20ac", NotLatin1, "Caf\u00e9"},
        Refusal{"RRR", "txtSYSExtLength", "3a", "Must be a number", "4"},
        Refusal{"RRR", "txtSYSFreqs5", "", "Must be a number", "445"},
        Refusal{"ACR4", "txtACLName", "\u20ac Desk", NotLatin1, "Front Desk"},
        Refusal{"ACR4", "txtACLPublicID", "12a4", "Must be at most 6 digits, each 0-9, * or #", "1234"},
        Refusal{"ACR4", "txtACLPassCode", "48-21", "Must be at most 6 digits, each 0-9, * or #", "*0#"},
        Refusal{"ACR4", "txtACLPriorityLevel", "256", "Must be a number from 0 to 255", "255"},
        Refusal{"VPR5", "txtVPName", "\u20ac Desk", NotLatin1, "Front Desk"},
        Refusal{"VPR5", "cboVPACL", "<Unknown ACL>", "Please select a valid ACL from the list", "9 - Lobby"},
        Refusal{"VPR20", "txtVPActionExtra0", "70000", "Must be a number from 0 to 65535", "65535"},
        Refusal{"VPR20", "txtVPActionExtra1", "abc", "Must be a number from 0 to 65535", "215"},
        Refusal{"VPR26", "txtVPActionExtra0", "12a", "Must be at most 4 digits, each 0-9, * or #", "*0#"},
        Refusal{"VPR26", "txtVPActionExtra1", "12345", "Must be at most 4 digits, each 0-9, * or #", "9"},
        Refusal{"GPR2", "txtGPName", "\u20ac Team", NotLatin1, "Accounts Team"},
        Refusal{"GPR2", "txtGroupTime0", "600.2", "Maximum time between group members = 600sec (10 mins)", "600"},
        Refusal{"GPR2", "txtGroupTime1", "soon", "Only a time in seconds to be entered here", "4"},
        Refusal{"GPR2", "cboGroupMember0", "", "Please Select Valid Virtual Port", "20 - Lift Phone"},
        Refusal{"TOR0", "txtToneLen0", "121", "Maximum 250ms time units = 120", "120"},
        Refusal{"TOR0", "txtToneLen1", "abc", "Only a time in 250ms units to be entered here", "7"}),
    rowName<Refusal>);

// A panel showing one record of a structure, another record of it, and how the panel fills from a packet.
struct RecordPanel
{
    const char *node;
    int other;
    const char *nameBox;
    const char *enabledBox;
    void (DocumentWindow::*fill)(int, const QByteArray &, bool);
};

class RecordPanelTest : public PanelBehaviour, public ::testing::WithParamInterface<RecordPanel>
{
protected:
    QString nodeText(int index, const char *name) const
    {
        return GetParam().enabledBox ? QStringLiteral("%1 - %2").arg(index).arg(QLatin1String(name))
                                     : QStringLiteral("Orvex");
    }
};

TEST_P(RecordPanelTest, ARecordFromTheExchangeIsStoredShownOnlyWhenOnShowAndMarksNothingChanged)
{
    const RecordPanel &row = GetParam();
    open(QLatin1String(row.node));
    const auto [structure, shownIndex] = recordOf(QLatin1String(row.node));
    RecordClass sent = *structure;
    sent.SetString(FieldNames::Name, shownIndex, "Harbour House");
    if (row.enabledBox)
        sent.SetBoolean(FieldNames::Flag, shownIndex, RecordSlots::EnabledBit, false);
    (window.get()->*row.fill)(0, replyPacket(sent.RequestCode(), shownIndex, sent.record(shownIndex)), true);
    EXPECT_EQ(structure->record(shownIndex), sent.record(shownIndex));
    if (row.enabledBox) {
        EXPECT_EQ(shown(row.enabledBox), QStringLiteral("off"));
    }
    EXPECT_EQ(box(row.nameBox)->text(), QStringLiteral("Harbour House"));
    if (row.other >= 0) {
        sent.SetString(FieldNames::Name, row.other, "Quay Office");
        (window.get()->*row.fill)(0, replyPacket(sent.RequestCode(), row.other, sent.record(row.other)), true);
        EXPECT_EQ(structure->record(row.other), sent.record(row.other));
        EXPECT_EQ(node(currentKey().left(3) + QString::number(row.other))->text(0), nodeText(row.other, "Quay Office"));
        EXPECT_EQ(box(row.nameBox)->text(), QStringLiteral("Harbour House"));
    }
    EXPECT_FALSE(changed(panel()));
    EXPECT_TRUE(host.written.isEmpty());
}

TEST_P(RecordPanelTest, ANameIsStoredInSingleBytesNoLongerThanTheFieldAndRenamesTheNode)
{
    const RecordPanel &row = GetParam();
    open(QLatin1String(row.node));
    const auto [structure, shownIndex] = recordOf(QLatin1String(row.node));
    EXPECT_EQ(box(row.nameBox)->maxLength(), row.enabledBox ? 15 : 23);
    typeOver(box(row.nameBox), QString::fromLatin1("Caf\xe9 M\xfcller"));
    EXPECT_EQ(structure->GetString(FieldNames::Name, shownIndex), QByteArray("Caf\xe9 M\xfcller"));
    EXPECT_EQ(node(QLatin1String(row.node))->text(0), nodeText(shownIndex, "Caf\xe9 M\xfcller"));
    typeOver(box(row.nameBox), QString());
    EXPECT_EQ(node(QLatin1String(row.node))->text(0), nodeText(shownIndex, "<No Name>"));
}

INSTANTIATE_TEST_SUITE_P(
    Panels, RecordPanelTest,
    ::testing::Values(RecordPanel{"RRR", -1, "txtSYSName", nullptr, &DocumentWindow::FillSystem},
                      RecordPanel{"VPR5", 20, "txtVPName", "chkVPEnabled", &DocumentWindow::FillVP},
                      RecordPanel{"ACR4", 6, "txtACLName", "chkACLFlag0", &DocumentWindow::FillACL},
                      RecordPanel{"GPR2", 1, "txtGPName", "chkGPFlag0", &DocumentWindow::FillGroup}),
    rowName<RecordPanel>);

// A record shown otherwise than stored, which a pass through its panel's controls must leave as it is.
struct Prepared
{
    const char *node;
    void (*prepare)(ExchClass &config);
};

class PassingThrough : public PanelBehaviour, public ::testing::WithParamInterface<Prepared>
{};

TEST_P(PassingThrough, EnteringAndLeavingEveryControlOfAFilledPanelWritesNothing)
{
    GetParam().prepare(config());
    window->GetConfiguration();
    open(QLatin1String(GetParam().node));
    const quint64 before = config().revision();
    QList<QWidget *> controls;
    for (QWidget *widget : window->findChildren<QWidget *>()) {
        if ((qobject_cast<QLineEdit *>(widget) || qobject_cast<QComboBox *>(widget)
             || qobject_cast<QCheckBox *>(widget))
            && widget->isVisible() && widget->isEnabled() && widget->focusPolicy() != Qt::NoFocus)
            controls.append(widget);
    }
    EXPECT_GT(controls.size(), 3);
    for (QWidget *control : controls) {
        enter(control);
        leave(control);
    }
    EXPECT_EQ(config().revision(), before);
    EXPECT_TRUE(messageTexts().isEmpty());
    EXPECT_TRUE(host.written.isEmpty());
    EXPECT_FALSE(changed(panel()));
}

INSTANTIATE_TEST_SUITE_P(
    Panels, PassingThrough,
    ::testing::Values(
        Prepared{"RRR", [](ExchClass &config) { config.System().SetString(FieldNames::Name, 0, "Caf\xe9 Bar"); }},
        Prepared{"ACR4", [](ExchClass &config) { config.ACL().SetString(FieldNames::Name, 4, "Caf\xe9 Bar"); }},
        Prepared{"VPR5",
                 [](ExchClass &config) {
                     config.VirtualPorts().SetString(FieldNames::Name, 5, "Caf\xe9 Bar");
                     config.VirtualPorts().SetInteger(FieldNames::ACLID, 5, 13); // a disabled ACL
                 }},
        Prepared{"VPR20", [](ExchClass &) {}}, Prepared{"VPR26", [](ExchClass &) {}},
        Prepared{"VPR27", [](ExchClass &) {}},
        Prepared{"GPR2", [](ExchClass &config) { config.Groups().SetInteger(FieldNames::TimeToNext, 2, 1, 0); }},
        Prepared{"TOR0", [](ExchClass &config) { config.Tones().SetInteger(FieldNames::Level, 0, 7, 0); }}),
    rowName<Prepared>);

} // namespace
