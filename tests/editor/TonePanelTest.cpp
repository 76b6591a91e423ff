#include "FocusedPanelFixture.h"

#include "FieldDef.h"
#include "FieldNames.h"
#include "ToneSteps.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

namespace {

using Panel = DocumentWindow::Panel;

constexpr int Dial = 0;
constexpr int Engaged = 1;
constexpr int OnHold = 3;
constexpr int Success = 7;

struct Step
{
    int tone;
    int time;
    int level;

    bool operator==(const Step &) const = default;
};

void PrintTo(const Step &step, std::ostream *os)
{
    *os << '(' << step.tone << ", " << step.time << ", " << step.level << ')';
}

// The default tones, viewed in the tree.
class TonePanel : public FocusedPanelFixture
{
protected:
    void SetUp() override
    {
        FocusedPanelFixture::SetUp();
        host.setViewTones(1);
        window->GetConfiguration();
        name = control<QLineEdit>(QStringLiteral("txtToneName"));
    }

    RecordClass &tones() { return config().Tones(); }
    void openTone(int record) { open(QStringLiteral("TOR") + QString::number(record)); }

    Step step(int record, int k)
    {
        return {tones().GetInteger(FieldNames::Tone, record, k), tones().GetInteger(FieldNames::Time, record, k),
                tones().GetInteger(FieldNames::Level, record, k)};
    }
    void setStep(int record, int k, Step s)
    {
        tones().SetInteger(FieldNames::Tone, record, s.tone, k);
        tones().SetInteger(FieldNames::Time, record, s.time, k);
        tones().SetInteger(FieldNames::Level, record, s.level, k);
    }

    QComboBox *frequency(int row) const { return control<QComboBox>(QStringLiteral("cboToneFreq%1").arg(row)); }
    QCheckBox *audible(int row) const { return control<QCheckBox>(QStringLiteral("chkToneAudible%1").arg(row)); }
    QLineEdit *length(int row) const { return control<QLineEdit>(QStringLiteral("txtToneLen%1").arg(row)); }
    QLabel *position(int row) const { return control<QLabel>(QStringLiteral("labTonePosn%1").arg(row)); }

    void chooseFrequency(int row, const char *text)
    {
        enter(frequency(row));
        frequency(row)->setCurrentIndex(frequency(row)->findText(QLatin1String(text)));
        leaveTo(name);
    }
    void typeLength(int row, const char *text)
    {
        enter(length(row));
        length(row)->setText(QLatin1String(text));
        leaveTo(name);
    }

