#include "support/gui/DocumentFixture.h"

#include "model/ExchClass.h"
#include "model/FieldNames.h"
#include "simulator/sample/StructureDefinition.h"

#include <QComboBox>
#include <QLineEdit>

namespace {

class SystemPanelTest : public DocumentFixture
{
protected:
    RecordClass &system() { return config().System(); }
    QLineEdit *frequency(int i) const { return control<QLineEdit>(QStringLiteral("txtSYSFreqs%1").arg(i)); }
};

TEST_F(SystemPanelTest, GainsGoFromThreeDecibelsDownToMinusTwentySeven)
{
    EXPECT_EQ(itemTexts(control<QComboBox>("cboSYSConferenceGain")).mid(0, 2), strings({"3 dB", "2 dB"}));
    EXPECT_EQ(itemTexts(control<QComboBox>("cboSYSConferenceGain")).mid(29), strings({"-26 dB", "-27 dB"}));
}

TEST_F(SystemPanelTest, FrequencyBoxesPastTheFieldsElementsStayEmptyAndWriteNothing)
{
    // An exchange whose system record holds three frequencies.
    system().BuildStructure(StructureDefinition(6, "SYSTEM", 1)
                                .field("Name", FieldType::String, 1, 24)
                                .field("ExtLength", FieldType::Integer, 1)
                                .field("PassCodeLen", FieldType::Integer, 1)
                                .field("PublicIDLen", FieldType::Integer, 1)
                                .field("Freqs", FieldType::Integer, 2, 3)
                                .field("ConferenceGain", FieldType::Integer, 1)
                                .field("CallLogFlag", FieldType::Boolean, 1)
                                .field("NULL", FieldType::ReadOnlyInteger, 1, 4)
                                .packet());
    system().PutBlank(0);
    for (int k = 0; k < 3; ++k)
        system().SetInteger(FieldNames::Freqs, 0, 400 + k, k);
    open(QStringLiteral("RRR"));

    EXPECT_EQ(frequency(2)->text(), QStringLiteral("402"));
    for (int i = 3; i < 8; ++i) {
        EXPECT_TRUE(frequency(i)->text().isEmpty()) << i;
        EXPECT_FALSE(frequency(i)->isEnabled()) << i;
    }
    typeOver(frequency(1), QStringLiteral("480"));
    EXPECT_EQ(system().GetInteger(FieldNames::Freqs, 0, 1), 480);
    EXPECT_EQ(system().GetInteger(FieldNames::ConferenceGain, 0), 255) << "the field after Freqs is untouched";
}

} // namespace
