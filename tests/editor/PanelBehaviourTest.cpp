#include "DocumentFixture.h"

#include "ExchClass.h"
#include "FieldDef.h"
#include "FieldLimits.h"
#include "FieldNames.h"
#include "RecordSlots.h"
#include "TableTree.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTreeWidgetItem>

#include <ostream>

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
    // The structure and record a node shows.
    std::pair<RecordClass *, int> recordOf(const QString &key)
    {
        const std::pair<const char *, ExchClass::Member> prefixes[] = {
            {"RRR", ExchClass::SystemMember}, {"VPR", ExchClass::VirtualPortsMember}, {"ACR", ExchClass::ACLMember},
            {"GPR", ExchClass::GroupsMember}, {"TOR", ExchClass::TonesMember}};
        for (const auto &[prefix, member] : prefixes) {
            if (key.startsWith(QLatin1String(prefix)))
                return {&config().member(member), key.mid(3).toInt()};
        }
        return {nullptr, 0};
    }
    // Types the value into a box, picks it from a list or clicks a check box, then leaves the control.
    void enterValue(QWidget *control, const char *value)
    {
        if (auto *list = qobject_cast<QComboBox *>(control)) {
            choose(list, QString::fromUtf8(value));
            leave(list);
        } else if (auto *tick = qobject_cast<QCheckBox *>(control)) {
            tick->click();
        } else {
            typeOver(static_cast<QLineEdit *>(control), QString::fromUtf8(value));
        }
    }
};

struct Shown
{
    const char *node;
    const char *controls;
    const char *texts;
};

void PrintTo(const Shown &shown, std::ostream *os)
{
    *os << shown.node;
}

const Shown SampleRecords[] = {
    {"RRR",
     "txtSYSName txtSYSPublicIDLen txtSYSPassCodeLen txtSYSExtLength cboSYSConferenceGain txtSYSFreqs0 txtSYSFreqs7 "
     "chkSYSCallLogFlag0 chkSYSCallLogFlag3 chkSYSCallLogFlag4 chkSYSCallLogFlag7",
     "Kestrel Marine Offices|4|4|3|-3 dB|350|860|on|on|off|off"},
    {"ACR5", "txtACLName txtACLPublicID txtACLPassCode txtACLRingType txtACLPriorityLevel chkACLFlag0 chkACLFlag1 chkACLFlag4",
     "Manager|1005|7305|2|7|on|off|on"},
    {"VPR5", "txtVPName cboVPACL cboVPGroup cboVPPickup cboVPTXGain chkVPEnabled",
     "Sales 1|6 - Staff|1 - Sales|3 - Office Pickup|0 dB|on"},
    {"VPR0", "txtVPDial txtVPPhysical", "0; 200; 81 4400|Ext 1 - Port 1"},
    {"VPR2", "cboVPGroup cboVPPickup", "8 - Night|<No Group>"},
    {"VPR20", "cboVPActionType txtVPActionExtra0", "Hot Line|200"},
    {"GPR1", "labGroupMember0 labGroupMember7 cboGroupMember0 txtGroupTime0 txtGPGroupNumbers", "1|8|5 - Sales 1|4|12"},
    {"TOR1", "txtToneName labTonePosn0 labTonePosn15 cboToneFreq0 chkToneAudible0 txtToneLen0 chkToneAudible1 "
             "cboToneFreq2 txtToneLen2",
     "ENGAGED|1|16|400|on|2|off|End|"},
};

class ShownRecord : public PanelBehaviour, public ::testing::WithParamInterface<Shown>
{
};

TEST_P(ShownRecord, APanelShowsItsRecordAsStored)
{
    open(QLatin1String(GetParam().node));
    EXPECT_EQ(shown(GetParam().controls), QString::fromUtf8(GetParam().texts));
}

INSTANTIATE_TEST_SUITE_P(Panels, ShownRecord, ::testing::ValuesIn(SampleRecords),
                         [](const ::testing::TestParamInfo<Shown> &info) {
                             return std::string(info.param.node);
                         });

// A value entered into a control and what its field then holds: a number,
// the digits or text, or 1 and 0 for a bit.
struct Choice
{
    const char *node;
    const char *control;
    const char *value;
    const char *field;
    int element;
    int bit;
    const char *stored;
};

void PrintTo(const Choice &choice, std::ostream *os)
{
    *os << choice.node << ' ' << choice.control << " \"" << choice.value << '"';
}

