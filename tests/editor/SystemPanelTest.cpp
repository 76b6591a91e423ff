#include "RecordEditingFixture.h"

#include "FieldNames.h"
#include "ReplyPacket.h"
#include "StructureDefinition.h"
#include "SystemPanel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <QTreeWidgetItem>

namespace {

using Panel = DocumentWindow::Panel;

class SystemPanelTest : public RecordEditingFixture
{
protected:
    RecordClass &system() { return config().System(); }
    QCheckBox *callLog(int bit) const
    {
        return widget<QCheckBox>(qPrintable(QStringLiteral("chkSYSCallLogFlag") + QString::number(bit)));
    }
    QLineEdit *frequency(int i) const
    {
        return box(qPrintable(QStringLiteral("txtSYSFreqs") + QString::number(i)));
    }
};

TEST_F(SystemPanelTest, ShowsTheSystemRecordWithGainsFromThreeDecibelsDown)
{
    const QComboBox *gain = widget<QComboBox>("cboSYSConferenceGain");
    ASSERT_EQ(gain->count(), SystemPanel::GainSteps);
    EXPECT_EQ(gain->itemText(0), QStringLiteral("3 dB"));
    EXPECT_EQ(gain->itemText(30), QStringLiteral("-27 dB"));

    open(QStringLiteral("RRR"));
    EXPECT_EQ(box("txtSYSName")->text(), QStringLiteral("Kestrel Marine Offices"));
    EXPECT_EQ(box("txtSYSPublicIDLen")->text(), QStringLiteral("4"));
    EXPECT_EQ(box("txtSYSPassCodeLen")->text(), QStringLiteral("4"));
    EXPECT_EQ(box("txtSYSExtLength")->text(), QStringLiteral("3"));
    EXPECT_EQ(widget<QComboBox>("cboSYSConferenceGain")->currentText(), QStringLiteral("-3 dB"));
    EXPECT_EQ(frequency(0)->text(), QStringLiteral("350"));
    EXPECT_EQ(frequency(7)->text(), QStringLiteral("860"));
    for (int bit = 0; bit < SystemPanel::CallLogBits; ++bit)
        EXPECT_EQ(callLog(bit)->isChecked(), bit <= 3) << bit;
    EXPECT_EQ(callLog(7)->text(), QStringLiteral("40 Column Output"));
}

TEST_F(SystemPanelTest, FillingNeverMarksThePanelChanged)
{
    open(QStringLiteral("RRR"));
    EXPECT_FALSE(window->isChanged(Panel::System));

    // The exchange sends a record whose every value differs from the shown one.
    const QByteArray shown = system().record(0);
    system().SetString(FieldNames::Name, 0, "Harbour House");
    system().SetInteger(FieldNames::ExtLength, 0, 4);
    system().SetInteger(FieldNames::ConferenceGain, 0, 0);
    system().SetInteger(FieldNames::Freqs, 0, 1000, 2);
    for (int bit = 0; bit < SystemPanel::CallLogBits; ++bit)
        system().SetBoolean(FieldNames::CallLogFlag, 0, bit, bit >= 4);
    const QByteArray packet = recordPacket(system(), 0);
    system().PutData(ReplyPacket::make(0, 0, shown));

    window->FillSystem(0, packet, true);
    EXPECT_FALSE(window->isChanged(Panel::System));
    EXPECT_EQ(box("txtSYSName")->text(), QStringLiteral("Harbour House"));
    EXPECT_EQ(box("txtSYSExtLength")->text(), QStringLiteral("4"));
    EXPECT_EQ(widget<QComboBox>("cboSYSConferenceGain")->currentIndex(), 0);
    EXPECT_EQ(frequency(2)->text(), QStringLiteral("1000"));
    EXPECT_FALSE(callLog(0)->isChecked());
    EXPECT_TRUE(callLog(7)->isChecked());
    EXPECT_EQ(system().GetString(FieldNames::Name, 0), QByteArrayLiteral("Harbour House")) << "the packet is stored";

    // Moving through the filled boxes without typing writes nothing.
    for (const char *name : {"txtSYSName", "txtSYSExtLength", "txtSYSFreqs2"}) {
        box(name)->setFocus();
        leave(box(name));
    }
    EXPECT_FALSE(window->isChanged(Panel::System));
}

TEST_F(SystemPanelTest, EditingTheNameKeepsTheRootCaption)
{
    open(QStringLiteral("RRR"));
    typeInto(box("txtSYSName"), QStringLiteral("Harbour House"));
    leave(box("txtSYSName"));
    EXPECT_EQ(system().GetString(FieldNames::Name, 0), QByteArrayLiteral("Harbour House"));
    EXPECT_TRUE(window->isChanged(Panel::System));
    EXPECT_EQ(node(QStringLiteral("RRR"))->text(0), QStringLiteral("Orvex"));
}

TEST_F(SystemPanelTest, NameKeepsItsSingleBytesAndIsNoLongerThanTheField)
{
    open(QStringLiteral("RRR"));
    EXPECT_EQ(box("txtSYSName")->maxLength(), 23);
    typeInto(box("txtSYSName"), QString::fromLatin1("Caf\xe9 M\xfcller"));
    leave(box("txtSYSName"));
    EXPECT_EQ(system().GetString(FieldNames::Name, 0), QByteArray("Caf\xe9 M\xfcller"));
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
    for (int i = 3; i < SystemPanel::FrequencyBoxes; ++i) {
        EXPECT_TRUE(frequency(i)->text().isEmpty()) << i;
        EXPECT_FALSE(frequency(i)->isEnabled()) << i;
    }
    typeInto(frequency(1), QStringLiteral("480"));
    leave(frequency(1));
    EXPECT_EQ(system().GetInteger(FieldNames::Freqs, 0, 1), 480);
    EXPECT_EQ(system().GetInteger(FieldNames::ConferenceGain, 0), 255) << "the field after Freqs is untouched";
}

TEST_F(SystemPanelTest, GainAndCallLogChoicesAreStored)
{
    open(QStringLiteral("RRR"));
    QComboBox *gain = widget<QComboBox>("cboSYSConferenceGain");
    gain->setFocus();
    QTest::keyClick(gain, Qt::Key_Down);
    EXPECT_EQ(system().GetInteger(FieldNames::ConferenceGain, 0), 7);
    EXPECT_TRUE(window->isChanged(Panel::System));

    window->setChanged(Panel::System, false);
    callLog(6)->click();
    EXPECT_TRUE(system().GetBoolean(FieldNames::CallLogFlag, 0, 6));
    EXPECT_TRUE(window->isChanged(Panel::System));
    callLog(0)->click();
    EXPECT_FALSE(system().GetBoolean(FieldNames::CallLogFlag, 0, 0));
}

} // namespace
