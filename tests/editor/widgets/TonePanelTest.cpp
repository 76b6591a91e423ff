#include "support/gui/DocumentFixture.h"

#include "model/FieldDef.h"

namespace {

constexpr int Dial = 0;
constexpr int Engaged = 1;
constexpr int OnHold = 3;
constexpr int Success = 7;

// The default tones, viewed in the tree.
class TonePanel : public DocumentFixture
{
protected:
    void SetUp() override
    {
        DocumentFixture::SetUp();
        host.setViewTones(1);
        window->GetConfiguration();
    }

    RecordClass &tones() { return config().Tones(); }
    void openTone(int record) { open(QStringLiteral("TOR%1").arg(record)); }

    // Tone, time and level of step k.
    QString step(int record, int k)
    {
        const QByteArray names = QStringLiteral("Tone[%1] Time[%1] Level[%1]").arg(k).toLatin1();
        return fields(ExchClass::TonesMember, record, names.constData());
    }
    void setStep(int record, int k, int tone, int time, int level)
    {
        tones().SetInteger(FieldNames::Tone, record, tone, k);
        tones().SetInteger(FieldNames::Time, record, time, k);
        tones().SetInteger(FieldNames::Level, record, level, k);
    }

    QComboBox *frequency(int row) const { return control<QComboBox>(QStringLiteral("cboToneFreq%1").arg(row)); }
    QCheckBox *audible(int row) const { return control<QCheckBox>(QStringLiteral("chkToneAudible%1").arg(row)); }
    QLineEdit *length(int row) const { return control<QLineEdit>(QStringLiteral("txtToneLen%1").arg(row)); }