const Choice Choices[] = {
    {"RRR", "cboSYSConferenceGain", "-4 dB", "ConferenceGain", 0, -1, "7"},
    {"RRR", "chkSYSCallLogFlag6", "", "CallLogFlag", 0, 6, "1"},
    {"RRR", "chkSYSCallLogFlag0", "", "CallLogFlag", 0, 0, "0"},
    {"RRR", "txtSYSFreqs1", "480", "Freqs", 1, -1, "480"},
    {"ACR6", "txtACLPublicID", "20#", "PublicID", 0, -1, "20#"},
    {"ACR6", "txtACLPassCode", "*0", "PassCode", 0, -1, "*0"},
    {"ACR6", "txtACLRingType", "3", "RingType", 0, -1, "3"},
    {"ACR6", "chkACLFlag1", "", "Flag", 0, 1, "1"},
    {"ACR6", "chkACLFlag0", "", "Flag", 0, 0, "0"},
    {"VPR5", "txtVPName", "Front Desk", "Name", 0, -1, "Front Desk"},
    {"VPR5", "cboVPRXGain", "-6 dB", "RXGain", 0, -1, "9"},
    {"VPR5", "cboVPType", "Talkback", "Type", 0, -1, "4"},
    {"VPR5", "chkVPEnabled", "", "Flag", 0, 0, "0"},
    {"VPR5", "cboVPACL", "9 - Lobby", "ACLID", 0, -1, "9"},
    {"VPR2", "cboVPPickup", "4 - Yard Pickup", "PickupID", 0, -1, "4"},
    {"VPR2", "cboVPPickup", "4 - Yard Pickup", "Flag", 0, 3, "1"},
    {"VPR2", "cboVPGroup", "2 - Accounts", "GroupID", 0, -1, "2"},
    {"VPR2", "cboVPGroup", "2 - Accounts", "Flag", 0, 1, "1"},
    // No group clears the membership and keeps the group.
    {"VPR5", "cboVPGroup", "<No Group>", "Flag", 0, 1, "0"},
    {"VPR5", "cboVPGroup", "<No Group>", "GroupID", 0, -1, "1"},
    {"VPR5", "cboVPPickup", "<No Group>", "Flag", 0, 3, "0"},
    {"VPR5", "cboVPPickup", "<No Group>", "PickupID", 0, -1, "3"},
    {"VPR20", "cboVPActionType", "DISA", "ActionType", 0, -1, "6"},
    {"VPR20", "cboVPActionType", "DISA", "ActionExtra", 0, -1, "200"},
    {"GPR2", "cboGPGroupType", "Pickup", "GroupType", 0, -1, "4"},
    {"GPR2", "chkGPFlag1", "", "Flag", 0, 1, "1"},
    {"GPR2", "chkGPFlag0", "", "Flag", 0, 0, "0"},
    {"GPR2", "txtGroupTime0", "600", "TimeToNext", 0, -1, "2400"},
    {"GPR2", "cboGroupMember1", "20 - Lift Phone", "GroupMembers", 1, -1, "20"},
    {"TOR0", "txtToneLen0", "120", "Time", 0, -1, "120"},
};

class ChoiceStored : public PanelBehaviour, public ::testing::WithParamInterface<Choice>
{
};

