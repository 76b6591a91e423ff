#include "support/gui/DocumentFixture.h"

#include "editor/widgets/BitCheckList.h"
#include "editor/widgets/GroupPanel.h"
#include "editor/widgets/VirtualPortPanel.h"
#include "model/FieldDef.h"
#include "simulator/sample/StructureDefinition.h"

#include <QScrollBar>

namespace {

// Sample records: ACL 5 "Manager" has right 12, "Do Not Disturb"; virtual port 5
// "Sales 1" is in group 1 "Sales" and pickup group 3, port 20 "Lift Phone" is a
// hot line to 200; group 1 has members 1 to 12 with member 10 unticked, four
// seconds each and ten before the last; group 2 "Accounts" has members 1 and 2.
constexpr int DoNotDisturb = 12;
constexpr int SalesPort = 5;
constexpr int LiftPhone = 20;
constexpr int SalesGroup = 1;
constexpr int AccountsGroup = 2;
constexpr int Dial = 0;
constexpr int OnHold = 3;

// The document with its tones in the tree.
class PanelTest : public DocumentFixture
{
protected:
    void SetUp() override
    {
        DocumentFixture::SetUp();
        host.setViewTones(1);
        window->GetConfiguration();
    }
    template<typename T = QLineEdit>
    T *numbered(const char *prefix, int row) const
    {
        return control<T>(QLatin1String(prefix) + QString::number(row));
    }

    // Groups: what a column of the eight rows on show holds.
    QScrollBar *scrollBar() const { return control<QScrollBar>("srlGroupMembers"); }
    QString column(const char *prefix) const
    {
        QByteArray names;
        for (int row = 0; row < 8; ++row)
            names += prefix + QByteArray::number(row) + ' ';
        return shown(names.constData());
    }
    // Page Down on the focused scroll bar: four members on.
    void pageDown()
    {
        enter(scrollBar());
        QTest::keyClick(scrollBar(), Qt::Key_PageDown);
    }