    void chooseFrequency(int row, const char *text)
    {
        enter(frequency(row));
        frequency(row)->setCurrentIndex(frequency(row)->findText(QLatin1String(text)));
        leave(frequency(row));
    }
};

TEST_F(TonePanel, ShowsTheStepsUpToTheEndStepAndDisablesTheRowsAfterIt)
{
    openTone(Engaged);
    EXPECT_EQ(itemTexts(frequency(0)), strings({"350+440", "440", "440+480", "440+620", "480+620", "400", "400+450",
                                                "425", "1400", "665", "860", "End"}));
    EXPECT_TRUE(frequency(2)->isEnabled());
    EXPECT_FALSE(length(2)->isEnabled());
    EXPECT_FALSE(audible(2)->isEnabled());
    for (int row = 3; row < 16; ++row) {
        EXPECT_FALSE(frequency(row)->isEnabled()) << row;
        EXPECT_FALSE(length(row)->isEnabled()) << row;
        EXPECT_EQ(frequency(row)->currentIndex(), -1) << row;
    }
}

TEST_F(TonePanel, AFrequencyChosenOnTheEndStepMovesEndOneRowDown)
{
    setStep(OnHold, 3, 0, 255, 0);
    openTone(OnHold);
    chooseFrequency(3, "440");
    EXPECT_EQ(step(OnHold, 3), QStringLiteral("81|1|31"));
    EXPECT_EQ(step(OnHold, 4), QStringLiteral("0|255|0"));
    EXPECT_TRUE(changed(Panel::Tones));

    EXPECT_EQ(length(3)->text(), QStringLiteral("1"));
    EXPECT_TRUE(length(3)->isEnabled());
    EXPECT_EQ(audible(3)->checkState(), Qt::Unchecked);
    EXPECT_TRUE(audible(3)->isEnabled());
    EXPECT_EQ(frequency(4)->currentText(), QStringLiteral("End"));
    EXPECT_TRUE(frequency(4)->isEnabled());
    EXPECT_FALSE(length(4)->isEnabled());

    chooseFrequency(4, "860");
    EXPECT_EQ(step(OnHold, 4), QStringLiteral("90|1|31"));
    EXPECT_EQ(step(OnHold, 5), QStringLiteral("0|255|0"));
}

TEST_F(TonePanel, EndChosenOnAStepEndsTheToneThereAndAFrequencyReopensIt)
{
    openTone(Dial);
    chooseFrequency(1, "End");
    EXPECT_EQ(step(Dial, 1), QStringLiteral("0|255|0"));
    EXPECT_TRUE(length(1)->text().isEmpty());
    EXPECT_FALSE(length(1)->isEnabled());
    EXPECT_FALSE(audible(1)->isEnabled());

    chooseFrequency(1, "425");
    EXPECT_EQ(step(Dial, 1), QStringLiteral("87|1|31"));
    EXPECT_EQ(step(Dial, 2), QStringLiteral("0|255|0"));
    EXPECT_EQ(frequency(2)->currentText(), QStringLiteral("End"));
}

TEST_F(TonePanel, TheLastRowStaysTheEndStep)
{
    for (int k = 0; k < 15; ++k)
        setStep(Dial, k, 80, 1, 13);
    setStep(Dial, 15, 0, 255, 0);
    openTone(Dial);
    EXPECT_EQ(frequency(15)->currentText(), QStringLiteral("End"));

    chooseFrequency(15, "440");
    EXPECT_EQ(step(Dial, 15), QStringLiteral("0|255|0"));
    EXPECT_EQ(frequency(15)->currentText(), QStringLiteral("End"));
}

TEST_F(TonePanel, ALengthIsStoredInWholeUnitsFromOneAndARoundedOneIsShownAndSaid)
{
    openTone(Dial);
    answer();
    typeOver(length(0), QStringLiteral("0"));
    EXPECT_EQ(length(0)->text(), QStringLiteral("1"));
    EXPECT_EQ(fields(ExchClass::TonesMember, Dial, "Time[0]"), QStringLiteral("1"));

    typeOver(length(0), QStringLiteral("120"));
    EXPECT_EQ(fields(ExchClass::TonesMember, Dial, "Time[0]"), QStringLiteral("120"));

    answer();
    typeOver(length(0), QStringLiteral("2.6"));
    EXPECT_EQ(length(0)->text(), QStringLiteral("3"));
    EXPECT_EQ(fields(ExchClass::TonesMember, Dial, "Time[0]"), QStringLiteral("3"));
    EXPECT_EQ(host.messageTexts(), strings({"0 is stored as 1: lengths are whole 250 ms units, from 1 to 120.",
                                            "2.6 is stored as 3: lengths are whole 250 ms units, from 1 to 120."}));
    EXPECT_FALSE(length(0)->hasFocus());
}

TEST_F(TonePanel, AnUnknownLevelShowsUndeterminedUntilTheEngineerDecides)
{
    tones().SetInteger(FieldNames::Level, Dial, 7, 0);
    openTone(Dial);
    EXPECT_EQ(audible(0)->checkState(), Qt::PartiallyChecked);

    QTest::mouseClick(audible(0), Qt::LeftButton);
    EXPECT_EQ(audible(0)->checkState(), Qt::Checked);
    EXPECT_EQ(fields(ExchClass::TonesMember, Dial, "Level[0]"), QStringLiteral("13"));
    QTest::mouseClick(audible(0), Qt::LeftButton);
    EXPECT_EQ(audible(0)->checkState(), Qt::Unchecked);
    EXPECT_EQ(fields(ExchClass::TonesMember, Dial, "Level[0]"), QStringLiteral("31"));
    QTest::mouseClick(audible(0), Qt::LeftButton);
    EXPECT_EQ(audible(0)->checkState(), Qt::Checked) << "no way back to undetermined";
    EXPECT_TRUE(changed(Panel::Tones));
}

TEST_F(TonePanel, RowsPastAShorterLayoutStayDisabled)
{
    RecordClass &shortTones = tones();
    constexpr int Steps = 8;
    shortTones.makeStruct("Tones", 5, 0, 40, 0);
    shortTones.setField(1, FieldNames::Tone, Steps, 1, 3, FieldType::Integer);
    shortTones.setField(2, FieldNames::Time, Steps, 1, 11, FieldType::Integer);
    shortTones.setField(3, FieldNames::Level, Steps, 1, 19, FieldType::Integer);
    shortTones.setField(4, FieldNames::Name, 8, 1, 27, FieldType::String);
    shortTones.setField(5, FieldNames::Flag, 0, 1, 35, FieldType::Boolean);
    shortTones.PutBlank(0);
    shortTones.ClearAllBoolean(FieldNames::Flag, 0);
    shortTones.SetString(FieldNames::Name, 0, "SHORT");
    for (int k = 0; k < Steps; ++k)
        setStep(0, k, 80, 1, 13);
    window->GetConfiguration();
    openTone(0);

    EXPECT_EQ(box("txtToneName")->text(), QStringLiteral("SHORT"));
    EXPECT_TRUE(frequency(Steps - 1)->isEnabled());
    EXPECT_FALSE(frequency(Steps)->isEnabled());
    chooseFrequency(Steps - 1, "End");
    chooseFrequency(Steps - 1, "440");
    EXPECT_EQ(step(0, Steps - 1), QStringLiteral("0|255|0")) << "the last step the record has stays the End";
    EXPECT_EQ(step(0, 0), QStringLiteral("80|1|13")) << "nothing written past the layout lands on the first step";
}

} // namespace