TEST_P(ChoiceStored, AValueEnteredIsStoredInItsFieldAndMarksThePanelChanged)
{
    const Choice &row = GetParam();
    open(QLatin1String(row.node));
    enterValue(control<QWidget>(row.control), row.value);
    const auto [structure, index] = recordOf(QLatin1String(row.node));
    const qint16 type = FieldLimits::find(*structure, row.field).Type;
    const QByteArray stored = row.bit >= 0 ? QByteArray::number(structure->GetBoolean(row.field, index, row.bit, row.element))
        : type == FieldType::Digit         ? structure->GetDigit(row.field, index, row.element)
        : type == FieldType::String        ? structure->GetString(row.field, index)
                                           : QByteArray::number(structure->GetInteger(row.field, index, row.element));
    EXPECT_EQ(stored, QByteArray(row.stored));
    EXPECT_TRUE(window->isChanged(*TableTree::panelForKey(QLatin1String(row.node))));
    EXPECT_TRUE(messageTexts().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Panels, ChoiceStored, ::testing::ValuesIn(Choices),
                         [](const ::testing::TestParamInfo<Choice> &info) {
                             return std::string(info.param.control) + '_' + std::to_string(info.index);
                         });

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

void PrintTo(const Refusal &refusal, std::ostream *os)
{
    *os << refusal.control << " \"" << refusal.refused << '"';
}

const char *const NotLatin1 = "Must be Latin-1 characters: \"\u20ac\" cannot be stored";

const Refusal Refusals[] = {
    {"RRR", "txtSYSName", "Caf\u00e9 \u20ac", NotLatin1, "Caf\u00e9"},
    {"RRR", "txtSYSExtLength", "3a", "Must be a number", "4"},
    {"RRR", "txtSYSPublicIDLen", "260", "Must be a number from 0 to 255", "255"},
    {"RRR", "txtSYSFreqs5", "", "Must be a number", "445"},
    {"ACR4", "txtACLName", "\u20ac Desk", NotLatin1, "Front Desk"},
    {"ACR4", "txtACLPublicID", "12a4", "Must be at most 6 digits, each 0-9, * or #", "1234"},
    {"ACR4", "txtACLPassCode", "48-21", "Must be at most 6 digits, each 0-9, * or #", "*0#"},
    {"ACR4", "txtACLRingType", "high", "Must be a number", "3"},
    {"ACR4", "txtACLPriorityLevel", "256", "Must be a number from 0 to 255", "9"},
    {"VPR5", "txtVPName", "\u20ac Desk", NotLatin1, "Front Desk"},
    {"VPR5", "cboVPACL", "<Unknown ACL>", "Please select a valid ACL from the list", "9 - Lobby"},
    {"VPR20", "txtVPActionExtra0", "70000", "Must be a number from 0 to 65535", "65535"},
    {"VPR20", "txtVPActionExtra1", "abc", "Must be a number from 0 to 65535", "215"},
    {"VPR26", "txtVPActionExtra0", "12a", "Must be at most 4 digits, each 0-9, * or #", "*0#"},
    {"VPR26", "txtVPActionExtra1", "12345", "Must be at most 4 digits, each 0-9, * or #", "9"},
    {"GPR2", "txtGPName", "\u20ac Team", NotLatin1, "Accounts Team"},
    {"GPR2", "txtGroupTime0", "600.2", "Maximum time between group members = 600sec (10 mins)", "600"},
    {"GPR2", "txtGroupTime1", "soon", "Only a time in seconds to be entered here", "4"},
    {"GPR2", "cboGroupMember0", "", "Please Select Valid Virtual Port", "20 - Lift Phone"},
    {"TOR0", "txtToneLen0", "121", "Maximum 250ms time units = 120", "120"},
    {"TOR0", "txtToneLen1", "abc", "Only a time in 250ms units to be entered here", "7"},
};

class FieldRefusal : public PanelBehaviour, public ::testing::WithParamInterface<Refusal>
{
};

TEST_P(FieldRefusal, AValueTheFieldCannotHoldIsRefusedByItsRuleKeepsTheFocusAndWritesNothing)
{
    const Refusal &row = GetParam();
    open(QLatin1String(row.node));
    auto *control = DocumentFixture::control<QWidget>(row.control);
    ASSERT_NE(control, nullptr);
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

INSTANTIATE_TEST_SUITE_P(PanelFields, FieldRefusal, ::testing::ValuesIn(Refusals),
                         [](const ::testing::TestParamInfo<Refusal> &info) {
                             return std::string(info.param.control) + '_' + std::to_string(info.index);
                         });

// A panel showing one record of a structure, and another record of it.
struct RecordPanel
{
    const char *node;
    ExchClass::Member member;
    DocumentWindow::Panel panel;
    int shown;
    int other;
    const char *nameBox;
    const char *enabledBox;
    void (DocumentWindow::*fill)(int, const QByteArray &, bool);
    // Whether the other record's node takes the name it came with; an ACL's keeps its old name.
    bool renamesOther;
};

void PrintTo(const RecordPanel &panel, std::ostream *os)
{
    *os << panel.node;
}

const RecordPanel RecordPanels[] = {
    {"RRR", ExchClass::SystemMember, DocumentWindow::Panel::System, 0, -1, "txtSYSName", nullptr,
     &DocumentWindow::FillSystem, false},
    {"VPR5", ExchClass::VirtualPortsMember, DocumentWindow::Panel::VirtualPorts, 5, 20, "txtVPName", "chkVPEnabled",
     &DocumentWindow::FillVP, true},
    {"ACR4", ExchClass::ACLMember, DocumentWindow::Panel::ACL, 4, 6, "txtACLName", "chkACLFlag0",
     &DocumentWindow::FillACL, false},
    {"GPR2", ExchClass::GroupsMember, DocumentWindow::Panel::Groups, 2, 1, "txtGPName", "chkGPFlag0",
     &DocumentWindow::FillGroup, true},
};

class RecordPanelTest : public PanelBehaviour, public ::testing::WithParamInterface<RecordPanel>
{
protected:
    RecordClass &structure() { return config().member(GetParam().member); }
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
    RecordClass sent = structure();
    sent.SetString(FieldNames::Name, row.shown, "Harbour House");
    if (row.enabledBox)
        sent.SetBoolean(FieldNames::Flag, row.shown, RecordSlots::EnabledBit, false);

    (window.get()->*row.fill)(0, replyPacket(sent.RequestCode(), row.shown, sent.record(row.shown)), true);
    EXPECT_EQ(structure().record(row.shown), sent.record(row.shown));
    EXPECT_EQ(box(row.nameBox)->text(), QStringLiteral("Harbour House"));
    if (row.enabledBox)
        EXPECT_FALSE(control<QCheckBox>(row.enabledBox)->isChecked());
    EXPECT_FALSE(changed(row.panel));

    if (row.other >= 0) {
        sent.SetString(FieldNames::Name, row.other, "Quay Office");
        (window.get()->*row.fill)(0, replyPacket(sent.RequestCode(), row.other, sent.record(row.other)), true);
        EXPECT_EQ(structure().record(row.other), sent.record(row.other));
        if (row.renamesOther)
            EXPECT_EQ(node(QLatin1String(row.node).left(3) + QString::number(row.other))->text(0),
                      nodeText(row.other, "Quay Office"));
        EXPECT_EQ(box(row.nameBox)->text(), QStringLiteral("Harbour House"));
    }
    EXPECT_FALSE(changed(row.panel));
    EXPECT_TRUE(host.written.isEmpty());
}

TEST_P(RecordPanelTest, ANameIsStoredInSingleBytesNoLongerThanTheFieldAndRenamesTheNode)
{
    const RecordPanel &row = GetParam();
    open(QLatin1String(row.node));
    EXPECT_EQ(box(row.nameBox)->maxLength(), row.enabledBox ? 15 : 23);
    typeOver(box(row.nameBox), QString::fromLatin1("Caf\xe9 M\xfcller"));
    EXPECT_EQ(structure().GetString(FieldNames::Name, row.shown), QByteArray("Caf\xe9 M\xfcller"));
    EXPECT_TRUE(changed(row.panel));
    EXPECT_EQ(node(QLatin1String(row.node))->text(0), nodeText(row.shown, "Caf\xe9 M\xfcller"));

    typeOver(box(row.nameBox), QString());
    EXPECT_EQ(node(QLatin1String(row.node))->text(0), nodeText(row.shown, "<No Name>"));
}

INSTANTIATE_TEST_SUITE_P(Panels, RecordPanelTest, ::testing::ValuesIn(RecordPanels),
                         [](const ::testing::TestParamInfo<RecordPanel> &info) {
                             return std::string(info.param.node);
                         });

// Values a panel shows otherwise than stored, which a pass through its
// control must leave as they are.
struct Prepared
{
    const char *node;
    void (*prepare)(ExchClass &config);
};

void PrintTo(const Prepared &record, std::ostream *os)
{
    *os << record.node;
}

const Prepared PreparedRecords[] = {
    {"RRR", [](ExchClass &config) { config.System().SetString(FieldNames::Name, 0, "Caf\xe9 Bar"); }},
    {"ACR4", [](ExchClass &config) { config.ACL().SetString(FieldNames::Name, 4, "Caf\xe9 Bar"); }},
    {"VPR5",
     [](ExchClass &config) {
         config.VirtualPorts().SetString(FieldNames::Name, 5, "Caf\xe9 Bar");
         config.VirtualPorts().SetInteger(FieldNames::ACLID, 5, 13); // a disabled ACL
     }},
    {"VPR26", [](ExchClass &) {}},
    {"GPR2", [](ExchClass &config) { config.Groups().SetInteger(FieldNames::TimeToNext, 2, 1, 0); }},
    {"TOR0", [](ExchClass &config) { config.Tones().SetInteger(FieldNames::Level, 0, 7, 0); }},
    {"TOR7", [](ExchClass &) {}},
};

class PassingThrough : public PanelBehaviour, public ::testing::WithParamInterface<Prepared>
{
};

TEST_P(PassingThrough, EnteringAndLeavingEveryControlOfAFilledPanelWritesNothing)
{
    GetParam().prepare(config());
    window->GetConfiguration();
    open(QLatin1String(GetParam().node));
    const quint64 before = config().revision();
    QList<QWidget *> controls;
    for (QWidget *widget : window->findChildren<QWidget *>()) {
        if ((qobject_cast<QLineEdit *>(widget) || qobject_cast<QComboBox *>(widget) || qobject_cast<QCheckBox *>(widget))
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
    for (Panel panel : {Panel::VirtualPorts, Panel::ACL, Panel::System, Panel::Groups, Panel::Tones})
        EXPECT_FALSE(changed(panel));
}

INSTANTIATE_TEST_SUITE_P(Panels, PassingThrough, ::testing::ValuesIn(PreparedRecords),
                         [](const ::testing::TestParamInfo<Prepared> &info) {
                             return std::string(info.param.node);
                         });

} // namespace