    QLineEdit *name = nullptr;
};

TEST_F(TonePanel, ShowsTheStepsUpToTheEndStepAndDisablesTheRowsAfterIt)
{
    openTone(Engaged);
    EXPECT_EQ(name->text(), QStringLiteral("ENGAGED"));
    EXPECT_EQ(position(0)->text(), QStringLiteral("1"));
    EXPECT_EQ(position(15)->text(), QStringLiteral("16"));
    EXPECT_EQ(frequency(0)->count(), 12);
    EXPECT_EQ(frequency(0)->itemText(ToneSteps::EndIndex()), QStringLiteral("End"));

    EXPECT_EQ(frequency(0)->currentText(), QStringLiteral("400"));
    EXPECT_EQ(audible(0)->checkState(), Qt::Checked);
    EXPECT_EQ(length(0)->text(), QStringLiteral("2"));
    EXPECT_EQ(audible(1)->checkState(), Qt::Unchecked);

    EXPECT_EQ(frequency(2)->currentText(), QStringLiteral("End"));
    EXPECT_TRUE(frequency(2)->isEnabled());
    EXPECT_FALSE(length(2)->isEnabled());
    EXPECT_TRUE(length(2)->text().isEmpty());
    EXPECT_FALSE(audible(2)->isEnabled());
    for (int row = 3; row < 16; ++row) {
        EXPECT_FALSE(frequency(row)->isEnabled()) << row;
        EXPECT_FALSE(length(row)->isEnabled()) << row;
        EXPECT_EQ(frequency(row)->currentIndex(), -1) << row;
    }
}

TEST_F(TonePanel, AFrequencyChosenOnTheEndStepMovesEndOneRowDown)
{
    setStep(OnHold, 3, {0, 255, 0});
    openTone(OnHold);
    chooseFrequency(3, "440");
    EXPECT_EQ(step(OnHold, 3), (Step{81, 1, 31}));
    EXPECT_EQ(step(OnHold, 4), (Step{0, 255, 0}));
    EXPECT_TRUE(window->isChanged(Panel::Tones));

    EXPECT_EQ(length(3)->text(), QStringLiteral("1"));
    EXPECT_TRUE(length(3)->isEnabled());
    EXPECT_EQ(audible(3)->checkState(), Qt::Unchecked);
    EXPECT_TRUE(audible(3)->isEnabled());
    EXPECT_EQ(frequency(4)->currentText(), QStringLiteral("End"));
    EXPECT_TRUE(frequency(4)->isEnabled());
    EXPECT_FALSE(length(4)->isEnabled());

    chooseFrequency(4, "860");
    EXPECT_EQ(step(OnHold, 4), (Step{90, 1, 31}));
    EXPECT_EQ(step(OnHold, 5), (Step{0, 255, 0}));
}

TEST_F(TonePanel, EndChosenOnAStepEndsTheToneThereAndAFrequencyReopensIt)
{
    openTone(Dial);
    chooseFrequency(1, "End");
    EXPECT_EQ(step(Dial, 1), (Step{0, 255, 0}));
    EXPECT_TRUE(length(1)->text().isEmpty());
    EXPECT_FALSE(length(1)->isEnabled());
    EXPECT_FALSE(audible(1)->isEnabled());

    chooseFrequency(1, "425");
    EXPECT_EQ(step(Dial, 1), (Step{87, 1, 31}));
    EXPECT_EQ(step(Dial, 2), (Step{0, 255, 0}));
    EXPECT_EQ(frequency(2)->currentText(), QStringLiteral("End"));
}

TEST_F(TonePanel, TheLastRowStaysTheEndStep)
{
    for (int k = 0; k < 15; ++k)
        setStep(Dial, k, {80, 1, 13});
    setStep(Dial, 15, {0, 255, 0});
    openTone(Dial);
    EXPECT_EQ(frequency(15)->currentText(), QStringLiteral("End"));

    chooseFrequency(15, "440");
    EXPECT_EQ(step(Dial, 15), (Step{0, 255, 0}));
    EXPECT_EQ(frequency(15)->currentText(), QStringLiteral("End"));
}

TEST_F(TonePanel, PassingThroughTheEndStepChangesNothing)
{
    openTone(Success);
    ASSERT_EQ(frequency(6)->currentText(), QStringLiteral("End"));
    const QByteArray before = tones().record(Success);
    enter(frequency(6));
    leaveTo(name);
    EXPECT_EQ(tones().record(Success), before);
    EXPECT_FALSE(window->isChanged(Panel::Tones));
}

TEST_F(TonePanel, ALengthIsStoredInWholeUnitsFromOneAndARoundedOneIsShownAndSaid)
{
    openTone(Dial);
    host.messageService.setNextAnswer(QMessageBox::Ok);
    typeLength(0, "0");
    EXPECT_EQ(length(0)->text(), QStringLiteral("1"));
    EXPECT_EQ(step(Dial, 0).time, 1);

    typeLength(0, "120");
    EXPECT_EQ(step(Dial, 0).time, 120);

    host.messageService.setNextAnswer(QMessageBox::Ok);
    typeLength(0, "2.6");
    EXPECT_EQ(length(0)->text(), QStringLiteral("3"));
    EXPECT_EQ(step(Dial, 0).time, 3);
    EXPECT_EQ(host.messageTexts(), strings({"0 is stored as 1: lengths are whole 250 ms units, from 1 to 120.",
                                            "2.6 is stored as 3: lengths are whole 250 ms units, from 1 to 120."}));
    EXPECT_TRUE(name->hasFocus());
}

TEST_F(TonePanel, AnUnknownLevelShowsUndeterminedUntilTheEngineerDecides)
{
    tones().SetInteger(FieldNames::Level, Dial, 7, 0);
    openTone(Dial);
    EXPECT_EQ(audible(0)->checkState(), Qt::PartiallyChecked);
    enter(audible(0));
    leaveTo(name);
    EXPECT_EQ(step(Dial, 0).level, 7);
    EXPECT_FALSE(window->isChanged(Panel::Tones));

    QTest::mouseClick(audible(0), Qt::LeftButton);
    EXPECT_EQ(audible(0)->checkState(), Qt::Checked);
    EXPECT_EQ(step(Dial, 0).level, 13);
    QTest::mouseClick(audible(0), Qt::LeftButton);
    EXPECT_EQ(audible(0)->checkState(), Qt::Unchecked);
    EXPECT_EQ(step(Dial, 0).level, 31);
    QTest::mouseClick(audible(0), Qt::LeftButton);
    EXPECT_EQ(audible(0)->checkState(), Qt::Checked) << "no way back to undetermined";
    EXPECT_TRUE(window->isChanged(Panel::Tones));
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
        setStep(0, k, {80, 1, 13});
    window->GetConfiguration();
    openTone(0);

    EXPECT_EQ(name->text(), QStringLiteral("SHORT"));
    EXPECT_TRUE(frequency(Steps - 1)->isEnabled());
    EXPECT_FALSE(frequency(Steps)->isEnabled());
    chooseFrequency(Steps - 1, "End");
    chooseFrequency(Steps - 1, "440");
    EXPECT_EQ(step(0, Steps - 1), (Step{0, 255, 0})) << "the last step the record has stays the End";
    EXPECT_EQ(step(0, 0), (Step{80, 1, 13})) << "nothing written past the layout lands on the first step";
}

TEST(ToneLength, AcceptsDecimalNumbersUpTo120AndRaisesSmallOnesToOne)
{
    using Length = ToneSteps::Length;
    const struct
    {
        const char *text;
        Length::Verdict verdict;
        int value;
    } cases[] = {
        {"0", Length::Accepted, 1},       {"-3", Length::Accepted, 1},      {"1", Length::Accepted, 1},
        {" 12 ", Length::Accepted, 12},   {"2.4", Length::Accepted, 2},     {"119.5", Length::Accepted, 120},
        {"120", Length::Accepted, 120},   {"120.2", Length::TooLong, 0},    {"121", Length::TooLong, 0},
        {"", Length::NotANumber, 0},      {"abc", Length::NotANumber, 0},   {"nan", Length::NotANumber, 0},
    };
    for (const auto &c : cases) {
        const Length length = ToneSteps::checkLength(QLatin1String(c.text));
        EXPECT_EQ(length.verdict, c.verdict) << c.text;
        if (c.verdict == Length::Accepted) {
            EXPECT_EQ(length.value, c.value) << c.text;
        }
    }
}

} // namespace