    // Tones: tone, time and level of step k.
    QString step(int record, int k)
    {
        return fields(ExchClass::TonesMember, record,
                      QStringLiteral("Tone[%1] Time[%1] Level[%1]").arg(k).toLatin1().constData());
    }
    void setStep(int record, int k, int tone, int time, int level)
    {
        config().Tones().SetInteger(FieldNames::Tone, record, tone, k);
        config().Tones().SetInteger(FieldNames::Time, record, time, k);
        config().Tones().SetInteger(FieldNames::Level, record, level, k);
    }
    void chooseFrequency(int row, const char *text) { enterValue(numbered<QComboBox>("cboToneFreq", row), text); }
    // Whether each of the frequency, length and audible controls of a row is enabled.
    QString enabled(int row) const
    {
        return QStringLiteral("%1%2%3")
            .arg(numbered<QComboBox>("cboToneFreq", row)->isEnabled())
            .arg(numbered("txtToneLen", row)->isEnabled())
            .arg(numbered<QCheckBox>("chkToneAudible", row)->isEnabled());
    }
};

TEST_F(PanelTest, SystemFrequencyBoxesPastTheFieldsElementsStayEmptyAndWriteNothing)
{
    // An exchange whose system record holds three frequencies.
    RecordClass &system = config().System();
    system.BuildStructure(StructureDefinition(6, "SYSTEM", 1)
                              .field("Name", FieldType::String, 1, 24)
                              .field("ExtLength", FieldType::Integer, 1)
                              .field("PassCodeLen", FieldType::Integer, 1)
                              .field("PublicIDLen", FieldType::Integer, 1)
                              .field("Freqs", FieldType::Integer, 2, 3)
                              .field("ConferenceGain", FieldType::Integer, 1)
                              .field("CallLogFlag", FieldType::Boolean, 1)
                              .field("NULL", FieldType::ReadOnlyInteger, 1, 4)
                              .packet());
    system.PutBlank(0);
    for (int k = 0; k < 3; ++k)
        system.SetInteger(FieldNames::Freqs, 0, 400 + k, k);
    open(QStringLiteral("RRR"));
    EXPECT_EQ(shown("txtSYSFreqs2 txtSYSFreqs3 txtSYSFreqs7"), QStringLiteral("402||"));
    EXPECT_FALSE(numbered("txtSYSFreqs", 3)->isEnabled());
    typeOver(numbered("txtSYSFreqs", 1), QStringLiteral("480"));
    EXPECT_EQ(fields(ExchClass::SystemMember, 0, "Freqs[1] ConferenceGain"), QStringLiteral("480|255"))
        << "the field after Freqs is untouched";
}

TEST_F(PanelTest, AclRightsComeFromTheRightsStructureInTheirOrderAndAreTickedAsStored)
{
    open(QStringLiteral("ACR5"));
    auto *rights = control<BitCheckList>("lstACLRights");
    EXPECT_TRUE(rights->isTicked(DoNotDisturb));
    EXPECT_FALSE(rights->isTicked(11));
    EXPECT_TRUE(control<BitCheckList>("lstACLSetAccess")->isTicked(3));
    const QList<BitEntry> entries = rights->entries();
    ASSERT_EQ(entries.size(), 33);
    EXPECT_EQ(entries.at(12), (BitEntry{QStringLiteral("Do Not Disturb"), DoNotDisturb}));
    EXPECT_EQ(entries.last(), (BitEntry{QStringLiteral("Inhibit Intrude"), 48}));

    // The sample's rights hold bits 0 to 63.
    config().Rights().BuildStructure(
        StructureDefinition(ExchClass::info(ExchClass::RightsMember).definitionId, "RIGHTS", 0)
            .field("Park", FieldType::Boolean, 0, 13)
            .field("Far Right", FieldType::Boolean, 0, 64)
            .packet());
    window->BuildRights(QByteArray());
    EXPECT_TRUE(rights->itemForPosition(13)->flags() & Qt::ItemIsEnabled);
    EXPECT_FALSE(rights->itemForPosition(64)->flags() & Qt::ItemIsEnabled);

    config().member(ExchClass::RightsMember) = RecordClass(&host.log);
    window->GetConfiguration();
    open(QStringLiteral("ACR4"));
    EXPECT_EQ(rights->count(), 0) << "without a rights definition";
    EXPECT_FALSE(changed(Panel::ACL));
}

TEST_F(PanelTest, AclRecordBlankDeletesTheAclOnlyOnceConfirmedAndTakesItOutOfTheTree)
{
    open(QStringLiteral("ACR5"));
    const QByteArray before = config().ACL().record(5);
    auto *blank = control<QCheckBox>("chkACLFlag7");
    answer(QMessageBox::No);
    blank->click();
    const MessageService::Message asked = host.messageService.shownMessages().value(0);
    EXPECT_EQ(asked.text,
              QStringLiteral("Delete ACL 5 (Manager)? Its record will be freed. "
                             "1 virtual port has it as its default ACL."));
    EXPECT_EQ(asked.buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(asked.defaultButton, QMessageBox::No);
    EXPECT_FALSE(blank->isChecked());
    EXPECT_EQ(config().ACL().record(5), before);
    EXPECT_TRUE(host.written.isEmpty());

    answer(QMessageBox::Yes);
    blank->click();
    EXPECT_TRUE(RecordSlots::isFree(config().ACL(), 5));
    EXPECT_FALSE(config().ACL().GetRecordUsed(5));
    EXPECT_EQ(node(QStringLiteral("ACR5")), nullptr);
    EXPECT_EQ(host.written, (Writes{{ExchClass::ACLMember, 5}}));
}

TEST_F(PanelTest, PortClassesStayTickedWhenTheClassesChangeAndChoosingTheGroupOnShowWritesNothing)
{
    for (const char *port : {"VPR0", "VPR5"}) {
        open(QLatin1String(port));
        control<VirtualPortPanel>("fmeVP")->setClassEntries(
            {{QStringLiteral("General"), 0}, {QStringLiteral("Old Class"), 9}});
        EXPECT_EQ(shown("lstVPClassCode"), QStringLiteral("General")) << port;
    }
    const QByteArray before = config().VirtualPorts().record(SalesPort);
    choose(control<QComboBox>("cboVPGroup"), QStringLiteral("1 - Sales"));
    EXPECT_EQ(config().VirtualPorts().record(SalesPort), before);
    EXPECT_FALSE(changed(Panel::VirtualPorts));
    EXPECT_TRUE(box("txtVPDial")->isReadOnly());
    EXPECT_EQ(box("txtVPDial")->palette().color(QPalette::Base), box("txtVPDial")->palette().color(QPalette::Window));
}

TEST_F(PanelTest, WithNoAclToOfferThePortsAclListMayBeLeft)
{
    for (int i = 0; i < config().ACL().Records(); ++i)
        config().ACL().SetBoolean(FieldNames::Flag, i, 0, false);
    open(QStringLiteral("VPR2"));
    EXPECT_EQ(shown("cboVPACL*"), QStringLiteral("<Unknown ACL>"));
    enter(control<QComboBox>("cboVPACL"));
    leave(control<QComboBox>("cboVPACL"));
    EXPECT_TRUE(messageTexts().isEmpty());
    EXPECT_FALSE(control<QComboBox>("cboVPACL")->hasFocus());
}

TEST_F(PanelTest, SwitchingAPortFromHotLineToDisaKeepsTheStoredExtrasAndShowsThemAsDigits)
{
    open(QStringLiteral("VPR20"));
    // The same bytes read as digits: 200 is 0x00C8, "#" and "8".
    choose(control<QComboBox>("cboVPActionType"), QStringLiteral("DISA"));
    EXPECT_EQ(box("txtVPActionExtra0")->text(), QStringLiteral("#8"));
    enter(box("txtVPActionExtra0"));
    leave(box("txtVPActionExtra0"));
    EXPECT_EQ(config().VirtualPorts().GetInteger(FieldNames::ActionExtra, LiftPhone, 0), 200);

    typeOver(box("txtVPActionExtra0"), QStringLiteral("*0#"));
    typeOver(box("txtVPActionExtra1"), QStringLiteral(" 007 "));
    EXPECT_EQ(config().VirtualPorts().GetDigit(FieldNames::ActionExtra, LiftPhone, 0), QByteArray("*0#"));
    EXPECT_EQ(config().VirtualPorts().GetDigit(FieldNames::ActionExtra, LiftPhone, 1), QByteArray("007"));
    choose(control<QComboBox>("cboVPActionType"), QStringLiteral("Warm Line"));
    typeOver(box("txtVPActionExtra1"), QStringLiteral(" 007 "));
    EXPECT_EQ(config().VirtualPorts().GetInteger(FieldNames::ActionExtra, LiftPhone, 1), 7);
    EXPECT_EQ(box("txtVPActionExtra1")->text(), QStringLiteral("7"));
    EXPECT_TRUE(messageTexts().isEmpty());
}

TEST_F(PanelTest, TheGroupGridShowsEightMembersWithTheirPortsAndTimesAndScrollsFourAPage)
{
    open(QStringLiteral("GPR1"));
    EXPECT_EQ(QList<int>(
                  {scrollBar()->minimum(), scrollBar()->maximum(), scrollBar()->singleStep(), scrollBar()->pageStep()}),
              QList<int>({1, 9, 1, 4}));
    const QStringList items = itemTexts(numbered<QComboBox>("cboGroupMember", 0));
    EXPECT_EQ(items.first() + QLatin1Char('|') + items.last(), QStringLiteral("|<Unknown VP>"));
    EXPECT_TRUE(items.contains(QStringLiteral("20 - Lift Phone")));
    EXPECT_FALSE(items.contains(QStringLiteral("27 - Tie Line 4"))) << "disabled";
    EXPECT_FALSE(items.contains(QStringLiteral("23 - <No Name>"))) << "free";

    pageDown();
    EXPECT_EQ(scrollBar()->value(), 5);
    EXPECT_EQ(column("labGroupMember"), QStringLiteral("5|6|7|8|9|10|11|12"));
    EXPECT_EQ(column("chkGroupMember"), QStringLiteral("on|on|on|on|on|off|on|on"));
    EXPECT_FALSE(numbered<QComboBox>("cboGroupMember", 5)->isEnabled());
    EXPECT_EQ(shown("cboGroupMember5 txtGroupTime5 txtGroupTime7"), QStringLiteral("||10"));
    choose(numbered<QComboBox>("cboGroupMember", 7), QStringLiteral("2 - Manager"));
    EXPECT_EQ(fields(ExchClass::GroupsMember, SalesGroup, "GroupMembers[11] GroupMembers[7]"), QStringLiteral("2|12"));
    scrollBar()->setValue(9);
    EXPECT_EQ(column("labGroupMember"), QStringLiteral("9|10|11|12|13|14|15|16"));
}

TEST(GroupTimes, RoundToTheNearestQuarterSecondWithinTheirLimits)
{
    const std::pair<double, std::optional<int>> cases[] = {
        {0.1, 2}, {-3, 2}, {0.6, 2}, {2.6, 10}, {2.65, 11}, {600.1, 2400}, {600.2, std::nullopt}, {1e30, std::nullopt}};
    for (const auto &[seconds, quarters] : cases)
        EXPECT_EQ(GroupPanel::quartersFor(seconds), quarters) << seconds;
    EXPECT_EQ(GroupPanel::secondsText(10), QStringLiteral("2.5"));
    EXPECT_EQ(GroupPanel::secondsText(65535), QStringLiteral("16383.75"));
}

TEST_F(PanelTest, GroupTimesAreShownInSecondsAndARoundedOneIsSaid)
{
    config().Groups().SetInteger(FieldNames::TimeToNext, AccountsGroup, 1, 0);
    open(QStringLiteral("GPR2"));
    EXPECT_EQ(shown("txtGroupTime0"), QStringLiteral("0.25"));
    answer();
    typeOver(numbered("txtGroupTime", 1), QStringLiteral("2.6"));
    EXPECT_EQ(fields(ExchClass::GroupsMember, AccountsGroup, "TimeToNext[1]"), QStringLiteral("10"));
    EXPECT_EQ(shown("txtGroupTime1"), QStringLiteral("2.5"));
    EXPECT_EQ(messageTexts(),
              strings({"2.6 s is stored as 2.5 s: the exchange keeps this time in quarter seconds, from 0.5 s."}));
}

TEST_F(PanelTest, TickingAGroupMemberSetsItsBitAndTheLastMemberCountsTickedMembersBeyondThePage)
{
    open(QStringLiteral("GPR2"));
    pageDown();
    clickBox(numbered<QCheckBox>("chkGroupMember", 7));
    EXPECT_EQ(fields(ExchClass::GroupsMember, AccountsGroup, "MembersUsed[1].3 GroupNumbers"), QStringLiteral("1|12"));
    EXPECT_TRUE(changed(Panel::Groups));

    open(QStringLiteral("GPR1"));
    clickBox(numbered<QCheckBox>("chkGroupMember", 2));
    EXPECT_EQ(fields(ExchClass::GroupsMember, SalesGroup, "MembersUsed[0].2 GroupNumbers"), QStringLiteral("0|12"));
    pageDown();
    pageDown();
    // Members 12, 11 and 9 off; member 10 was never on.
    for (int row : {3, 2, 0})
        clickBox(numbered<QCheckBox>("chkGroupMember", row));
    EXPECT_EQ(fields(ExchClass::GroupsMember, SalesGroup, "GroupNumbers") + QLatin1Char('|')
                  + shown("txtGPGroupNumbers"),
              QStringLiteral("8|8"));
}

TEST_F(PanelTest, AGroupMemberWhosePortWasDisabledShowsUnknownVpAndMustBeChangedBeforeLeaving)
{
    config().VirtualPorts().SetBoolean(FieldNames::Flag, SalesPort, 0, false);
    open(QStringLiteral("GPR1"));
    auto *member = numbered<QComboBox>("cboGroupMember", 0);
    EXPECT_EQ(member->currentText(), QStringLiteral("<Unknown VP>"));
    enter(member);
    answer();
    leave(member);
    EXPECT_EQ(messageTexts(), strings({"Please Select Valid Virtual Port - This is not enabled"}));
    EXPECT_TRUE(member->hasFocus());
    EXPECT_FALSE(changed(Panel::Groups));
    enterValue(member, "20 - Lift Phone");
    EXPECT_EQ(fields(ExchClass::GroupsMember, SalesGroup, "GroupMembers[0]"), QStringLiteral("20"));

    window->FillGroup(0, replyPacket(config().Groups().RequestCode(), 0, config().Groups().record(0)), true);
    EXPECT_EQ(node(QStringLiteral("GPR0")), nullptr) << "group zero from the exchange gets no node";
}

TEST_F(PanelTest, AFrequencyChosenOnTheEndStepMovesEndOneRowDownAndEndChosenOnAStepEndsTheToneThere)
{
    setStep(OnHold, 3, 0, 255, 0);
    open(QStringLiteral("TOR3"));
    chooseFrequency(3, "440");
    EXPECT_EQ(step(OnHold, 3) + QLatin1Char(' ') + step(OnHold, 4), QStringLiteral("81|1|31 0|255|0"));
    EXPECT_TRUE(changed(Panel::Tones));
    EXPECT_EQ(shown("txtToneLen3 chkToneAudible3 cboToneFreq4 cboToneFreq5"), QStringLiteral("1|off|End|"));
    EXPECT_EQ(enabled(3) + enabled(4) + enabled(5), QStringLiteral("111100000"));
    chooseFrequency(4, "860");
    EXPECT_EQ(step(OnHold, 4) + QLatin1Char(' ') + step(OnHold, 5), QStringLiteral("90|1|31 0|255|0"));

    open(QStringLiteral("TOR0"));
    chooseFrequency(1, "End");
    EXPECT_EQ(step(Dial, 1), QStringLiteral("0|255|0"));
    EXPECT_EQ(shown("txtToneLen1"), QString());
    EXPECT_EQ(enabled(1), QStringLiteral("100"));
    chooseFrequency(1, "425");
    EXPECT_EQ(step(Dial, 1) + QLatin1Char(' ') + step(Dial, 2), QStringLiteral("87|1|31 0|255|0"));
    EXPECT_EQ(shown("cboToneFreq2"), QStringLiteral("End"));
}

TEST_F(PanelTest, TheLastRowOfATonesLayoutStaysTheEndStep)
{
    for (int k = 0; k < 15; ++k)
        setStep(Dial, k, 80, 1, 13);
    setStep(Dial, 15, 0, 255, 0);
    open(QStringLiteral("TOR0"));
    chooseFrequency(15, "440");
    EXPECT_EQ(step(Dial, 15), QStringLiteral("0|255|0"));
    EXPECT_EQ(shown("cboToneFreq15"), QStringLiteral("End"));

    // A shorter layout: the rows past it stay disabled.
    RecordClass &tones = config().Tones();
    constexpr int Steps = 8;
    tones.makeStruct("Tones", 5, 0, 40, 0);
    tones.setField(1, FieldNames::Tone, Steps, 1, 3, FieldType::Integer);
    tones.setField(2, FieldNames::Time, Steps, 1, 11, FieldType::Integer);
    tones.setField(3, FieldNames::Level, Steps, 1, 19, FieldType::Integer);
    tones.setField(4, FieldNames::Name, 8, 1, 27, FieldType::String);
    tones.setField(5, FieldNames::Flag, 0, 1, 35, FieldType::Boolean);
    tones.PutBlank(0);
    tones.ClearAllBoolean(FieldNames::Flag, 0);
    tones.SetString(FieldNames::Name, 0, "SHORT");
    for (int k = 0; k < Steps; ++k)
        setStep(0, k, 80, 1, 13);
    window->GetConfiguration();
    open(QStringLiteral("TOR0"));
    EXPECT_EQ(shown("txtToneName"), QStringLiteral("SHORT"));
    EXPECT_TRUE(numbered<QComboBox>("cboToneFreq", Steps - 1)->isEnabled());
    EXPECT_FALSE(numbered<QComboBox>("cboToneFreq", Steps)->isEnabled());
    chooseFrequency(Steps - 1, "End");
    chooseFrequency(Steps - 1, "440");
    EXPECT_EQ(step(0, Steps - 1), QStringLiteral("0|255|0")) << "the last step the record has stays the End";
    EXPECT_EQ(step(0, 0), QStringLiteral("80|1|13")) << "nothing written past the layout lands on the first step";
}

TEST_F(PanelTest, AToneLengthIsStoredInWholeUnitsAndARoundedOneIsShownAndSaid)
{
    open(QStringLiteral("TOR0"));
    queueAnswers(host.messageService, QMessageBox::Ok, 2);
    typeOver(numbered("txtToneLen", 0), QStringLiteral("0"));
    EXPECT_EQ(shown("txtToneLen0"), QStringLiteral("1"));
    typeOver(numbered("txtToneLen", 0), QStringLiteral("2.6"));
    EXPECT_EQ(shown("txtToneLen0"), QStringLiteral("3"));
    EXPECT_EQ(fields(ExchClass::TonesMember, Dial, "Time[0]"), QStringLiteral("3"));
    EXPECT_EQ(messageTexts(),
              strings({"0 is stored as 1: lengths are whole 250 ms units, from 1 to 120.",
                       "2.6 is stored as 3: lengths are whole 250 ms units, from 1 to 120."}));
    EXPECT_FALSE(numbered("txtToneLen", 0)->hasFocus());
}

TEST_F(PanelTest, AnUnknownToneLevelShowsUndeterminedUntilTheEngineerDecides)
{
    config().Tones().SetInteger(FieldNames::Level, Dial, 7, 0);
    open(QStringLiteral("TOR0"));
    auto *audible = numbered<QCheckBox>("chkToneAudible", 0);
    EXPECT_EQ(audible->checkState(), Qt::PartiallyChecked);
    QStringList levels;
    for (int click = 0; click < 3; ++click) {
        QTest::mouseClick(audible, Qt::LeftButton);
        levels.append(shown("chkToneAudible0") + QLatin1Char(' ') + fields(ExchClass::TonesMember, Dial, "Level[0]"));
    }
    EXPECT_EQ(levels, strings({"on 13", "off 31", "on 13"})) << "no way back to undetermined";
    EXPECT_TRUE(changed(Panel::Tones));
}

} // namespace
